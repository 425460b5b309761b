#include <gtest/gtest.h>

#include <map>
#include <random>

#include "model/util/map.h"
#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "model/util/vector.h"

using DWFUtil::Map;
using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFUtil::Vector;

namespace {

TEST(Vector, GrowsInStepsOfSixteen) {
    Vector<long> v;
    EXPECT_EQ(v.capacity(), 0u);
    const std::pair<long, uint32_t> steps[] = {{1, 16}, {16, 16}, {17, 32}, {32, 32}, {33, 48}};
    long pushed = 0;
    for (const auto& [count, capacity] : steps) {
        while (pushed < count) v.push_back(pushed++);
        EXPECT_EQ(v.capacity(), capacity) << "after " << count;
    }
    for (long i = 0; i < 33; ++i) EXPECT_EQ(v[static_cast<uint32_t>(i)], i);
}

TEST(Vector, CopiesAreSizedByTheirCount) {
    const std::pair<long, uint32_t> cases[] = {{1, 16}, {15, 16}, {16, 32}, {17, 32}};
    for (const auto& [count, capacity] : cases) {
        Vector<long> v;
        for (long i = 0; i < count; ++i) v.push_back(i);
        const Vector<long> copy(v);
        Vector<long> assigned;
        assigned = v;
        EXPECT_EQ(copy.capacity(), capacity) << count;
        EXPECT_EQ(assigned.capacity(), capacity) << count;
        EXPECT_EQ(copy.size(), v.size());
        EXPECT_EQ(copy.back(), count - 1);
    }
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
    const std::pair<uint32_t, uint32_t> cases[] = {{10, 16}, {16, 16}, {17, 32}, {10000, 10000}, {10001, 10016}};
    for (const auto& [needed, capacity] : cases) {
        v.reserve(needed);
        EXPECT_EQ(v.capacity(), capacity) << needed;
    }
    v.reserve(3);
    EXPECT_EQ(v.capacity(), 10016u) << "never shrinks";
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

TEST(Map, InsertKeepsTheFirstValueAndTheOrder) {
    Map<long, String> m;
    m.insert(5, "five");
    m.insert(1, "one");
    m.insert(3, "three");
    auto* again = m.insert(3, "THREE");
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(again->first, 3);
    EXPECT_EQ(again->second, "three");
    EXPECT_EQ(m.begin()[0].first, 1);
    EXPECT_EQ(m.begin()[1].first, 3);
    EXPECT_EQ(m.begin()[2].first, 5);
    EXPECT_EQ(m.find(3)->second, "three");
    EXPECT_EQ(m.find(4), m.end());
}

TEST(Map, AgreesWithAnOrderedMapOnRandomInsertions) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        Map<long, long> m;
        std::map<long, long> expected;
        const int n = 1 + round * 3;
        for (int i = 0; i < n; ++i) {
            const long key = static_cast<long>(random() % 50);
            const auto* pair = m.insert(key, i);
            expected.emplace(key, i);
            ASSERT_NE(pair, m.end());
            ASSERT_EQ(pair->second, expected[key]) << "key " << key;
        }
        ASSERT_EQ(m.size(), expected.size());
        uint32_t index = 0;
        for (const auto& [key, value] : expected) {
            EXPECT_EQ(m.begin()[index].first, key);
            EXPECT_EQ(m.begin()[index].second, value);
            EXPECT_EQ(m.find(key)->second, value);
            ++index;
        }
        EXPECT_EQ(m.find(-1), m.end());
        EXPECT_EQ(m.find(1000), m.end());
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

TEST(Map, StringKeysOrderByStringRules) {
    Map<String, long> m;
    m.insert("b", 2);
    m.insert(String(u"a"), 1);
    m.insert("c", 3);
    EXPECT_EQ(m.find(String(u"b"))->second, 2);
    EXPECT_EQ(m.begin()->first, "a");
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
        EXPECT_EQ(live, 1);
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

TEST(ObjectRef, ComparesAddresses) {
    int live = 0;
    ObjectRef<Tracked> a(new Tracked(&live));
    ObjectRef<Tracked> b(new Tracked(&live));
    EXPECT_FALSE(a == b);
    EXPECT_NE(a < b, b < a);
    ObjectRef<DWFUtil::RefCount> base(a);
    EXPECT_EQ(a->referenceCount(), 2);
}

}  // namespace
