// Page streams whose counts, sizes and lengths claim far more than they hold, behind one good polyline: the reader
// reports the polyline, ends the page where the stream stops making sense, and allocates nothing of the claims.
#include <gtest/gtest.h>

#include "hostile_support.h"
#include "platform/debug_output.h"

namespace {

using hostile::HostileTest;
using testsupport::Bytes;

// A binary image opcode: format, 2 x 3 pixels, corners relative to (3000, 4000), and a data size that may claim
// more than the bytes that follow.
std::string image(uint16_t format, uint32_t claimedSize, const std::string& data, uint32_t opcodeSize = 0) {
    return Bytes().raw("{").u32(opcodeSize != 0 ? opcodeSize : static_cast<uint32_t>(data.size() + 31)).u16(format)
        .u16(2).u16(3).u32(0).u32(0).u32(0).u32(0).u32(7).u32(claimedSize).raw(data + "}").str();
}

std::string userData(uint32_t opcodeSize, uint32_t dataSize, const std::string& data) {
    return Bytes().raw("{").u32(opcodeSize).u16(354).raw("'Table'").u32(dataSize).raw(data).str();
}

class HostileStreamTest : public HostileTest {};

TEST_F(HostileStreamTest, EndsThePageAfterWhatWasSound) {
    const std::string three = "\x01\x02\x03";
    const std::string most("\0\xFF\xFF", 3);  // a zero count byte, then 256 + 0xFFFF
    // What follows the polyline, whether the stream still ends with its trailer, and what the diagnostics
    // channel is told of where the stream broke off.
    struct Case {
        const char* what;
        std::string hostile;
        bool trailer;
        std::string note = "dwfplot: byte ";
    };
    const Case cases[] = {
        // 65,791 points with 3 bytes left.
        {"polyline of most points", "p" + most + three, false,
         "opcode 0x70 'p': the stream ends 6 bytes into the operands"},
        {"and the trailer", "p" + most + three, true},
        {"short polyline of most points", "\x10" + most + three, false},
        {"contour set of most contours", "k" + most + three, false},
        {"contours of most points", "k\x02" + most + most + three, true},
        {"ASCII polyline of most points", "P 2147483647 1,2 3,4", true},
        // User data claiming 0xFFFFFFF0 bytes, in the opcode's size and in its data size.
        {"user data opcode size", userData(0xFFFFFFF0u, 4, three), false},
        {"user data data size", userData(24, 0xFFFFFFF0u, three + "}"), true},
        {"unknown opcode size", Bytes().raw("{").u32(0xFFFFFFF0u).u16(334).raw(three), false},
        // Images and text larger than their stream.
        {"JPEG", image(8, 0x7FFFFFF0u, std::string(16, 'j')), true},
        {"PNG", image(12, 0xFFFFFFF0u, std::string(16, 'p')), true},
        {"image opcode", image(8, 16, std::string(16, 'j'), 0xFFFFFFF0u), false},
        {"text", Bytes().raw("x" + std::string(8, '\0') + "{").u32(0xFFFFFFF0u).raw(three), true},
        {"unclosed quoted text", "(Text 0,0 '" + std::string(1 << 20, 'a'), false},
        // Ten megabytes of "(" and one of "{".
        {"opening parentheses", std::string(10 << 20, '('), false},
        {"opening parentheses and the trailer", std::string(10 << 20, '('), true},
        {"opening braces", std::string(1 << 20, '{'), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        hostile::W2dBytes stream = hostile::onePolyline();
        stream.raw(c.hostile);
        const std::string path = workDir() + "stream.dwf";
        testsupport::writeArchive(path, testsupport::onePagePackage(c.trailer ? stream.finished() : stream.bytes()));
        std::string notes;
        const auto previous = platform::setDebugSink([&notes](std::string_view note) { notes.append(note); });
        const hostile::PackageReplay r = testsupport::replayPackage(path);
        platform::setDebugSink(previous);
        EXPECT_NE(notes.find(c.note), std::string::npos) << notes;
        EXPECT_TRUE(r.readable) << r.message;
        EXPECT_TRUE(r.opened && r.ended);
        EXPECT_EQ(r.operations, hostile::kOnePolylinePlot);
    }
    expectBoundedMemory();
}

}  // namespace
