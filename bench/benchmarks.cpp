// The writer and the reader end to end beside the zlib floors of the same
// bytes, for pages of 10^5, 10^6 and 10^7 line points. Each case reports the
// process's peak resident memory; bench/run.sh runs every case in a process
// of its own so those figures stay apart, and prints the table.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench_data.h"
#include "dwfplot/DWFPlotFile.h"
#include "host_plot.h"
#include "page_benchmarks.h"
#include "page_count_plot.h"
#include "plotfile/logical_units.h"

namespace {

// The package writer's deflate settings: raw deflate, default level,
// 15-bit window, memory level 8, default strategy.
constexpr int kLevel = Z_DEFAULT_COMPRESSION;
constexpr int kWindowBits = -MAX_WBITS;
constexpr int kMemoryLevel = 8;
constexpr size_t kOutputBuffer = 16384;
constexpr size_t kReadBuffer = 65536;

double startupResidentMiB = 0;

uint64_t sizeOf(const benchmark::State& state) { return static_cast<uint64_t>(state.range(0)); }

bool loadStream(benchmark::State& state, std::vector<uint8_t>& bytes) {
    std::string error;
    if (!bench::prepareData(sizeOf(state), error)) {
        state.SkipWithError(error.c_str());
        return false;
    }
    if (!bench::readWholeFile(bench::streamPath(sizeOf(state)), bytes)) {
        state.SkipWithError("cannot read the extracted stream");
        return false;
    }
    return true;
}

void reportMemory(benchmark::State& state, uint64_t streamBytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * streamBytes));
    state.counters["w2d_MiB"] = static_cast<double>(streamBytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = bench::peakResidentMiB();
    state.counters["startup_rss_MiB"] = startupResidentMiB;
}

int64_t streamSize(uint64_t linePoints) {
    const int fd = ::open(bench::streamPath(linePoints).c_str(), O_RDONLY);
    if (fd < 0) return 0;
    const off_t size = ::lseek(fd, 0, SEEK_END);
    ::close(fd);
    return size;
}

std::vector<uint8_t> deflateAll(const std::vector<uint8_t>& input, std::vector<uint8_t>* keep) {
    std::vector<uint8_t> out(kOutputBuffer);
    z_stream z{};
    deflateInit2(&z, kLevel, Z_DEFLATED, kWindowBits, kMemoryLevel, Z_DEFAULT_STRATEGY);
    z.next_in = const_cast<Bytef*>(input.data());
    z.avail_in = static_cast<uInt>(input.size());
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        rc = deflate(&z, Z_FINISH);
        if (rc != Z_OK && rc != Z_STREAM_END) break;
        if (keep != nullptr) keep->insert(keep->end(), out.data(), out.data() + (out.size() - z.avail_out));
    }
    deflateEnd(&z);
    return out;
}

// --- the library ---------------------------------------------------------

void Writer(benchmark::State& state) {
    const uint64_t points = sizeOf(state);
    const std::string path = bench::dataDirectory() + "/written-" + std::to_string(points) + ".dwf";
    std::string error;
    if (!bench::prepareData(points, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        DWFPlotFileWriter writer;
        if (bench::writeHostPlot(writer, path, points).linePoints != points) {
            state.SkipWithError("the writer did not take the page");
            break;
        }
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * points));
    reportMemory(state, static_cast<uint64_t>(streamSize(points)));
}

void Reader(benchmark::State& state) {
    const uint64_t points = sizeOf(state);
    std::string error;
    if (!bench::prepareData(points, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        DWFPlotFileReader reader;
        const bench::PageTally tally = bench::readHostPlot(reader, bench::packagePath(points));
        if (tally.linePoints != points) {
            state.SkipWithError("the reader did not return every line point");
            break;
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * points));
    reportMemory(state, static_cast<uint64_t>(streamSize(points)));
}

// The host's own part: the same calls into a writer that does nothing.
void HostGenerator(benchmark::State& state) {
    const uint64_t points = sizeOf(state);
    for (auto _ : state) benchmark::DoNotOptimize(bench::drawHostPlotNowhere(points).linePoints);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * points));
    reportMemory(state, static_cast<uint64_t>(streamSize(points)));
}

// The writer's conversion of every line coordinate to logical units, alone:
// two calls per line point, on values like the page's.
void CoordinateConversion(benchmark::State& state) {
    const uint64_t points = sizeOf(state);
    for (auto _ : state) {
        int64_t sum = 0;
        uint64_t bits = 0x9E3779B97F4A7C15ull;
        for (uint64_t point = 0; point < 2 * points; ++point) {
            bits = bits * 6364136223846793005ull + 1442695040888963407ull;
            sum += DWFPlotUnits::toLogicalUnits(static_cast<double>(bits >> 11) * 0x1.0p-53 * 84.1);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * points));
    reportMemory(state, static_cast<uint64_t>(streamSize(points)));
}

// --- the floors ----------------------------------------------------------

void Deflate(benchmark::State& state) {
    std::vector<uint8_t> stream;
    if (!loadStream(state, stream)) return;
    for (auto _ : state) benchmark::DoNotOptimize(deflateAll(stream, nullptr).data());
    reportMemory(state, stream.size());
}

void Inflate(benchmark::State& state) {
    std::vector<uint8_t> stream;
    if (!loadStream(state, stream)) return;
    std::vector<uint8_t> compressed;
    deflateAll(stream, &compressed);
    const size_t streamBytes = stream.size();
    stream = std::vector<uint8_t>();
    std::vector<uint8_t> out(kReadBuffer);
    for (auto _ : state) {
        z_stream z{};
        inflateInit2(&z, kWindowBits);
        z.next_in = compressed.data();
        z.avail_in = static_cast<uInt>(compressed.size());
        int rc = Z_OK;
        size_t produced = 0;
        while (rc == Z_OK) {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            rc = inflate(&z, Z_NO_FLUSH);
            produced += out.size() - z.avail_out;
        }
        inflateEnd(&z);
        if (rc != Z_STREAM_END || produced != streamBytes) {
            state.SkipWithError("inflate does not give the stream back");
            break;
        }
    }
    reportMemory(state, streamBytes);
}

// One plain read of the extracted stream file, as the reader's page stream
// reads it after extraction.
void ReadExtracted(benchmark::State& state) {
    std::string error;
    if (!bench::prepareData(sizeOf(state), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::string path = bench::streamPath(sizeOf(state));
    std::vector<char> buffer(kReadBuffer);
    uint64_t total = 0;
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        total = 0;
        for (;;) {
            const ssize_t count = ::read(fd, buffer.data(), buffer.size());
            if (count <= 0) break;
            total += static_cast<uint64_t>(count);
        }
        ::close(fd);
    }
    reportMemory(state, total);
}

void pageSizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(100000)->Arg(1000000)->Arg(10000000);
    benchmark->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();
    // The least time is the one least disturbed by other work on the machine;
    // the largest peak is the process's high-water mark.
    benchmark->ComputeStatistics("min", [](const std::vector<double>& values) {
        return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
    });
    benchmark->ComputeStatistics("max", [](const std::vector<double>& values) {
        return values.empty() ? 0.0 : *std::max_element(values.begin(), values.end());
    });
}

BENCHMARK(Writer)->Apply(pageSizes);
BENCHMARK(Reader)->Apply(pageSizes);
BENCHMARK(Deflate)->Apply(pageSizes);
BENCHMARK(Inflate)->Apply(pageSizes);
BENCHMARK(ReadExtracted)->Apply(pageSizes);
BENCHMARK(HostGenerator)->Apply(pageSizes);
BENCHMARK(CoordinateConversion)->Apply(pageSizes);

}  // namespace

// `--prepare` makes the shared packages and streams and ends, `--prepare-pages`
// the packages of the page-count cases; otherwise the usual Google Benchmark
// command line.
int main(int argc, char** argv) {
    startupResidentMiB = bench::peakResidentMiB();
    if (argc == 2 && std::strcmp(argv[1], "--prepare-pages") == 0) {
        for (const uint64_t pages : bench::pageCounts()) {
            std::string error;
            if (!bench::preparePageCountData(pages, error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
        }
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--prepare") == 0) {
        for (const uint64_t points : {100000ull, 1000000ull, 10000000ull}) {
            std::string error;
            if (!bench::prepareData(points, error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
        }
        return 0;
    }
    bench::registerPageBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
