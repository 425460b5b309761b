// The writer on a disk that fills up at every size up to that of a small plot's package (RLIMIT_FSIZE, SIGXFSZ
// ignored so that a write gets EFBIG): the host learns of the failure, no temporary file stays, and the package
// is either absent or complete and readable.
#include <gtest/gtest.h>

#include <filesystem>

#include "dwfplot/DwfResult.h"
#include "hostile_support.h"
#include "support/file_size_limit.h"
#include "support/thrown_by.h"

namespace {

using hostile::HostileTest;

class FullDiskTest : public HostileTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        HostileTest::SetUp();
        path_ = workDir() + "plot.dwf";
        ASSERT_TRUE(testsupport::writeSamplePlot(path_, 0, closePlot()));
        packageSize_ = std::filesystem::file_size(path_);
        reference_ = testsupport::replayPackage(path_);
        ASSERT_TRUE(reference_.opened && reference_.ended);
        std::filesystem::remove(path_);
    }

    bool closePlot() const { return GetParam(); }

    // True when the plot was written whole.
    bool check(rlim_t limit) {
        bool opened = false;
        const auto thrown = testsupport::thrownBy([&] {
            const testsupport::FileSizeLimit limited(limit);
            opened = testsupport::writeSamplePlot(path_, 0, closePlot());
        });
        const std::string what = "limit " + std::to_string(limit);
        EXPECT_TRUE(testsupport::listTree(tempDir()).empty()) << what;
        EXPECT_TRUE(testsupport::listTree(runDir()).empty()) << what;
        const bool written = std::filesystem::exists(path_);
        if (written) {
            EXPECT_TRUE(opened && thrown == DWF::DwfResult::Success) << what;
            const hostile::PackageReplay r = testsupport::replayPackage(path_);
            EXPECT_TRUE(r.readable && r.opened) << what;
            EXPECT_EQ(r.plot, reference_.plot) << what;
            EXPECT_EQ(r.operations, reference_.operations) << what;
            std::filesystem::remove(path_);
        } else if (closePlot()) {
            // The host is told: openPlot refused, or closePlot threw.
            EXPECT_TRUE(!opened || thrown == DWF::DwfResult::WriteFailed)
                << what << ": opened " << opened << " threw " << thrown;
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
