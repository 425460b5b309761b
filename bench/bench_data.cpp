#include "bench_data.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "dwfplot/DWFPlotFile.h"
#include "host_plot.h"

namespace bench {
namespace {

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

bool copyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    return in && out.good();
}

}  // namespace

std::string dataDirectory() {
    const char* configured = std::getenv("DWFPLOT_BENCH_DATA");
    return configured != nullptr && *configured != '\0' ? configured : "bench-data";
}

std::string packagePath(uint64_t linePoints) {
    return dataDirectory() + "/plot-" + std::to_string(linePoints) + ".dwf";
}

std::string streamPath(uint64_t linePoints) {
    return dataDirectory() + "/plot-" + std::to_string(linePoints) + ".w2d";
}

bool prepareData(uint64_t linePoints, std::string& error) {
    ::mkdir(dataDirectory().c_str(), 0755);
    const std::string package = packagePath(linePoints);
    const std::string stream = streamPath(linePoints);
    if (exists(package) && exists(stream)) return true;
    {
        DWFPlotFileWriter writer;
        if (writeHostPlot(writer, package, linePoints).linePoints != linePoints) {
            error = "cannot write " + package;
            return false;
        }
    }
    DWFPlotFileReader reader;
    std::vector<std::string> pages;
    if (!reader.openPlot(package)) {
        error = "cannot open " + package;
        return false;
    }
    reader.getPages(pages);
    if (pages.size() != 1 || !copyFile(pages[0], stream)) {
        error = "cannot extract the page stream of " + package;
        return false;
    }
    return true;
}

bool readWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    bytes.resize(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return in.good() && !bytes.empty();
}

double peakResidentMiB() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
}

}  // namespace bench
