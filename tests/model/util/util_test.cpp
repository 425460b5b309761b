#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <vector>

#include "model/util/guid.h"
#include "model/util/io_handler.h"
#include "model/util/map.h"
#include "model/util/object_ref.h"
#include "model/util/vector.h"

using DWFUtil::Map;
using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFUtil::Vector;

namespace {

String wideOf(const char* ascii) { return String::fromUtf16(std::u16string(ascii, ascii + std::strlen(ascii))); }

TEST(StringSearch, FindSubstringAndMatchesAtInBothForms) {
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
    const std::vector<int32_t> ofUnits = {String("a/b").find('/'), String("a/b/c").findLast('/'),
                                          String(u"a\\b").findLast(u'\\')};
    EXPECT_EQ(ofUnits, (std::vector<int32_t>{1, 3, 1}));
    // Substrings and matchesAt stay inside the string.
    const struct { uint32_t start; uint32_t count; const char* expected; } ranges[] = {
        {5, String::npos, ""}, {1, 100, "bc"}, {0, 2, "ab"}, {3, 1, ""}, {2, 0, ""}, {0, String::npos, "abc"}};
    for (const auto& c : ranges) {
        const String wide = wideOf("abc").substring(c.start, c.count);
        EXPECT_TRUE(String("abc").substring(c.start, c.count) == c.expected && wide == c.expected &&
                    (wide.wideValid() || wide.empty())) << c.start;
    }
    const String s("package.dwf");
    const std::vector<bool> matches = {s.matchesAt(".dwf", 7, 4), s.matchesAt(".dwfx", 7, 5), s.matchesAt(".DWF", 7, 4),
                                       s.matchesAt(u"pack", 0, 4), s.matchesAt(u"pack", 9, 4)};
    EXPECT_EQ(matches, (std::vector<bool>{true, false, false, true, false}));
}

TEST(StringCompare, EqualityOrderAndConcatenationOfBothForms) {
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
    EXPECT_TRUE(String("Section") == "Section" && String("Section") == u"Section" && String("Section") != "section");
    // Concatenation keeps the right operand's form.
    const String joined = String("ab") + String(u"cd");
    const String narrow = String(u"ab") + "cd";
    EXPECT_TRUE(joined.wideValid() && narrow.narrowValid() && joined == "abcd" && narrow.length() == 4);
    EXPECT_EQ(String() + "x" + String(), "x");
    String s("a");
    EXPECT_EQ((((s += 'b') += u'c') += "de") += u"f", "abcdef");
}

// Borrowed buffers are copied when stored.
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
    EXPECT_TRUE(*String().chars() == '\0' && String().wideChars()[0] == u'\0' &&
                String(static_cast<const char*>(nullptr)).empty());
    char text[] = "borrowed";
    const String borrowed(text, false);
    EXPECT_EQ(borrowed.chars(), text);
    String stored(borrowed);
    EXPECT_NE(stored.chars(), text);
    String lender(text, false);
    String moved(std::move(lender));
    EXPECT_NE(moved.chars(), text) << "a moved borrower still must not point into the lender";
    text[0] = 'X';
    EXPECT_TRUE(stored == "borrowed" && moved == "borrowed");
    EXPECT_EQ(String("xyz", 1, 1), "y");
}

TEST(StringIOHandler, AccumulatesAndCopiesOutTerminated) {
    DWFUtil::StringIOHandler handler;
    EXPECT_TRUE(handler.write("<a") == 1 && handler.write(u" b='\u00E9'") == 1 && handler.write(String("/>")) == 1);
    String all;
    char narrow[5];
    char one[1] = {'x'};
    char16_t wide[32];
    EXPECT_TRUE(handler.getContents(all) == 1 && handler.getContents(narrow, sizeof narrow) == 1 &&
                handler.getContents(one, 1) == 1 && handler.getContents(wide, 32) == 1 && one[0] == '\0');
    EXPECT_EQ(all, String(u"<a b='\u00E9'/>"));
    EXPECT_STREQ(narrow, "<a b");
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

TEST(Vector, GrowsReservesAndCopiesInStepsOfSixteenAndErases) {
    // {count, capacity after pushing one by one, capacity of a copy}
    const uint32_t steps[][3] = {{1, 16, 16}, {15, 16, 16}, {16, 16, 32}, {17, 32, 32}, {32, 32, 48}, {33, 48, 48}};
    Vector<long> v;
    EXPECT_EQ(v.capacity(), 0u);
    for (const auto& [count, capacity, copied] : steps) {
        while (v.size() < count) v.push_back(static_cast<long>(v.size()));
        const Vector<long> copy(v);
        Vector<long> assigned;
        assigned = v;
        EXPECT_EQ((std::vector<uint32_t>{v.capacity(), copy.capacity(), assigned.capacity(), copy.size()}),
                  (std::vector<uint32_t>{capacity, copied, copied, count}));
        EXPECT_EQ(copy.back(), static_cast<long>(count) - 1);
    }
    for (long i = 0; i < 33; ++i) EXPECT_EQ(v[static_cast<uint32_t>(i)], i);
    long* at = v.begin() + 1;
    v.erase(at);
    long* outside = v.end() + 3;
    v.erase(outside);
    v.pop_back();
    EXPECT_TRUE(v.size() == 31 && v[1] == 2 && v.back() == 31);
    v.clear();
    v.pop_back();
    EXPECT_TRUE(v.empty() && v.capacity() == 0);
    Vector<String> strings;
    for (int i = 0; i < 16; ++i) strings.push_back(String(std::to_string(i).c_str()));
    strings.push_back(strings[3]);  // the 17th element comes from the array that is replaced
    EXPECT_EQ(strings.back(), "3");
    // Reserve makes room once in multiples of sixteen, never less than before: {needed, capacity}.
    Vector<String> reserved;
    reserved.push_back("kept");
    const uint32_t reserves[][2] = {{10, 16}, {16, 16}, {17, 32}, {10000, 10000}, {10001, 10016}, {3, 10016}};
    for (const auto& [needed, capacity] : reserves) {
        reserved.reserve(needed);
        EXPECT_EQ(reserved.capacity(), capacity) << needed;
    }
    EXPECT_TRUE(reserved.size() == 1 && reserved[0] == "kept");
}

// Insertion keeps the first value of a key and the keys in order.
TEST(Map, AgreesWithAnOrderedMapAndGrowsCopiesAndErases) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        Map<long, long> m;
        std::map<long, long> expected;
        for (int i = 0; i < 1 + round * 3; ++i) {
            const long key = static_cast<long>(random() % 50);
            const auto* pair = m.insert(key, i);
            expected.emplace(key, i);
            ASSERT_TRUE(pair != m.end() && pair->first == key && pair->second == expected[key]) << "key " << key;
        }
        ASSERT_EQ(m.size(), expected.size());
        uint32_t index = 0;
        for (const auto& [key, value] : expected) {
            EXPECT_TRUE(m.begin()[index].first == key && m.begin()[index++].second == value) << key;
        }
        for (long key = -1; key <= 50; ++key) {
            const auto* found = m.find(key);
            EXPECT_EQ(found == m.end() ? -1 : found->second, expected.count(key) ? expected[key] : -1) << key;
        }
    }
    // Growth, copy, erase and indexing.
    Map<long, long> m;
    for (long i = 0; i < 17; ++i) m[i * 2] = i;
    const Map<long, long> copy(m);
    EXPECT_TRUE(m.capacity() == 32 && copy.capacity() == 32 && copy.find(32)->second == 16);
    m.erase(4);
    m.erase(5);  // missing: ignored
    EXPECT_TRUE(m.size() == 16 && m.find(4) == m.end() && m.find(6)->second == 3);
    // A missing key is inserted with a default value; the copy is independent.
    EXPECT_TRUE(m[100] == 0 && m.size() == 17 && copy.size() == 17);
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
        ObjectRef<Tracked>& same = a;
        a = same;
        EXPECT_EQ(a->referenceCount(), 1) << "self-assignment";
        ObjectRef<Tracked> b(a);
        b = a;
        EXPECT_EQ(a->referenceCount(), 2) << "assigning the same object";
        b.newBinding(a);
        EXPECT_EQ(a->referenceCount(), 2) << "binding the same object";
        b = 0;
        EXPECT_TRUE(b.isNull() && a->referenceCount() == 1);
        ObjectRef<Tracked> other(new Tracked(&live));
        EXPECT_TRUE(!(a == other) && (a < other) != (other < a));
        ObjectRef<DWFUtil::RefCount> base(a);
        EXPECT_TRUE(a->referenceCount() == 2 && live == 2);
    }
    EXPECT_EQ(live, 0) << "the last handle deletes the object";
    // Releasing the holder of the incoming object.
    ObjectRef<Tracked> head(new Tracked(&live));
    head->next = new Tracked(&live);
    head = head->next;  // the old head owns the handle we assign from
    EXPECT_TRUE(live == 1 && head->referenceCount() == 1);
    head.unbind();
    EXPECT_TRUE(head.isNull() && live == 0);
}

}  // namespace
