#include "platform/unicode.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace {

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::u16string utf16;
};

class Utf8ToUtf16 : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToUtf16, DecodesOrReplaces) {
    EXPECT_EQ(platform::utf8ToUtf16(GetParam().utf8), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToUtf16,
    ::testing::Values(
        Utf8Case{"Ascii", "abc", u"abc"},
        Utf8Case{"TwoBytes", "\xC3\xA9", u"\u00E9"},
        Utf8Case{"ThreeBytes", "\xE2\x82\xAC", u"\u20AC"},
        Utf8Case{"FourBytesBecomeAPair", "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        Utf8Case{"StrayContinuation", "a\x80z", u"a\uFFFDz"},
        Utf8Case{"InvalidLead", "\xFF", u"\uFFFD"},
        Utf8Case{"TruncatedAtEnd", "a\xE2\x82", u"a\uFFFD"},
        Utf8Case{"TruncatedBeforeAscii", "\xE2\x82z", u"\uFFFDz"},
        Utf8Case{"Overlong", "\xC0\xAF", u"\uFFFD"},
        Utf8Case{"EncodedSurrogate", "\xED\xA0\x80", u"\uFFFD"},
        Utf8Case{"AboveUnicode", "\xF4\x90\x80\x80", u"\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16ToUtf8, LoneSurrogatesBecomeReplacement) {
    EXPECT_EQ(platform::utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(platform::utf16ToUtf8(u"\xDC00"), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::utf16ToUtf8(std::u16string(1, char16_t(0xD83D))), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
}

TEST(WideBoundary, SurrogatePairsAreCombinedAndSplit) {
    const std::wstring host = L"x\U0001F600y";
    const std::u16string inside = platform::wideToUtf16(host);
    EXPECT_EQ(inside, u"x\xD83D\xDE00y");
    EXPECT_EQ(platform::utf16ToWide(inside), host);
    // A lone surrogate cannot reach the host as half a character.
    EXPECT_EQ(platform::utf16ToWide(u"\xDE00"), L"\uFFFD");
    // Host values outside Unicode are replaced, not truncated.
    EXPECT_EQ(platform::wideToUtf16(std::wstring(1, static_cast<wchar_t>(0x110000))), u"\uFFFD");
    EXPECT_EQ(platform::wideToUtf16(std::wstring(1, static_cast<wchar_t>(-1))), u"\uFFFD");
}

struct CodesetCase {
    const char* name;
    const char* codeset;
    std::string narrow;
    std::u16string utf16;
};

class CodesetToUtf16 : public ::testing::TestWithParam<CodesetCase> {};

TEST_P(CodesetToUtf16, ConvertsWithoutFailing) {
    EXPECT_EQ(platform::codesetToUtf16(GetParam().narrow, GetParam().codeset), GetParam().utf16);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodesetToUtf16,
    ::testing::Values(
        CodesetCase{"Latin1", "ISO-8859-1", "caf\xE9", u"caf\u00E9"},
        CodesetCase{"Windows1252Euro", "CP1252", "\x80", u"\u20AC"},
        CodesetCase{"Utf8", "UTF-8", "\xE2\x82\xAC", u"\u20AC"},
        CodesetCase{"AsciiLocaleIsUtf8", "ANSI_X3.4-1968", "\xC3\xA9", u"\u00E9"},
        CodesetCase{"ShiftJis", "SHIFT_JIS", "\x82\xA0", u"\u3042"},
        CodesetCase{"ShiftJisBadByteReplaced", "SHIFT_JIS", "a\xFF" "b", u"a\uFFFDb"},
        CodesetCase{"Utf8BadByteReplaced", "UTF-8", "\xFF", u"\uFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf16ToCodeset, UnencodableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(platform::utf16ToCodeset(u"caf\u00E9", "ISO-8859-1"), "caf\xE9");
    EXPECT_EQ(platform::utf16ToCodeset(u"a\u20ACb", "ISO-8859-1"), "a?b");
    EXPECT_EQ(platform::utf16ToCodeset(u"a\xD800", "ISO-8859-1"), "a?");
    EXPECT_EQ(platform::utf16ToCodeset(u"\u20AC", "UTF-8"), "\xE2\x82\xAC");
}

TEST(ActiveCodePage, PlainProgramsGetUtf8) {
    // Without setlocale the process runs in the C locale, whose ASCII codeset
    // is taken as UTF-8.
    EXPECT_EQ(platform::activeCodeset(), "UTF-8");
    EXPECT_EQ(platform::activeCodePageToUtf16("\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(platform::utf16ToActiveCodePage(u"\u00E9"), "\xC3\xA9");
}

}  // namespace
