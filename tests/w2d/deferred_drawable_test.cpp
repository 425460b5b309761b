#include <gtest/gtest.h>

#include "memory_stream.h"
#include "w2d/unknown.h"

using w2dtest::body_of;
using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

// A drawable of letters that joins another whose first letter is its last,
// written as "[letters]"; it stands in for the polyline.
class Letters : public WT_Drawable {
public:
    static constexpr WT_ID ID = Polyline_ID;

    explicit Letters(std::string letters) : m_letters(std::move(letters)) {}

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode&, WT_Stream&) override { return WT_Result::Wrong_Opcode; }
    WT_Result::Enum write(WT_Stream& stream) const override {
        WT_CHECK(stream.sync_attributes(WT_Attribute_Set::Color_Bit));
        return stream.write_deferred(*this);
    }
    WT_Result::Enum delay(WT_Stream& stream) const override {
        stream.set_delayed_drawable(std::make_unique<Letters>(*this));
        return WT_Result::Success;
    }
    WT_Result::Enum dump(WT_Stream& stream) const override { return stream.write("[" + m_letters + "]"); }
    bool merge(const WT_Drawable& following) override {
        const auto& next = static_cast<const Letters&>(following);
        if (m_letters.back() != next.m_letters.front()) return false;
        m_letters += next.m_letters.substr(1);
        return true;
    }

private:
    std::string m_letters;
};

TEST(W2dDeferredDrawables, PendingDrawablesMergeUntilSomethingElseIsWritten) {
    const struct {
        const char* name;
        std::function<void(WT_Stream&)> body;
        bool merging;
        std::string expected;
    } cases[] = {
        {"joined", [](WT_Stream& s) { Letters("ab").write(s), Letters("bc").write(s), Letters("cd").write(s); }, true,
         "[abcd]"},
        {"apart", [](WT_Stream& s) { Letters("ab").write(s), Letters("xy").write(s); }, true, "[ab][xy]"},
        {"colour between",
         [](WT_Stream& s) {
             Letters("ab").write(s);
             s.desired_attributes().set(WT_Color(1, 2, 3, 4));
             Letters("bc").write(s);
         },
         true, "[ab]" + std::string("\x03\x01\x02\x03\x04", 5) + "[bc]"},
        {"other object", [](WT_Stream& s) { Letters("ab").write(s), WT_Fill(true).write(s); }, true, "[ab]F"},
        {"merging off", [](WT_Stream& s) { Letters("ab").write(s), Letters("bc").write(s); }, false, "[ab][bc]"},
    };
    for (const auto& c : cases) {
        const std::string bytes = body_of(
            write_stream(c.body, [&](WT_Stream& s) { s.options().set_allow_drawable_merging(c.merging); }));
        EXPECT_EQ(bytes, c.expected) << c.name;
    }
}

TEST(W2dDeferredDrawables, UnknownObjectsAreWrittenBackAsRead) {
    const std::string mystery = "(Mystery 'a)' (b))";
    const std::string blob = std::string("{\x05\x00\x00\x00\x99\x01", 7) + "xy}";
    std::vector<std::unique_ptr<WT_Object>> kept;
    read_stream("(W2D V06.00)" + mystery + blob + "(EndOfDWF)", [&kept](WT_Stream& s) {
        if (s.current_object()->object_id() == WT_Object::Unknown_ID) kept.push_back(s.take_current_object());
    });
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(body_of(write_stream([&](WT_Stream& s) {
                  Letters("ab").write(s);
                  for (const auto& object : kept) object->write(s);
              })),
              "[ab]" + mystery + blob);
}

}  // namespace
