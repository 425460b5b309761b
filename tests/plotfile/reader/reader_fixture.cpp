#include "reader_fixture.h"

#include <sys/stat.h>
#include <unistd.h>

namespace readertest {

std::vector<Load>& ReaderFixture::loads() {
    static std::vector<Load> seen;
    return seen;
}

std::vector<std::unique_ptr<IMAGE>>& ReaderFixture::images() {
    static std::vector<std::unique_ptr<IMAGE>> made;
    return made;
}

IMAGE* ReaderFixture::loadImage(const char* path) {
    loads().push_back({path, testsupport::readFile(path)});
    images().push_back(std::make_unique<IMAGE>());
    return images().back().get();
}

void ReaderFixture::SetUp() {
    TempDirTest::SetUp();
    loads().clear();
    images().clear();
    cwd_ = workDir() + "cwd/";
    ASSERT_EQ(::mkdir(cwd_.c_str(), 0700), 0);
    char saved[4096];
    ASSERT_NE(::getcwd(saved, sizeof saved), nullptr);
    saved_ = saved;
    ASSERT_EQ(::chdir(cwd_.c_str()), 0);
}

void ReaderFixture::TearDown() {
    reader_.reset();
    EXPECT_EQ(::chdir(saved_.c_str()), 0);
    EXPECT_TRUE(testsupport::listTree(cwd_).empty()) << "image files left in the current directory";
    TempDirTest::TearDown();
}

DWFPlotFileReader& ReaderFixture::openFile(const std::string& path, ImageLoadCallback load, bool keepLoader) {
    reader_.reset();
    reader_ = keepLoader ? std::make_unique<DWFPlotFileReader>() : std::make_unique<DWFPlotFileReader>(load);
    EXPECT_TRUE(reader_->openPlot(path));
    EXPECT_EQ(reader_->getOperation(), PLT_PLOT_OPENED);
    return *reader_;
}

Codes ReaderFixture::rest(int calls) {
    Codes codes;
    for (int i = 0; i < calls; ++i) {
        codes.push_back(reader_->getOperation());
        if (codes.back() == PLT_END_OF_PLOT) break;
    }
    return codes;
}

}  // namespace readertest
