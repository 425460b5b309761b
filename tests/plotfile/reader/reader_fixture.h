// The fixture of the plot reader's tests: a temporary directory of its own, a
// current directory of its own (images for the host's loader are made there
// and must be gone at the end), and a loader that records what it was given.
#ifndef DWFPLOT_TESTS_PLOTFILE_READER_READER_FIXTURE_H
#define DWFPLOT_TESTS_PLOTFILE_READER_READER_FIXTURE_H

#include <memory>
#include <string>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "support/temp_dir_test.h"

namespace readertest {

// What the host's loader saw: the path it was given and the file's bytes.
struct Load {
    std::string path;
    std::string bytes;
};

using Codes = std::vector<Plt_Plot_Operation_T>;

class ReaderFixture : public testsupport::TempDirTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Records the call and returns a new IMAGE kept in `images_`.
    static IMAGE* loadImage(const char* path);
    static std::vector<Load>& loads();
    static std::vector<std::unique_ptr<IMAGE>>& images();

    // Opens `path` in a new reader (with `load`, or by the default
    // constructor with `keepLoader`) and checks the opening report.
    DWFPlotFileReader& openFile(const std::string& path, ImageLoadCallback load = loadImage, bool keepLoader = false);
    // The next codes, up to and including PLT_END_OF_PLOT.
    Codes rest(int calls = 60);

    std::unique_ptr<DWFPlotFileReader> reader_;
    std::string cwd_;

private:
    std::string saved_;
};

}  // namespace readertest

#endif  // DWFPLOT_TESTS_PLOTFILE_READER_READER_FIXTURE_H
