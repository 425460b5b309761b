// Page streams from a hostile producer, each behind one good polyline in an
// otherwise sound package: counts, sizes and lengths that claim far more than
// the stream holds, and ten megabytes of opening parentheses. The reader
// reports the polyline, ends the page where the stream stops making sense
// and reaches the end of the plot, without allocating what was claimed.
#include <gtest/gtest.h>

#include "hostile_support.h"

namespace {

using hostile::HostileTest;
using testsupport::Bytes;

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out.push_back(static_cast<char>(v));
    return out;
}

// A binary image opcode: format, 2 x 3 pixels, corners relative to (3000, 4000), and a data size that may claim
// more than the bytes that follow.
std::string image(uint16_t format, uint32_t claimedSize, const std::string& data, uint32_t opcodeSize = 0) {
    return Bytes().raw("{").u32(opcodeSize != 0 ? opcodeSize : static_cast<uint32_t>(data.size() + 31)).u16(format)
        .u16(2).u16(3).u32(0).u32(0).u32(0).u32(0).u32(7).u32(claimedSize).raw(data + "}").str();
}

std::string userData(uint32_t opcodeSize, uint32_t dataSize, const std::string& data) {
    return Bytes().raw("{").u32(opcodeSize).u16(354).raw("'Table'").u32(dataSize).raw(data).str();
}

struct StreamCase {
    const char* name;
    std::string hostile;  // follows the polyline
    bool trailer;         // the stream still ends with its trailer
};

void PrintTo(const StreamCase& c, std::ostream* out) { *out << c.name; }

class HostileStreamTest : public HostileTest, public ::testing::WithParamInterface<StreamCase> {};

TEST_P(HostileStreamTest, EndsThePageAfterWhatWasSound) {
    const StreamCase& c = GetParam();
    hostile::W2dBytes stream = hostile::onePolyline();
    stream.raw(c.hostile);
    const std::string path = workDir() + "stream.dwf";
    testsupport::writeArchive(path, testsupport::onePagePackage(c.trailer ? stream.finished() : stream.bytes()));
    const hostile::PackageReplay r = testsupport::replayPackage(path);
    EXPECT_TRUE(r.readable) << r.message;
    ASSERT_TRUE(r.opened);
    EXPECT_TRUE(r.ended);
    EXPECT_EQ(r.operations, hostile::kOnePolylinePlot);
    expectBoundedMemory();
}

const std::string threeBytes = bytes({1, 2, 3});

INSTANTIATE_TEST_SUITE_P(
    Claims, HostileStreamTest,
    ::testing::Values(
        // 65,791 points (a zero count byte, then 256 + 0xFFFF) with 3 bytes left.
        StreamCase{"PolylineOfMostPoints", "p" + bytes({0, 0xFF, 0xFF}) + threeBytes, false},
        StreamCase{"PolylineOfMostPointsBeforeTheTrailer", "p" + bytes({0, 0xFF, 0xFF}) + threeBytes, true},
        StreamCase{"ShortPolylineOfMostPoints", bytes({0x10, 0, 0xFF, 0xFF}) + threeBytes, false},
        StreamCase{"ContourSetOfMostContours", "k" + bytes({0, 0xFF, 0xFF}) + threeBytes, false},
        StreamCase{"ContoursOfMostPoints", "k" + bytes({2, 0, 0xFF, 0xFF, 0, 0xFF, 0xFF}) + threeBytes, true},
        StreamCase{"AsciiPolylineOfMostPoints", "P 2147483647 1,2 3,4", true},
        // User data claiming 0xFFFFFFF0 bytes, in the opcode's size and in its data size.
        StreamCase{"UserDataOpcodeSize", userData(0xFFFFFFF0u, 4, threeBytes), false},
        StreamCase{"UserDataDataSize", userData(24, 0xFFFFFFF0u, threeBytes + "}"), true},
        StreamCase{"UnknownOpcodeSize", "{" + bytes({0xF0, 0xFF, 0xFF, 0xFF, 0x4E, 0x01}) + threeBytes, false},
        // Images larger than their stream.
        StreamCase{"JpegLargerThanItsStream", image(8, 0x7FFFFFF0u, std::string(16, 'j')), true},
        StreamCase{"PngLargerThanItsStream", image(12, 0xFFFFFFF0u, std::string(16, 'p')), true},
        StreamCase{"ImageOpcodeLargerThanItsStream", image(8, 16, std::string(16, 'j'), 0xFFFFFFF0u), false},
        StreamCase{"TextLongerThanItsStream",
                   "x" + std::string(8, '\0') + "{" + bytes({0xF0, 0xFF, 0xFF, 0xFF}) + threeBytes, true},
        StreamCase{"UnclosedQuotedText", "(Text 0,0 '" + std::string(1 << 20, 'a'), false},
        // Ten megabytes of "(" and one of "{".
        StreamCase{"OpeningParentheses", std::string(10 << 20, '('), false},
        StreamCase{"OpeningParenthesesBeforeTheTrailer", std::string(10 << 20, '('), true},
        StreamCase{"OpeningBraces", std::string(1 << 20, '{'), true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
