// The files the benchmarks share: for each page size a package written by
// the library and the W2D stream extracted from it. They are made once, in a
// process of their own (`dwfplot_benchmarks --prepare`), so that no case's
// peak memory includes making them.
#ifndef DWFPLOT_BENCH_BENCH_DATA_H
#define DWFPLOT_BENCH_BENCH_DATA_H

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// $DWFPLOT_BENCH_DATA, else "bench-data" in the working directory.
std::string dataDirectory();
std::string packagePath(uint64_t linePoints);
std::string streamPath(uint64_t linePoints);

// Writes the package and extracts its stream unless both are there already.
// False (with `error` set) when that fails.
bool prepareData(uint64_t linePoints, std::string& error);

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// The process's high-water mark of resident memory (getrusage ru_maxrss).
double peakResidentMiB();

}  // namespace bench

#endif  // DWFPLOT_BENCH_BENCH_DATA_H
