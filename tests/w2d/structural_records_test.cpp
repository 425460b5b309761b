// Structural and metadata records: hand-written streams read through, what the stream keeps, the written forms.
#include "memory_stream.h"

using namespace w2dtest;

namespace {

const std::string Password(32, 'p');
const std::string Odd_Password = "')(''" + std::string(27, 'x');  // quotes and parentheses inside

struct Read_Result : Read_Log {
    std::vector<WT_Block_Record> blocks;
    WT_Drawing_Info info;
    std::vector<WT_Named_View> named_views;
    WT_RGBA32 color;
};

Read_Result read_all(const std::string& bytes, size_t perCall = SIZE_MAX) {
    Read_Result result;
    static_cast<Read_Log&>(result) = read_log(bytes, perCall, {}, [&result](WT_Stream& stream) {
        if (auto* block = dynamic_cast<WT_Block_Record*>(stream.current_object())) result.blocks.push_back(*block);
        result.info = stream.current_attributes().drawing_info();
        result.named_views = stream.named_views();
        result.color = stream.current_attributes().color().rgba();
    });
    return result;
}

// One of every record, each followed by a relative line and a colour that it must leave as they were.
TEST(W2dStructuralRecords, EveryRecordReadsAndKeepsThePlace) {
    using O = WT_Object;
    const auto Meta = O::Metadata_ID;
    const auto Block = O::Block_Structure_ID;
    const std::pair<std::string, WT_Object::WT_ID> records[] = {
        {"(Author 'Jane Doe')", Meta}, {"(Comments c)", Meta}, {"(Copyright c)", Meta}, {"(Creator c)", Meta},
        {"(Description d)", Meta}, {"(Keywords k)", Meta}, {"(Title \"00540069\")", Meta}, {"(Subject s)", Meta},
        {"(SourceFilename 'a b.dwg')", Meta}, {"(Created 1700000000 'Tue Nov 14' '{B5}')", Meta},
        {"(Modified 2 t g)", Meta}, {"(SourceCreated 3 t g)", Meta}, {"(SourceModified 4 t g)", Meta},
        {"(CodePage 1252)", O::Code_Page_ID}, {extended(1, "\x02\x01\x02\x03\x04\x05\x06\x07\x08"), O::Color_Map_ID},
        {"(Background 1,2,3,255)", O::Background_ID}, {"(NamedView 0,0 100,200 front)", O::Named_View_ID},
        {"(View front)", O::View_ID}, {"(View -5,-5 10,10)", O::View_ID}, {"(PlotOptimized)", O::Plot_Optimized_ID},
        {"(InkedArea 0,0 10,0 10,10 0,10)", O::Inked_Area_ID},
        {"(PenPat_Options 1 0 true FALSE)", O::Pen_Pattern_Options_ID},
        {"(Units 'mm' (1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1))", O::Units_ID}, {"(Projection 'stretch')", O::Projection_ID},
        {"(PlotInfo show 90 mm 210 297 0.5 0 200 287)", O::Plot_Info_ID}, {"(Layer 3 walls)", O::Layer_ID},
        {"\xAC\x03", O::Layer_ID}, {"(Node 5 n5)", O::Object_Node_ID}, {"N" + le32(7), O::Object_Node_ID},
        {"(LinePattern 'Dashed')", O::Line_Pattern_ID}, {"\xCC\x02", O::Line_Pattern_ID},
        {"(DashPattern 101 10,20)", O::Dash_Pattern_ID}, {"(FillPattern 'Crosshatch')", O::Fill_Pattern_ID},
        {"(LinesOverwrite 'merge')", O::Merge_Control_ID}, {"(FontExtension 'a' 'b')", O::Font_Extension_ID},
        {"(PenPattern 3)", O::Pen_Pattern_ID}, {extended(356, le32(3)), O::Pen_Pattern_ID},
        {"(GroupBegin 'a/b')", O::Group_ID}, {"(GroupEnd)", O::Group_ID},
        {"(Embed 'image/png' 'd (x)' 'f.png' 'http://x')", O::Embed_ID},
        {"(Embedded_Font 1 2 3 'x' 0A0B)", O::Embedded_Font_ID}, {extended(318, "fontbytes"), O::Embedded_Font_ID},
        {"(TrustedFontList 'Arial' 'Courier')", O::Trusted_Font_List_ID},
        {"(Gouraud 3 0,0 255 1,1 0 2,2 7)", O::Gouraud_ID}, {"(GourLine 2 0,0 255 1,1 0)", O::Gouraud_ID},
        {"(BlockMeaning Stamp    )", Block}, {extended(322, le16(4)), Block}, {"(Encryption None)", Block},
        {extended(323, le16(8)), Block}, {"(Orientation Decoupled)", Block}, {extended(325, le16(2)), Block},
        {"(Alignment 'Align_None')", Block}, {extended(327, le16(256)), Block},
        {"(Guid 1 2 3 0A0B0C0D0E0F1011)", Block}, {extended(330, std::string(16, '\x5A')), Block},
        // Quotes and parentheses in a password mean nothing, even in a binary one.
        {"(Psswd '" + Odd_Password + "')", Block}, {extended(331, Odd_Password), Block},
        {"(BlockRef Graphics 0 100 (x))", Block}, {extended(342, "fields of a reference"), Block},
        {"(Directory 1 (BlockRef Null 0))", Block}, {extended(352, le32(1)), Block}, {"(GuidList 0)", Block},
        {extended(360, le32(0)), Block}, {"(SignData 0 '')", Block}, {extended(358, "sig"), Block},
        {"(Time 1 2 3)", Block}, {extended(333, le32(9) + le32(10)), Block},
    };
    std::string bytes = Header;
    std::vector<WT_Object::WT_ID> ids = {WT_Object::DWF_Header_ID};
    for (const auto& [record, id] : records) {
        bytes += record + "\r\n \x0C" + p16(1, 1) + p16(1, 1) + "\x03\x01\x02\x03\x04";
        ids.insert(ids.end(), {id, WT_Object::Polyline_ID, WT_Object::Color_ID});
    }
    const int32_t last = 2 * static_cast<int32_t>(std::size(records));
    for (const size_t per_call : {size_t{1}, SIZE_MAX}) {
        const Read_Result read = read_all(bytes + "(EndOfDWF)", per_call);
        EXPECT_EQ(read.end, WT_Result::End_Of_Stream);
        EXPECT_EQ(read.ids, ids);
        EXPECT_EQ(read.color, WT_RGBA32(1, 2, 3, 4));
        ASSERT_EQ(read.points.size(), std::size(records));
        EXPECT_EQ(read.points.back(), (Points{{last - 1, last - 1}, {last, last}}));
        const WT_Drawing_Info& info = read.info;
        EXPECT_EQ(info.metadata(WT_Metadata::Author).text(), WT_String("Jane Doe"));
        EXPECT_EQ(info.metadata(WT_Metadata::Created),
                  WT_Metadata(WT_Metadata::Created, 1700000000, "Tue Nov 14", "{B5}"));
        EXPECT_EQ(info.metadata(WT_Metadata::Title).text(), WT_String(u"Ti"));
        // Every metadata bit; the units one is left open.
        EXPECT_EQ(info.metadata_changed() | WT_Drawing_Info::Units_Bit, WT_Drawing_Info::Plot_Info_Bit * 2 - 1);
        EXPECT_EQ(info.rendering_changed(), WT_Drawing_Info::Pen_Pattern_Options_Bit * 2 - 1);
        ASSERT_EQ(read.named_views.size(), 1u);
        EXPECT_EQ(info.view().box()[0], WT_Logical_Point(-5, -5));
        EXPECT_TRUE(info.plot_optimized().optimized());
        EXPECT_EQ(info.projection().kind(), WT_Projection::Stretch);
        EXPECT_EQ(info.plot_info().values()[2], 0.5);
        EXPECT_EQ(info.background().color(), WT_RGBA32(1, 2, 3, 255));
        EXPECT_EQ(info.pen_pattern_options().flags(), (WT_Pen_Pattern_Options::WT_Flags{true, false, true, false}));
        ASSERT_EQ(read.blocks.size(), 22u);
        const std::vector<std::string_view> names = {"Stamp", "Stamp", "None", "Reserved3", "Decoupled",
                                                     "Always_Different", "Align_None", "Align_Bottom_Left"};
        for (size_t index = 0; index < names.size(); ++index)
            EXPECT_EQ(read.blocks[index].value_name(), names[index]) << index;
        EXPECT_EQ(read.blocks[10].bytes(), Odd_Password);
        EXPECT_EQ(read.blocks[11].bytes(), Odd_Password);
        EXPECT_EQ(read.blocks[12].value_name(), "Graphics");
        EXPECT_EQ(read.blocks[13].value(), 7);
    }
}

TEST(W2dStructuralRecords, WrittenForms) {
    const WT_Logical_Box box = {WT_Logical_Point(0, -1), WT_Logical_Point(20, 30)};
    const auto view_of = [&box](const char* name) { return WT_View(WT_Named_View(box, name)); };
    const WT_Named_View top(box, "top");
    const std::tuple<Body, bool, std::string> cases[] = {
        {draw(WT_Block_Record::named(WT_Block_Record::Block_Meaning, 4)), false, "\r\n(BlockMeaning Stamp    )"},
        {draw(WT_Block_Record::named(WT_Block_Record::Block_Meaning, 4)), true, extended(322, le16(4))},
        {draw(WT_Block_Record::named(WT_Block_Record::Alignment, 1024)), false, "\r\n(Alignment Align_None        )"},
        {draw(WT_Block_Record::with_bytes(WT_Block_Record::Password, Password)), true, extended(331, Password)},
        {draw(WT_Block_Record::with_bytes(WT_Block_Record::Password, Password)), false,
         "\r\n(Psswd '" + Password + "')"},
        {draw(WT_Metadata(WT_Metadata::Author, "Jane Doe")), true, "\r\n(Author 'Jane Doe')"},
        {draw(WT_Metadata(WT_Metadata::Source_Modified, -3, "t", "")), true, "\r\n(SourceModified -3 t '')"},
        {draw(top, view_of("top")), true, "\r\n(NamedView 0,-1 20,30 top)\r\n(View top)"},
        {draw(WT_View(box)), true, "\r\n(View 0,-1 20,30)"}, {draw(WT_Group("a\"b")), true, "\r\n(GroupBegin 'a\"b')"},
        // Names that would read as a box, or open a quote, are quoted.
        {draw(WT_Named_View(box, "3rd"), view_of("3rd"), WT_Named_View(box, "-x"), view_of("-x"),
              WT_Named_View(box, "+y"), view_of("+y")),
         true,
         "\r\n(NamedView 0,-1 20,30 3rd)\r\n(View '3rd')\r\n(NamedView 0,-1 20,30 -x)\r\n(View '-x')"
         "\r\n(NamedView 0,-1 20,30 +y)\r\n(View '+y')"},
        {draw(WT_Metadata(WT_Metadata::Author, "Jane \"JD\"")), false, "\r\n(Author 'Jane \"JD\"')"},
        {draw(WT_Background(WT_RGBA32(1, 2, 3, 4))), true, "\r\n(Background 1,2,3,4)"},
        {draw(WT_Plot_Optimized(true)), true, "\r\n(PlotOptimized)"}, {draw(WT_Group()), true, "\r\n(GroupEnd)"},
        {draw(WT_Pen_Pattern_Options({true, false, false, true})), true, "\r\n(PenPat_Options 1 0 0 1)"},
        {draw(WT_Projection(WT_Projection::Chop)), true, "\r\n(Projection 'chop')"},
        {draw(WT_Plot_Info(false, 90, WT_Plot_Info::Inches, {8.5, 11, 0, 0, 8, 10.5})), true,
         "\r\n(PlotInfo hide 90 in 8.5 11 0 0 8 10.5)"},
        {draw(WT_Group("a b")), true, "\r\n(GroupBegin 'a b')"},
    };
    for (const auto& [body, binary, expected] : cases) {
        const std::string written = write_stream(body, data_form(binary));
        EXPECT_EQ(written, Header + expected + (binary ? "" : "\r\n") + Trailer) << expected;
        EXPECT_EQ(read_log(written).end, WT_Result::End_Of_Stream) << expected;  // it reads back
    }
}

// The records whose written forms the goldens above leave out.
TEST(W2dStructuralRecords, WrittenRecordsReadBackInBothForms) {
    const WT_Logical_Box box = {WT_Logical_Point(1, 2), WT_Logical_Point(3, 4)};
    const std::string guid(16, '\x11');
    const WT_Plot_Info plot_info(true, 270, WT_Plot_Info::Millimeters, {1, 2, 3, 4, 5, 6});
    const WT_Metadata modified(WT_Metadata::Modified, 77, "then", "g");
    const Body body = draw(WT_Metadata(WT_Metadata::Copyright, WT_String(u"\u00A9 K")), modified, plot_info,
                           WT_Inked_Area({box[0], box[1], box[0], box[1]}),
                           WT_Block_Record::named(WT_Block_Record::Encryption, 2),
                           WT_Block_Record::named(WT_Block_Record::Orientation, 1),
                           WT_Block_Record::with_bytes(WT_Block_Record::Guid, guid),
                           WT_Block_Record::with_bytes(WT_Block_Record::Password, Odd_Password));
    for (const bool binary : {true, false}) {
        const Read_Result read = read_all(write_stream(body, data_form(binary)));
        EXPECT_EQ(read.end, WT_Result::End_Of_Stream) << binary;
        EXPECT_EQ(read.ids.size(), 9u);
        EXPECT_EQ(read.info.metadata(WT_Metadata::Copyright).text(), WT_String(u"\u00A9 K"));
        EXPECT_EQ(read.info.metadata(WT_Metadata::Modified), modified);
        EXPECT_EQ(read.info.inked_area().corners()[1], box[1]);
        EXPECT_EQ(read.info.plot_info(), plot_info);
        ASSERT_EQ(read.blocks.size(), 4u);
        EXPECT_EQ(read.blocks[0].value_name(), "Reserved1");
        EXPECT_EQ(read.blocks[1].value_name(), "Always_In_Sync");
        EXPECT_EQ(read.blocks[2].bytes(), guid);
        EXPECT_EQ(read.blocks[3].bytes(), Odd_Password);
    }
}

}  // namespace
