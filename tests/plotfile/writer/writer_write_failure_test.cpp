// A plot whose files cannot all be written is not left behind half-written:
// closePlot removes the package and throws WriteFailed, destruction removes
// it silently, and a second openPlot reports the first plot's failure.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "support/temp_dir_test.h"
#include "w2d/string.h"

namespace {

// Files of this process cannot grow past `bytes` while it lives (writes get
// EFBIG; SIGXFSZ is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    void (*handler_)(int);
    rlimit saved_{};
};

void drawPage(DWFPlotFileWriter& writer) {
    writer.openPage({});
    for (int i = 0; i < 200; ++i) writer.addLine(i, i % 7, i % 2 == 0 ? 3 : 2, "g" + std::to_string(i));
    writer.closePage();
}

class WriterWriteFailure : public testsupport::TempDirTest {
protected:
    bool open(DWFPlotFileWriter& writer, const std::string& path) {
        return writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Test", "1");
    }
};

struct Ending {
    const char* name;
    // Ends the plot; true when the host was told of the failure.
    std::function<bool(DWFPlotFileWriter&, const std::string& next)> end;
};

TEST_F(WriterWriteFailure, AFailedWriteRemovesThePackage) {
    const std::vector<Ending> endings = {
        {"closePlot",
         [](DWFPlotFileWriter& w, const std::string&) {
             try {
                 w.closePlot();
             } catch (DWF::DwfResult::Enum code) {
                 return code == DWF::DwfResult::WriteFailed;
             }
             return false;
         }},
        {"openPlot of the next plot",
         [this](DWFPlotFileWriter& w, const std::string& next) { return !open(w, next); }},
        {"destruction", [](DWFPlotFileWriter&, const std::string&) { return true; }},
    };
    for (const Ending& ending : endings) {
        const std::string path = workDir() + "full.dwf";
        const std::string next = workDir() + "next.dwf";
        {
            DWFPlotFileWriter writer;
            bool told = false;
            {
                // Room for the package's header, not for the pages.
                FileSizeLimit limit(100);
                ASSERT_TRUE(open(writer, path)) << ending.name;
                drawPage(writer);
                drawPage(writer);
                told = ending.end(writer, next);
            }
            EXPECT_TRUE(told) << ending.name;
        }
        EXPECT_FALSE(std::filesystem::exists(path)) << ending.name;
        EXPECT_FALSE(std::filesystem::exists(next)) << ending.name;
    }
}

// Without a temporary directory the pages have no stream: the package would
// hold pages without graphics, which no reader can replay.
TEST_F(WriterWriteFailure, APageWithoutItsStreamFailsThePlot) {
    const std::string path = workDir() + "nostream.dwf";
    DWFPlotFileWriter writer;
    ASSERT_TRUE(open(writer, path));
    const std::string missing = workDir() + "missing/";
    ::setenv("TMPDIR", missing.c_str(), 1);
    drawPage(writer);
    ::setenv("TMPDIR", tempDir().c_str(), 1);
    EXPECT_THROW(writer.closePlot(), DWF::DwfResult::Enum);
    EXPECT_FALSE(std::filesystem::exists(path));

    // The writer is ready for the next plot, which succeeds.
    ASSERT_TRUE(open(writer, path));
    drawPage(writer);
    EXPECT_NO_THROW(writer.closePlot());
    EXPECT_TRUE(std::filesystem::exists(path));
}

// A string the page stream cannot carry would end the page on reading: the
// plot fails instead of being reported as written.
TEST_F(WriterWriteFailure, ATextLineBeyondTheStringLimitFailsThePlot) {
    const std::string path = workDir() + "long.dwf";
    const std::wstring line(WT_String::Maximum_Length + 1, L'x');
    DWFPlotFileWriter writer;
    ASSERT_TRUE(open(writer, path));
    writer.openPage({});
    writer.addText(0, 0, PlotFont(), 0, line.c_str(), 1, 1, 10, 2, 0.25, "g");
    writer.closePage();
    try {
        writer.closePlot();
        ADD_FAILURE() << "closePlot reported success";
    } catch (DWF::DwfResult::Enum code) {
        EXPECT_EQ(code, DWF::DwfResult::WriteFailed);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
