#include <gtest/gtest.h>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/text.h"
#include "w2d/user_data.h"

using testsupport::hex;
using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

const std::string Header = "(W2D V06.00)";
const std::string Trailer = "(EndOfDWF)";

std::string le32(uint32_t value) {
    return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
            static_cast<char>(value >> 24)};
}

struct Read_Log {
    std::vector<WT_Object::WT_ID> ids;
    std::vector<std::string> rewritten;  // each drawable written again
    WT_Result::Enum end = WT_Result::Success;
};

Read_Log read_log(const std::string& bytes, size_t perCall = SIZE_MAX) {
    Read_Log log;
    log.end = read_stream(
        bytes,
        [&log](WT_Stream& s) {
            WT_Object* object = s.current_object();
            log.ids.push_back(object->object_id());
            if (object->object_type() != WT_Object::Drawable) return;
            log.rewritten.push_back(write_stream([object](WT_Stream& out) {
                out.options().set_allow_drawable_merging(false);
                object->write(out);
            }));
        },
        perCall);
    return log;
}

TEST(W2dDrawableInput, ClaimsBeyondTheInputFailBeforeAllocating) {
    const struct {
        const char* name;
        std::string body;
        WT_Result::Enum result;
    } cases[] = {
        {"point count", std::string("p\x00\xFF\xFF", 4) + le32(1) + le32(2), WT_Result::End_Of_File},
        {"16-bit point count", std::string("\x10\x00\xFF\xFF\x01\x00", 6), WT_Result::End_Of_File},
        {"line", std::string("l\x01\x00", 3), WT_Result::End_Of_File},
        {"contour counts", std::string("\x0B\x00\xFF\xFF\x00\xFF\xFF", 7), WT_Result::End_Of_File},
        {"contour points", std::string("k\x02\x00\xFF\xFF\x00\xFF\xFF", 8) + le32(1), WT_Result::End_Of_File},
        {"image data",
         "{" + le32(0xFFFFFF00u + 31) + std::string("\x08\x00\x01\x00\x01\x00", 6) + std::string(20, '\0') +
             le32(0xFFFFFF00u) + "abc",
         WT_Result::End_Of_File},
        {"image data beyond its opcode",
         "{" + le32(41) + std::string("\x08\x00\x01\x00\x01\x00", 6) + std::string(20, '\0') + le32(0xFFFFFF00u),
         WT_Result::Corrupt_Data},
        {"image opcode too short for its fields", "{" + le32(3) + std::string("\x0C\x00}", 3), WT_Result::Corrupt_Data},
        {"image colour map", "{" + le32(300) + std::string("\x05\x00\x01\x00\x01\x00", 6) + std::string(21, '\0'),
         WT_Result::End_Of_File},
        {"ASCII image data", "(Image 'RGB' 1 1,1 0,0 1,1 (4000000000 AB", WT_Result::Corrupt_Data},
        {"ASCII image format", "(Image 'PNG' 1 1,1 0,0 1,1 (1 AB))", WT_Result::Unsupported_Format},
        {"ASCII image unknown format", "(Image 'TIFF' 1 1,1 0,0 1,1 (1 AB))", WT_Result::Unsupported_Format},
        {"image size 65536 columns", "(Image 'RGB' 1 65536,1 0,0 1,1 (1 AB))", WT_Result::Corrupt_Data},
        {"user data size", "{" + le32(16) + std::string("\x62\x01'Pen'", 7) + le32(0xFFFFFFF0u) + "ab}",
         WT_Result::Corrupt_Data},
        {"user data beyond the input", "{" + le32(0xFFFFFFFFu) + std::string("\x62\x01'Pen'", 7) + le32(0xFFFFFFF3u),
         WT_Result::End_Of_File},
        {"ASCII user data size", "(UserData 'x' 4000000000 AB)", WT_Result::Corrupt_Data},
        {"text string length", "x" + le32(0) + le32(0) + "{" + le32(1u << 20) + "ab", WT_Result::End_Of_File},
        {"text string over the limit", "x" + le32(0) + le32(0) + "{" + le32((1u << 20) + 1) + "ab",
         WT_Result::Corrupt_Data},
        {"text overscore count", "\x18" + le32(0) + le32(0) + std::string("'a'\x00\xFF\xFF\x01", 8), WT_Result::End_Of_File},
        {"ASCII overscore count", "(Text 0,0 'a' (Overscore (4000000000 1,2)))", WT_Result::Corrupt_Data},
        {"ASCII overscore position", "(Text 0,0 'a' (Overscore (1 70000)))", WT_Result::Corrupt_Data},
        {"ASCII point count", "P 4000000000 0,0", WT_Result::Corrupt_Data},
        {"ASCII points", "P 2000000000 0,0 1,1", WT_Result::Corrupt_Data},
        {"ASCII contour count", "(Contour 2000000000 3 3)", WT_Result::Corrupt_Data},
        {"ellipse angle", "(Ellipse 0,0 1,1 70000,0 0)", WT_Result::Corrupt_Data},
        {"ellipse end angle", "(Circle 0,0 1 0,65537)", WT_Result::Corrupt_Data},
    };
    for (const auto& c : cases) {
        for (const size_t perCall : {SIZE_MAX, size_t{1}}) {
            WT_Result::Enum end = read_log(Header + c.body + Trailer, perCall).end;
            // Input that ends inside an object waits for more data when
            // the handler delivers it piecemeal.
            if (end == WT_Result::Waiting_For_Data) end = WT_Result::End_Of_File;
            EXPECT_EQ(end, c.result) << c.name << " " << perCall;
        }
    }
}

// Every drawable kind, written by the stream in binary and ASCII parts.
std::string drawable_stream() {
    const auto body = [](WT_Stream& s) {
        WT_Polyline(std::vector<WT_Logical_Point>{{0, 0}, {10, 0}}).write(s);
        WT_Polyline(std::vector<WT_Logical_Point>{{10, 0}, {10, 10}, {70000, 5}}).write(s);
        WT_Polygon(std::vector<WT_Logical_Point>{{100000, 0}, {100010, 0}, {100010, 10}}).write(s);
        WT_Contour_Set(std::vector<int32_t>{3, 3}, {{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}}).write(s);
        WT_Filled_Ellipse({5, 6}, 7, 7).write(s);
        WT_Outline_Ellipse({5, 6}, 9, 7, 10, 300, 4).write(s);
        WT_Text text({3, 4}, WT_String("Hi"));
        text.set_bounds(WT_Text::WT_Bounds{{{3, 4}, {13, 4}, {13, 9}, {3, 9}}});
        text.set_underscore({1});
        text.write(s);
        WT_Image(1, 2, WT_Image::Mapped, 1, WT_Color_Map({{1, 2, 3, 4}, {5, 6, 7, 8}}), {0, 1}, {0, 0}, {2, 1}).write(s);
        WT_UserData(WT_String("Pen"), {1, 2, 3, 4}).write(s);
    };
    const std::string binary = write_stream(body);
    const std::string ascii = write_stream(body, [](WT_Stream& s) { s.options().set_allow_binary_data(false); });
    // The binary stream without its trailer, then the ASCII objects.
    return binary.substr(0, binary.size() - 12) + ascii.substr(Header.size());
}

TEST(W2dDrawableInput, OneBytePerCallReadsTheSameDrawablesAsAWholeRead) {
    const std::string bytes = drawable_stream();
    const Read_Log whole = read_log(bytes);
    EXPECT_EQ(whole.end, WT_Result::End_Of_Stream);
    EXPECT_EQ(whole.rewritten.size(), 16u);  // the first two polylines merge
    for (const size_t perCall : {size_t{1}, size_t{2}, size_t{7}}) {
        const Read_Log dripped = read_log(bytes, perCall);
        EXPECT_EQ(dripped.end, whole.end) << perCall;
        EXPECT_EQ(dripped.ids, whole.ids) << perCall;
        EXPECT_EQ(dripped.rewritten, whole.rewritten) << perCall;
    }
}

TEST(W2dDrawableInput, TruncatedAndMangledDrawablesEndInAResult) {
    const std::string bytes = drawable_stream();
    for (size_t length = 0; length + 2 < bytes.size(); ++length) {
        const Read_Log log = read_log(bytes.substr(0, length));
        EXPECT_NE(log.end, WT_Result::Success) << length;
        EXPECT_NE(log.end, WT_Result::End_Of_Stream) << length;
    }
    uint32_t seed = 4242;
    for (int round = 0; round < 2000; ++round) {
        const std::string mangled = w2dtest::mangled_copy(bytes, Header.size(), seed);
        const Read_Log log = read_log(mangled, round % 2 == 0 ? SIZE_MAX : 3);
        EXPECT_NE(log.end, WT_Result::Success);
    }
}

TEST(W2dDrawableInput, StreamsOfRandomDrawableTokensEndInAResult) {
    const std::vector<std::string> pieces = {
        "(", ")", "'", " ", ",", "-", "0", "7", "65535", "65536", "4294967295", "(Contour", "(Circle", "(Ellipse",
        "(Text", "(Overscore", "(Bounds", "(CharPos", "(Image", "(Group4PNGImage", "(UserData", "'JPEG'", "'mapped'",
        "P", "p", "L", "l", "R", "r", "E", "e", "O", "F", "f", "x", "k", std::string("\x0B\x0C\x10\x12\x18\x92", 6),
        std::string("\x00\xFF\xFF", 3), std::string("\xFF\xFF\xFF\xFF", 4), std::string("\x01\x00\x00\x00", 4),
        "{" + le32(31) + std::string("\x08\x00", 2), "{" + le32(0xFFFFFFFFu) + std::string("\x0C\x00", 2),
        "{" + le32(16) + std::string("\x62\x01", 2), "{" + le32(36) + std::string("\x02\x00", 2)};
    uint32_t seed = 99;
    const auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = Header;
        const uint32_t count = next() % 24;
        for (uint32_t i = 0; i < count; ++i) bytes += pieces[next() % pieces.size()];
        const Read_Log log = read_log(bytes, round % 3 == 0 ? 1 : SIZE_MAX);
        EXPECT_NE(log.end, WT_Result::Success) << hex(bytes);
    }
}

}  // namespace
