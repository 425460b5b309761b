// The writer on a disk that fills up: for every size limit up to that of a
// small plot's package, file writes past the limit fail (RLIMIT_FSIZE, with
// SIGXFSZ ignored, so a write gets EFBIG instead of killing the process).
// Whatever the limit, the host learns of the failure (openPlot false or
// WriteFailed thrown by closePlot), no temporary file stays, and the package
// file is either absent or complete and readable.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "dwfplot/DwfResult.h"
#include "hostile_support.h"

namespace {

using hostile::HostileTest;

// Caps the size of files this process writes while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool ok() const { return ok_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int);
    bool ok_ = false;
};

struct Outcome {
    bool opened = false;
    bool threw = false;
    int32_t code = 0;
};

class FullDiskTest : public HostileTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        HostileTest::SetUp();
        path_ = workDir() + "plot.dwf";
        ASSERT_TRUE(hostile::drawSmallPlot(path_, closePlot()));
        packageSize_ = std::filesystem::file_size(path_);
        reference_ = testsupport::replayPackage(path_);
        ASSERT_TRUE(reference_.opened && reference_.ended);
        std::filesystem::remove(path_);
    }

    bool closePlot() const { return GetParam(); }

    Outcome drawWithin(rlim_t limit) {
        Outcome outcome;
        FileSizeLimit cap(limit);
        EXPECT_TRUE(cap.ok());
        try {
            outcome.opened = hostile::drawSmallPlot(path_, closePlot());
        } catch (DWF::DwfResult::Enum code) {
            outcome.threw = true;
            outcome.code = code;
        }
        return outcome;
    }

    // True when the plot was written whole.
    bool check(rlim_t limit) {
        const Outcome outcome = drawWithin(limit);
        const std::string what = "limit " + std::to_string(limit);
        EXPECT_TRUE(testsupport::listTree(tempDir()).empty()) << what;
        EXPECT_TRUE(testsupport::listTree(runDir()).empty()) << what;
        const bool written = std::filesystem::exists(path_);
        if (written) {
            EXPECT_TRUE(outcome.opened && !outcome.threw) << what;
            const hostile::PackageReplay r = testsupport::replayPackage(path_);
            EXPECT_TRUE(r.readable && r.opened) << what;
            EXPECT_EQ(r.plot, reference_.plot) << what;
            EXPECT_EQ(r.operations, reference_.operations) << what;
            std::filesystem::remove(path_);
        } else if (closePlot()) {
            // The host is told: openPlot refused, or closePlot threw.
            EXPECT_TRUE(!outcome.opened || (outcome.threw && outcome.code == DWF::DwfResult::WriteFailed))
                << what << ": opened " << outcome.opened << " threw " << outcome.code;
        }
        return written;
    }

    std::string path_;
    uintmax_t packageSize_ = 0;
    hostile::PackageReplay reference_;
};

TEST_P(FullDiskTest, LeavesNoHalfWrittenFile) {
    for (rlim_t limit = 0; limit <= packageSize_; ++limit) {
        check(limit);
        if (HasFailure()) return;
    }
    // The page streams may need a little more room than the package does.
    rlim_t limit = packageSize_;
    while (!check(limit) && !HasFailure()) limit += 512;
    EXPECT_LT(limit, packageSize_ * 4);
    expectBoundedMemory();
}

INSTANTIATE_TEST_SUITE_P(Host, FullDiskTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "ClosingThePlot" : "DestroyingTheWriter"; });

}  // namespace
