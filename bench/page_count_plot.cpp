#include "page_count_plot.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <vector>

#include "bench_data.h"
#include "dwfplot/DWFPlotFile.h"

namespace bench {
namespace {

// A4 landscape, in plot units (centimetres of paper).
constexpr double kPageWidth = 29.7;
constexpr double kPageHeight = 21.0;
constexpr int kPens = 4;
// The lines lie on a grid of 10 x 10 cells, one line per cell.
constexpr uint64_t kColumns = 10;

}  // namespace

PageTally writePageCountPlot(PlotFileWriter& writer, const std::string& path, uint64_t pages) {
    PageTally tally;
    std::vector<PenDetail> pens;
    for (int pen = 0; pen < kPens; ++pen) pens.emplace_back(pen * 60, 255 - pen * 60, 128, 0.25 + 0.1 * pen);
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, kPageWidth, kPageHeight, 1.0, 1.0, "M", 0, "ISO8859_1", "KESTRA", "7.2")) {
        return tally;
    }
    // Made once: the longest name is longer than a short string keeps inline.
    const std::array<std::string, 3> groups = {"0", "A-WALL", "M-HVAC-SUPP-DUCT"};
    const double cellWidth = kPageWidth / kColumns;
    const double cellHeight = kPageHeight / (kLinesPerPage / kColumns);
    for (uint64_t page = 0; page < pages; ++page) {
        writer.openPage({"1 \"A-WALL\" 1 0"});
        // Pages lean their lines a little differently, so that they are not all the same bytes.
        const double lean = 0.01 * static_cast<double>(page % 50);
        for (uint64_t line = 0; line < kLinesPerPage; ++line) {
            // A pen change every 25 lines, a group change every 10.
            if (line % 25 == 0) {
                writer.setPen(static_cast<int>((page + line / 25) % kPens));
                ++tally.pens;
            }
            const std::string& group = groups[(line / 10) % groups.size()];
            const double x = cellWidth * static_cast<double>(line % kColumns) + 0.1;
            const double y = cellHeight * static_cast<double>(line / kColumns) + 0.1;
            writer.addLine(x, y, kPenUp, group);
            writer.addLine(x + 0.8 * cellWidth, y + (0.3 + lean) * cellHeight, kPenDown, group);
            tally.linePoints += 2;
            ++tally.lines;
        }
        writer.closePage();
        ++tally.pages;
    }
    writer.closePlot();
    return tally;
}

std::string pageCountPackagePath(uint64_t pages) {
    return dataDirectory() + "/pages-" + std::to_string(pages) + ".dwf";
}

bool preparePageCountData(uint64_t pages, std::string& error) {
    ::mkdir(dataDirectory().c_str(), 0755);
    const std::string package = pageCountPackagePath(pages);
    struct stat info {};
    if (::stat(package.c_str(), &info) == 0 && info.st_size > 0) return true;
    // Written under another name first, so that an interrupted run leaves no package that looks whole.
    const std::string partial = package + ".part";
    {
        DWFPlotFileWriter writer;
        if (writePageCountPlot(writer, partial, pages).pages != pages) {
            error = "cannot write " + partial;
            return false;
        }
    }
    if (std::rename(partial.c_str(), package.c_str()) != 0) {
        error = "cannot rename " + partial;
        return false;
    }
    return true;
}

}  // namespace bench
