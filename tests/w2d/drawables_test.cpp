#include <gtest/gtest.h>

#include <limits>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/image.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/text.h"
#include "w2d/user_data.h"

using testsupport::hex;
using w2dtest::body_of;
using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

using Points = std::vector<WT_Logical_Point>;

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (const int value : values) result.push_back(static_cast<char>(value));
    return result;
}
std::string le16(int value) { return bytes({value & 0xFF, (value >> 8) & 0xFF}); }
std::string le32(int64_t value) {
    return bytes({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 24) & 0xFF)});
}
std::string p16(int x, int y) { return le16(x) + le16(y); }
std::string p32(int64_t x, int64_t y) { return le32(x) + le32(y); }

std::string ascii_body(const std::function<void(WT_Stream&)>& body) {
    const std::string all = write_stream(body, [](WT_Stream& s) { s.options().set_allow_binary_data(false); });
    const std::string trailer = "(EndOfDWF)\r\n";
    return all.substr(12, all.size() - 12 - trailer.size());
}

TEST(W2dDrawables, BinaryFormsAreByteExact) {
    const WT_Color red(255, 0, 0, 255);
    const std::vector<uint8_t> jpeg(1000, 0xAB);
    const struct {
        const char* name;
        std::function<void(WT_Stream&)> body;
        std::string expected;
    } cases[] = {
        {"joined at the end",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {10, 0}}).write(s), WT_Polyline(Points{{10, 0}, {10, 10}}).write(s); },
         "\x10\x03" + p16(0, 0) + p16(10, 0) + p16(0, 10)},
        {"joined at the start",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {10, 0}}).write(s), WT_Polyline(Points{{0, 0}, {0, 10}}).write(s); },
         "\x10\x03" + p16(0, 10) + p16(0, -10) + p16(10, 0)},
        {"joined end to end",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {10, 0}}).write(s), WT_Polyline(Points{{5, 5}, {10, 0}}).write(s); },
         "\x10\x03" + p16(0, 0) + p16(10, 0) + p16(-5, 5)},
        {"joined start to end",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {10, 0}}).write(s), WT_Polyline(Points{{5, 5}, {0, 0}}).write(s); },
         "\x10\x03" + p16(5, 5) + p16(-5, -5) + p16(10, 0)},
        {"apart",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {10, 0}}).write(s), WT_Polyline(Points{{1, 1}, {2, 2}}).write(s); },
         "\x0C" + p16(0, 0) + p16(10, 0) + "\x0C" + p16(-9, 1) + p16(1, 1)},
        {"colour between",
         [&](WT_Stream& s) {
             WT_Polyline(Points{{0, 0}, {10, 0}}).write(s);
             s.desired_attributes().set(red);
             WT_Polyline(Points{{10, 0}, {10, 10}}).write(s);
         },
         "\x0C" + p16(0, 0) + p16(10, 0) + bytes({0x03, 255, 0, 0, 255}) + "\x0C" + p16(0, 0) + p16(0, 10)},
        {"fill on for a polygon, off for the next polyline",
         [](WT_Stream& s) {
             WT_Polyline(Points{{0, 0}, {1, 0}, {1, 1}}).write(s);
             WT_Polygon(Points{{0, 0}, {2, 0}, {2, 2}}).write(s);
             WT_Polyline(Points{{5, 5}, {6, 5}, {6, 6}}).write(s);
         },
         "\x10\x03" + p16(0, 0) + p16(1, 0) + p16(0, 1) + "F\x10\x03" + p16(-1, -1) + p16(2, 0) + p16(0, 2) +
             "f\x10\x03" + p16(3, 3) + p16(1, 0) + p16(0, 1)},
        {"line with a 40,000-unit jump", [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {40000, 0}}).write(s); },
         "l" + p32(0, 0) + p32(40000, 0)},
        {"far first point moves the origin",
         [](WT_Stream& s) { WT_Polyline(Points{{100000, 0}, {100010, 0}, {100010, 10}}).write(s); },
         "O" + p32(100000, 0) + "\x10\x03" + p16(0, 0) + p16(10, 0) + p16(0, 10)},
        {"far second point widens all",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {1, 0}, {50000, 0}}).write(s); },
         "p\x03" + p32(0, 0) + p32(1, 0) + p32(49999, 0)},
        {"contour set",
         [](WT_Stream& s) {
             WT_Contour_Set(std::vector<int32_t>{3, 3}, Points{{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}}).write(s);
         },
         "\x0B\x02\x03\x03" + p16(0, 0) + p16(9, 0) + p16(0, 9) + p16(-8, -8) + p16(1, 0) + p16(0, 1)},
        {"outline circle", [](WT_Stream& s) { WT_Outline_Ellipse({5, 6}, 7, 7).write(s); }, "\x12" + p16(5, 6) + le16(7)},
        {"filled wide circle", [](WT_Stream& s) { WT_Filled_Ellipse({5, 6}, 70000, 70000).write(s); },
         "Fr" + p32(5, 6) + le32(70000)},
        {"arc", [](WT_Stream& s) { WT_Outline_Ellipse({1, 2}, 3, 3, 100, 200, 10).write(s); },
         "\x92" + p32(1, 2) + le32(3) + le16(110) + le16(210)},
        {"ellipse", [](WT_Stream& s) { WT_Outline_Ellipse({1, 2}, 4, 3).write(s); },
         "e" + p32(1, 2) + le32(4) + le32(3) + le16(0) + le16(0) + le16(0)},
        {"basic text", [](WT_Stream& s) { WT_Text({3, 4}, WT_String("Hi")).write(s); }, "x" + p32(3, 4) + "'Hi'"},
        {"complex text",
         [](WT_Stream& s) {
             WT_Text text({3, 4}, WT_String("Hi"));
             text.set_bounds(WT_Text::WT_Bounds{{{3, 4}, {13, 4}, {13, 9}, {3, 9}}});
             text.set_underscore({0, 1});
             text.write(s);
         },
         "\x18" + p32(3, 4) + "'Hi'" + bytes({1, 3, 1, 2}) + p32(0, 0) + p32(10, 0) + p32(0, 5) + p32(-10, 0) +
             bytes({1})},
        {"JPEG of 1,000 bytes",
         [&](WT_Stream& s) { WT_Image(2, 3, WT_Image::JPEG, 7, std::nullopt, jpeg, {0, 0}, {30, 20}).write(s); },
         "{" + le32(1031) + le16(8) + le16(3) + le16(2) + p32(0, 0) + p32(30, 20) + le32(7) + le32(1000) +
             std::string(1000, '\xAB') + "}"},
        {"mapped image",
         [](WT_Stream& s) {
             WT_Image(1, 2, WT_Image::Mapped, 1, WT_Color_Map({{1, 2, 3, 4}, {5, 6, 7, 8}}), {0, 1}, {0, 0}, {2, 1}).write(s);
         },
         "{" + le32(2 + 31 + 9) + le16(5) + le16(2) + le16(1) + p32(0, 0) + p32(2, 1) + le32(1) +
             bytes({2, 1, 2, 3, 4, 5, 6, 7, 8}) + le32(2) + bytes({0, 1}) + "}"},
        {"Pen user data", [](WT_Stream& s) { WT_UserData(WT_String("Pen"), {1, 2, 3, 4}).write(s); },
         "{" + le32(16) + le16(354) + "'Pen'" + le32(4) + bytes({1, 2, 3, 4}) + "}"},
    };
    for (const auto& c : cases) EXPECT_EQ(hex(body_of(write_stream(c.body))), hex(c.expected)) << c.name;
}

TEST(W2dDrawables, AsciiFormsAreByteExact) {
    const struct {
        const char* name;
        std::function<void(WT_Stream&)> body;
        std::string expected;
    } cases[] = {
        {"line", [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {-5, 7}}).write(s); }, "\r\n   L 0,0 -5,7"},
        {"points break every fourth",
         [](WT_Stream& s) { WT_Polyline(Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}).write(s); },
         "\r\n   P 6 0,0 1,1 2,2 3,3\r\n       4,4 5,5"},
        {"polygon", [](WT_Stream& s) { WT_Polygon(Points{{0, 0}, {1, 0}, {1, 1}}).write(s); },
         "\r\nF\r\n   P 3 0,0 1,0 1,1"},
        {"contour set", [](WT_Stream& s) { WT_Contour_Set(Points{{0, 0}, {1, 0}, {1, 1}}).write(s); },
         "\r\n   (Contour 1 3 0,0 1,0 1,1)"},
        {"circle", [](WT_Stream& s) { WT_Outline_Ellipse({1, 2}, 3, 3).write(s); }, "\r\n   R 1,2 3"},
        {"arc", [](WT_Stream& s) { WT_Outline_Ellipse({1, 2}, 3, 3, 10, 20, 5).write(s); },
         "\r\n   (Circle 1,2 3 15,25)"},
        {"plain ellipse", [](WT_Stream& s) { WT_Outline_Ellipse({1, 2}, 4, 3).write(s); }, "\r\n   E 1,2 4,3"},
        {"tilted ellipse", [](WT_Stream& s) { WT_Outline_Ellipse({1, 2}, 4, 3, 0, 65536, 9).write(s); },
         "\r\n   (Ellipse 1,2 4,3 0,65536 9)"},
        {"text with options",
         [](WT_Stream& s) {
             WT_Text text({3, 4}, WT_String("Hi"));
             text.set_overscore({0, 1});
             text.set_bounds(WT_Text::WT_Bounds{{{3, 4}, {13, 4}, {13, 9}, {3, 9}}});
             text.set_char_positions({5});
             text.write(s);
         },
         "\r\n   (Text 3,4 'Hi' (Overscore (2 0,1)) (Bounds 3,4 13,4 13,9 3,9) (CharPos (1 5)))"},
        {"PNG", [](WT_Stream& s) { WT_PNG_Group4_Image(1, 1, WT_Image::PNG, 4, std::nullopt, {0x89, 0x50}, {0, 0}, {8, 8}).write(s); },
         "\r\n   (Group4PNGImage 'PNG' 4 1,1 0,0 8,8 (2 \r\n\t8950))"},
        {"user data", [](WT_Stream& s) { WT_UserData(WT_String("Pen"), {0x01, 0xFE}).write(s); },
         "\r\n   (UserData 'Pen' 2 \r\n\t01FE )"},
    };
    for (const auto& c : cases) EXPECT_EQ(ascii_body(c.body), c.expected + "\r\n") << c.name;
}

TEST(W2dDrawables, MisuseIsRefused) {
    WT_Result::Enum result = WT_Result::Success;
    write_stream([&](WT_Stream& s) {
        WT_Text text({0, 0}, WT_String("no bounds"));
        text.set_overscore({1});
        result = text.write(s);
    });
    EXPECT_EQ(result, WT_Result::Usage_Error);
    // Character positions have no place in the basic binary text form, nor
    // in streams older than 6.00, and a real no reader takes back is refused.
    WT_Text positioned({0, 0}, WT_String("p"));
    positioned.set_char_positions({1});
    write_stream([&](WT_Stream& s) { result = positioned.write(s); });
    EXPECT_EQ(result, WT_Result::Usage_Error);
    write_stream([&](WT_Stream& s) { result = positioned.write(s); },
                 [](WT_Stream& s) {
                     s.options().set_allow_binary_data(false);
                     s.options().set_target_version(55);
                 });
    EXPECT_EQ(result, WT_Result::Usage_Error);
    write_stream([&](WT_Stream& s) { result = WT_Outline_Ellipse({0, 0}, 10, 5, 0, 100000).write(s); });
    EXPECT_EQ(result, WT_Result::Write_Failed) << "an end beyond the full turn";
    WT_Line_Style style;
    style.set_pattern_scale(std::numeric_limits<double>::infinity());
    write_stream([&](WT_Stream& s) { result = style.write(s); });
    EXPECT_EQ(result, WT_Result::Write_Failed);
    const struct {
        std::shared_ptr<WT_Image> image;
        WT_Result::Enum result;
    } images[] = {
        {std::make_shared<WT_Image>(1, 1, WT_Image::Bitonal_Mapped, 0, std::nullopt, std::vector<uint8_t>{0},
                                    WT_Logical_Point(), WT_Logical_Point()),
         WT_Result::Write_Failed},
        {std::make_shared<WT_Image>(1, 1, WT_Image::PNG, 0, std::nullopt, std::vector<uint8_t>{0}, WT_Logical_Point(),
                                    WT_Logical_Point()),
         WT_Result::Internal_Error},
        {std::make_shared<WT_PNG_Group4_Image>(1, 1, WT_Image::JPEG, 0, std::nullopt, std::vector<uint8_t>{0},
                                               WT_Logical_Point(), WT_Logical_Point()),
         WT_Result::Internal_Error},
        {std::make_shared<WT_PNG_Group4_Image>(1, 1, WT_Image::Group4X_Mapped, 0, std::nullopt,
                                               std::vector<uint8_t>{0}, WT_Logical_Point(), WT_Logical_Point()),
         WT_Result::Write_Failed},
    };
    for (const auto& c : images) {
        write_stream([&](WT_Stream& s) { result = c.image->write(s); });
        EXPECT_EQ(result, c.result) << c.image->format();
    }
}

// The drawables read from `bytes`, kept beyond the next read.
std::vector<std::unique_ptr<WT_Object>> drawables_of(const std::string& bytes, WT_Result::Enum& end,
                                                     size_t perCall = SIZE_MAX) {
    std::vector<std::unique_ptr<WT_Object>> kept;
    end = read_stream(
        bytes,
        [&kept](WT_Stream& s) {
            if (s.current_object()->object_type() == WT_Object::Drawable) kept.push_back(s.take_current_object());
        },
        perCall);
    return kept;
}

template <class T>
bool same_as(const WT_Object& written, const WT_Object& read) {
    const auto* a = dynamic_cast<const T*>(&written);
    const auto* b = dynamic_cast<const T*>(&read);
    return a != nullptr && b != nullptr && *a == *b;
}

bool same_drawable(const WT_Object& written, const WT_Object& read) {
    if (written.object_id() != read.object_id()) return false;
    if (const auto* a = dynamic_cast<const WT_Ellipse*>(&written))
        return a->same_shape(dynamic_cast<const WT_Ellipse&>(read));
    return same_as<WT_Polyline>(written, read) || same_as<WT_Polygon>(written, read) ||
           same_as<WT_Contour_Set>(written, read) || same_as<WT_Text>(written, read) ||
           same_as<WT_Image>(written, read) || same_as<WT_UserData>(written, read);
}

std::vector<std::shared_ptr<WT_Drawable>> every_drawable() {
    WT_Text complex({-3, 4}, WT_String(u"\u00c9t\u00e9"));
    complex.set_overscore({0, 2});
    complex.set_underscore({1});
    complex.set_bounds(WT_Text::WT_Bounds{{{-3, 4}, {70000, 4}, {70000, 9}, {-3, 9}}});
    complex.set_char_positions({0, 300, 65535});
    const WT_Color_Map map({{1, 2, 3, 4}, {9, 8, 7, 6}});
    std::vector<std::shared_ptr<WT_Drawable>> all = {
        std::make_shared<WT_Polyline>(Points{{1, 2}, {3, 4}}),
        std::make_shared<WT_Polyline>(Points{{-100000, 2}, {300, 4}}),
        std::make_shared<WT_Polyline>(Points{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}),
        std::make_shared<WT_Polyline>(Points{{1, 2}, {3, 4}, {500000, 6}}),
        std::make_shared<WT_Polygon>(Points{{0, 0}, {100, 0}, {100, 100}}),
        std::make_shared<WT_Polygon>(Points{{200000, 0}, {200100, 0}, {200100, 100}}),
        std::make_shared<WT_Contour_Set>(std::vector<int32_t>{3, 4},
                                         Points{{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}, {1, 2}}),
        std::make_shared<WT_Contour_Set>(Points{{0, 0}, {90000, 0}, {90000, 9}}),
        std::make_shared<WT_Filled_Ellipse>(WT_Logical_Point{5, 6}, 7, 7),
        std::make_shared<WT_Outline_Ellipse>(WT_Logical_Point{5, 6}, 70000, 70000),
        std::make_shared<WT_Outline_Ellipse>(WT_Logical_Point{5, 6}, 7, 7, 1000, 30000),
        std::make_shared<WT_Filled_Ellipse>(WT_Logical_Point{5, 6}, 9, 7),
        std::make_shared<WT_Outline_Ellipse>(WT_Logical_Point{-5, 6}, 9, 7, 10, 20000, 300),
        std::make_shared<WT_Text>(WT_Logical_Point{1, 1}, WT_String("it's (x)")),
        std::make_shared<WT_Text>(complex),
        std::make_shared<WT_UserData>(WT_String("Group"), std::vector<uint8_t>{0, 1, 2, 255}),
        std::make_shared<WT_UserData>(WT_String("it's"), std::vector<uint8_t>{}),
    };
    const uint16_t formats[] = {2, 3, 4, 5, 6, 7, 8, 9, 12, 13};
    for (const uint16_t format : formats) {
        const std::optional<WT_Color_Map> own = WT_Image::needs_color_map(format) ? std::optional(map) : std::nullopt;
        const std::vector<uint8_t> data(static_cast<size_t>(40 + format), static_cast<uint8_t>(format));
        if (format >= 9)
            all.push_back(std::make_shared<WT_PNG_Group4_Image>(3, 4, format, format, own, data, WT_Logical_Point{1, 2},
                                                                WT_Logical_Point{40, 30}));
        else
            all.push_back(std::make_shared<WT_Image>(3, 4, format, format, own, data, WT_Logical_Point{1, 2},
                                                     WT_Logical_Point{40, 30}));
    }
    return all;
}

TEST(W2dDrawables, EveryDrawableReadsBackEqualInBinaryAndAscii) {
    for (const bool binary : {true, false}) {
        for (const auto& drawable : every_drawable()) {
            const std::string bytes = write_stream([&](WT_Stream& s) { ASSERT_EQ(drawable->write(s), WT_Result::Success); },
                                                   [&](WT_Stream& s) { s.options().set_allow_binary_data(binary); });
            WT_Result::Enum end = WT_Result::Success;
            const auto read = drawables_of(bytes, end);
            EXPECT_EQ(end, WT_Result::End_Of_Stream) << hex(bytes);
            ASSERT_EQ(read.size(), 1u) << hex(bytes);
            EXPECT_TRUE(same_drawable(*drawable, *read[0])) << binary << " " << hex(bytes);
            WT_Result::Enum dripped_end = WT_Result::Success;
            const auto dripped = drawables_of(bytes, dripped_end, 3);
            EXPECT_EQ(dripped_end, end);
            ASSERT_EQ(dripped.size(), 1u);
            EXPECT_TRUE(same_drawable(*drawable, *dripped[0])) << binary << " " << hex(bytes);
        }
    }
}

TEST(W2dDrawables, SetsBeyondTheCountEncodingFallBackToAscii) {
    Points points;
    for (int index = 0; index < 65792; ++index) points.emplace_back(index, index % 7);
    const std::vector<std::shared_ptr<WT_Drawable>> big = {std::make_shared<WT_Polyline>(points),
                                                           std::make_shared<WT_Contour_Set>(points)};
    for (const auto& drawable : big) {
        const std::string bytes = write_stream([&](WT_Stream& s) { drawable->write(s); });
        EXPECT_NE(bytes.find(drawable->object_id() == WT_Object::Polyline_ID ? "P 65792 0,0 1,1" : "(Contour 1 65792 0,0"),
                  std::string::npos);
        WT_Result::Enum end = WT_Result::Success;
        const auto read = drawables_of(bytes, end);
        EXPECT_EQ(end, WT_Result::End_Of_Stream);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_TRUE(same_drawable(*drawable, *read[0]));
    }
}

TEST(W2dDrawables, HandWrittenStreamsReadByTheFill) {
    const std::string header = "(W2D V06.00)";
    const std::string trailer = "(EndOfDWF)";
    const struct {
        std::string body;
        std::vector<WT_Object::WT_ID> ids;
    } cases[] = {
        {"P 3 0,0 1,0 1,1 F P 3 0,0 1,0 1,1 L 0,0 1,1", {WT_Object::Polyline_ID, WT_Object::Polygon_ID, WT_Object::Polyline_ID}},
        {"R 0,0 5 (Circle 0,0 5 0,100) F E 1,1 2,3 (Ellipse 1,1 2,3 0,65536 0)",
         {WT_Object::Outline_Ellipse_ID, WT_Object::Outline_Ellipse_ID, WT_Object::Filled_Ellipse_ID,
          WT_Object::Filled_Ellipse_ID}},
        {"(Text 1,2 hello (Mystery (x)) (Bounds 0,0 1,0 1,1 0,1)) (UserData Pen 1 AB)", {WT_Object::Text_ID, WT_Object::UserData_ID}},
        {"O" + p32(100000, 5) + "\x0C" + p16(1, 1) + p16(2, 2), {WT_Object::Polyline_ID}},
    };
    for (const auto& c : cases) {
        WT_Result::Enum end = WT_Result::Success;
        std::vector<WT_Object::WT_ID> ids;
        for (const auto& object : drawables_of(header + c.body + trailer, end)) ids.push_back(object->object_id());
        EXPECT_EQ(end, WT_Result::End_Of_Stream) << c.body;
        EXPECT_EQ(ids, c.ids) << c.body;
    }
    WT_Result::Enum end = WT_Result::Success;
    const auto line = drawables_of(header + "O" + p32(100000, 5) + "\x0C" + p16(1, 1) + p16(2, 2) + trailer, end);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(dynamic_cast<const WT_Polyline&>(*line[0]).points(), (Points{{100001, 6}, {100003, 8}}));
}

}  // namespace

namespace {

TEST(W2dDrawables, TransformAppliesToWrittenPointsOnly) {
    WT_Transform transform;
    transform.m_translate = WT_Logical_Point(100, 0);
    transform.m_x_scale = 2.0;
    transform.m_rotation = 90.0;
    const WT_Polyline line(Points{{1, 1}, {2, 3}});
    const std::string all = write_stream([&](WT_Stream& s) { line.write(s); },
                                         [&](WT_Stream& s) {
                                             s.options().set_allow_binary_data(false);
                                             s.options().set_apply_transform(true);
                                             s.options().set_transform(transform);
                                         });
    // (x, y) turns to (-y, x), then x doubles and moves by 100.
    EXPECT_NE(all.find("L 98,1 94,2"), std::string::npos) << all;
    EXPECT_EQ(line.points(), (Points{{1, 1}, {2, 3}}));
}

TEST(W2dDrawables, FilledLinesAreNotMergedIntoPolygons) {
    // With the fill on, two touching lines merged into one point set would
    // read back as a polygon.
    const std::string bytes = body_of(write_stream([](WT_Stream& s) {
        s.desired_attributes().set(WT_Fill(true));
        WT_Polyline(Points{{0, 0}, {10, 0}}).write(s);
        WT_Polyline(Points{{10, 0}, {10, 10}}).write(s);
    }));
    EXPECT_EQ(hex(bytes), hex("F\x0C" + p16(0, 0) + p16(10, 0) + "\x0C" + p16(0, 0) + p16(0, 10)));
}

// A fill put in force by writing it, not by desiring it, still makes a
// point set a polygon to the reader: the polyline switches it off.
TEST(W2dDrawables, APolylineAfterAWrittenFillSwitchesItOff) {
    const std::string bytes = body_of(write_stream([](WT_Stream& s) {
        WT_Fill(true).write(s);
        WT_Polyline(Points{{0, 0}, {10, 0}, {10, 10}}).write(s);
    }));
    EXPECT_EQ(hex(bytes), hex("Ff\x10\x03" + p16(0, 0) + p16(10, 0) + p16(0, 10)));
}

}  // namespace
