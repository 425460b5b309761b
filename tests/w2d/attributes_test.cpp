#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/polyline.h"

using testsupport::hex;
using w2dtest::body_of;
using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

const std::string Header = "(W2D V06.00)";
const std::string Trailer = "(EndOfDWF)\r\n";

void ascii_output(WT_Stream& stream) { stream.options().set_allow_binary_data(false); }

WT_Contour_Set square(int32_t size) {
    return WT_Contour_Set(std::vector<WT_Logical_Point>{{0, 0}, {size, 0}, {size, size}, {0, size}});
}

// One attribute of every kind, each away from its default.
std::vector<std::shared_ptr<WT_Attribute>> every_attribute() {
    WT_Line_Style style;
    style.set_adapt_patterns(true);
    style.set_pattern_scale(2.5);
    style.set_line_join(WT_Line_Style::Diamond_Join);
    style.set_dash_start_cap(WT_Line_Style::Square_Cap);
    style.set_dash_end_cap(WT_Line_Style::Round_Cap);
    style.set_line_start_cap(WT_Line_Style::Diamond_Cap);
    style.set_line_end_cap(WT_Line_Style::Round_Cap);
    style.set_miter_angle(30);
    style.set_miter_length(7);
    WT_Font font;
    font.set_name(WT_String("Times New Roman"));
    font.set_charset(204);
    font.set_pitch(1);
    font.set_family(7);
    font.set_style(WT_Font::Bold | WT_Font::Underlined);
    font.set_height(-1234);
    font.set_rotation(16384);
    font.set_width_scale(900);
    font.set_spacing(1100);
    font.set_oblique(12);
    font.set_flags(8192);
    WT_Font unicode_font;
    unicode_font.set_name(WT_String(u"\u0160rift"));
    WT_Units::WT_Matrix matrix{};
    matrix[0] = 0.5;
    matrix[15] = 1;
    return {
        std::make_shared<WT_Color>(10, 20, 30, 40),
        std::make_shared<WT_Color>(5, WT_Color_Map()),
        std::make_shared<WT_Color_Map>(std::vector<WT_RGBA32>{{1, 2, 3, 4}, {5, 6, 7, 8}}),
        std::make_shared<WT_Fill>(true),
        std::make_shared<WT_Visibility>(false),
        std::make_shared<WT_Line_Weight>(-77),
        std::make_shared<WT_Line_Style>(style),
        std::make_shared<WT_Font>(font),
        std::make_shared<WT_Font>(unicode_font),
        std::make_shared<WT_Viewport>(WT_String("Clip"), square(100)),
        std::make_shared<WT_Viewport>(WT_String("named only"), WT_Contour_Set()),
        std::make_shared<WT_Viewport>(WT_String(u"\u00c9t\u00e9"), square(5), WT_Units(WT_String("mm"), matrix)),
        std::make_shared<WT_Layer>(3, WT_String("walls and doors")),
        std::make_shared<WT_Code_Page>(1251),
        std::make_shared<WT_Marker_Size>(99),
        std::make_shared<WT_Marker_Symbol>(4),
        std::make_shared<WT_Line_Pattern>(WT_Line_Pattern::ISO_Dash_Dot),
        std::make_shared<WT_Dash_Pattern>(101, std::vector<int32_t>{10, 5, 2, 5}),
        std::make_shared<WT_Fill_Pattern>(WT_Fill_Pattern::Slant_Left, 0.25),
        std::make_shared<WT_Merge_Control>(WT_Merge_Control::Transparent),
        std::make_shared<WT_URL>(std::vector<WT_URL_Item>{{1, WT_String("http://x/y"), WT_String("it's here")},
                                                          {2, WT_String("b"), WT_String("")}}),
        std::make_shared<WT_Pen_Pattern>(12),
        std::make_shared<WT_Font_Extension>(WT_String("Arial Narrow"), WT_String("ArialN")),
        std::make_shared<WT_Object_Node>(7, WT_String("")),
        std::make_shared<WT_Object_Node>(70000, WT_String("")),
        std::make_shared<WT_Object_Node>(-3, WT_String("node name")),
        std::make_shared<WT_Units>(WT_String("ft"), matrix),
    };
}

TEST(W2dAttributes, EveryAttributeReadsBackEqualInBinaryAndAscii) {
    for (const bool binary : {true, false}) {
        for (const auto& attribute : every_attribute()) {
            const std::string bytes = write_stream([&](WT_Stream& s) { EXPECT_EQ(attribute->write(s), 0); },
                                                   [&](WT_Stream& s) { s.options().set_allow_binary_data(binary); });
            int matches = 0;
            const WT_Result::Enum end = read_stream(bytes, [&](WT_Stream& s) {
                if (s.current_object()->object_id() != attribute->object_id()) return;
                ++matches;
                EXPECT_TRUE(attribute->equals(static_cast<WT_Attribute&>(*s.current_object())))
                    << binary << " " << bytes;
            });
            EXPECT_EQ(end, WT_Result::End_Of_Stream) << bytes;
            EXPECT_EQ(matches, 1) << bytes;
        }
    }
}

TEST(W2dAttributes, BinaryAndAsciiFormsAreByteExact) {
    const struct {
        std::shared_ptr<WT_Attribute> attribute;
        std::string binary;
        const char* ascii;
    } cases[] = {
        {std::make_shared<WT_Color>(255, 0, 0, 128), std::string("\x03\xFF\x00\x00\x80", 5), "\r\n(Color 255,0,0,128)"},
        {std::make_shared<WT_Color>(5, WT_Color_Map()), "c\x05", "\r\nC 5"},
        {std::make_shared<WT_Fill>(true), "F", "\r\nF"},
        {std::make_shared<WT_Visibility>(false), "v", "\r\nv"},
        {std::make_shared<WT_Line_Weight>(300), std::string("\x17\x2C\x01\x00\x00", 5), "\r\n(LineWeight 300)"},
        {std::make_shared<WT_Marker_Size>(2), std::string("s\x02\x00\x00\x00", 5), "\r\nS 2"},
        {std::make_shared<WT_Marker_Symbol>(12), "G 12", "\r\nG 12"},
        {std::make_shared<WT_Line_Pattern>(WT_Line_Pattern::Dashed), "\xCC\x02", "\r\n(LinePattern 'Dashed')"},
        {std::make_shared<WT_Pen_Pattern>(3), std::string("{\x07\x00\x00\x00\x64\x01\x03\x00\x00\x00}", 12),
         "\r\n(PenPattern 3)"},
        {std::make_shared<WT_Code_Page>(932), "(CodePage 932)", "\r\n(CodePage 932)"},
        {std::make_shared<WT_Merge_Control>(WT_Merge_Control::Merge), "(LinesOverwrite 'merge')",
         "\r\n(LinesOverwrite 'merge')"},
        {std::make_shared<WT_Layer>(2, WT_String("two")), "(Layer 2 two)", "\r\n(Layer 2 two)"},
        {std::make_shared<WT_Object_Node>(1, WT_String("")), "\x0E", "\r\n(Node 1 '')"},
        {std::make_shared<WT_Object_Node>(-5, WT_String("")), std::string("n\xFB\xFF", 3), "\r\n(Node -5 '')"},
        {std::make_shared<WT_Dash_Pattern>(3, std::vector<int32_t>{4, 2}), "(DashPattern 3 4,2)",
         "\r\n(DashPattern 3 4,2)"},
        {std::make_shared<WT_Fill_Pattern>(WT_Fill_Pattern::Square_Dots, 2.0),
         "(FillPattern 'Square Dots' (FillPatternScale 2))", "\r\n(FillPattern 'Square Dots' (FillPatternScale 2))"},
        {std::make_shared<WT_Font_Extension>(WT_String("a"), WT_String("b c")), "(FontExtension 'a' 'b c')",
         "\r\n(FontExtension 'a' 'b c')"},
        {std::make_shared<WT_URL>(std::vector<WT_URL_Item>{{4, WT_String("u"), WT_String("f")}}), "(URL (4 'u' 'f'))",
         "\r\n(URL (4 'u' 'f'))"},
    };
    for (const auto& c : cases) {
        const std::string binary = body_of(write_stream([&](WT_Stream& s) { EXPECT_EQ(c.attribute->write(s), 0); }));
        EXPECT_EQ(hex(binary), hex(c.binary)) << c.ascii;
        const std::string ascii = write_stream([&](WT_Stream& s) { EXPECT_EQ(c.attribute->write(s), 0); }, ascii_output);
        EXPECT_EQ(ascii, Header + c.ascii + "\r\n" + Trailer);
    }
}

TEST(W2dAttributes, SameColourTwiceWritesOneOpcodeAndTheCurrentOneNone) {
    const std::string bytes = body_of(write_stream([](WT_Stream& s) {
        s.desired_attributes().set(WT_Color(255, 0, 0));
        s.desired_attributes().set(WT_Color(255, 0, 0));
        EXPECT_EQ(s.sync_attributes(0x2FA53F), 0);
        EXPECT_EQ(s.sync_attributes(0x2FA53F), 0);
        s.desired_attributes().set(WT_Color(255, 0, 0));
        EXPECT_EQ(s.sync_attributes(0x2FA53F), 0);
        // Outside the mask: marked, but not written.
        s.desired_attributes().set(WT_Color(0, 0, 255));
        EXPECT_EQ(s.sync_attributes(0x2), 0);
    }));
    EXPECT_EQ(hex(bytes), "03FF0000FF");
}

TEST(W2dAttributes, FontChangeOfOnlyTheHeightCarriesMask0x20) {
    const auto height_only = [](WT_Stream& s) {
        WT_Font font;
        font.set_height(2000);
        s.desired_attributes().set(font);
        EXPECT_EQ(s.sync_attributes(WT_Attribute_Set::Font_Bit), 0);
    };
    EXPECT_EQ(hex(body_of(write_stream(height_only))), "062000D0070000");
    EXPECT_EQ(write_stream(height_only, ascii_output), Header + "\r\n(Font (Height 2000))\r\n" + Trailer);
}

TEST(W2dAttributes, LineStyleOptionsWaitForAPositiveWeight) {
    const auto round_style = [](WT_Stream& s) {
        WT_Line_Style style;
        style.set_line_join(WT_Line_Style::Round_Join);
        style.set_line_start_cap(WT_Line_Style::Round_Cap);
        style.set_line_end_cap(WT_Line_Style::Round_Cap);
        s.desired_attributes().set(style);
        EXPECT_EQ(s.sync_attributes(0x2FA53F), 0);
        EXPECT_EQ(s.current_attributes().line_style().defined(), 0u);
        s.desired_attributes().set(WT_Line_Weight(50));
        EXPECT_EQ(s.sync_attributes(0x2FA53F), 0);
        EXPECT_EQ(s.sync_attributes(0x2FA53F), 0);
    };
    EXPECT_EQ(body_of(write_stream(round_style)),
              std::string("\x17\x32\x00\x00\x00", 5) +
                  "(LineStyle (LineJoin round) (LineStartCap round) (LineEndCap round))");
    EXPECT_EQ(write_stream(round_style, ascii_output),
              Header + "\r\n(LineWeight 50)\r\n(LineStyle\r\n (LineJoin round)\r\n (LineStartCap round)\r\n"
                       " (LineEndCap round))\r\n" + Trailer);
}

TEST(W2dAttributes, ViewportIsAsciiInsideBinaryStreams) {
    const std::string bytes = body_of(write_stream([](WT_Stream& s) {
        s.desired_attributes().set(WT_Fill(true));
        s.desired_attributes().set(WT_Viewport(WT_String("Clip"), square(100)));
        EXPECT_EQ(s.sync_attributes(0x2F210F), 0);
        EXPECT_TRUE(s.options().allow_binary_data());
        EXPECT_EQ(WT_Line_Weight(1).write(s), 0);
    }));
    EXPECT_EQ(bytes, "F\r\n(Viewport Clip (Contour 1 4 0,0 100,0 100,100 0,100) )" +
                         std::string("\x17\x01\x00\x00\x00", 5));
}

// Units are written only when they change, and a viewport read without
// them keeps those in force.
TEST(W2dAttributes, ViewportUnitsGoOnUntilTheyChange) {
    WT_Units::WT_Matrix half{};
    half[0] = 0.5;
    const WT_Viewport scaled(WT_String(""), WT_Contour_Set(), WT_Units(WT_String("mm"), half));
    const std::string written = write_stream([&](WT_Stream& s) {
        EXPECT_EQ(scaled.write(s), 0);
        EXPECT_EQ(scaled.write(s), 0);
    });
    EXPECT_EQ(std::count(written.begin(), written.end(), 'U'), 1) << written;
    int read = 0;
    read_stream(written, [&](WT_Stream& s) {
        if (s.current_object()->object_id() != WT_Object::Viewport_ID) return;
        ++read;
        EXPECT_TRUE(scaled.equals(static_cast<WT_Attribute&>(*s.current_object()))) << read;
    });
    EXPECT_EQ(read, 2);
}

TEST(W2dAttributes, ReadingNamesAndNumbersOfFontFields) {
    const struct {
        const char* font;
        WT_Result::Enum result;
        int family;
        int charset;
    } cases[] = {
        {"(Font (Family 7))", WT_Result::End_Of_Stream, 7, 0},
        {"(Font (Family swiss) (Charset RUSSIAN))", WT_Result::End_Of_Stream, 32, 204},
        {"(Font (Charset 255))", WT_Result::End_Of_Stream, 16, 255},
        {"(Font (Charset 300))", WT_Result::Corrupt_Data, 16, 0},
        {"(Font (Charset russian))", WT_Result::Corrupt_Data, 16, 0},
        {"(Font (Pitch 1x))", WT_Result::Corrupt_Data, 16, 0},
        {"(Font (Style bold heavy))", WT_Result::Corrupt_Data, 16, 0},
        {"(Font (Kerning 3) (Family 48))", WT_Result::End_Of_Stream, 48, 0},
    };
    for (const auto& c : cases) {
        WT_Font font;
        const WT_Result::Enum end = read_stream(Header + c.font + Trailer, [&font](WT_Stream& s) {
            font = s.current_attributes().font();
        });
        EXPECT_EQ(end, c.result) << c.font;
        EXPECT_EQ(font.family(), c.family) << c.font;
        EXPECT_EQ(font.charset(), c.charset) << c.font;
    }
}

TEST(W2dAttributes, ReadingLineStyleAndColourValues) {
    const struct {
        const char* body;
        WT_Result::Enum result;
    } cases[] = {
        {"(LineStyle (AdaptPatterns TRUE) (MiterAngle 65535))", WT_Result::End_Of_Stream},
        {"(LineStyle (LineStartCap rounded))", WT_Result::Corrupt_Data},
        {"(LineStyle (AdaptPatterns yes))", WT_Result::Corrupt_Data},
        {"(LineStyle (MiterLength 65536))", WT_Result::Corrupt_Data},
        {"(LineStyle (FutureOption (a b)) (LineJoin bevel))", WT_Result::End_Of_Stream},
        {"(Color 1,2,3)", WT_Result::Corrupt_Data},
        {"(Color 1,2,3,256)", WT_Result::Corrupt_Data},
        {"C 255", WT_Result::End_Of_Stream},
        {"C 256", WT_Result::Corrupt_Data},  // the map has no such entry
        {"(ColorMap 0)", WT_Result::Corrupt_Data},
        {"(LinePattern 'Wavy')", WT_Result::Corrupt_Data},
        {"(LinesOverwrite merge)", WT_Result::End_Of_Stream},
    };
    for (const auto& c : cases) EXPECT_EQ(read_stream(Header + c.body + Trailer, {}), c.result) << c.body;
}

TEST(W2dAttributes, IndexedColoursUseAndGrowTheColourMap) {
    const std::string bytes = body_of(write_stream([](WT_Stream& s) {
        EXPECT_EQ(WT_Color(WT_RGBA32(51, 102, 153), WT_Color::Search_Map).write(s), 0);
        s.desired_attributes().set(WT_Color_Map(std::vector<WT_RGBA32>{{1, 1, 1}}));
        EXPECT_EQ(s.sync_attributes(WT_Attribute_Set::Color_Map_Bit), 0);
        EXPECT_EQ(WT_Color(WT_RGBA32(2, 2, 2), WT_Color::Search_Map_Or_Add).write(s), 0);
    }));
    const std::string map1 = std::string("{\x08\x00\x00\x00\x01\x00\x01\x01\x01\x01\xFF}", 13);
    const std::string map2 = std::string("{\x0C\x00\x00\x00\x01\x00\x02\x01\x01\x01\xFF\x02\x02\x02\xFF}", 17);
    // 51,102,153 sits in the default cube at 36 + 12 + 3.
    EXPECT_EQ(bytes, "c\x33" + map1 + map2 + "c\x01");
    const std::string off = body_of(write_stream(
        [](WT_Stream& s) { EXPECT_EQ(WT_Color(WT_RGBA32(51, 102, 153), WT_Color::Search_Map).write(s), 0); },
        [](WT_Stream& s) { s.options().set_allow_indexed_colors(false); }));
    EXPECT_EQ(hex(off), "03336699FF");
}

// The colour's bit comes first in the synchronising order, yet the map it
// refers to must be in force before it; an index that map lacks is refused.
TEST(W2dAttributes, AnIndexedColourIsPrecededByTheMapItRefersTo) {
    const WT_Color_Map map(std::vector<WT_RGBA32>{{1, 1, 1}, {2, 2, 2}});
    const std::string written = write_stream([&](WT_Stream& s) {
        s.desired_attributes().set(map);
        s.desired_attributes().set(WT_Color(1, map));
        EXPECT_EQ(WT_Polyline(std::vector<WT_Logical_Point>{{0, 0}, {1, 1}}).write(s), 0);
        EXPECT_EQ(WT_Color(5, map).write(s), WT_Result::Write_Failed);
    });
    const std::string map_bytes = std::string("{\x0C\x00\x00\x00\x01\x00\x02\x01\x01\x01\xFF\x02\x02\x02\xFF}", 17);
    EXPECT_EQ(body_of(written), map_bytes + "c\x01" + std::string("\x0C\x00\x00\x00\x00\x01\x00\x01\x00", 9));
    WT_RGBA32 drawn;
    EXPECT_EQ(read_stream(written,
                          [&](WT_Stream& s) {
                              if (s.current_object()->object_id() == WT_Object::Polyline_ID)
                                  drawn = s.current_attributes().color().rgba();
                          }),
              WT_Result::End_Of_Stream);
    EXPECT_EQ(drawn, WT_RGBA32(2, 2, 2));
}

// Writer and reader know a layer number by the same name: one named empty
// after a name is written with its name again, not by number alone.
TEST(W2dAttributes, LayerNamesAreKnownAlikeOnBothSides) {
    const WT_Layer layers[] = {WT_Layer(5, WT_String("a")), WT_Layer(5, WT_String("")), WT_Layer(5, WT_String("")),
                               WT_Layer(5, WT_String("a"))};
    const std::string written = write_stream([&](WT_Stream& s) {
        for (const WT_Layer& layer : layers) EXPECT_EQ(layer.write(s), 0);
    });
    EXPECT_EQ(body_of(written), "(Layer 5 a)(Layer 5 '')(Layer 5 '')\xAC\x05");
    std::vector<std::string> names;
    read_stream(written, [&](WT_Stream& s) {
        if (s.current_object()->object_id() == WT_Object::Layer_ID)
            names.push_back(static_cast<WT_Layer&>(*s.current_object()).layer_name().ascii());
    });
    EXPECT_EQ(names, (std::vector<std::string>{"a", "", "", "a"}));
}

TEST(W2dAttributes, ReaderStoresIntoTheCurrentSetAndMarksItChanged) {
    WT_Stream* seen = nullptr;
    uint32_t changed = 0;
    WT_Color color;
    read_stream(Header + "(Color 1,2,3,4)F(Layer 2 two)" + std::string("\xAC\x02", 2) + Trailer,
                [&](WT_Stream& s) {
                    seen = &s;
                    changed = s.current_attributes().changed();
                    color = s.current_attributes().color();
                    if (s.current_object()->object_id() == WT_Object::Layer_ID) {
                        EXPECT_EQ(s.current_attributes().layer().layer_name().ascii(), "two");
                    }
                });
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(changed & 0x103u, 0x103u);
    EXPECT_TRUE(color == WT_Color(1, 2, 3, 4));
}

TEST(W2dAttributes, ReplacedHandlersReceiveTheObjects) {
    static int colours = 0;
    colours = 0;
    const auto count_colour = [](WT_Color& color, WT_Stream& stream) {
        colours += color.rgba().m_red;
        return stream.client_data() != nullptr ? WT_Result::Success : WT_Result::Internal_Error;
    };
    const WT_Result::Enum end = read_stream(
        Header + "(Color 5,0,0,0)" + std::string("\x03\x07\x00\x00\x00", 5) + Trailer,
        [](WT_Stream& s) { EXPECT_TRUE(s.current_attributes().color() == WT_Color()); }, SIZE_MAX,
        [&](WT_Stream& s) { s.set_action<WT_Color>(count_colour); });
    EXPECT_EQ(end, WT_Result::End_Of_Stream);
    EXPECT_EQ(colours, 12);
}

}  // namespace
