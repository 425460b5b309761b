// Reading and writing of the structural and metadata records: hand-written
// streams of other producers read through, what the stream keeps of them,
// and the written forms byte for byte.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "memory_stream.h"
#include "w2d/block_record.h"
#include "w2d/drawing_info.h"
#include "w2d/group.h"
#include "w2d/polyline.h"
#include "w2d/unknown.h"

using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {
const std::string Header = "(W2D V06.00)";
const std::string Trailer = "(EndOfDWF)";

std::string le32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}
std::string le16(uint16_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
// "{", size, value, fields, "}".
std::string binary(uint16_t value, const std::string& fields) {
    return "{" + le32(static_cast<uint32_t>(fields.size() + 3)) + le16(value) + fields + "}";
}
const std::string Password(32, 'p');
const std::string Odd_Password = "')(''" + std::string(27, 'x');  // quotes and parentheses inside

struct Read_Result {
    WT_Result::Enum end = WT_Result::Success;
    std::vector<WT_Object::WT_ID> ids;
    std::vector<WT_Block_Record> blocks;
    WT_Drawing_Info info;
    std::vector<WT_Named_View> named_views;
    WT_RGBA32 color;
    int32_t line_weight = 0;
};

Read_Result read_all(const std::string& bytes, size_t perCall = SIZE_MAX) {
    Read_Result result;
    result.end = read_stream(
        bytes,
        [&result](WT_Stream& stream) {
            WT_Object* object = stream.current_object();
            result.ids.push_back(object->object_id());
            if (auto* block = dynamic_cast<WT_Block_Record*>(object)) result.blocks.push_back(*block);
            result.info = stream.current_attributes().drawing_info();
            result.named_views = stream.named_views();
            result.color = stream.current_attributes().color().rgba();
            result.line_weight = stream.current_attributes().line_weight().weight_value();
        },
        perCall);
    return result;
}
}  // namespace

// Until the drawables land, a colour and a line weight stand for the
// drawables around the metadata: they must arrive unchanged.
TEST(W2dStructuralRecords, MetadataBetweenObjectsLeavesThemUnchanged) {
    const std::string body = std::string("\x03\x10\x20\x30\xFF", 5) + "(Author 'Jane Doe')" +
                             "(Created 1700000000 'Tue Nov 14' '{B5}')" + "(PlotOptimized)" +
                             std::string("\x17\x07\x01\x00\x00", 5);
    for (const size_t per_call : {size_t{1}, SIZE_MAX}) {
        const Read_Result read = read_all(Header + body + Trailer, per_call);
        EXPECT_EQ(read.end, WT_Result::End_Of_Stream);
        const std::vector<WT_Object::WT_ID> ids = {WT_Object::DWF_Header_ID,      WT_Object::Color_ID,
                                                   WT_Object::Metadata_ID,        WT_Object::Metadata_ID,
                                                   WT_Object::Plot_Optimized_ID, WT_Object::Line_Weight_ID};
        EXPECT_EQ(read.ids, ids);
        EXPECT_EQ(read.color, WT_RGBA32(0x10, 0x20, 0x30, 0xFF));
        EXPECT_EQ(read.line_weight, 263);
        EXPECT_EQ(read.info.metadata(WT_Metadata::Author).text(), WT_String("Jane Doe"));
        const WT_Metadata& created = read.info.metadata(WT_Metadata::Created);
        EXPECT_EQ(created.seconds(), 1700000000);
        EXPECT_EQ(created.text(), WT_String("Tue Nov 14"));
        EXPECT_EQ(created.guid(), WT_String("{B5}"));
        EXPECT_TRUE(read.info.plot_optimized().optimized());
        EXPECT_EQ(read.info.metadata_changed(), (1u << WT_Metadata::Author) | (1u << WT_Metadata::Created));
        EXPECT_EQ(read.info.rendering_changed(), WT_Drawing_Info::Plot_Optimized_Bit);
    }
}

namespace {
struct Every_Record {
    std::string bytes;
    WT_Object::WT_ID id;
};

// One of every record, each followed by a colour that must still be read.
const std::vector<Every_Record>& every_record() {
    static const std::vector<Every_Record> records = {
        {"(Author 'A B')", WT_Object::Metadata_ID},
        {"(Comments c)", WT_Object::Metadata_ID},
        {"(Copyright c)", WT_Object::Metadata_ID},
        {"(Creator c)", WT_Object::Metadata_ID},
        {"(Description d)", WT_Object::Metadata_ID},
        {"(Keywords k)", WT_Object::Metadata_ID},
        {"(Title \"00540069\")", WT_Object::Metadata_ID},
        {"(Subject s)", WT_Object::Metadata_ID},
        {"(SourceFilename 'a b.dwg')", WT_Object::Metadata_ID},
        {"(Created 1 t g)", WT_Object::Metadata_ID},
        {"(Modified 2 t g)", WT_Object::Metadata_ID},
        {"(SourceCreated 3 t g)", WT_Object::Metadata_ID},
        {"(SourceModified 4 t g)", WT_Object::Metadata_ID},
        {"(CodePage 1252)", WT_Object::Code_Page_ID},
        {binary(1, std::string("\x02\x01\x02\x03\x04\x05\x06\x07\x08", 9)), WT_Object::Color_Map_ID},
        {"(Background 1,2,3,255)", WT_Object::Background_ID},
        {"(NamedView 0,0 100,200 front)", WT_Object::Named_View_ID},
        {"(View front)", WT_Object::View_ID},
        {"(View -5,-5 10,10)", WT_Object::View_ID},
        {"(PlotOptimized)", WT_Object::Plot_Optimized_ID},
        {"(InkedArea 0,0 10,0 10,10 0,10)", WT_Object::Inked_Area_ID},
        {"(PenPat_Options 1 0 true FALSE)", WT_Object::Pen_Pattern_Options_ID},
        {"(Units 'mm' (1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1))", WT_Object::Units_ID},
        {"(Projection 'stretch')", WT_Object::Projection_ID},
        {"(PlotInfo show 90 mm 210 297 0.5 0 200 287)", WT_Object::Plot_Info_ID},
        {"(Layer 3 walls)", WT_Object::Layer_ID},
        {"\xAC\x03", WT_Object::Layer_ID},
        {"(Node 5 n5)", WT_Object::Object_Node_ID},
        {"N\x07\x00\x00\x00", WT_Object::Object_Node_ID},
        {"(LinePattern 'Dashed')", WT_Object::Line_Pattern_ID},
        {"\xCC\x02", WT_Object::Line_Pattern_ID},
        {"(DashPattern 101 10,20)", WT_Object::Dash_Pattern_ID},
        {"(FillPattern 'Crosshatch')", WT_Object::Fill_Pattern_ID},
        {"(LinesOverwrite 'merge')", WT_Object::Merge_Control_ID},
        {"(FontExtension 'a' 'b')", WT_Object::Font_Extension_ID},
        {"(PenPattern 3)", WT_Object::Pen_Pattern_ID},
        {binary(356, le32(3)), WT_Object::Pen_Pattern_ID},
        {"(GroupBegin 'a/b')", WT_Object::Group_ID},
        {"(GroupEnd)", WT_Object::Group_ID},
        {"(Embed 'image/png' 'd (x)' 'f.png' 'http://x')", WT_Object::Embed_ID},
        {"(Embedded_Font 1 2 3 'x' 0A0B)", WT_Object::Embedded_Font_ID},
        {binary(318, "fontbytes"), WT_Object::Embedded_Font_ID},
        {"(TrustedFontList 'Arial' 'Courier')", WT_Object::Trusted_Font_List_ID},
        {"(Gouraud 3 0,0 255 1,1 0 2,2 7)", WT_Object::Gouraud_ID},
        {"(GourLine 2 0,0 255 1,1 0)", WT_Object::Gouraud_ID},
        {"(BlockMeaning Stamp    )", WT_Object::Block_Structure_ID},
        {binary(322, le16(4)), WT_Object::Block_Structure_ID},
        {"(Encryption None)", WT_Object::Block_Structure_ID},
        {binary(323, le16(8)), WT_Object::Block_Structure_ID},
        {"(Orientation Decoupled)", WT_Object::Block_Structure_ID},
        {binary(325, le16(2)), WT_Object::Block_Structure_ID},
        {"(Alignment 'Align_None')", WT_Object::Block_Structure_ID},
        {binary(327, le16(256)), WT_Object::Block_Structure_ID},
        {"(Guid 1 2 3 0A0B0C0D0E0F1011)", WT_Object::Block_Structure_ID},
        {binary(330, std::string(16, '\x5A')), WT_Object::Block_Structure_ID},
        {"(Psswd '" + Odd_Password + "')", WT_Object::Block_Structure_ID},
        {binary(331, Password), WT_Object::Block_Structure_ID},
        {"(BlockRef Graphics 0 100 (x))", WT_Object::Block_Structure_ID},
        {binary(342, "fields of a reference"), WT_Object::Block_Structure_ID},
        {"(Directory 1 (BlockRef Null 0))", WT_Object::Block_Structure_ID},
        {binary(352, std::string("\x01\x00\x00\x00", 4)), WT_Object::Block_Structure_ID},
        {"(GuidList 0)", WT_Object::Block_Structure_ID},
        {binary(360, le32(0)), WT_Object::Block_Structure_ID},
        {"(SignData 0 '')", WT_Object::Block_Structure_ID},
        {binary(358, "sig"), WT_Object::Block_Structure_ID},
        {"(Time 1 2 3)", WT_Object::Block_Structure_ID},
        {binary(333, le32(9) + le32(10)), WT_Object::Block_Structure_ID},
    };
    return records;
}
}  // namespace

TEST(W2dStructuralRecords, EveryRecordReadsAndKeepsThePlace) {
    const std::string color = std::string("\x03\x01\x02\x03\x04", 5);
    std::string bytes = Header;
    std::vector<WT_Object::WT_ID> ids = {WT_Object::DWF_Header_ID};
    for (const Every_Record& record : every_record()) {
        bytes += record.bytes + "\r\n " + color;
        ids.push_back(record.id);
        ids.push_back(WT_Object::Color_ID);
    }
    bytes += Trailer;
    for (const size_t per_call : {size_t{3}, SIZE_MAX}) {
        const Read_Result read = read_all(bytes, per_call);
        EXPECT_EQ(read.end, WT_Result::End_Of_Stream);
        EXPECT_EQ(read.ids, ids);
        EXPECT_EQ(read.color, WT_RGBA32(1, 2, 3, 4));
        ASSERT_EQ(read.named_views.size(), 1u);
        EXPECT_EQ(read.info.view().box()[0], WT_Logical_Point(-5, -5));
        EXPECT_EQ(read.info.metadata(WT_Metadata::Title).text(), WT_String(u"Ti"));
        EXPECT_EQ(read.info.projection().kind(), WT_Projection::Stretch);
        EXPECT_EQ(read.info.plot_info().values()[2], 0.5);
        EXPECT_EQ(read.info.background().color(), WT_RGBA32(1, 2, 3, 255));
        const WT_Pen_Pattern_Options::WT_Flags flags = {true, false, true, false};
        EXPECT_EQ(read.info.pen_pattern_options().flags(), flags);
        ASSERT_EQ(read.blocks.size(), 22u);
        const std::vector<std::string_view> names = {"Stamp",     "Stamp",         "None", "Reserved3",
                                                     "Decoupled", "Always_Different", "Align_None",
                                                     "Align_Bottom_Left"};
        for (size_t index = 0; index < names.size(); ++index)
            EXPECT_EQ(read.blocks[index].value_name(), names[index]) << index;
        EXPECT_EQ(read.blocks[10].bytes(), Odd_Password);
        EXPECT_EQ(read.blocks[11].bytes(), Password);
        EXPECT_EQ(read.blocks[12].value_name(), "Graphics");
        EXPECT_EQ(read.blocks[13].value(), 7);
    }
}

TEST(W2dStructuralRecords, ReadFailures) {
    struct Case {
        std::string body;
        WT_Result::Enum end;
    };
    const Case cases[] = {
        {"(View nowhere)", WT_Result::Inconsistent_Data},
        {"(NamedView 0,0 1,1 a)(View b)", WT_Result::Inconsistent_Data},
        {"(BlockMeaning Stomp)", WT_Result::Corrupt_Data},
        {binary(322, le16(3)), WT_Result::Corrupt_Data},
        {"(Alignment Align_Nowhere)", WT_Result::Corrupt_Data},
        {"(BlockRef Graphix 1 2)", WT_Result::Corrupt_Data},
        {"(Projection 'tilt')", WT_Result::Corrupt_Data},
        {"(PlotInfo maybe 0 mm 1 2 3 4 5 6)", WT_Result::Corrupt_Data},
        {"(PenPat_Options 1 2 0 0)", WT_Result::Corrupt_Data},
        {"(Background 1,2,300,4)", WT_Result::Corrupt_Data},
        {"(Psswd 'short')", WT_Result::End_Of_File},
        // Fields that do not fit the size are passed over by the size.
        {binary(322, le16(4) + "xx") + "(GroupEnd)", WT_Result::End_Of_Stream},
        {binary(331, "short") + "(GroupEnd)", WT_Result::End_Of_Stream},
        {binary(330, "") + "(GroupEnd)", WT_Result::End_Of_Stream},
    };
    for (const Case& c : cases) EXPECT_EQ(read_all(Header + c.body + Trailer).end, c.end) << c.body;
}

TEST(W2dStructuralRecords, AHugeSizeCannotMakeTheReaderAllocate) {
    // A record that claims four gigabytes ends with the input.
    const std::string bytes = Header + "{" + le32(0xFFFFFFF0u) + le16(352) + "abc";
    EXPECT_EQ(read_all(bytes).end, WT_Result::End_Of_File);
}

TEST(W2dStructuralRecords, PasswordHasNoEffectOnWhatFollows) {
    const std::string color = std::string("\x03\x09\x08\x07\x06", 5);
    const Read_Result without = read_all(Header + color + Trailer);
    const Read_Result with = read_all(Header + binary(331, Odd_Password) + color + Trailer);
    EXPECT_EQ(with.end, WT_Result::End_Of_Stream);
    EXPECT_EQ(with.color, without.color);
    EXPECT_EQ(with.info.metadata_changed(), without.info.metadata_changed());
    EXPECT_EQ(with.ids.back(), WT_Object::Color_ID);
}

TEST(W2dStructuralRecords, WrittenForms) {
    struct Case {
        std::function<void(WT_Stream&)> body;
        bool binary_data;
        std::string expected;
    };
    const WT_Logical_Box box = {WT_Logical_Point(0, -1), WT_Logical_Point(20, 30)};
    const Case cases[] = {
        {[](WT_Stream& s) { WT_Block_Record::named(WT_Block_Record::Block_Meaning, 4).write(s); }, false,
         "\r\n(BlockMeaning Stamp    )"},
        {[](WT_Stream& s) { WT_Block_Record::named(WT_Block_Record::Block_Meaning, 4).write(s); }, true,
         binary(322, le16(4))},
        {[](WT_Stream& s) { WT_Block_Record::named(WT_Block_Record::Alignment, 1024).write(s); }, false,
         "\r\n(Alignment Align_None        )"},
        {[](WT_Stream& s) { WT_Block_Record::with_bytes(WT_Block_Record::Password, Password).write(s); }, true,
         binary(331, Password)},
        {[](WT_Stream& s) { WT_Block_Record::with_bytes(WT_Block_Record::Password, Password).write(s); }, false,
         "\r\n(Psswd '" + Password + "')"},
        {[](WT_Stream& s) { WT_Metadata(WT_Metadata::Author, "Jane Doe").write(s); }, true, "\r\n(Author 'Jane Doe')"},
        {[](WT_Stream& s) { WT_Metadata(WT_Metadata::Source_Modified, -3, "t", "").write(s); }, true,
         "\r\n(SourceModified -3 t '')"},
        {[&box](WT_Stream& s) { WT_Named_View(box, "top").write(s); }, true, "\r\n(NamedView 0,-1 20,30 top)"},
        {[&box](WT_Stream& s) {
             WT_Named_View(box, "top").write(s);
             WT_View(WT_Named_View(box, "top")).write(s);
         },
         true, "\r\n(NamedView 0,-1 20,30 top)\r\n(View top)"},
        {[&box](WT_Stream& s) { WT_View(box).write(s); }, true, "\r\n(View 0,-1 20,30)"},
        // Names that would read as a box, or open a quote, are quoted.
        {[&box](WT_Stream& s) {
             for (const char* name : {"3rd", "-x", "+y"}) {
                 WT_Named_View(box, name).write(s);
                 WT_View(WT_Named_View(box, name)).write(s);
             }
         },
         true,
         "\r\n(NamedView 0,-1 20,30 3rd)\r\n(View '3rd')\r\n(NamedView 0,-1 20,30 -x)\r\n(View '-x')"
         "\r\n(NamedView 0,-1 20,30 +y)\r\n(View '+y')"},
        {[](WT_Stream& s) { WT_Metadata(WT_Metadata::Author, "Jane \"JD\"").write(s); }, false,
         "\r\n(Author 'Jane \"JD\"')"},
        {[](WT_Stream& s) { WT_Group("a\"b").write(s); }, true, "\r\n(GroupBegin 'a\"b')"},
        {[](WT_Stream& s) { WT_Background(WT_RGBA32(1, 2, 3, 4)).write(s); }, true, "\r\n(Background 1,2,3,4)"},
        {[](WT_Stream& s) { WT_Plot_Optimized(true).write(s); }, true, "\r\n(PlotOptimized)"},
        {[](WT_Stream& s) { WT_Pen_Pattern_Options({true, false, false, true}).write(s); }, true,
         "\r\n(PenPat_Options 1 0 0 1)"},
        {[](WT_Stream& s) { WT_Projection(WT_Projection::Chop).write(s); }, true, "\r\n(Projection 'chop')"},
        {[](WT_Stream& s) { WT_Plot_Info(false, 90, WT_Plot_Info::Inches, {8.5, 11, 0, 0, 8, 10.5}).write(s); },
         true, "\r\n(PlotInfo hide 90 in 8.5 11 0 0 8 10.5)"},
        {[](WT_Stream& s) { WT_Group("a b").write(s); }, true, "\r\n(GroupBegin 'a b')"},
        {[](WT_Stream& s) { WT_Group().write(s); }, true, "\r\n(GroupEnd)"},
    };
    for (const Case& c : cases) {
        const std::string written =
            write_stream(c.body, [&c](WT_Stream& s) { s.options().set_allow_binary_data(c.binary_data); });
        const std::string trailer = c.binary_data ? "(EndOfDWF)\r\n" : "\r\n(EndOfDWF)\r\n";
        EXPECT_EQ(written, Header + c.expected + trailer) << c.expected;
        // What is written reads back.
        EXPECT_EQ(read_all(written).end, WT_Result::End_Of_Stream) << c.expected;
    }
}

TEST(W2dStructuralRecords, DesiredDrawingInformationPrecedesTheNextDrawable) {
    // A user-data-like mask covers several kinds; a single-kind sync of an
    // attribute does not write the drawing information.
    const std::string written = write_stream([](WT_Stream& s) {
        s.desired_attributes().drawing_info().store(WT_Background(WT_RGBA32(9, 9, 9, 9)));
        s.sync_attributes(WT_Attribute_Set::Color_Map_Bit);
        s.write("|");
        s.sync_attributes(0x2C210C);
        s.sync_attributes(0x2C210C);
    });
    EXPECT_EQ(written, Header + "|\r\n(Background 9,9,9,9)(EndOfDWF)\r\n");
}

TEST(W2dStructuralRecords, EveryWrittenRecordReadsBackInBothForms) {
    const WT_Logical_Box box = {WT_Logical_Point(1, 2), WT_Logical_Point(3, 4)};
    const std::string guid(16, '\x11');
    auto body = [&](WT_Stream& s) {
        WT_Metadata(WT_Metadata::Copyright, WT_String(u"\u00A9 K")).write(s);
        WT_Metadata(WT_Metadata::Modified, 77, "then", "g").write(s);
        WT_Named_View(box, "v").write(s);
        WT_View(WT_Named_View(box, "v")).write(s);
        WT_Background(WT_RGBA32(4, 5, 6, 7)).write(s);
        WT_Plot_Optimized(true).write(s);
        WT_Inked_Area({box[0], box[1], box[0], box[1]}).write(s);
        WT_Pen_Pattern_Options({false, true, false, true}).write(s);
        WT_Projection(WT_Projection::Chop).write(s);
        WT_Plot_Info(true, 270, WT_Plot_Info::Millimeters, {1, 2, 3, 4, 5, 6}).write(s);
        WT_Group("g").write(s);
        WT_Group().write(s);
        WT_Block_Record::named(WT_Block_Record::Encryption, 2).write(s);
        WT_Block_Record::named(WT_Block_Record::Orientation, 1).write(s);
        WT_Block_Record::with_bytes(WT_Block_Record::Guid, guid).write(s);
        WT_Block_Record::with_bytes(WT_Block_Record::Password, Odd_Password).write(s);
    };
    for (const bool binary_data : {true, false}) {
        const std::string written =
            write_stream(body, [binary_data](WT_Stream& s) { s.options().set_allow_binary_data(binary_data); });
        const Read_Result read = read_all(written);
        EXPECT_EQ(read.end, WT_Result::End_Of_Stream) << binary_data;
        EXPECT_EQ(read.ids.size(), 17u);
        EXPECT_EQ(read.info.metadata(WT_Metadata::Copyright).text(), WT_String(u"\u00A9 K"));
        EXPECT_EQ(read.info.metadata(WT_Metadata::Modified), WT_Metadata(WT_Metadata::Modified, 77, "then", "g"));
        EXPECT_EQ(read.info.view(), WT_View(WT_Named_View(box, "v")));
        EXPECT_EQ(read.info.background().color(), WT_RGBA32(4, 5, 6, 7));
        EXPECT_EQ(read.info.inked_area().corners()[1], box[1]);
        EXPECT_TRUE(read.info.pen_pattern_options().flags()[3]);
        EXPECT_EQ(read.info.projection().kind(), WT_Projection::Chop);
        EXPECT_EQ(read.info.plot_info(), WT_Plot_Info(true, 270, WT_Plot_Info::Millimeters, {1, 2, 3, 4, 5, 6}));
        ASSERT_EQ(read.blocks.size(), 4u);
        EXPECT_EQ(read.blocks[0].value_name(), "Reserved1");
        EXPECT_EQ(read.blocks[1].value_name(), "Always_In_Sync");
        EXPECT_EQ(read.blocks[2].bytes(), guid);
        EXPECT_EQ(read.blocks[3].bytes(), Odd_Password);
    }
}

TEST(W2dStructuralRecords, MetadataBetweenPolylinesLeavesThemUnchanged) {
    const std::string line = "\x0C" + le16(10) + le16(20) + le16(5) + le16(5);
    const std::string polyline = "p\x02" + le32(1) + le32(1) + le32(4) + le32(static_cast<uint32_t>(-6));
    const std::string records = "(Author 'Jane Doe')\r\n(Created 1700000000 'Tue' '{B5}')(PlotOptimized)";
    auto polylines = [](const std::string& bytes) {
        std::vector<std::vector<WT_Logical_Point>> found;
        const WT_Result::Enum end = read_stream(bytes, [&found](WT_Stream& stream) {
            if (auto* p = dynamic_cast<WT_Polyline*>(stream.current_object())) found.push_back(p->points());
        });
        EXPECT_EQ(end, WT_Result::End_Of_Stream);
        return found;
    };
    const auto plain = polylines(Header + line + polyline + Trailer);
    const auto with_records = polylines(Header + records + line + records + polyline + records + Trailer);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[1].back(), WT_Logical_Point(20, 20));
    EXPECT_EQ(with_records, plain);
}
