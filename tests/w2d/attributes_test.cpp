#include "memory_stream.h"

using namespace w2dtest;

namespace {

WT_Contour_Set square(int32_t size) { return WT_Contour_Set(Points{{0, 0}, {size, 0}, {size, size}, {0, size}}); }

WT_Font font_of(int32_t height, uint16_t rotation = 0) {
    WT_Font font;
    font.set_height(height);
    font.set_rotation(rotation);
    return font;
}

// Every attribute kind reads back equal in both forms, whole or dripped; where given, the bytes are exact.
TEST(W2dAttributes, EveryAttributeIsByteExactAndReadsBackEqual) {
    WT_Line_Style style;
    style.set_adapt_patterns(true), style.set_pattern_scale(2.5), style.set_line_join(WT_Line_Style::Diamond_Join);
    style.set_dash_start_cap(WT_Line_Style::Square_Cap), style.set_dash_end_cap(WT_Line_Style::Round_Cap);
    style.set_line_start_cap(WT_Line_Style::Diamond_Cap), style.set_line_end_cap(WT_Line_Style::Round_Cap);
    style.set_miter_angle(30), style.set_miter_length(7);
    WT_Font font = font_of(-1234, 16384);
    font.set_name(WT_String("Times New Roman")), font.set_charset(204), font.set_pitch(1), font.set_family(7);
    font.set_style(WT_Font::Bold | WT_Font::Underlined), font.set_width_scale(900), font.set_spacing(1100);
    font.set_oblique(12), font.set_flags(8192);
    WT_Font unicode_font;
    unicode_font.set_name(WT_String(u"\u0160rift"));
    const WT_Units::WT_Matrix matrix{0.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    const WT_String empty("");
    const auto make = [](auto a) { return std::shared_ptr<WT_Attribute>(std::make_shared<decltype(a)>(a)); };
    // The binary and ASCII forms; empty ones are not compared, "=" is the binary one.
    const std::tuple<std::shared_ptr<WT_Attribute>, std::string, std::string> cases[] = {
        {make(WT_Color(255, 0, 0, 128)), "\x03\xFF" + le16(0) + "\x80", "(Color 255,0,0,128)"},
        {make(WT_Color(5, WT_Color_Map())), "c\x05", "C 5"}, {make(WT_Fill(true)), "F", "F"},
        {make(WT_Color_Map({{1, 2, 3, 4}, {5, 6, 7, 8}})), "", ""}, {make(WT_Visibility(false)), "v", "v"},
        {make(WT_Line_Weight(300)), "\x17" + le32(300), "(LineWeight 300)"},
        {make(style), "", ""}, {make(font), "", ""}, {make(unicode_font), "", ""},
        {make(WT_Viewport(WT_String("Clip"), square(100))), "", ""},
        {make(WT_Viewport(WT_String("named only"), WT_Contour_Set())), "", ""},
        {make(WT_Viewport(WT_String(u"\u00c9t\u00e9"), square(5), WT_Units(WT_String("mm"), matrix))), "", ""},
        {make(WT_Layer(2, WT_String("two"))), "(Layer 2 two)", "(Layer 2 two)"},
        {make(WT_Code_Page(932)), "(CodePage 932)", "(CodePage 932)"},
        {make(WT_Marker_Size(2)), "s" + le32(2), "S 2"}, {make(WT_Marker_Symbol(12)), "G 12", "G 12"},
        {make(WT_Line_Pattern(WT_Line_Pattern::Dashed)), "\xCC\x02", "(LinePattern 'Dashed')"},
        {make(WT_Dash_Pattern(3, {4, 2})), "(DashPattern 3 4,2)", "(DashPattern 3 4,2)"},
        {make(WT_Fill_Pattern(WT_Fill_Pattern::Square_Dots, 2.0)), "(FillPattern 'Square Dots' (FillPatternScale 2))",
         "="},
        {make(WT_Fill_Pattern(WT_Fill_Pattern::Slant_Left, 0.25)), "", ""},
        {make(WT_Merge_Control(WT_Merge_Control::Merge)), "(LinesOverwrite 'merge')", "(LinesOverwrite 'merge')"},
        {make(WT_URL({{4, WT_String("u"), WT_String("f")}})), "(URL (4 'u' 'f'))", "(URL (4 'u' 'f'))"},
        {make(WT_URL({{1, WT_String("http://x/y"), WT_String("it's here")}, {2, WT_String("b"), empty}})), "", ""},
        {make(WT_Pen_Pattern(3)), extended(356, le32(3)), "(PenPattern 3)"},
        {make(WT_Font_Extension(WT_String("a"), WT_String("b c"))), "(FontExtension 'a' 'b c')", "="},
        {make(WT_Object_Node(1, empty)), "\x0E", "(Node 1 '')"},
        {make(WT_Object_Node(-5, empty)), "n" + le16(-5), "(Node -5 '')"},
        {make(WT_Object_Node(70000, empty)), "", ""}, {make(WT_Object_Node(-3, WT_String("node name"))), "", ""},
        {make(WT_Units(WT_String("ft"), matrix)), "", ""},
    };
    for (const auto& [attribute, binary_form, ascii_form] : cases) {
        for (const bool binary : {true, false}) {
            const std::string bytes = write_stream(draw(attribute.get()), data_form(binary));
            const std::string& golden = binary || ascii_form == "=" ? binary_form : ascii_form;
            if (!golden.empty()) {
                EXPECT_EQ(hex(body_of(bytes)), hex(binary ? golden : "\r\n" + golden + "\r\n"));
            }
            for (const size_t perCall : {SIZE_MAX, size_t{1}}) {
                const Kept read = read_kept(bytes, of_kind(attribute->object_id()), perCall);
                ASSERT_EQ(read.size(), 1u) << bytes;
                EXPECT_TRUE(attribute->equals(static_cast<WT_Attribute&>(*read[0]))) << binary << " " << bytes;
            }
        }
    }
}

// What synchronising attributes writes, in binary and, where given, ASCII.
TEST(W2dAttributes, SynchronisedAttributesAreByteExact) {
    const WT_Color red(255, 0, 0);
    const Body font = synced(WT_Attribute_Set::Font_Bit);
    WT_Line_Style round;
    round.set_line_join(WT_Line_Style::Round_Join);
    round.set_line_start_cap(WT_Line_Style::Round_Cap), round.set_line_end_cap(WT_Line_Style::Round_Cap);
    const Body no_style_yet = [](WT_Stream& s) { EXPECT_EQ(s.current_attributes().line_style().defined(), 0u); };
    const Body binary_stays = [](WT_Stream& s) { EXPECT_TRUE(s.options().allow_binary_data()); };
    const Body preset = [](WT_Stream& s) { EXPECT_EQ(s.current_attributes().font().name().ascii(), "undefined_font"); };
    const auto turned = [](double degrees) {
        return Body([degrees](WT_Stream& s) {
            s.options().set_transform(WT_Transform{{}, 1.0, 1.0, degrees}), s.options().set_apply_transform(true);
        });
    };
    const Body rotating = turned(90.0), scaling = turned(0.0);
    // A single-kind sync leaves the drawing information out; a user-data-like mask writes it.
    const Body drawing_info = [](WT_Stream& s) {
        s.desired_attributes().drawing_info().store(WT_Background(WT_RGBA32(9, 9, 9, 9)));
    };
    const Body bar = [](WT_Stream& s) { s.write("|"); };
    // The setup, the body, its binary form and, where given, its ASCII form.
    const std::tuple<const char*, Body, Body, std::string, std::string> cases[] = {
        // Outside the mask: marked, but not written.
        {"the same colour twice writes one opcode, the current one none", {},
         draw(desire(red), desire(red), synced(), synced(), desire(red), synced(), desire(WT_Color(0, 0, 255)),
              synced(0x2)),
         "\x03\xFF" + le16(0) + "\xFF", ""},
        {"a font change of only the height carries mask 0x20", {}, draw(desire(font_of(2000)), font),
         "\x06" + le16(0x20) + le32(2000), "\r\n(Font (Height 2000))\r\n"},
        {"line style options wait for a positive weight", {},
         draw(desire(round), synced(), no_style_yet, desire(WT_Line_Weight(50)), synced(), synced()),
         "\x17" + le32(50) + "(LineStyle (LineJoin round) (LineStartCap round) (LineEndCap round))",
         "\r\n(LineWeight 50)\r\n(LineStyle\r\n (LineJoin round)\r\n (LineStartCap round)\r\n (LineEndCap round))\r\n"},
        {"the viewport is ASCII inside binary streams", {},
         draw(desire(WT_Fill(true)), desire(WT_Viewport(WT_String("Clip"), square(100))), synced(0x2F210F),
              binary_stays, WT_Line_Weight(1)),
         "F\r\n(Viewport Clip (Contour 1 4 0,0 100,0 100,100 0,100) )\x17" + le32(1), ""},
        // 51,102,153 sits in the default cube at 36 + 12 + 3.
        {"indexed colours use and grow the colour map", {},
         draw(WT_Color(WT_RGBA32(51, 102, 153), WT_Color::Search_Map), desire(WT_Color_Map({{1, 1, 1}})),
              synced(WT_Attribute_Set::Color_Map_Bit), WT_Color(WT_RGBA32(2, 2, 2), WT_Color::Search_Map_Or_Add)),
         "c\x33" + extended(1, "\x01\x01\x01\x01\xFF") + extended(1, "\x02\x01\x01\x01\xFF\x02\x02\x02\xFF") + "c\x01",
         ""},
        {"indexed colours switched off", [](WT_Stream& s) { s.options().set_allow_indexed_colors(false); },
         draw(WT_Color(WT_RGBA32(51, 102, 153), WT_Color::Search_Map)), "\x03\x33\x66\x99\xFF", ""},
        {"old versions preset the fonts", [](WT_Stream& s) { s.options().set_target_version(41); }, draw(preset, font),
         "\x06" + le16(1) + "'courier'", ""},
        // 100 + a quarter turn (16384) = 16484 = 0x4064.
        {"a rotating transform always writes the font rotation", rotating,
         draw(desire(font_of(10, 100)), font, desire(font_of(11, 100)), font),
         "\x06" + le16(0x60) + le32(10) + le16(0x4064) + "\x06" + le16(0x60) + le32(11) + le16(0x4064), ""},
        {"a transform that does not rotate leaves the rotation out", scaling, draw(desire(font_of(2000)), font),
         "\x06" + le16(0x20) + le32(2000), ""},
        {"desired drawing information precedes the next drawable", {},
         draw(drawing_info, synced(WT_Attribute_Set::Color_Map_Bit), bar, synced(0x2C210C), synced(0x2C210C)),
         "|\r\n(Background 9,9,9,9)", ""},
    };
    for (const auto& [name, setup, body, binary_form, ascii_form] : cases) {
        EXPECT_EQ(hex(body_of(write_stream(body, setup))), hex(binary_form)) << name;
        if (!ascii_form.empty()) {
            EXPECT_EQ(body_of(write_stream(body, ascii)), ascii_form) << name;
        }
    }
}

// Units go out only when they change, and a viewport read without them keeps those in force. Writer and reader
// name layer numbers alike: an empty name after a name is written out, not just the number.
TEST(W2dAttributes, AttributesInARowWriteOnlyChangesAndReadBackEqual) {
    const WT_Viewport scaled(WT_String(""), WT_Contour_Set(), WT_Units(WT_String("mm"), WT_Units::WT_Matrix{0.5}));
    const WT_Layer a(5, WT_String("a")), unnamed(5, WT_String(""));
    const std::pair<std::vector<const WT_Attribute*>, std::string> cases[] = {
        {{&scaled, &scaled}, "\r\n(Viewport\r\n     (Units 'mm' (0.5 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0)))\r\n(Viewport)"},
        {{&a, &unnamed, &unnamed, &a}, "(Layer 5 a)(Layer 5 '')(Layer 5 '')\xAC\x05"}};
    for (const auto& [attributes, expected] : cases) {
        const std::string bytes = write_stream([&attributes = attributes](WT_Stream& s) {
            for (const WT_Attribute* attribute : attributes) written(*attribute, s);
        });
        EXPECT_EQ(hex(body_of(bytes)), hex(expected));
        const Kept read = read_kept(bytes, of_kind(attributes[0]->object_id()));
        ASSERT_EQ(read.size(), attributes.size());
        for (size_t i = 0; i < read.size(); ++i)
            EXPECT_TRUE(attributes[i]->equals(static_cast<WT_Attribute&>(*read[i]))) << i;
    }
}

// The colour's bit comes first in the synchronising order, yet the map it
// refers to must be in force before it; an index that map lacks is refused.
TEST(W2dAttributes, AnIndexedColourIsPrecededByTheMapItRefersTo) {
    const WT_Color_Map map({{1, 1, 1}, {2, 2, 2}});
    const std::string written = write_stream(draw(desire(map), desire(WT_Color(1, map)),
                                                  WT_Polyline(Points{{0, 0}, {1, 1}}), refused(WT_Color(5, map))));
    EXPECT_EQ(hex(body_of(written)),
              hex(extended(1, "\x02\x01\x01\x01\xFF\x02\x02\x02\xFF") + "c\x01\x0C" + p16(0, 0) + p16(1, 1)));
    WT_RGBA32 drawn;  // the colour the polyline, the last object, is drawn in
    const auto each = [&drawn](WT_Stream& s) { drawn = s.current_attributes().color().rgba(); };
    EXPECT_EQ(read_log(written, SIZE_MAX, {}, each).end, WT_Result::End_Of_Stream);
    EXPECT_EQ(drawn, WT_RGBA32(2, 2, 2));
}

// Attributes read are made current and marked changed, in both forms, unless a handler of their kind takes them.
TEST(W2dAttributes, ReadAttributesAreMadeCurrentUnlessAHandlerTakesThem) {
    const std::string bytes = Header + "(Color 1,2,3,4)F(Layer 2 two)\xAC\x02\x03\x07" + le(0, 3) + Trailer;
    uint32_t changed = 0;
    int layers = 0;
    read_stream(bytes, [&](WT_Stream& s) {
        changed = s.current_attributes().changed();
        if (s.current_object()->object_id() != WT_Object::Layer_ID) return;
        ++layers;
        EXPECT_EQ(s.current_attributes().layer().layer_name().ascii(), "two");
        EXPECT_TRUE(s.current_attributes().color() == WT_Color(1, 2, 3, 4));
    });
    EXPECT_EQ(layers, 2);
    EXPECT_EQ(changed & 0x103u, 0x103u);
    static int colours;
    colours = 0;
    const auto count_colour = [](WT_Color& color, WT_Stream& stream) {
        colours += color.rgba().m_red;
        return stream.client_data() != nullptr ? WT_Result::Success : WT_Result::Internal_Error;
    };
    EXPECT_EQ(read_stream(bytes, [](WT_Stream& s) { EXPECT_TRUE(s.current_attributes().color() == WT_Color()); },
                          SIZE_MAX, [&](WT_Stream& s) { s.set_action<WT_Color>(count_colour); }),
              WT_Result::End_Of_Stream);
    EXPECT_EQ(colours, 8);
}

TEST(W2dWriteDiscipline, FailedSyncLeavesTheAttributeToBeWrittenAgain) {
    Opened out("", WT_Stream::File_Write);
    out->desired_attributes().set(WT_Line_Weight(7));
    out.memory.fail_writes = true;
    EXPECT_EQ(out->sync_attributes(0x2FA53F), WT_Result::Write_Failed);
    EXPECT_EQ(out->current_attributes().line_weight().weight_value(), 0);
    EXPECT_NE(out->desired_attributes().changed() & WT_Attribute_Set::Line_Weight_Bit, 0u);
    out.memory.fail_writes = false;
    EXPECT_EQ(out->sync_attributes(0x2FA53F), WT_Result::Success);
    EXPECT_EQ(out->current_attributes().line_weight().weight_value(), 7);
    // Close still closes when its writes fail, and reports the failure.
    out.memory.fail_writes = true;
    EXPECT_EQ(out->close(), WT_Result::Write_Failed);
    EXPECT_EQ(out->file_mode(), WT_Stream::File_Inactive);
    EXPECT_EQ(out->close(), WT_Result::No_File_Open);
    EXPECT_EQ(hex(out.memory.bytes.substr(Header.size())), "1707000000");
}

}  // namespace
