#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <regex>

#include "model/util/guid.h"
#include "model/util/io_handler.h"
#include "model/util/map.h"
#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "model/util/vector.h"

using DWFUtil::Map;
using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFUtil::Vector;

namespace {

String wideOf(const char* ascii) { return String::fromUtf16(std::u16string(ascii, ascii + std::strlen(ascii))); }

TEST(StringSearch, FindAndFindLastInBothForms) {
    const struct { const char* hay; const char* needle; uint32_t start; int32_t first; int32_t last; } cases[] = {
        {"abc", "c", 0, 2, 2},     {"abc", "abcd", 0, -1, -1}, {"abcabc", "bc", 0, 1, 4}, {"abcabc", "bc", 2, 4, 4},
        {"abcabc", "bc", 5, -1, 4}, {"abc", "", 1, 1, 3},      {"abc", "", 3, 3, 3},      {"abc", "", 4, -1, 3},
        {"abc", "abc", 0, 0, 0},   {"abc", "abc", 1, -1, 0},   {"aaa", "aa", 0, 0, 1},    {"", "a", 0, -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.hay) + " / " + c.needle + " @" + std::to_string(c.start));
        EXPECT_EQ(String(c.hay).find(c.needle, c.start), c.first);
        EXPECT_EQ(wideOf(c.hay).find(wideOf(c.needle), c.start), c.first);
        EXPECT_EQ(String(c.hay).findLast(c.needle), c.last);
        EXPECT_EQ(wideOf(c.hay).findLast(wideOf(c.needle)), c.last);
    }
    EXPECT_EQ(String("a/b/c").find('/'), 1);
    EXPECT_EQ(String("a/b/c").findLast('/'), 3);
    EXPECT_EQ(String(u"a\\b").findLast(u'\\'), 1);
}

TEST(StringSearch, SubstringAndMatchesAtStayInsideTheString) {
    const struct { uint32_t start; uint32_t count; const char* expected; } cases[] = {
        {5, String::npos, ""}, {1, 100, "bc"}, {0, 2, "ab"}, {3, 1, ""}, {2, 0, ""}, {0, String::npos, "abc"}};
    for (const auto& c : cases) {
        EXPECT_EQ(String("abc").substring(c.start, c.count), c.expected) << c.start;
        const String wide = wideOf("abc").substring(c.start, c.count);
        EXPECT_EQ(wide, c.expected) << "wide " << c.start;
        EXPECT_TRUE(wide.wideValid() || wide.empty());
    }
    const String s("package.dwf");
    EXPECT_TRUE(s.matchesAt(".dwf", 7, 4));
    EXPECT_FALSE(s.matchesAt(".dwfx", 7, 5));
    EXPECT_FALSE(s.matchesAt(".DWF", 7, 4));
    EXPECT_TRUE(s.matchesAt(u"pack", 0, 4));
    EXPECT_FALSE(s.matchesAt(u"pack", 9, 4));
}

TEST(StringCompare, EqualityAndOrderOfBothForms) {
    // With a narrow right operand, bytes 0x80..0xFF order before ASCII; wide units order unsigned.
    const struct { String a; String b; int order; } cases[] = {
        {"Section", u"Section", 0}, {u"Section", "Section", 0}, {String(), "", 0}, {String(), String(), 0},
        {"a", String(), 1},         {String(), "a", -1},        {"\xC3\xA9", "a", -1}, {"a", "\xC3\xA9", 1},
        {u"a", u"\u00E9", -1},      {"ab", "abc", -1},          {"abc", "ab", 1},      {"b", "a", 1},
        {"a", "b", -1},             {"Section", "section", -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);  // not the text: converting it would cache the other form
        EXPECT_EQ(c.a == c.b, c.order == 0);
        EXPECT_EQ(c.a < c.b, c.order < 0);
        EXPECT_EQ(c.a.compare(c.b), c.order);
    }
    EXPECT_TRUE(String("Section") == "Section");
    EXPECT_TRUE(String("Section") == u"Section");
    EXPECT_TRUE(String("Section") != "section");
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
    EXPECT_EQ(String("xyz", 1, 1), "y");
}

TEST(StringIOHandler, AccumulatesAndCopiesOutTerminated) {
    DWFUtil::StringIOHandler handler;
    EXPECT_EQ(handler.write("<a"), 1);
    EXPECT_EQ(handler.write(u" b='\u00E9'"), 1);
    EXPECT_EQ(handler.write(String("/>")), 1);
    String all;
    EXPECT_EQ(handler.getContents(all), 1);
    EXPECT_EQ(all, String(u"<a b='\u00E9'/>"));
    char narrow[5];
    EXPECT_EQ(handler.getContents(narrow, sizeof narrow), 1);
    EXPECT_STREQ(narrow, "<a b");
    char one[1] = {'x'};
    handler.getContents(one, 1);
    EXPECT_EQ(one[0], '\0');
    char16_t wide[32];
    handler.getContents(wide, 32);
    EXPECT_EQ(std::u16string(wide), u"<a b='\u00E9'/>");

    EXPECT_EQ(DWFUtil::IOHandler().write("x"), -1) << "the base handler supports no operation";
}

TEST(Guid, TextFormsOfKnownAndFreshIdentifiers) {
    platform::Uuid uuid{0x715941D4, 0x1AC2, 0x4545, {0x81, 0x85, 0xBC, 0x40, 0xE0, 0x53, 0xB5, 0x51}};
    EXPECT_EQ(DWFUtil::formatGuid(uuid, false), "715941D4-1AC2-4545-8185-BC40E053B551");
    EXPECT_EQ(DWFUtil::formatGuid(uuid, true), "51B553E040BC858145451AC2715941D4");

    // Version 4, variant 10xx; the compact form has the version digit at 16.
    const std::string hyphenated = DWFUtil::createGuidString(false).chars();
    const std::string compact = DWFUtil::createGuidString(true).chars();
    const std::regex hyphenatedForm("[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}");
    EXPECT_TRUE(std::regex_match(hyphenated, hyphenatedForm)) << hyphenated;
    EXPECT_TRUE(std::regex_match(compact, std::regex("[0-9A-F]{16}4[0-9A-F]{15}"))) << compact;
    EXPECT_NE(DWFUtil::createGuidString(true), DWFUtil::createGuidString(true));
}

TEST(Vector, GrowsInStepsOfSixteenAndCopiesAreSizedByTheirCount) {
    // {count, capacity after pushing one by one, capacity of a copy}
    const uint32_t steps[][3] = {{1, 16, 16}, {15, 16, 16}, {16, 16, 32}, {17, 32, 32}, {32, 32, 48}, {33, 48, 48}};
    Vector<long> v;
    EXPECT_EQ(v.capacity(), 0u);
    for (const auto& [count, capacity, copied] : steps) {
        while (v.size() < count) v.push_back(static_cast<long>(v.size()));
        const Vector<long> copy(v);
        Vector<long> assigned;
        assigned = v;
        EXPECT_EQ(v.capacity(), capacity) << count;
        EXPECT_EQ(copy.capacity(), copied) << count;
        EXPECT_EQ(assigned.capacity(), copied) << count;
        EXPECT_EQ(copy.size(), count);
        EXPECT_EQ(copy.back(), static_cast<long>(count) - 1);
    }
    for (long i = 0; i < 33; ++i) EXPECT_EQ(v[static_cast<uint32_t>(i)], i);
}

TEST(Vector, PushingItsOwnElementWhileGrowing) {
    Vector<String> v;
    for (int i = 0; i < 16; ++i) v.push_back(String(std::to_string(i).c_str()));
    v.push_back(v[3]);  // the 17th element comes from the array that is replaced
    EXPECT_EQ(v.back(), "3");
}

TEST(Vector, ReserveMakesRoomOnceInMultiplesOfSixteen) {
    Vector<String> v;
    v.push_back("kept");
    // {needed, capacity}: never less than before
    const uint32_t cases[][2] = {{10, 16}, {16, 16}, {17, 32}, {10000, 10000}, {10001, 10016}, {3, 10016}};
    for (const auto& [needed, capacity] : cases) {
        v.reserve(needed);
        EXPECT_EQ(v.capacity(), capacity) << needed;
    }
    EXPECT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0], "kept");
}

TEST(Vector, EraseAndPopBack) {
    Vector<long> v;
    for (long i = 0; i < 5; ++i) v.push_back(i);
    long* at = v.begin() + 1;
    v.erase(at);
    long* outside = v.end() + 3;
    v.erase(outside);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_EQ(v[1], 2);
    EXPECT_EQ(v.back(), 4);
    v.pop_back();
    EXPECT_EQ(v.size(), 3u);
    v.clear();
    v.pop_back();
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(v.capacity(), 0u);
}

// Insertion keeps the first value of a key and the keys in order.
TEST(Map, AgreesWithAnOrderedMapOnRandomInsertions) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        Map<long, long> m;
        std::map<long, long> expected;
        for (int i = 0; i < 1 + round * 3; ++i) {
            const long key = static_cast<long>(random() % 50);
            const auto* pair = m.insert(key, i);
            expected.emplace(key, i);
            ASSERT_NE(pair, m.end());
            ASSERT_EQ(pair->first, key);
            ASSERT_EQ(pair->second, expected[key]) << "key " << key;
        }
        ASSERT_EQ(m.size(), expected.size());
        uint32_t index = 0;
        for (const auto& [key, value] : expected) {
            EXPECT_EQ(m.begin()[index].first, key);
            EXPECT_EQ(m.begin()[index++].second, value);
        }
        for (long key = -1; key <= 50; ++key) {
            const auto* found = m.find(key);
            EXPECT_EQ(found == m.end() ? -1 : found->second, expected.count(key) ? expected[key] : -1) << key;
        }
    }
}

TEST(Map, GrowthCopyEraseAndIndexing) {
    Map<long, long> m;
    for (long i = 0; i < 17; ++i) m[i * 2] = i;
    EXPECT_EQ(m.capacity(), 32u);
    const Map<long, long> copy(m);
    EXPECT_EQ(copy.capacity(), 32u);
    EXPECT_EQ(copy.find(32)->second, 16);
    m.erase(4);
    m.erase(5);
    EXPECT_EQ(m.size(), 16u);
    EXPECT_EQ(m.find(4), m.end());
    EXPECT_EQ(m.find(6)->second, 3);
    EXPECT_EQ(m[100], 0) << "a missing key is inserted with a default value";
    EXPECT_EQ(m.size(), 17u);
    EXPECT_EQ(copy.size(), 17u) << "the copy is independent";
}

// Counts live objects so that deletion by the last handle can be observed.
class Tracked : public DWFUtil::RefCount {
public:
    explicit Tracked(int* live) : live_(live) { ++*live_; }
    ~Tracked() override { --*live_; }
    ObjectRef<Tracked> next;

private:
    int* live_;
};

TEST(ObjectRef, EveryHandleHoldsOneShare) {
    int live = 0;
    {
        ObjectRef<Tracked> a(new Tracked(&live));
        EXPECT_EQ(a->referenceCount(), 1);
        ObjectRef<Tracked>& same = a;
        a = same;
        EXPECT_EQ(a->referenceCount(), 1) << "self-assignment";
        ObjectRef<Tracked> b(a);
        b = a;
        EXPECT_EQ(a->referenceCount(), 2) << "assigning the same object";
        b.newBinding(a);
        EXPECT_EQ(a->referenceCount(), 2);
        b = 0;
        EXPECT_TRUE(b.isNull());
        EXPECT_EQ(a->referenceCount(), 1);
        ObjectRef<Tracked> other(new Tracked(&live));
        EXPECT_FALSE(a == other);
        EXPECT_NE(a < other, other < a);
        ObjectRef<DWFUtil::RefCount> base(a);
        EXPECT_EQ(a->referenceCount(), 2);
        EXPECT_EQ(live, 2);
    }
    EXPECT_EQ(live, 0) << "the last handle deletes the object";
}

TEST(ObjectRef, ReleasingTheHolderOfTheIncomingObject) {
    int live = 0;
    ObjectRef<Tracked> head(new Tracked(&live));
    head->next = new Tracked(&live);
    head = head->next;  // the old head owns the handle we assign from
    EXPECT_EQ(live, 1);
    EXPECT_EQ(head->referenceCount(), 1);
    head.unbind();
    EXPECT_TRUE(head.isNull());
    EXPECT_EQ(live, 0);
}

}  // namespace
