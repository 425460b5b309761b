#include <gtest/gtest.h>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/string.h"

using testsupport::hex;
using w2dtest::body_of;
using w2dtest::Memory;
using w2dtest::write_stream;

namespace {

// A stream opened for reading `bytes` with the read helpers called directly.
class Reader {
public:
    explicit Reader(std::string bytes) : m_memory{std::move(bytes)} {
        w2dtest::use_memory(m_stream, m_memory);
        m_stream.set_file_mode(WT_Stream::File_Read);
        m_stream.open();
    }
    WT_Stream& operator*() { return m_stream; }
    WT_Stream* operator->() { return &m_stream; }

private:
    Memory m_memory;
    WT_Stream m_stream;
};

TEST(W2dPrimitives, CountsUseOneByteUpTo255ThenZeroAndSixteenBits) {
    const struct {
        uint32_t count;
        const char* bytes;
    } cases[] = {{1, "01"}, {255, "FF"}, {256, "000000"}, {257, "000100"}, {65791, "00FFFF"}};
    for (const auto& c : cases) {
        const std::string written = body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(s.write_count(c.count), 0); }));
        EXPECT_EQ(hex(written), c.bytes) << c.count;
        Reader reader(written);
        uint32_t read = 0;
        EXPECT_EQ(reader->read_count(read), WT_Result::Success);
        EXPECT_EQ(read, c.count);
    }
    write_stream([](WT_Stream& s) {
        EXPECT_EQ(s.write_count(0), WT_Result::Internal_Error);
        EXPECT_EQ(s.write_count(65792), WT_Result::Internal_Error);
    });
}

TEST(W2dPrimitives, QuotedStringsQuoteOnlyWhatNeedsIt) {
    const struct {
        const char* text;
        bool force;
        const char* written;
    } cases[] = {
        {"plain", false, "plain"},         {"", false, "''"},
        {"it's", false, "'it\\'s'"},       {"two words", false, "'two words'"},
        {"back\\slash", false, "'back\\\\slash'"}, {"\"lead", false, "'\"lead'"},
        {"(paren", false, "'(paren'"},     {"brace}", false, "'brace}'"},
        {"tab\there", false, "'tab\there'"}, {"plain", true, "'plain'"},
        // A double quote anywhere would open a quoted part on reading.
        {"mid\"quote", false, "'mid\"quote'"}, {"end\"", false, "'end\"'"},
    };
    for (const auto& c : cases) {
        const std::string written =
            body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(s.write_quoted_string(c.text, c.force), 0); }));
        EXPECT_EQ(written, c.written);
        Reader reader(written + " ");
        WT_String read;
        EXPECT_EQ(read.read(*reader), WT_Result::Success) << c.written;
        EXPECT_EQ(read.ascii(), c.text);
    }
}

TEST(W2dPrimitives, Utf16StringsHaveBinaryAndHexadecimalForms) {
    const WT_String text(u"\u00e9t\u00e9");
    ASSERT_EQ(text.kind(), WT_String::UTF16);
    const std::string binary = body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(text.write(s), 0); }));
    EXPECT_EQ(hex(binary), "7B03000000E9007400E9007D");
    const std::string ascii = write_stream([&](WT_Stream& s) { EXPECT_EQ(text.write(s), 0); },
                                           [](WT_Stream& s) { s.options().set_allow_binary_data(false); });
    EXPECT_EQ(ascii, "(W2D V06.00)\"00E9007400E9\"\r\n(EndOfDWF)\r\n");
    for (const std::string& form : {binary, std::string("\"00E9007400E9\""), std::string("\"00e9007400e9\"")}) {
        Reader reader(form);
        WT_String read;
        EXPECT_EQ(read.read(*reader), WT_Result::Success);
        EXPECT_TRUE(read == text);
    }
    Reader odd("\"00E\"");
    WT_String read;
    EXPECT_EQ(read.read(*odd), WT_Result::Corrupt_Data);
    // A seven-bit UTF-16 text is kept as 8-bit text.
    EXPECT_EQ(WT_String(u"Arial").kind(), WT_String::Eight_Bit);
}

// One limit for writer and reader: a string at the limit comes back in every
// form, one character more is refused before anything is written.
TEST(W2dPrimitives, StringsUpToTheLimitRoundTripAndLongerOnesAreRefused) {
    const size_t limit = WT_String::Maximum_Length;
    const WT_String strings[] = {WT_String(std::string(limit, 'a')), WT_String(std::u16string(limit, u'\u00e9'))};
    for (const WT_String& text : strings) {
        for (const bool binary : {true, false}) {
            const auto form = [binary](WT_Stream& s) { s.options().set_allow_binary_data(binary); };
            const std::string written = body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(text.write(s), 0); }, form));
            Reader reader(written + " ");
            WT_String read;
            EXPECT_EQ(read.read(*reader), WT_Result::Success) << binary;
            EXPECT_TRUE(read == text) << binary;

            const WT_String longer = text.is_eight_bit() ? WT_String(text.ascii() + "a")
                                                         : WT_String(text.unicode() + u"\u00e9");
            const std::string refused =
                write_stream([&](WT_Stream& s) { EXPECT_EQ(longer.write(s), WT_Result::Write_Failed); }, form);
            EXPECT_EQ(refused, write_stream([](WT_Stream&) {}, form));
        }
    }
}

TEST(W2dPrimitives, HexDataBreaksLinesEveryThirtyBytes) {
    std::string data(31, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 9);
    const std::string written = body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(s.write_hex(data.size(), data.data()), 0); }));
    std::string expected = "\r\n\t";
    for (size_t i = 0; i < 30; ++i) expected += hex(data.substr(i, 1));
    expected += "\r\n\t" + hex(data.substr(30, 1));
    EXPECT_EQ(written, expected);
    std::string lower = written;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& form : {written, lower}) {
        Reader reader(form);
        std::string read(data.size(), '\0');
        EXPECT_EQ(reader->read_hex(read.size(), read.data()), WT_Result::Success);
        EXPECT_EQ(read, data);
    }
    Reader bad("0G");
    uint8_t byte = 0;
    EXPECT_EQ(bad->read_hex(1, &byte), WT_Result::Corrupt_Data);
}

TEST(W2dPrimitives, AsciiIntegersAndPoints) {
    const struct {
        const char* text;
        WT_Result::Enum result;
        int32_t value;
    } integers[] = {{" 12 ", WT_Result::Success, 12},        {"-  7,", WT_Result::Success, -7},
                    {"+5)", WT_Result::Success, 5},          {"x", WT_Result::Corrupt_Data, 0},
                    {"- ", WT_Result::End_Of_File, 0},        {"4294967297 ", WT_Result::Success, 1},
                    {"-2147483648 ", WT_Result::Success, INT32_MIN}};
    for (const auto& c : integers) {
        Reader reader(c.text);
        int32_t value = 0;
        EXPECT_EQ(reader->read_ascii(value), c.result) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    Reader point("12,-3 ");
    WT_Logical_Point p;
    EXPECT_EQ(point->read_ascii(p), WT_Result::Success);
    EXPECT_EQ(p, WT_Logical_Point(12, -3));
    Reader spaced("12 ,3 ");
    EXPECT_EQ(spaced->read_ascii(p), WT_Result::Corrupt_Data);
    Reader unsignedSign("-3 ");
    uint32_t u = 0;
    EXPECT_EQ(unsignedSign->read_ascii(u), WT_Result::Corrupt_Data);
}

TEST(W2dPrimitives, NewLinesIndentAndPointListsBreakEveryFourth) {
    const std::vector<WT_Logical_Point> points = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, -4}, {5, 5}};
    const std::string written = body_of(write_stream([&](WT_Stream& s) {
        s.set_indentation(2);
        EXPECT_EQ(s.write_tab_level(1), 0);
        EXPECT_EQ(s.write_ascii(points.size(), points.data()), 0);
    }));
    EXPECT_EQ(written, "\r\n   0,0 1,1 2,2 3,3\r\n         4,-4 5,5");
}

TEST(W2dPrimitives, RelativePointsFollowTheCurrentPoint) {
    const std::vector<WT_Logical_Point> points = {{10, 20}, {5, -5}};
    const std::string p16 = body_of(write_stream([&](WT_Stream& s) {
        EXPECT_EQ(s.write_points_16r(points.size(), points.data()), 0);
        EXPECT_EQ(s.current_point(), points.back());
    }));
    EXPECT_EQ(hex(p16), "0A001400FBFFE7FF");
    const std::string p32 = body_of(write_stream([&](WT_Stream& s) {
        s.set_current_point({-2147483647 - 1, 0});
        const WT_Logical_Point far(2147483647, 1);
        EXPECT_EQ(s.write_points_32r(1, &far), 0);
    }));
    // The difference wraps around in 32 bits.
    EXPECT_EQ(hex(p32), "FFFFFFFF01000000");
    Reader reader(p16);
    std::vector<WT_Logical_Point> read;
    EXPECT_EQ(reader->read_points_16r(2, read), WT_Result::Success);
    EXPECT_EQ(read, points);
    // More points than the input holds: a read result, the points so far only.
    Reader short_input(p16);
    EXPECT_EQ(short_input->read_points_32r(1000000, read), WT_Result::End_Of_File);
    EXPECT_LE(read.size(), 1u);
}

}  // namespace
