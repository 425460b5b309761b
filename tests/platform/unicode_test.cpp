#include "platform/unicode.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/code_page.h"
#include "support/temp_dir_test.h"

namespace {

TEST(Unicode, Utf8DecodesOrReplacesEachBadSequence) {
    const std::pair<std::string, std::u16string> cases[] = {
        {"abc", u"abc"}, {"\xC3\xA9", u"\u00E9"}, {"\xE2\x82\xAC", u"\u20AC"}, {"\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        // A stray continuation, an invalid lead, truncations at the end and
        // before ASCII, an overlong form, an encoded surrogate, above U+10FFFF.
        {"a\x80z", u"a\uFFFDz"}, {"\xFF", u"\uFFFD"}, {"a\xE2\x82", u"a\uFFFD"}, {"\xE2\x82z", u"\uFFFDz"},
        {"\xC0\xAF", u"\uFFFD"}, {"\xED\xA0\x80", u"\uFFFD"}, {"\xF4\x90\x80\x80", u"\uFFFD"}};
    for (const auto& [utf8, utf16] : cases) EXPECT_EQ(platform::utf8ToUtf16(utf8), utf16) << testsupport::hex(utf8);
}

// Host text is UTF-32: pairs are combined and split at the boundary. Lone surrogates, and host values outside
// Unicode, are replaced, not truncated.
TEST(Unicode, Utf16PairsAreCombinedAndSplitAndLoneSurrogatesReplaced) {
    EXPECT_EQ(platform::utf16ToUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(platform::utf16ToUtf8(u"\xDC00"), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::utf16ToUtf8(std::u16string(1, char16_t(0xD83D))), "\xEF\xBF\xBD");
    EXPECT_EQ(platform::utf16ToUtf8(u"\xD83D\xDE00"), "\xF0\x9F\x98\x80");
    const std::wstring host = L"x\U0001F600y";
    EXPECT_EQ(platform::wideToUtf16(host), u"x\xD83D\xDE00y");
    EXPECT_EQ(platform::utf16ToWide(u"x\xD83D\xDE00y"), host);
    EXPECT_EQ(platform::utf16ToWide(u"\xDE00"), L"\uFFFD");
    EXPECT_EQ(platform::wideToUtf16(std::wstring(1, static_cast<wchar_t>(0x110000))), u"\uFFFD");
    EXPECT_EQ(platform::wideToUtf16(std::wstring(1, static_cast<wchar_t>(-1))), u"\uFFFD");
}

TEST(Unicode, CodesetsConvertWithoutFailing) {
    const std::tuple<const char*, std::string, std::u16string> cases[] = {
        {"ISO-8859-1", "caf\xE9", u"caf\u00E9"},   {"CP1252", "\x80", u"\u20AC"},
        {"UTF-8", "\xE2\x82\xAC", u"\u20AC"},       {"ANSI_X3.4-1968", "\xC3\xA9", u"\u00E9"},
        {"SHIFT_JIS", "\x82\xA0", u"\u3042"},       {"SHIFT_JIS", "a\xFF" "b", u"a\uFFFDb"},
        {"UTF-8", "\xFF", u"\uFFFD"}};
    for (const auto& [codeset, narrow, utf16] : cases) {
        EXPECT_EQ(platform::codesetToUtf16(narrow, codeset), utf16) << codeset << " " << testsupport::hex(narrow);
    }
    // What the codeset cannot encode becomes '?'.
    EXPECT_EQ(platform::utf16ToCodeset(u"caf\u00E9", "ISO-8859-1"), "caf\xE9");
    EXPECT_EQ(platform::utf16ToCodeset(u"a\u20ACb", "ISO-8859-1"), "a?b");
    EXPECT_EQ(platform::utf16ToCodeset(u"a\xD800", "ISO-8859-1"), "a?");
    EXPECT_EQ(platform::utf16ToCodeset(u"\u20AC", "UTF-8"), "\xE2\x82\xAC");
}

// Without setlocale the process runs in the C locale, whose ASCII codeset is
// taken as UTF-8.
TEST(Unicode, PlainProgramsGetUtf8AsTheActiveCodePage) {
    EXPECT_EQ(platform::activeCodeset(), "UTF-8");
    EXPECT_EQ(platform::activeCodePageToUtf16("\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(platform::utf16ToActiveCodePage(u"\u00E9"), "\xC3\xA9");
}

}  // namespace
