// Triangle strips and polymarkers: the point list of a point set behind
// opcodes of their own, written and read by both kinds alike.
#include <gtest/gtest.h>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"

using testsupport::hex;
using w2dtest::body_of;
using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

using Points = std::vector<WT_Logical_Point>;

const std::string Header = "(W2D V06.00)";
const std::string Trailer = "(EndOfDWF)";

std::string le(int64_t value, int bytes) {
    std::string out;
    for (int at = 0; at < bytes; ++at) out.push_back(static_cast<char>((value >> (8 * at)) & 0xFF));
    return out;
}
std::string p16(int64_t x, int64_t y) { return le(x, 2) + le(y, 2); }
std::string p32(int64_t x, int64_t y) { return le(x, 4) + le(y, 4); }

struct Kind {
    const char* name;
    WT_Object::WT_ID id;
    std::string ascii;  // the opcode letters as the bytes they are
    std::string opcode32;
    std::string opcode16;
    std::shared_ptr<WT_Drawable> (*make)(Points points);
    // Replaces the kind's process handler by one that ends the read.
    void (*stop_at)(WT_Stream& stream);
};

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

template <class T>
std::shared_ptr<WT_Drawable> make(Points points) {
    return std::make_shared<T>(std::move(points));
}

template <class T>
void stop_at(WT_Stream& stream) {
    stream.set_action<T>([](T&, WT_Stream&) { return WT_Result::Inconsistent_Data; });
}

const Kind Kinds[] = {
    {"Polytriangle", WT_Object::Polytriangle_ID, "T", "t", "\x14", make<WT_Polytriangle>, stop_at<WT_Polytriangle>},
    {"Polymarker", WT_Object::Polymarker_ID, "M", "m", "\x8D", make<WT_Polymarker>, stop_at<WT_Polymarker>},
};

struct Read_Result {
    std::vector<Points> sets;  // the points of each object of the kind
    WT_Result::Enum end = WT_Result::Success;
};

Read_Result read_kind(const Kind& kind, const std::string& bytes, size_t perCall = SIZE_MAX,
                      const std::function<void(WT_Stream&)>& setup = {}) {
    Read_Result result;
    result.end = read_stream(
        bytes,
        [&](WT_Stream& s) {
            const WT_Object* object = s.current_object();
            if (object->object_id() == kind.id)
                result.sets.push_back(dynamic_cast<const WT_Point_Set&>(*object).points());
        },
        perCall, setup);
    return result;
}

Points diagonal(int count) {
    Points points;
    for (int index = 0; index < count; ++index) points.emplace_back(index, index);
    return points;
}

class W2dPointListDrawables : public ::testing::TestWithParam<Kind> {};

TEST_P(W2dPointListDrawables, WritesAreByteExact) {
    const Kind& k = GetParam();
    const auto draw = [&k](Points points) {
        return [&k, points](WT_Stream& s) { EXPECT_EQ(k.make(points)->write(s), WT_Result::Success); };
    };
    const auto ascii = [](WT_Stream& s) { s.options().set_allow_binary_data(false); };
    const struct {
        const char* name;
        std::function<void(WT_Stream&)> body;
        std::function<void(WT_Stream&)> setup;
        std::string expected;  // between header and trailer
    } cases[] = {
        {"16-bit", draw({{0, 0}, {10, 0}, {5, 5}}), {}, k.opcode16 + "\x03" + p16(0, 0) + p16(10, 0) + p16(-5, 5)},
        {"one point", draw({{7, -8}}), {}, k.opcode16 + "\x01" + p16(7, -8)},
        {"two points are no line", draw({{1, 2}, {3, 4}}), {}, k.opcode16 + "\x02" + p16(1, 2) + p16(2, 2)},
        {"far later point widens all", draw({{0, 0}, {1, 0}, {50000, 0}}), {},
         k.opcode32 + "\x03" + p32(0, 0) + p32(1, 0) + p32(49999, 0)},
        {"far first point moves the origin", draw({{100000, 0}, {100010, 0}, {100010, 10}}), {},
         "O" + p32(100000, 0) + k.opcode16 + "\x03" + p16(0, 0) + p16(10, 0) + p16(0, 10)},
        {"two points too few to move the origin", draw({{100000, 0}, {100001, 0}}), {},
         k.opcode32 + "\x02" + p32(100000, 0) + p32(1, 0)},
        {"pending polyline first",
         [&](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {10, 0}}).write(s), draw({{10, 0}, {10, 10}})(s); }, {},
         "\x0C" + p16(0, 0) + p16(10, 0) + k.opcode16 + "\x02" + p16(0, 0) + p16(0, 10)},
        {"fill on as asked",
         [&](WT_Stream& s) { s.desired_attributes().set(WT_Fill(true)), draw({{1, 1}, {2, 1}, {2, 2}})(s); }, {},
         "F" + k.opcode16 + "\x03" + p16(1, 1) + p16(1, 0) + p16(0, 1)},
        {"fill left on after a polygon",
         [&](WT_Stream& s) { WT_Polygon(Points{{0, 0}, {2, 0}, {2, 2}}).write(s), draw({{1, 1}, {2, 1}, {2, 2}})(s); },
         {},
         "F\x10\x03" + p16(0, 0) + p16(2, 0) + p16(0, 2) + k.opcode16 + "\x03" + p16(-1, -1) + p16(1, 0) +
             p16(0, 1)},
        {"ASCII", draw({{0, 0}, {10, 0}, {5, 5}}), ascii, "\r\n   " + k.ascii + " 3 0,0 10,0 5,5\r\n"},
        {"ASCII breaks after every fourth point", draw(diagonal(9)), ascii,
         "\r\n   " + k.ascii + " 9 0,0 1,1 2,2 3,3\r\n       4,4 5,5 6,6 7,7\r\n       8,8\r\n"},
        {"ASCII points stay absolute", draw({{100000, -3}, {100010, 0}}), ascii,
         "\r\n   " + k.ascii + " 2 100000,-3 100010,0\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(hex(body_of(write_stream(c.body, c.setup))), hex(c.expected)) << c.name;
    // An empty set has no form to be written in.
    for (const bool binary : {true, false}) {
        WT_Result::Enum result = WT_Result::Success;
        write_stream([&](WT_Stream& s) { result = k.make({})->write(s); },
                     [binary](WT_Stream& s) { s.options().set_allow_binary_data(binary); });
        EXPECT_EQ(result, WT_Result::Usage_Error) << binary;
    }
}

TEST_P(W2dPointListDrawables, HandBuiltBytesReadToTheirPoints) {
    const Kind& k = GetParam();
    std::string counted = k.opcode16 + std::string("\x00\x01\x00", 3);  // 256 + 1 points
    Points steps;
    for (int index = 1; index <= 257; ++index) {
        counted += p16(1, 0);
        steps.emplace_back(index, 0);
    }
    const struct {
        const char* name;
        std::string body;
        std::vector<Points> expected;
    } cases[] = {
        {"ASCII", k.ascii + " 3 0,0 10,0 5,5", {{{0, 0}, {10, 0}, {5, 5}}}},
        {"ASCII over lines and tabs", k.ascii + "\t4 1,2\r\n -3,-4\n5, 6 +7,8", {{{1, 2}, {-3, -4}, {5, 6}, {7, 8}}}},
        {"16-bit", k.opcode16 + "\x02" + p16(5, 5) + p16(-1, 2), {{{5, 5}, {4, 7}}}},
        {"32-bit", k.opcode32 + "\x02" + p32(-70000, 3) + p32(140000, -1), {{{-70000, 3}, {70000, 2}}}},
        {"after a set origin", "O" + p32(100000, 5) + k.opcode16 + "\x02" + p16(1, 1) + p16(2, 2),
         {{{100001, 6}, {100003, 8}}}},
        {"count beyond one byte", counted, {steps}},
        {"one after another", k.opcode32 + "\x01" + p32(4, 4) + k.opcode16 + "\x01" + p16(1, 1), {{{4, 4}}, {{5, 5}}}},
    };
    for (const auto& c : cases) {
        for (const size_t perCall : {SIZE_MAX, size_t{1}}) {
            const Read_Result read = read_kind(k, Header + c.body + Trailer, perCall);
            EXPECT_EQ(read.end, WT_Result::End_Of_Stream) << c.name << " " << perCall;
            EXPECT_EQ(read.sets, c.expected) << c.name << " " << perCall;
        }
    }
    const struct {
        const char* name;
        std::string body;
        WT_Result::Enum result;
    } refused[] = {
        {"no points", k.ascii + " 0" + Trailer, WT_Result::Corrupt_Data},
        {"negative count", k.ascii + " -2 0,0" + Trailer, WT_Result::Corrupt_Data},
        {"count beyond the input", k.opcode16 + std::string("\x00\xFF\xFF", 3) + p16(1, 1) + Trailer,
         WT_Result::End_Of_File},
        {"points cut short", k.opcode32 + "\x02" + p32(1, 1) + le(1, 2), WT_Result::End_Of_File},
    };
    for (const auto& c : refused) EXPECT_EQ(read_kind(k, Header + c.body).end, c.result) << c.name;
    // The kind has a handler of its own, and no other kind's objects reach it.
    EXPECT_EQ(read_kind(k, Header + k.ascii + " 1 0,0" + Trailer, SIZE_MAX, k.stop_at).end,
              WT_Result::Inconsistent_Data);
    for (const Kind& other : Kinds) {
        if (other.id == k.id) continue;
        EXPECT_EQ(read_kind(k, Header + other.ascii + " 1 0,0 P 3 0,0 1,0 1,1" + Trailer, SIZE_MAX, k.stop_at).end,
                  WT_Result::End_Of_Stream);
    }
}

TEST_P(W2dPointListDrawables, WrittenSetsReadBackEqual) {
    const Kind& k = GetParam();
    const std::vector<Points> sets = {
        {{3, 4}},
        {{1, 2}, {3, 4}},
        {{0, 0}, {10, 0}, {5, 5}, {15, 5}},
        {{-100000, 2}, {-99000, 4}, {-99000, 400}},
        {{1, 2}, {3, 4}, {500000, -6}},
        diagonal(300),
    };
    for (const bool binary : {true, false}) {
        for (const Points& points : sets) {
            const std::string bytes = write_stream(
                [&](WT_Stream& s) {
                    // Starting away from the origin checks the first point's
                    // difference too.
                    WT_Polyline(Points{{-7, 9}, {70000, 9}}).write(s);
                    EXPECT_EQ(k.make(points)->write(s), WT_Result::Success);
                },
                [binary](WT_Stream& s) { s.options().set_allow_binary_data(binary); });
            for (const size_t perCall : {SIZE_MAX, size_t{3}}) {
                const Read_Result read = read_kind(k, bytes, perCall);
                EXPECT_EQ(read.end, WT_Result::End_Of_Stream) << hex(bytes);
                EXPECT_EQ(read.sets, std::vector<Points>{points}) << binary << " " << perCall << " " << hex(bytes);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, W2dPointListDrawables, ::testing::ValuesIn(Kinds),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.name); });

TEST(W2dShadedDrawables, OpcodesStayRefused) {
    for (const char opcode : {'\x07', 'g', '\x11', 'q'}) {
        const std::string body = std::string(1, opcode) + "\x01" + p32(0, 0);
        EXPECT_EQ(read_stream(Header + body + Trailer, {}), WT_Result::Unsupported_Opcode) << hex(body);
    }
}

}  // namespace

namespace {

// The look of each mark goes ahead of the markers, not of triangle strips.
TEST(W2dPolymarker, MarkerSizeAndSymbolPrecedeTheMarkers) {
    const auto draw = [](const WT_Drawable& drawable) {
        return body_of(write_stream([&](WT_Stream& s) {
            s.desired_attributes().set(WT_Marker_Size(20));
            s.desired_attributes().set(WT_Marker_Symbol(4));
            EXPECT_EQ(drawable.write(s), WT_Result::Success);
        }));
    };
    EXPECT_EQ(hex(draw(WT_Polymarker(Points{{1, 2}}))), hex("s" + le(20, 4) + "G 4\x8D\x01" + p16(1, 2)));
    EXPECT_EQ(hex(draw(WT_Polytriangle(Points{{1, 2}}))), hex("\x14\x01" + p16(1, 2)));
}

}  // namespace
