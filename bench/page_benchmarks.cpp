// What a plot costs per page as the page count grows: plots of 10 to 10,000
// pages of 100 lines each, written, opened, and replayed. One iteration is the
// whole plot; bench/run.sh runs each case in a process of its own, so that
// the peak resident memory it reports is that case's.
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "bench_data.h"
#include "dwfplot/DWFPlotFile.h"
#include "host_plot.h"
#include "page_benchmarks.h"
#include "page_count_plot.h"

namespace {

uint64_t pagesOf(const benchmark::State& state) { return static_cast<uint64_t>(state.range(0)); }

bool prepared(benchmark::State& state) {
    std::string error;
    if (bench::preparePageCountData(pagesOf(state), error)) return true;
    state.SkipWithError(error.c_str());
    return false;
}

void reportPages(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pagesOf(state)));
    state.counters["pages"] = static_cast<double>(pagesOf(state));
    state.counters["peak_rss_MiB"] = bench::peakResidentMiB();
}

// openPlot, N pages of 100 lines, closePlot, the writer constructed and
// destroyed, to a fresh file.
void PagesWrite(benchmark::State& state) {
    const uint64_t pages = pagesOf(state);
    ::mkdir(bench::dataDirectory().c_str(), 0755);
    const std::string path = bench::dataDirectory() + "/written-pages-" + std::to_string(pages) + ".dwf";
    for (auto _ : state) {
        std::remove(path.c_str());
        DWFPlotFileWriter writer;
        if (bench::writePageCountPlot(writer, path, pages).pages != pages) {
            state.SkipWithError("the writer did not take every page");
            break;
        }
    }
    std::remove(path.c_str());
    reportPages(state);
}

// openPlot and closePlot alone. The reader is constructed and destroyed as in
// the other reading cases; its destruction removes the extracted page files.
void PagesOpen(benchmark::State& state) {
    const uint64_t pages = pagesOf(state);
    if (!prepared(state)) return;
    const std::string path = bench::pageCountPackagePath(pages);
    std::vector<std::string> streams;
    for (auto _ : state) {
        DWFPlotFileReader reader;
        if (!reader.openPlot(path)) {
            state.SkipWithError("the reader did not open the plot");
            break;
        }
        reader.closePlot();
        // Listing the pages is a check, not opening: untimed.
        state.PauseTiming();
        reader.getPages(streams);
        const bool whole = streams.size() == pages;
        state.ResumeTiming();
        if (!whole) {
            state.SkipWithError("the reader did not find every page");
            break;
        }
    }
    reportPages(state);
}

// openPlot and every operation fetched with its getter, as a host viewer does.
void PagesReplay(benchmark::State& state) {
    const uint64_t pages = pagesOf(state);
    if (!prepared(state)) return;
    const std::string path = bench::pageCountPackagePath(pages);
    for (auto _ : state) {
        DWFPlotFileReader reader;
        const bench::PageTally tally = bench::readHostPlot(reader, path);
        const uint64_t lines = pages * bench::kLinesPerPage;
        if (tally.pages != pages || tally.lines != lines || tally.linePoints != 2 * lines) {
            state.SkipWithError("the reader did not return every page and line");
            break;
        }
    }
    reportPages(state);
}

}  // namespace

namespace bench {

std::vector<uint64_t> pageCounts() {
    const char* configured = std::getenv("PAGE_COUNTS");
    std::vector<uint64_t> counts;
    if (configured != nullptr) {
        std::istringstream words(configured);
        for (uint64_t count = 0; words >> count;) {
            if (count > 0) counts.push_back(count);
        }
    }
    if (counts.empty()) counts = {10, 100, 1000, 10000};
    return counts;
}

void registerPageBenchmarks() {
    const std::vector<uint64_t> counts = pageCounts();
    struct Case {
        const char* name;
        void (*run)(benchmark::State&);
    };
    for (const Case& one : {Case{"PagesWrite", PagesWrite}, Case{"PagesOpen", PagesOpen},
                            Case{"PagesReplay", PagesReplay}}) {
        benchmark::internal::Benchmark* benchmark = benchmark::RegisterBenchmark(one.name, one.run);
        for (const uint64_t count : counts) benchmark->Arg(static_cast<int64_t>(count));
        // One iteration is the whole plot: 10,000 pages are not to be run again and again.
        benchmark->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
        // As for the other cases: the least time is the least disturbed, the
        // largest peak is the process's high-water mark.
        benchmark->ComputeStatistics("min", [](const std::vector<double>& values) {
            return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
        });
        benchmark->ComputeStatistics("max", [](const std::vector<double>& values) {
            return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
        });
    }
}

}  // namespace bench
