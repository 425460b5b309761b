// Plots of many small pages, to show what a plot costs per page as the page
// count grows: each page is 100 two-point lines, so the page count, not the
// geometry, is what varies.
#ifndef DWFPLOT_BENCH_PAGE_COUNT_PLOT_H
#define DWFPLOT_BENCH_PAGE_COUNT_PLOT_H

#include <cstdint>
#include <string>

#include "dwfplot/PlotFile.h"
#include "host_plot.h"

namespace bench {

inline constexpr uint64_t kLinesPerPage = 100;

// Writes a plot of `pages` pages to `path`, each page 100 lines of two points
// (pen code 3, then 2) over four pens and three groups. The same page count
// always gives the same calls; tally.pages is what was written.
PageTally writePageCountPlot(PlotFileWriter& writer, const std::string& path, uint64_t pages);

// The package of `pages` pages the page-count cases share, in the data directory.
std::string pageCountPackagePath(uint64_t pages);

// Writes that package unless it is there already. False (with `error` set)
// when that fails.
bool preparePageCountData(uint64_t pages, std::string& error);

}  // namespace bench

#endif  // DWFPLOT_BENCH_PAGE_COUNT_PLOT_H
