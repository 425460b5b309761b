// Shared by the hostile-input tests: packages replayed as a host reads them, in bounded memory; the plots they
// damage are testsupport::writeSamplePlot's.
#ifndef DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H
#define DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H

#include <string>

#include "support/bytes.h"
#include "support/package_builder.h"
#include "support/plot_replay.h"
#include "support/w2d_bytes.h"

namespace hostile {

using testsupport::Lines;
using testsupport::PackageReplay;
using testsupport::W2dBytes;

class HostileTest : public testsupport::PlotReaderTest {
protected:
    // Fails the test when the process's peak resident size has reached 256 MiB; skipped under
    // AddressSanitizer, whose shadow memory counts.
    static void expectBoundedMemory();
};

// A page stream that begins with one polyline from (1, 2) to (3000, 4000), and the operations the reader
// reports for a plot of that page when nothing follows the polyline.
inline W2dBytes onePolyline() { return W2dBytes().polyline({{1, 2}, {3000, 4000}}); }
inline const Lines kOnePolylinePlot = {"opened", "page", "pen 0", "line 0.001,0.002 3,4", "none"};

}  // namespace hostile

#endif  // DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H
