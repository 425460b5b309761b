// Shared by the hostile-input tests: a fixture that also runs each test in a
// working directory of its own (the reader puts images there) and checks it
// is left empty, a replay of a package through the public reader into a
// transcript, and a small plot written by the public writer.
#ifndef DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H
#define DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/bytes.h"
#include "support/package_builder.h"
#include "support/temp_dir_test.h"
#include "support/w2d_bytes.h"

namespace hostile {

// The peak resident size the whole suite stays under.
inline constexpr long kResidentLimitKiB = 256L * 1024;

class HostileTest : public testsupport::TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The working directory the test runs in, ending with '/'.
    const std::string& runDir() const { return runDir_; }
    // Fails the test when the process's peak resident size has reached the
    // limit; skipped under AddressSanitizer, whose shadow memory counts.
    static void expectBoundedMemory();

private:
    std::string savedCwd_;
    std::string runDir_;
};

// Everything a host learns from one package: canRead, openPlot, and every
// operation with its getter's data, one line each.
struct Replay {
    bool readable = false;
    std::string message;
    bool opened = false;
    // True when the operations ended with PLT_END_OF_PLOT within the bound.
    bool ended = false;
    size_t operations = 0;
    std::string transcript;
};

// Replays `path` through DWFPlotFileReader; at most `maxOperations` calls of
// getOperation, so a reader that never ends shows as !ended.
Replay replay(const std::string& path, size_t maxOperations = 100000);

// The host names canRead may give on refusal.
bool isHostErrorName(const std::string& message);

// A plot of two pages (lines, a polygon, a two-line text, a pen table), as a
// host draws it through DWFPlotFileWriter; false when openPlot refused.
// Exceptions from the writer reach the caller. Without `closePlot` the
// writer's destruction finishes the package.
bool drawSmallPlot(const std::string& path, bool closePlot = true);

// Page streams and packages are built byte by byte with the shared builders.
using testsupport::W2dBytes;

// A page stream that begins with one polyline from (1, 2) to (3000, 4000),
// and what the reader reports for that page when nothing follows it.
W2dBytes onePolyline();
inline constexpr char kOnePolylinePage[] =
    "0 \n"
    "2 0\n"
    "5  0.0010,0.0020 3.0000,4.0000\n"
    "8 \n";
// The transcript without its first line (the plot's properties).
std::string operationsOf(const Replay& replay);

}  // namespace hostile

#endif  // DWFPLOT_TESTS_HOSTILE_HOSTILE_SUPPORT_H
