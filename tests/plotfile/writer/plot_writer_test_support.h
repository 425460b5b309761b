// Helpers for the plot writer's tests: the entries of a written package
// through our ZIP reader, the page streams decoded object by object through
// our W2D reader, and a check with a ZIP tool we did not write.
#ifndef DWFPLOT_TESTS_PLOTFILE_WRITER_PLOT_WRITER_TEST_SUPPORT_H
#define DWFPLOT_TESTS_PLOTFILE_WRITER_PLOT_WRITER_TEST_SUPPORT_H

#include <string>
#include <vector>

namespace plotwritertest {

struct Entry {
    std::string name;
    std::string content;
};

// Every entry of the package in directory order, with its content.
std::vector<Entry> readPackage(const std::string& path);

// The content of the page streams (the ".w2d" entries), in page order.
std::vector<std::string> pageStreams(const std::string& path);

// One line per object of a W2D stream, header and trailer left out, for
// example "Color 0,128,255,255" or "UserData Group 'Roads'". The last line
// names the result that ended the reading unless it was End_Of_Stream.
std::vector<std::string> decode(const std::string& stream);

// True when `unzip -t` accepts the package.
bool unzipAccepts(const std::string& path);

}  // namespace plotwritertest

#endif  // DWFPLOT_TESTS_PLOTFILE_WRITER_PLOT_WRITER_TEST_SUPPORT_H

#include <functional>

#include "dwfplot/DWFPlotFile.h"
#include "support/temp_dir_test.h"

namespace plotwritertest {

// Writes one-page plots into workDir() and checks each with unzip.
class PlotWriterTest : public testsupport::TempDirTest {
protected:
    // Three pens: black 0.25 mm, red 0.35 mm, blue 0.5 mm.
    static std::vector<PenDetail> threePens() {
        return {{0, 0, 0, 0.25}, {255, 0, 0, 0.35}, {0, 0, 255, 0.5}};
    }

    // The decoded objects of a one-page plot drawn by `draw`, without the
    // page's clip viewport in front.
    std::vector<std::string> drawPage(const std::function<void(DWFPlotFileWriter&)>& draw,
                                      ImageEncodeCallback encode = nullptr,
                                      ImageReleaseCallback release = nullptr);

    std::string newPath() { return workDir() + "plot" + std::to_string(++plots_) + ".dwf"; }

private:
    int plots_ = 0;
};

}  // namespace plotwritertest
