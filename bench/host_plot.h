// The host side of the benchmarks: a seeded generator that draws a KESTRA-like
// page through PlotFileWriter, and a host loop that replays a package through
// PlotFileReader the way a viewer does. Geometry is produced on the fly, so
// nothing but the library holds the page in memory while it is written.
#ifndef DWFPLOT_BENCH_HOST_PLOT_H
#define DWFPLOT_BENCH_HOST_PLOT_H

#include <cstdint>
#include <string>

#include "dwfplot/PlotFile.h"

namespace bench {

// addLine pen codes: 3 starts a line, 2 continues it.
inline constexpr int kPenUp = 3;
inline constexpr int kPenDown = 2;

// What a drawn or replayed plot held.
struct PageTally {
    uint64_t pages = 0;
    uint64_t linePoints = 0;
    uint64_t lines = 0;
    uint64_t polygons = 0;
    uint64_t texts = 0;
    uint64_t pens = 0;
};

// Writes a one-page plot of `linePoints` addLine points to `path`: polylines
// of 2 to 200 points, group and pen changes, now and then a set of polygons
// and a text. The same seed always gives the same calls.
PageTally writeHostPlot(PlotFileWriter& writer, const std::string& path, uint64_t linePoints, uint64_t seed = 1);

// Only the generator: the same calls made into a writer that does nothing,
// to show what the host's own part of the writer figures costs.
PageTally drawHostPlotNowhere(uint64_t linePoints, uint64_t seed = 1);

// Opens the package and fetches every operation with its getter, as a host
// viewer does. linePoints is 0 when the plot could not be opened.
PageTally readHostPlot(PlotFileReader& reader, const std::string& path);

}  // namespace bench

#endif  // DWFPLOT_BENCH_HOST_PLOT_H
