#include "w2d/object_factory.h"

#include <array>
#include <string_view>

#include "w2d/attribute_set.h"
#include "w2d/block_record.h"
#include "w2d/contour_set.h"
#include "w2d/drawing_records.h"
#include "w2d/ellipse.h"
#include "w2d/framed_record.h"
#include "w2d/group.h"
#include "w2d/header.h"
#include "w2d/image.h"
#include "w2d/metadata.h"
#include "w2d/opcode.h"
#include "w2d/origin.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/stream.h"
#include "w2d/text.h"
#include "w2d/unknown.h"
#include "w2d/user_data.h"
#include "w2d/view.h"

namespace {
using Maker = std::unique_ptr<WT_Object> (*)();

template <class T>
std::unique_ptr<WT_Object> make() {
    return std::make_unique<T>();
}

// One opcode and the kind of object it stands for. Ellipses and point sets
// draw filled or outlined by the current fill: their rows name both kinds.
struct Kind_Row {
    WT_Opcode::WT_Type form;
    uint16_t value;          // the single byte or the extended binary value
    std::string_view token;  // the extended ASCII token
    Maker filled;
    Maker outline;
};

constexpr Kind_Row byte_row(uint8_t byte, Maker maker, Maker outline = nullptr) {
    return {WT_Opcode::Single_Byte, byte, {}, maker, outline};
}
constexpr Kind_Row binary_row(uint16_t value, Maker maker) { return {WT_Opcode::Extended_Binary, value, {}, maker, nullptr}; }
constexpr Kind_Row named_row(std::string_view token, Maker maker, Maker outline = nullptr) {
    return {WT_Opcode::Extended_ASCII, 0, token, maker, outline};
}

constexpr Maker Filled_Ellipse = make<WT_Filled_Ellipse>;
constexpr Maker Outline_Ellipse = make<WT_Outline_Ellipse>;

// Every opcode with an object of its own, so that a new kind is one class
// and one row here. Block records and metadata, whose objects take the
// opcode's meaning, follow the table; every other extended opcode is passed
// over by its framing, every other single byte is not the format.
constexpr Kind_Row Kinds[] = {
    // drawables
    byte_row(WT_Polyline::Ascii_Line_Opcode, make<WT_Polyline>),
    byte_row(WT_Polyline::Line_Opcode_32, make<WT_Polyline>),
    byte_row(WT_Polyline::Line_Opcode_16, make<WT_Polyline>),
    byte_row(WT_Point_Set::Ascii_Point_Set_Opcode, make<WT_Polygon>, make<WT_Polyline>),
    byte_row(WT_Point_Set::Point_Set_Opcode_32, make<WT_Polygon>, make<WT_Polyline>),
    byte_row(WT_Point_Set::Point_Set_Opcode_16, make<WT_Polygon>, make<WT_Polyline>),
    byte_row(WT_Contour_Set::Opcode_16, make<WT_Contour_Set>),
    byte_row(WT_Contour_Set::Opcode_32, make<WT_Contour_Set>),
    named_row(WT_Contour_Set::Token, make<WT_Contour_Set>),
    byte_row(WT_Polytriangle::Ascii_Opcode, make<WT_Polytriangle>),
    byte_row(WT_Polytriangle::Opcode_32, make<WT_Polytriangle>),
    byte_row(WT_Polytriangle::Opcode_16, make<WT_Polytriangle>),
    byte_row(WT_Polymarker::Ascii_Opcode, make<WT_Polymarker>),
    byte_row(WT_Polymarker::Opcode_32, make<WT_Polymarker>),
    byte_row(WT_Polymarker::Opcode_16, make<WT_Polymarker>),
    byte_row(WT_Ellipse::Ascii_Circle, Filled_Ellipse, Outline_Ellipse),
    byte_row(WT_Ellipse::Circle_32, Filled_Ellipse, Outline_Ellipse),
    byte_row(WT_Ellipse::Circle_16, Filled_Ellipse, Outline_Ellipse),
    byte_row(WT_Ellipse::Arc_32, Filled_Ellipse, Outline_Ellipse),
    byte_row(WT_Ellipse::Ascii_Ellipse, Filled_Ellipse, Outline_Ellipse),
    byte_row(WT_Ellipse::Ellipse_32, Filled_Ellipse, Outline_Ellipse),
    named_row(WT_Ellipse::Circle_Token, Filled_Ellipse, Outline_Ellipse),
    named_row(WT_Ellipse::Ellipse_Token, Filled_Ellipse, Outline_Ellipse),
    byte_row(WT_Text::Opcode, make<WT_Text>),
    byte_row(WT_Text::Options_Opcode, make<WT_Text>),
    named_row(WT_Text::Token, make<WT_Text>),
    binary_row(WT_Image::Bitonal_Mapped, make<WT_Image>),
    binary_row(WT_Image::Group3X_Mapped, make<WT_Image>),
    binary_row(WT_Image::Indexed, make<WT_Image>),
    binary_row(WT_Image::Mapped, make<WT_Image>),
    binary_row(WT_Image::RGB, make<WT_Image>),
    binary_row(WT_Image::RGBA, make<WT_Image>),
    binary_row(WT_Image::JPEG, make<WT_Image>),
    named_row(WT_Image::Token, make<WT_Image>),
    binary_row(WT_Image::Group4, make<WT_PNG_Group4_Image>),
    binary_row(WT_Image::PNG, make<WT_PNG_Group4_Image>),
    binary_row(WT_Image::Group4X_Mapped, make<WT_PNG_Group4_Image>),
    named_row(WT_PNG_Group4_Image::Token, make<WT_PNG_Group4_Image>),
    binary_row(WT_UserData::Binary_Opcode, make<WT_UserData>),
    named_row(WT_UserData::Token, make<WT_UserData>),
    // Bezier curves are not interpreted; their reading fails cleanly.
    byte_row(0x02, make<WT_Unknown>),
    byte_row('B', make<WT_Unknown>),
    byte_row('b', make<WT_Unknown>),
    // attributes
    byte_row(WT_Color::RGBA_Opcode, make<WT_Color>),
    byte_row(WT_Color::Index_Opcode, make<WT_Color>),
    byte_row(WT_Color::Ascii_Index_Opcode, make<WT_Color>),
    named_row(WT_Color::Token, make<WT_Color>),
    binary_row(WT_Color_Map::Binary_Opcode, make<WT_Color_Map>),
    named_row(WT_Color_Map::Token, make<WT_Color_Map>),
    byte_row(WT_Fill::On_Opcode, make<WT_Fill>),
    byte_row(WT_Fill::Off_Opcode, make<WT_Fill>),
    byte_row(WT_Visibility::On_Opcode, make<WT_Visibility>),
    byte_row(WT_Visibility::Off_Opcode, make<WT_Visibility>),
    byte_row(WT_Line_Weight::Opcode, make<WT_Line_Weight>),
    named_row(WT_Line_Weight::Token, make<WT_Line_Weight>),
    named_row(WT_Line_Style::Token, make<WT_Line_Style>),
    byte_row(WT_Font::Opcode, make<WT_Font>),
    named_row(WT_Font::Token, make<WT_Font>),
    named_row(WT_Viewport::Token, make<WT_Viewport>),
    byte_row(WT_Layer::Opcode, make<WT_Layer>),
    named_row(WT_Layer::Token, make<WT_Layer>),
    named_row(WT_Code_Page::Token, make<WT_Code_Page>),
    byte_row(WT_Marker_Size::Opcode, make<WT_Marker_Size>),
    byte_row(WT_Marker_Size::Ascii_Opcode, make<WT_Marker_Size>),
    byte_row(WT_Marker_Symbol::Ascii_Opcode, make<WT_Marker_Symbol>),
    byte_row(WT_Line_Pattern::Opcode, make<WT_Line_Pattern>),
    named_row(WT_Line_Pattern::Token, make<WT_Line_Pattern>),
    named_row(WT_Dash_Pattern::Token, make<WT_Dash_Pattern>),
    named_row(WT_Fill_Pattern::Token, make<WT_Fill_Pattern>),
    named_row(WT_Merge_Control::Token, make<WT_Merge_Control>),
    named_row(WT_URL::Token, make<WT_URL>),
    binary_row(WT_Pen_Pattern::Binary_Opcode, make<WT_Pen_Pattern>),
    named_row(WT_Pen_Pattern::Token, make<WT_Pen_Pattern>),
    named_row(WT_Font_Extension::Token, make<WT_Font_Extension>),
    byte_row(WT_Object_Node::Next_Opcode, make<WT_Object_Node>),
    byte_row(WT_Object_Node::Opcode_16, make<WT_Object_Node>),
    byte_row(WT_Object_Node::Opcode_32, make<WT_Object_Node>),
    named_row(WT_Object_Node::Token, make<WT_Object_Node>),
    named_row(WT_Units::Token, make<WT_Units>),
    // structure
    byte_row(WT_Origin::Opcode, make<WT_Origin>),
    binary_row(WT_Compression_Marker::Other_Opcode, make<WT_Compression_Marker>),
    binary_row(WT_Compression_Marker::Zlib_Opcode, make<WT_Compression_Marker>),
    named_row(WT_End_Of_DWF::Token, make<WT_End_Of_DWF>),
    named_row(WT_Background::Token, make<WT_Background>),
    named_row(WT_View::Token, make<WT_View>),
    named_row(WT_Named_View::Token, make<WT_Named_View>),
    named_row(WT_Plot_Optimized::Token, make<WT_Plot_Optimized>),
    named_row(WT_Inked_Area::Token, make<WT_Inked_Area>),
    named_row(WT_Pen_Pattern_Options::Token, make<WT_Pen_Pattern_Options>),
    named_row(WT_Projection::Token, make<WT_Projection>),
    named_row(WT_Plot_Info::Token, make<WT_Plot_Info>),
    named_row(WT_Group::Begin_Token, make<WT_Group>),
    named_row(WT_Group::End_Token, make<WT_Group>),
    // Read by their framing alone, so only this table names them.
    named_row("(Embed", make<WT_Embed>),
    named_row("(Embedded_Font", make<WT_Embedded_Font>),
    binary_row(318, make<WT_Embedded_Font>),
    named_row("(TrustedFontList", make<WT_Trusted_Font_List>),
    named_row("(Gouraud", make<WT_Gouraud_Record>),
    named_row("(GourLine", make<WT_Gouraud_Record>),
};

constexpr bool same_opcode(const Kind_Row& one, const Kind_Row& other) {
    return one.form == other.form && one.value == other.value && one.token == other.token;
}

constexpr bool each_opcode_once() {
    for (size_t one = 0; one < std::size(Kinds); ++one)
        for (size_t other = one + 1; other < std::size(Kinds); ++other)
            if (same_opcode(Kinds[one], Kinds[other])) return false;
    return true;
}
static_assert(each_opcode_once(), "an opcode has one kind");

constexpr int16_t No_Row = -1;

// The single bytes indexed, since they start most objects of a stream.
constexpr std::array<int16_t, 256> Byte_Rows = [] {
    std::array<int16_t, 256> rows{};
    rows.fill(No_Row);
    for (size_t index = 0; index < std::size(Kinds); ++index)
        if (Kinds[index].form == WT_Opcode::Single_Byte) rows[Kinds[index].value] = static_cast<int16_t>(index);
    return rows;
}();

const Kind_Row* find_row(const WT_Opcode& opcode) {
    if (opcode.type() == WT_Opcode::Single_Byte) {
        const int16_t index = Byte_Rows[opcode.byte()];
        return index == No_Row ? nullptr : &Kinds[index];
    }
    for (const Kind_Row& row : Kinds) {
        if (row.form != opcode.type()) continue;
        if (row.form == WT_Opcode::Extended_Binary ? row.value == opcode.binary_value() : row.token == opcode.token())
            return &row;
    }
    return nullptr;
}

// The extended opcodes whose object takes its meaning from the opcode.
std::unique_ptr<WT_Object> create_keyed_object(const WT_Opcode& opcode) {
    WT_Block_Record::WT_Kind block = WT_Block_Record::Block_Meaning;
    if (WT_Block_Record::kind_of(opcode, block)) return std::make_unique<WT_Block_Record>(block);
    WT_Metadata::WT_Keyword keyword = WT_Metadata::Author;
    if (opcode.type() == WT_Opcode::Extended_ASCII && WT_Metadata::keyword_of(opcode.token(), keyword))
        return std::make_unique<WT_Metadata>(keyword);
    return std::make_unique<WT_Unknown>();
}
}  // namespace

std::unique_ptr<WT_Object> wt_create_object(const WT_Opcode& opcode, WT_Stream& stream, WT_Result::Enum& result) {
    result = WT_Result::Success;
    if (const Kind_Row* row = find_row(opcode)) {
        const bool outline = row->outline != nullptr && !stream.current_attributes().fill().filled();
        return outline ? row->outline() : row->filled();
    }
    switch (opcode.type()) {
        case WT_Opcode::Extended_ASCII:
        case WT_Opcode::Extended_Binary:
            return create_keyed_object(opcode);
        case WT_Opcode::Single_Byte:
            result = WT_Result::Unsupported_Opcode;
            return nullptr;
        default:
            result = WT_Result::Corrupt_Data;
            return nullptr;
    }
}
