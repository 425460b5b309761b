#include "model/util/string.h"

#include <gtest/gtest.h>

#include <cstring>

using DWFUtil::String;

namespace {

struct FindCase {
    const char* hay;
    const char* needle;
    uint32_t start;
    int32_t first;
    int32_t last;
};

TEST(StringSearch, FindAndFindLastInBothForms) {
    const FindCase cases[] = {
        {"abc", "c", 0, 2, 2},       {"abc", "abcd", 0, -1, -1}, {"abcabc", "bc", 0, 1, 4},
        {"abcabc", "bc", 2, 4, 4},   {"abcabc", "bc", 5, -1, 4}, {"abc", "", 1, 1, 3},
        {"abc", "", 3, 3, 3},        {"abc", "", 4, -1, 3},      {"abc", "abc", 0, 0, 0},
        {"abc", "abc", 1, -1, 0},    {"aaa", "aa", 0, 0, 1},     {"", "a", 0, -1, -1}};
    for (const auto& c : cases) {
        const String narrow(c.hay);
        const String wide = String::fromUtf16(std::u16string(c.hay, c.hay + std::strlen(c.hay)));
        const String needleWide = String::fromUtf16(std::u16string(c.needle, c.needle + std::strlen(c.needle)));
        EXPECT_EQ(narrow.find(c.needle, c.start), c.first) << c.hay << " / " << c.needle << " @" << c.start;
        EXPECT_EQ(wide.find(needleWide, c.start), c.first) << "wide " << c.hay << " / " << c.needle;
        EXPECT_EQ(narrow.findLast(c.needle), c.last) << c.hay << " / " << c.needle;
        EXPECT_EQ(wide.findLast(needleWide), c.last) << "wide " << c.hay << " / " << c.needle;
    }
    EXPECT_EQ(String("a/b/c").find('/'), 1);
    EXPECT_EQ(String("a/b/c").findLast('/'), 3);
    EXPECT_EQ(String(u"a\\b").findLast(u'\\'), 1);
}

TEST(StringSearch, SubstringBoundaries) {
    const struct {
        const char* text;
        uint32_t start;
        uint32_t count;
        const char* expected;
    } cases[] = {{"abc", 5, String::npos, ""}, {"abc", 1, 100, "bc"}, {"abc", 0, 2, "ab"},
                 {"abc", 3, 1, ""},            {"abc", 2, 0, ""},     {"abc", 0, String::npos, "abc"}};
    for (const auto& c : cases) {
        EXPECT_EQ(String(c.text).substring(c.start, c.count), c.expected) << c.text << " " << c.start;
        const String wide(std::u16string(c.text, c.text + 3).c_str());
        EXPECT_EQ(wide.substring(c.start, c.count), c.expected) << "wide " << c.start;
        EXPECT_TRUE(wide.substring(c.start, c.count).wideValid() || wide.substring(c.start, c.count).empty());
    }
}

TEST(StringSearch, MatchesAtStaysInsideTheString) {
    const String s("package.dwf");
    EXPECT_TRUE(s.matchesAt(".dwf", 7, 4));
    EXPECT_FALSE(s.matchesAt(".dwfx", 7, 5));
    EXPECT_FALSE(s.matchesAt(".DWF", 7, 4));
    EXPECT_TRUE(s.matchesAt(u"pack", 0, 4));
    EXPECT_FALSE(s.matchesAt(u"pack", 9, 4));
}

TEST(StringCompare, NarrowAndWideFormsOfAsciiTextAreEqual) {
    const String narrow("Section");
    const String wide(u"Section");
    EXPECT_TRUE(narrow == wide);
    EXPECT_TRUE(wide == narrow);
    EXPECT_EQ(narrow.compare(wide), 0);
    EXPECT_EQ(wide.compare(narrow), 0);
    EXPECT_TRUE(String() == String(""));
    EXPECT_FALSE(String("a") == String());
    EXPECT_FALSE(String() == String("a"));
    EXPECT_TRUE(narrow == "Section");
    EXPECT_TRUE(narrow == u"Section");
    EXPECT_TRUE(narrow != "section");
}

TEST(StringCompare, NarrowBytesOrderAsSignedValues) {
    // With a narrow right operand, 0x80..0xFF order before ASCII.
    EXPECT_TRUE(String("\xC3\xA9") < String("a"));
    EXPECT_FALSE(String("a") < String("\xC3\xA9"));
    // Wide units order unsigned.
    EXPECT_TRUE(String(u"a") < String(u"\u00E9"));
    EXPECT_TRUE(String("ab") < String("abc")) << "a prefix is less";
    EXPECT_FALSE(String("abc") < String("ab"));
    EXPECT_TRUE(String() < String("a"));
    EXPECT_FALSE(String() < String());
    EXPECT_FALSE(String("a") < String());
    EXPECT_EQ(String("b").compare(String("a")), 1);
    EXPECT_EQ(String("a").compare(String("b")), -1);
}

TEST(StringCompose, ConcatenationKeepsTheRightOperandsForm) {
    const String joined = String("ab") + String(u"cd");
    EXPECT_TRUE(joined.wideValid());
    EXPECT_EQ(joined, "abcd");
    const String narrow = String(u"ab") + "cd";
    EXPECT_TRUE(narrow.narrowValid());
    EXPECT_EQ(narrow.length(), 4u);
    EXPECT_EQ(String() + "x", "x");
    EXPECT_EQ(String("x") + String(), "x");
    String s("a");
    s += 'b';
    s += u'c';
    s += "de";
    s += u"f";
    EXPECT_EQ(s, "abcdef");
}

TEST(StringForms, ConversionIsLazyCachedAndNeverFails) {
    const String s("caf\xC3\xA9");
    EXPECT_FALSE(s.wideValid());
    const char16_t* wide = s.wideChars();
    EXPECT_EQ(std::u16string(wide), u"caf\u00E9");
    EXPECT_EQ(s.wideChars(), wide) << "converted once";
    EXPECT_EQ(s.length(), 5u) << "length of the form it was built from";
    EXPECT_EQ(s.wideLength(), 4u);

    EXPECT_EQ(std::u16string(String("a\xFFz").wideChars()), u"a\uFFFDz");
    const char16_t lone[] = {u'x', 0xD800, 0};
    EXPECT_STREQ(String(lone).chars(), "x\xEF\xBF\xBD");
    EXPECT_STREQ(String().chars(), "");
    EXPECT_EQ(String().wideChars()[0], u'\0');
    EXPECT_TRUE(String(static_cast<const char*>(nullptr)).empty());
}

TEST(StringForms, BorrowedBuffersAreCopiedWhenStored) {
    char text[] = "borrowed";
    const String borrowed(text, false);
    EXPECT_EQ(borrowed.chars(), text);
    String stored(borrowed);
    EXPECT_NE(stored.chars(), text);
    String lender(text, false);
    String moved(std::move(lender));
    EXPECT_NE(moved.chars(), text) << "a moved borrower still must not point into the lender";
    text[0] = 'X';
    EXPECT_EQ(stored, "borrowed");
    EXPECT_EQ(moved, "borrowed");
    const String single("xyz", 1, 1);
    EXPECT_EQ(single, "y");
}

}  // namespace
