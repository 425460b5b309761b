#include "memory_stream.h"

using namespace w2dtest;

namespace {

WT_Result::Enum read_string(const std::string& bytes, WT_String& read) { return read.read(*Opened(bytes)); }

TEST(W2dPrimitives, CountsUseOneByteUpTo255ThenZeroAndSixteenBits) {
    const std::pair<uint32_t, const char*> cases[] = {
        {1, "01"}, {255, "FF"}, {256, "000000"}, {257, "000100"}, {65791, "00FFFF"}};
    for (const auto& c : cases) {
        const std::string written = body_of(write_stream([&c](WT_Stream& s) { EXPECT_EQ(s.write_count(c.first), 0); }));
        EXPECT_EQ(hex(written), c.second) << c.first;
        uint32_t read = 0;
        EXPECT_EQ(Opened(written)->read_count(read), WT_Result::Success);
        EXPECT_EQ(read, c.first);
    }
    write_stream([](WT_Stream& s) {
        EXPECT_EQ(s.write_count(0), WT_Result::Internal_Error);
        EXPECT_EQ(s.write_count(65792), WT_Result::Internal_Error);
    });
}

TEST(W2dPrimitives, QuotedStringsQuoteOnlyWhatNeedsIt) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"plain", false, "plain"}, {"", false, "''"}, {"it's", false, "'it\\'s'"}, {"two words", false, "'two words'"},
        {"back\\slash", false, "'back\\\\slash'"}, {"\"lead", false, "'\"lead'"}, {"(paren", false, "'(paren'"},
        {"brace}", false, "'brace}'"}, {"tab\there", false, "'tab\there'"}, {"plain", true, "'plain'"},
        // A double quote anywhere would open a quoted string on reading.
        {"mid\"quote", false, "'mid\"quote'"}, {"end\"", false, "'end\"'"},
    };
    for (const auto& [text, force, form] : cases) {
        const std::string written =
            body_of(write_stream([t = text, f = force](WT_Stream& s) { EXPECT_EQ(s.write_quoted_string(t, f), 0); }));
        EXPECT_EQ(written, form);
        WT_String read;
        EXPECT_EQ(read_string(written + " ", read), WT_Result::Success) << form;
        EXPECT_EQ(read.ascii(), text);
    }
}

TEST(W2dPrimitives, Utf16StringsHaveBinaryAndHexadecimalForms) {
    const WT_String text(u"\u00e9t\u00e9");
    ASSERT_EQ(text.kind(), WT_String::UTF16);
    const std::string binary = body_of(write_stream(draw(text)));
    EXPECT_EQ(hex(binary), "7B03000000E9007400E9007D");
    EXPECT_EQ(write_stream(draw(text), ascii), Header + "\"00E9007400E9\"\r\n" + Trailer);
    for (const std::string& form : {binary, std::string("\"00E9007400E9\""), std::string("\"00e9007400e9\"")}) {
        WT_String read;
        EXPECT_EQ(read_string(form, read), WT_Result::Success);
        EXPECT_TRUE(read == text);
    }
    WT_String odd;
    EXPECT_EQ(read_string("\"00E\"", odd), WT_Result::Corrupt_Data);
    // A seven-bit UTF-16 text is kept as 8-bit text.
    EXPECT_EQ(WT_String(u"Arial").kind(), WT_String::Eight_Bit);
}

// One limit for writer and reader: at the limit a string comes back in every form; one more is not written.
TEST(W2dPrimitives, StringsUpToTheLimitRoundTripAndLongerOnesAreRefused) {
    const size_t limit = WT_String::Maximum_Length;
    for (const WT_String& text : {WT_String(std::string(limit, 'a')), WT_String(std::u16string(limit, u'\u00e9'))}) {
        for (const bool binary : {true, false}) {
            WT_String read;
            const std::string bytes = body_of(write_stream([&](WT_Stream& s) { written(text, s); }, data_form(binary)));
            EXPECT_EQ(read_string(bytes + " ", read), WT_Result::Success);
            EXPECT_TRUE(read == text) << binary;
            const WT_String longer =
                text.is_eight_bit() ? WT_String(text.ascii() + "a") : WT_String(text.unicode() + u"\u00e9");
            EXPECT_EQ(write_stream([&](WT_Stream& s) { EXPECT_EQ(longer.write(s), WT_Result::Write_Failed); },
                                   data_form(binary)),
                      write_stream({}, data_form(binary)));
        }
    }
}

TEST(W2dPrimitives, HexDataBreaksLinesEveryThirtyBytes) {
    std::string data(31, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 9);
    const std::string written =
        body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(s.write_hex(data.size(), data.data()), 0); }));
    EXPECT_EQ(written, "\r\n\t" + hex(data.substr(0, 30)) + "\r\n\t" + hex(data.substr(30)));
    std::string lower = written;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& form : {written, lower}) {
        std::string read(data.size(), '\0');
        EXPECT_EQ(Opened(form)->read_hex(read.size(), read.data()), WT_Result::Success);
        EXPECT_EQ(read, data);
    }
    uint8_t byte = 0;
    EXPECT_EQ(Opened("0G")->read_hex(1, &byte), WT_Result::Corrupt_Data);
}

TEST(W2dPrimitives, AsciiIntegersAndPoints) {
    const auto ok = WT_Result::Success;
    const std::tuple<const char*, WT_Result::Enum, int32_t> integers[] = {
        {" 12 ", ok, 12}, {"-  7,", ok, -7}, {"+5)", ok, 5}, {"x", WT_Result::Corrupt_Data, 0},
        {"- ", WT_Result::End_Of_File, 0}, {"4294967297 ", ok, 1}, {"-2147483648 ", ok, INT32_MIN}};
    for (const auto& [text, result, expected] : integers) {
        int32_t value = 0;
        EXPECT_EQ(Opened(text)->read_ascii(value), result) << text;
        EXPECT_EQ(value, expected) << text;
    }
    WT_Logical_Point p;
    EXPECT_EQ(Opened("12,-3 ")->read_ascii(p), WT_Result::Success);
    EXPECT_EQ(p, WT_Logical_Point(12, -3));
    EXPECT_EQ(Opened("12 ,3 ")->read_ascii(p), WT_Result::Corrupt_Data);
    uint32_t u = 0;
    EXPECT_EQ(Opened("-3 ")->read_ascii(u), WT_Result::Corrupt_Data);
}

TEST(W2dPrimitives, NewLinesIndentAndPointListsBreakEveryFourth) {
    const Points points = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, -4}, {5, 5}};
    EXPECT_EQ(body_of(write_stream([&](WT_Stream& s) {
                  s.set_indentation(2);
                  EXPECT_EQ(s.write_tab_level(1), 0);
                  EXPECT_EQ(s.write_ascii(points.size(), points.data()), 0);
              })),
              "\r\n   0,0 1,1 2,2 3,3\r\n         4,-4 5,5");
}

TEST(W2dPrimitives, RelativePointsWrapAndStopAtTheEndOfTheInput) {
    // The difference wraps around in 32 bits.
    const WT_Logical_Point far(2147483647, 1);
    EXPECT_EQ(hex(body_of(write_stream([&](WT_Stream& s) {
                  s.set_current_point({-2147483647 - 1, 0});
                  EXPECT_EQ(s.write_points_32r(1, &far), 0);
              }))),
              "FFFFFFFF01000000");
    // More points than the input holds: a read result, the points so far only.
    Points read;
    EXPECT_EQ(Opened(p16(10, 20) + p16(5, -5))->read_points_32r(1000000, read), WT_Result::End_Of_File);
    EXPECT_LE(read.size(), 1u);
}

}  // namespace
