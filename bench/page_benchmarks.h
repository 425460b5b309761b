// The page-count cases of page_benchmarks.cpp, registered at run time so that
// their page counts can be chosen.
#ifndef DWFPLOT_BENCH_PAGE_BENCHMARKS_H
#define DWFPLOT_BENCH_PAGE_BENCHMARKS_H

#include <cstdint>
#include <vector>

namespace bench {

// The page counts of $PAGE_COUNTS (numbers apart by spaces), else 10, 100,
// 1000 and 10000.
std::vector<uint64_t> pageCounts();

// Registers PagesWrite, PagesOpen and PagesReplay for each of pageCounts().
void registerPageBenchmarks();

}  // namespace bench

#endif  // DWFPLOT_BENCH_PAGE_BENCHMARKS_H
