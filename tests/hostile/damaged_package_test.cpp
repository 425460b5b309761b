// A small package cut short at every length, or with single bits flipped in its records: each read ends in a
// refusal or in the intact plot, with the end of the plot reached and nothing left behind.
#include <gtest/gtest.h>

#include "hostile_support.h"

namespace {

using hostile::HostileTest;
using hostile::PackageReplay;

class DamagedPackageTest : public HostileTest {
protected:
    void SetUp() override {
        HostileTest::SetUp();
        const std::string path = workDir() + "intact.dwf";
        ASSERT_TRUE(testsupport::writeSamplePlot(path));
        intact_ = testsupport::readFile(path);
        reference_ = testsupport::replayPackage(path);
        ASSERT_TRUE(reference_.readable) << reference_.message;
        ASSERT_TRUE(reference_.opened && reference_.ended);
        damaged_ = workDir() + "damaged.dwf";
    }

    PackageReplay replayDamaged(const std::string& bytes) {
        testsupport::writeFile(damaged_, bytes);
        return testsupport::replayPackage(damaged_);
    }

    // A refusal is clean when openPlot says no and the reader then only reports the end of the plot. canRead looks at
    // the manifest alone, so damage elsewhere may pass it; when it refuses, it names a host error.
    static void expectRefusal(const PackageReplay& r, const std::string& what) {
        if (r.readable) {
            EXPECT_EQ(r.message, "untouched") << what;
        } else {
            EXPECT_TRUE(testsupport::isHostErrorName(r.message)) << what << ": " << r.message;
        }
        EXPECT_FALSE(r.opened) << what;
        EXPECT_TRUE(r.ended && r.operations.empty()) << what;
    }

    std::string intact_;
    PackageReplay reference_;
    std::string damaged_;
};

// The end record is the last thing in the file: any cut loses it, and without it no cut is an archive, whatever
// its header says.
TEST_F(DamagedPackageTest, EveryTruncationIsRefused) {
    for (size_t length = 0; length < intact_.size(); ++length) {
        const PackageReplay r = replayDamaged(intact_.substr(0, length));
        EXPECT_EQ(r.readable ? "readable" : r.message, "PLT_FILE_OPEN_ERROR") << "cut at " << length;
        expectRefusal(r, "cut at " + std::to_string(length));
        if (HasFailure()) break;
    }
    expectBoundedMemory();
}

// A flipped bit either leaves a field nobody checks (the plot reads as it was) or is found: the data is covered by its
// CRC, every header field that places or sizes it by the directory checks. Every bit of the fixed fields is flipped,
// one bit per byte (in turn) of the names.
TEST_F(DamagedPackageTest, EveryBitFlipInTheRecordsIsRefusedOrHarmless) {
    std::vector<testsupport::ZipRecord> records = testsupport::zipRecords(intact_);
    ASSERT_EQ(records.size(), 11u);  // five local and five central headers, the end record
    records.push_back({0, 12, 0});   // the DWF header
    size_t refused = 0, intact = 0, runs = 0;
    for (const testsupport::ZipRecord& record : records) {
        for (size_t at = record.start; at < record.start + record.fixedLength + record.nameLength; ++at) {
            const bool fixed = at < record.start + record.fixedLength;
            const int first = fixed ? 0 : static_cast<int>(at % 8);
            for (int bit = first; bit < (fixed ? 8 : first + 1); ++bit) {
                std::string bytes = intact_;
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
                const PackageReplay r = replayDamaged(bytes);
                const std::string what = "bit " + std::to_string(bit) + " of byte " + std::to_string(at);
                ++runs;
                ASSERT_TRUE(r.ended) << what;
                if (!r.opened) {
                    expectRefusal(r, what);
                    ++refused;
                } else {
                    EXPECT_EQ(r.plot, reference_.plot) << what;
                    EXPECT_EQ(r.operations, reference_.operations) << what;
                    ++intact;
                }
                if (HasFailure()) return;
            }
        }
    }
    // Both outcomes occur: signatures and sizes are checked, times are not.
    EXPECT_GT(refused, runs / 4);
    EXPECT_GT(intact, runs / 10);
    expectBoundedMemory();
}

}  // namespace
