#include "memory_stream.h"

using namespace w2dtest;

namespace {

// What writing gives, byte for byte; misuse is refused with nothing written.
TEST(W2dDrawables, WrittenFormsAreByteExact) {
    WT_Text text({3, 4}, WT_String("Hi"));
    text.set_bounds(WT_Text::WT_Bounds{{{3, 4}, {13, 4}, {13, 9}, {3, 9}}});
    WT_Text underscored = text;
    underscored.set_underscore({0, 1});
    text.set_overscore({0, 1}), text.set_char_positions({5});
    const WT_Polyline line(Points{{0, 0}, {10, 0}});
    const WT_Polyline down(Points{{10, 0}, {10, 10}});
    const WT_Polyline back(Points{{10, 10}, {0, 10}});
    const std::string first = "\x0C" + p16(0, 0) + p16(10, 0);
    const WT_Image mapped(1, 2, WT_Image::Mapped, 1, WT_Color_Map({{1, 2, 3, 4}, {5, 6, 7, 8}}), {0, 1}, {0, 0},
                          {2, 1});
    const Body no_merging = [](WT_Stream& s) { s.options().set_allow_drawable_merging(false); };
    const Body transformed = [](WT_Stream& s) {
        ascii(s), s.options().set_apply_transform(true), s.options().set_transform({{100, 0}, 2.0, 1.0, 90.0});
    };
    const WT_Polyline turned(Points{{1, 1}, {2, 3}});
    const Body turned_only_in_the_output = [&](WT_Stream& s) {
        written(turned, s);
        EXPECT_EQ(turned.points(), (Points{{1, 1}, {2, 3}}));
    };
    WT_Text overscored({0, 0}, WT_String("no bounds"));
    overscored.set_overscore({1});
    WT_Text positioned({0, 0}, WT_String("p"));
    positioned.set_char_positions({1});
    WT_Line_Style style;
    style.set_pattern_scale(std::numeric_limits<double>::infinity());
    const Body old_ascii = [](WT_Stream& s) { ascii(s), s.options().set_target_version(55); };
    const auto usage = WT_Result::Usage_Error;
    const auto failed = WT_Result::Write_Failed;
    const auto internal = WT_Result::Internal_Error;
    const std::vector<uint8_t> byte = {0};
    const std::tuple<const char*, Body, Body, std::string> cases[] = {
        {"joined at the end, twice", {}, draw(line, down, back),
         "\x10\x04" + p16(0, 0) + p16(10, 0) + p16(0, 10) + p16(-10, 0)},
        {"not joined without merging", no_merging, draw(line, down, back),
         first + "\x0C" + p16(0, 0) + p16(0, 10) + "\x0C" + p16(0, 0) + p16(-10, 0)},
        {"joined at the start", {}, draw(line, WT_Polyline(Points{{0, 0}, {0, 10}})),
         "\x10\x03" + p16(0, 10) + p16(0, -10) + p16(10, 0)},
        {"joined end to end", {}, draw(line, WT_Polyline(Points{{5, 5}, {10, 0}})),
         "\x10\x03" + p16(0, 0) + p16(10, 0) + p16(-5, 5)},
        {"joined start to end", {}, draw(line, WT_Polyline(Points{{5, 5}, {0, 0}})),
         "\x10\x03" + p16(5, 5) + p16(-5, -5) + p16(10, 0)},
        {"apart", {}, draw(line, WT_Polyline(Points{{1, 1}, {2, 2}})), first + "\x0C" + p16(-9, 1) + p16(1, 1)},
        {"another object ends the pending one", {}, draw(line, WT_Fill(true)), first + "F"},
        {"colour between", {}, draw(line, desire(WT_Color(255, 0, 0, 255)), down),
         first + "\x03\xFF" + le16(0) + "\xFF\x0C" + p16(0, 0) + p16(0, 10)},
        {"fill on for a polygon, off for the next polyline", {},
         draw(WT_Polyline(Points{{0, 0}, {1, 0}, {1, 1}}), WT_Polygon(Points{{0, 0}, {2, 0}, {2, 2}}),
              WT_Polyline(Points{{5, 5}, {6, 5}, {6, 6}})),
         "\x10\x03" + p16(0, 0) + p16(1, 0) + p16(0, 1) + "F\x10\x03" + p16(-1, -1) + p16(2, 0) + p16(0, 2) +
             "f\x10\x03" + p16(3, 3) + p16(1, 0) + p16(0, 1)},
        // Merged with the fill on, two touching lines would read back as a polygon.
        {"filled lines are not merged", {}, draw(desire(WT_Fill(true)), line, down),
         "F" + first + "\x0C" + p16(0, 0) + p16(0, 10)},
        // A fill put in force by writing it still makes a point set a polygon.
        {"a polyline after a written fill", {}, draw(WT_Fill(true), WT_Polyline(Points{{0, 0}, {10, 0}, {10, 10}})),
         "Ff\x10\x03" + p16(0, 0) + p16(10, 0) + p16(0, 10)},
        {"line with a 40,000-unit jump", {}, draw(WT_Polyline(Points{{0, 0}, {40000, 0}})),
         "l" + p32(0, 0) + p32(40000, 0)},
        {"contour set", {},
         draw(WT_Contour_Set(std::vector<int32_t>{3, 3}, Points{{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}})),
         "\x0B\x02\x03\x03" + p16(0, 0) + p16(9, 0) + p16(0, 9) + p16(-8, -8) + p16(1, 0) + p16(0, 1)},
        {"outline circle", {}, draw(WT_Outline_Ellipse({5, 6}, 7, 7)), "\x12" + p16(5, 6) + le16(7)},
        {"largest 16-bit radius", {}, draw(WT_Outline_Ellipse({5, 6}, 65535, 65535)), "\x12" + p16(5, 6) + le16(65535)},
        {"filled wide circle, its fill desired but not yet current", {},
         draw(desire(WT_Fill(true)), WT_Filled_Ellipse({5, 6}, 70000, 70000)), "Fr" + p32(5, 6) + le32(70000)},
        {"arc", {}, draw(WT_Outline_Ellipse({1, 2}, 3, 3, 100, 200, 10)),
         "\x92" + p32(1, 2) + le32(3) + le16(110) + le16(210)},
        {"ellipse", {}, draw(WT_Outline_Ellipse({1, 2}, 4, 3)), "e" + p32(1, 2) + le32(4) + le32(3) + le(0, 6)},
        {"basic text", {}, draw(WT_Text({3, 4}, WT_String("Hi"))), "x" + p32(3, 4) + "'Hi'"},
        {"complex text", {}, draw(underscored),
         "\x18" + p32(3, 4) + "'Hi'\x01\x03\x01\x02" + p32(0, 0) + p32(10, 0) + p32(0, 5) + p32(-10, 0) + "\x01"},
        {"JPEG of 1,000 bytes", {},
         draw(WT_Image(2, 3, WT_Image::JPEG, 7, std::nullopt, std::vector<uint8_t>(1000, 0xAB), {0, 0}, {30, 20})),
         "{" + le32(1031) + le16(8) + le16(3) + le16(2) + p32(0, 0) + p32(30, 20) + le32(7) + le32(1000) +
             std::string(1000, '\xAB') + "}"},
        {"image of a one-colour map", {}, draw(WT_Image(1, 1, WT_Image::Mapped, 1, WT_Color_Map({{1, 2, 3, 4}}), {0},
                                                        {0, 0}, {1, 1})),
         "{" + le32(1 + 31 + 5) + le16(5) + le16(1) + le16(1) + p32(0, 0) + p32(1, 1) + le32(1) +
             "\x01\x01\x02\x03\x04" + le32(1) + le(0, 1) + "}"},
        {"mapped image", {}, draw(mapped),
         "{" + le32(2 + 31 + 9) + le16(5) + le16(2) + le16(1) + p32(0, 0) + p32(2, 1) + le32(1) +
             "\x02\x01\x02\x03\x04\x05\x06\x07\x08" + le32(2) + le16(0x100) + "}"},
        {"Pen user data", {}, draw(WT_UserData(WT_String("Pen"), {1, 2, 3, 4})),
         "{" + le32(16) + le16(354) + "'Pen'" + le32(4) + "\x01\x02\x03\x04}"},
        // The size counts the escapes the description is written with.
        {"user data named with escapes", {}, draw(WT_UserData(WT_String("it's a\\b"), {7})),
         "{" + le32(20) + le16(354) + "'it\\'s a\\\\b'" + le32(1) + "\x07}"},
        // The look of each mark goes ahead of the markers, not of triangle strips.
        {"marker size and symbol precede markers", {},
         draw(desire(WT_Marker_Size(20)), desire(WT_Marker_Symbol(4)), WT_Polymarker(Points{{1, 2}}),
              desire(WT_Marker_Size(21)), desire(WT_Marker_Symbol(5)), WT_Polytriangle(Points{{1, 2}})),
         "s" + le32(20) + "G 4\x8D\x01" + p16(1, 2) + "\x14\x01" + p16(0, 0)},
        {"ASCII line", ascii, draw(WT_Polyline(Points{{0, 0}, {-5, 7}})), "\r\n   L 0,0 -5,7\r\n"},
        // (x, y) turns to (-y, x), then x doubles and moves by 100.
        {"ASCII line transformed", transformed, turned_only_in_the_output, "\r\n   L 98,1 94,2\r\n"},
        {"ASCII polygon", ascii, draw(WT_Polygon(Points{{0, 0}, {1, 0}, {1, 1}})), "\r\nF\r\n   P 3 0,0 1,0 1,1\r\n"},
        {"ASCII contour set", ascii, draw(WT_Contour_Set(Points{{0, 0}, {1, 0}, {1, 1}})),
         "\r\n   (Contour 1 3 0,0 1,0 1,1)\r\n"},
        {"ASCII circle", ascii, draw(WT_Outline_Ellipse({1, 2}, 3, 3)), "\r\n   R 1,2 3\r\n"},
        {"ASCII arc", ascii, draw(WT_Outline_Ellipse({1, 2}, 3, 3, 10, 20, 5)), "\r\n   (Circle 1,2 3 15,25)\r\n"},
        {"ASCII ellipse", ascii, draw(WT_Outline_Ellipse({1, 2}, 4, 3)), "\r\n   E 1,2 4,3\r\n"},
        {"ASCII tilted ellipse", ascii, draw(WT_Outline_Ellipse({1, 2}, 4, 3, 0, 65536, 9)),
         "\r\n   (Ellipse 1,2 4,3 0,65536 9)\r\n"},
        {"ASCII text with options", ascii, draw(text),
         "\r\n   (Text 3,4 'Hi' (Overscore (2 0,1)) (Bounds 3,4 13,4 13,9 3,9) (CharPos (1 5)))\r\n"},
        {"ASCII PNG", ascii,
         draw(WT_PNG_Group4_Image(1, 1, WT_Image::PNG, 4, std::nullopt, {0x89, 0x50}, {0, 0}, {8, 8})),
         "\r\n   (Group4PNGImage 'PNG' 4 1,1 0,0 8,8 (2 \r\n\t8950))\r\n"},
        {"ASCII user data", ascii, draw(WT_UserData(WT_String("Pen"), {0x01, 0xFE})),
         "\r\n   (UserData 'Pen' 2 \r\n\t01FE )\r\n"},
        {"overscore without bounds", {}, refused(overscored, usage), ""},
        // Character positions have no place in the basic binary text form, nor
        // in streams older than 6.00, and a real no reader takes back is refused.
        {"character positions in basic text", {}, refused(positioned, usage), ""},
        {"character positions before 6.00", old_ascii, refused(positioned, usage), "\r\n"},
        {"ellipse end beyond the full turn", {}, refused(WT_Outline_Ellipse({0, 0}, 10, 5, 0, 100000), failed), ""},
        {"bitonal image without a map", {}, refused(WT_Image(1, 1, WT_Image::Bitonal_Mapped, 0, {}, byte, {}, {})), ""},
        {"PNG as a plain image", {}, refused(WT_Image(1, 1, WT_Image::PNG, 0, {}, byte, {}, {}), internal), ""},
        {"JPEG as a PNG image", {}, refused(WT_PNG_Group4_Image(1, 1, WT_Image::JPEG, 0, {}, byte, {}, {}), internal),
         ""},
        {"Group 4 image without its map", {},
         refused(WT_PNG_Group4_Image(1, 1, WT_Image::Group4X_Mapped, 0, {}, byte, {}, {}), failed), ""},
        // An empty point list has no form to be written in.
        {"empty triangle strip", {}, refused(WT_Polytriangle(Points{}), usage), ""},
        {"empty polymarker", ascii, refused(WT_Polymarker(Points{}), usage), "\r\n"},
    };
    for (const auto& [name, setup, body, expected] : cases) {
        EXPECT_EQ(hex(body_of(write_stream(body, setup))), hex(expected)) << name;
    }
    write_stream(refused(style, failed));  // an infinite pattern scale
}

// Triangle strips and polymarkers: a point set's list behind opcodes of their own, alike for both kinds.
template <class T>
void expect_point_list(const std::string& letter, const std::string& op32, const std::string& op16,
                       const std::string& other_letter) {
    SCOPED_TRACE(letter);
    const auto list = [](Points points) { return draw(T(std::move(points))); };
    const Points nine = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}};
    const std::tuple<const char*, Body, Body, std::string> writes[] = {
        {"16-bit", list({{0, 0}, {10, 0}, {5, 5}}), {}, op16 + "\x03" + p16(0, 0) + p16(10, 0) + p16(-5, 5)},
        {"one point", list({{7, -8}}), {}, op16 + "\x01" + p16(7, -8)},
        {"two points are no line", list({{1, 2}, {3, 4}}), {}, op16 + "\x02" + p16(1, 2) + p16(2, 2)},
        {"far later point widens all", list({{0, 0}, {1, 0}, {50000, 0}}), {},
         op32 + "\x03" + p32(0, 0) + p32(1, 0) + p32(49999, 0)},
        {"far first point moves the origin", list({{100000, 0}, {100010, 0}, {100010, 10}}), {},
         "O" + p32(100000, 0) + op16 + "\x03" + p16(0, 0) + p16(10, 0) + p16(0, 10)},
        {"two points too few to move the origin", list({{100000, 0}, {100001, 0}}), {},
         op32 + "\x02" + p32(100000, 0) + p32(1, 0)},
        {"pending polyline first", draw(WT_Polyline(Points{{0, 0}, {10, 0}}), T(Points{{10, 0}, {10, 10}})), {},
         "\x0C" + p16(0, 0) + p16(10, 0) + op16 + "\x02" + p16(0, 0) + p16(0, 10)},
        {"fill on as asked", draw(desire(WT_Fill(true)), T(Points{{1, 1}, {2, 1}, {2, 2}})), {},
         "F" + op16 + "\x03" + p16(1, 1) + p16(1, 0) + p16(0, 1)},
        {"fill left on after a polygon", draw(WT_Polygon(Points{{0, 0}, {2, 0}, {2, 2}}), T(Points{{1, 1}, {2, 1}})),
         {}, "F\x10\x03" + p16(0, 0) + p16(2, 0) + p16(0, 2) + op16 + "\x02" + p16(-1, -1) + p16(1, 0)},
        {"ASCII breaks after every fourth point", list(nine), ascii,
         "\r\n   " + letter + " 9 0,0 1,1 2,2 3,3\r\n       4,4 5,5 6,6 7,7\r\n       8,8\r\n"},
        {"ASCII points stay absolute", list({{100000, -3}, {100010, 0}}), ascii,
         "\r\n   " + letter + " 2 100000,-3 100010,0\r\n"},
    };
    for (const auto& [name, body, setup, expected] : writes) {
        EXPECT_EQ(hex(body_of(write_stream(body, setup))), hex(expected)) << name;
    }
    std::string counted = op16 + std::string("\x00\x01\x00", 3);  // 256 + 1 points
    Points steps;
    for (int index = 1; index <= 257; ++index) counted += p16(1, 0), steps.emplace_back(index, 0);
    const auto eof = WT_Result::End_Of_File;
    const auto corrupt = WT_Result::Corrupt_Data;
    const auto stream_end = WT_Result::End_Of_Stream;
    const std::tuple<const char*, std::string, WT_Result::Enum, std::vector<Points>> reads[] = {
        {"ASCII over lines and tabs", letter + "\t4 1,2\r\n -3,-4\n5, 6 +7,8", stream_end,
         {{{1, 2}, {-3, -4}, {5, 6}, {7, 8}}}},
        {"16-bit", op16 + "\x02" + p16(5, 5) + p16(-1, 2), stream_end, {{{5, 5}, {4, 7}}}},
        {"32-bit", op32 + "\x02" + p32(-70000, 3) + p32(140000, -1), stream_end, {{{-70000, 3}, {70000, 2}}}},
        {"after a set origin", "O" + p32(100000, 5) + op16 + "\x02" + p16(1, 1) + p16(2, 2), stream_end,
         {{{100001, 6}, {100003, 8}}}},
        {"count beyond one byte", counted, stream_end, {steps}},
        {"one after another", op32 + "\x01" + p32(4, 4) + op16 + "\x01" + p16(1, 1), stream_end, {{{4, 4}}, {{5, 5}}}},
        {"no points", letter + " 0", corrupt, {}}, {"negative count", letter + " -2 0,0", corrupt, {}},
        {"count beyond the input", op16 + std::string("\x00\xFF\xFF", 3) + p16(1, 1), eof, {}},
    };
    for (const auto& [name, body, result, expected] : reads) {
        for (const size_t perCall : {SIZE_MAX, size_t{1}}) {
            const Read_Log read = read_log(Header + body + "(EndOfDWF)", perCall);
            EXPECT_EQ(read.end, result) << name << " " << perCall;
            EXPECT_EQ(read.points, expected) << name << " " << perCall;
            EXPECT_EQ(read.drawables, std::vector<WT_Object::WT_ID>(expected.size(), T::ID)) << name;
        }
    }
    EXPECT_EQ(read_log(Header + op32 + "\x02" + p32(1, 1) + le16(1)).end, eof) << "points cut short";
    // The kind has a handler of its own, and no other kind's objects reach it.
    const auto stop = [](WT_Stream& s) {
        s.set_action<T>([](T&, WT_Stream&) { return WT_Result::Inconsistent_Data; });
    };
    EXPECT_EQ(read_log(Header + letter + " 1 0,0" + Trailer, SIZE_MAX, stop).end, WT_Result::Inconsistent_Data);
    EXPECT_EQ(read_log(Header + other_letter + " 1 0,0 P 3 0,0 1,0 1,1" + Trailer, SIZE_MAX, stop).end, stream_end);
}

TEST(W2dDrawables, PointListsAreWrittenAndReadByteExact) {
    expect_point_list<WT_Polytriangle>("T", "t", "\x14", "M");
    expect_point_list<WT_Polymarker>("M", "m", "\x8D", "T");
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
    return same_as<WT_Point_Set>(written, read) || same_as<WT_Contour_Set>(written, read) ||
           same_as<WT_Text>(written, read) || same_as<WT_Image>(written, read) || same_as<WT_UserData>(written, read);
}

bool is_drawable(const WT_Object& object) { return object.object_type() == WT_Object::Drawable; }

std::vector<std::shared_ptr<WT_Drawable>> every_drawable() {
    WT_Text complex({-3, 4}, WT_String(u"\u00c9t\u00e9"));
    complex.set_overscore({0, 2}), complex.set_underscore({1}), complex.set_char_positions({0, 300, 65535});
    complex.set_bounds(WT_Text::WT_Bounds{{{-3, 4}, {70000, 4}, {70000, 9}, {-3, 9}}});
    using std::make_shared;
    std::vector<std::shared_ptr<WT_Drawable>> all = {
        make_shared<WT_Polyline>(Points{{1, 2}, {3, 4}}), make_shared<WT_Polyline>(Points{{-100000, 2}, {300, 4}}),
        make_shared<WT_Polyline>(Points{{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}, {11, 12}}),
        make_shared<WT_Polyline>(Points{{1, 2}, {3, 4}, {500000, 6}}),
        make_shared<WT_Polygon>(Points{{0, 0}, {100, 0}, {100, 100}}),
        make_shared<WT_Polygon>(Points{{200000, 0}, {200100, 0}, {200100, 100}}),
        make_shared<WT_Contour_Set>(std::vector<int32_t>{3, 4},
                                    Points{{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}, {1, 2}}),
        make_shared<WT_Contour_Set>(Points{{0, 0}, {90000, 0}, {90000, 9}}),
        make_shared<WT_Filled_Ellipse>(WT_Logical_Point{5, 6}, 7, 7),
        make_shared<WT_Outline_Ellipse>(WT_Logical_Point{5, 6}, 70000, 70000),
        make_shared<WT_Outline_Ellipse>(WT_Logical_Point{5, 6}, 7, 7, 1000, 30000),
        make_shared<WT_Filled_Ellipse>(WT_Logical_Point{5, 6}, 9, 7),
        make_shared<WT_Outline_Ellipse>(WT_Logical_Point{-5, 6}, 9, 7, 10, 20000, 300),
        make_shared<WT_Text>(WT_Logical_Point{1, 1}, WT_String("it's (x)")), make_shared<WT_Text>(complex),
        make_shared<WT_UserData>(WT_String("Group"), std::vector<uint8_t>{0, 1, 2, 255}),
        make_shared<WT_UserData>(WT_String("it's"), std::vector<uint8_t>{}),
    };
    Points many;
    for (int index = 0; index < 300; ++index) many.emplace_back(index, index);
    for (const Points& points : {Points{{3, 4}}, Points{{1, 2}, {3, 4}}, Points{{0, 0}, {10, 0}, {5, 5}, {15, 5}},
                                 Points{{-100000, 2}, {-99000, 4}, {-99000, 400}}, Points{{1, 2}, {3, 4}, {500000, -6}},
                                 many}) {
        all.insert(all.end(), {make_shared<WT_Polytriangle>(points), make_shared<WT_Polymarker>(points)});
    }
    const WT_Color_Map map({{1, 2, 3, 4}, {9, 8, 7, 6}});
    const WT_Logical_Point minimum(1, 2);
    const WT_Logical_Point maximum(40, 30);
    for (const uint16_t format : {2, 3, 4, 5, 6, 7, 8, 9, 12, 13}) {
        const std::optional<WT_Color_Map> own = WT_Image::needs_color_map(format) ? std::optional(map) : std::nullopt;
        const std::vector<uint8_t> data(40 + format, static_cast<uint8_t>(format));
        if (format >= 9)
            all.push_back(make_shared<WT_PNG_Group4_Image>(3, 4, format, format, own, data, minimum, maximum));
        else
            all.push_back(make_shared<WT_Image>(3, 4, format, format, own, data, minimum, maximum));
    }
    return all;
}

// Each follows a line that leaves the current point away from the origin, which its first point is relative to.
TEST(W2dDrawables, EveryDrawableReadsBackEqualInBinaryAndAscii) {
    const WT_Polyline lead(Points{{-7, 9}, {70000, 9}});
    for (const bool binary : {true, false}) {
        for (const auto& drawable : every_drawable()) {
            const std::string bytes = write_stream(draw(lead, drawable.get()), data_form(binary));
            for (const size_t perCall : {SIZE_MAX, size_t{3}}) {
                const Kept read = read_kept(bytes, is_drawable, perCall);
                ASSERT_EQ(read.size(), 2u) << hex(bytes);
                EXPECT_TRUE(same_drawable(lead, *read[0])) << binary << " " << hex(bytes);
                EXPECT_TRUE(same_drawable(*drawable, *read[1])) << binary << " " << perCall << " " << hex(bytes);
            }
        }
    }
}

TEST(W2dDrawables, SetsBeyondTheCountEncodingFallBackToAscii) {
    Points points;
    for (int index = 0; index < 65792; ++index) points.emplace_back(index, index % 7);
    const std::shared_ptr<WT_Drawable> big[] = {std::make_shared<WT_Polyline>(points),
                                                std::make_shared<WT_Contour_Set>(points)};
    for (const auto& drawable : big) {
        const std::string bytes = write_stream(draw(drawable.get()));
        const bool line = drawable->object_id() == WT_Object::Polyline_ID;
        EXPECT_NE(bytes.find(line ? "P 65792 0,0 1,1" : "(Contour 1 65792 0,0"), std::string::npos);
        const Kept read = read_kept(bytes, is_drawable);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_TRUE(same_drawable(*drawable, *read[0]));
    }
}

// A pending drawable goes out before them.
TEST(W2dDrawables, UnknownObjectsAreWrittenBackAsRead) {
    const std::string mystery = "(Mystery 'a)' (b))";
    const std::string blob = extended(0x199, "xy");
    const Kept kept = read_kept(Header + mystery + blob + Trailer, of_kind(WT_Object::Unknown_ID));
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(body_of(write_stream(draw(WT_Polyline(Points{{0, 0}, {10, 0}}), kept[0].get(), kept[1].get()))),
              "\x0C" + p16(0, 0) + p16(10, 0) + mystery + blob);
}

}  // namespace
