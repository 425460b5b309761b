#include "w2d/object_factory.h"

#include <string_view>

#include "w2d/attribute_set.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/header.h"
#include "w2d/image.h"
#include "w2d/opcode.h"
#include "w2d/origin.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/stream.h"
#include "w2d/structural_factory.h"
#include "w2d/text.h"
#include "w2d/unknown.h"
#include "w2d/user_data.h"

namespace {
using Maker = std::unique_ptr<WT_Object> (*)();

template <class T>
std::unique_ptr<WT_Object> make() {
    return std::make_unique<T>();
}

struct Named_Kind {
    std::string_view token;
    Maker maker;
};

// Extended ASCII names with an object of their own; every other name is
// passed over by its framing.
constexpr Named_Kind Named_Kinds[] = {
    {"(Color", make<WT_Color>},
    {"(ColorMap", make<WT_Color_Map>},
    {"(CodePage", make<WT_Code_Page>},
    {"(Contour", make<WT_Contour_Set>},
    {"(DashPattern", make<WT_Dash_Pattern>},
    {"(EndOfDWF", make<WT_End_Of_DWF>},
    {"(FillPattern", make<WT_Fill_Pattern>},
    {"(Font", make<WT_Font>},
    {"(FontExtension", make<WT_Font_Extension>},
    {"(Group4PNGImage", make<WT_PNG_Group4_Image>},
    {"(Image", make<WT_Image>},
    {"(Layer", make<WT_Layer>},
    {"(LinePattern", make<WT_Line_Pattern>},
    {"(LineStyle", make<WT_Line_Style>},
    {"(LinesOverwrite", make<WT_Merge_Control>},
    {"(LineWeight", make<WT_Line_Weight>},
    {"(Node", make<WT_Object_Node>},
    {"(PenPattern", make<WT_Pen_Pattern>},
    {"(Text", make<WT_Text>},
    {"(Units", make<WT_Units>},
    {"(URL", make<WT_URL>},
    {"(UserData", make<WT_UserData>},
    {"(Viewport", make<WT_Viewport>},
};

// Ellipses and point sets draw filled or outlined by the current fill.
Maker filled_kind(const WT_Opcode& opcode, bool filled) {
    if (opcode.is_named("(Circle") || opcode.is_named("(Ellipse"))
        return filled ? make<WT_Filled_Ellipse> : make<WT_Outline_Ellipse>;
    if (opcode.type() != WT_Opcode::Single_Byte) return nullptr;
    switch (opcode.byte()) {
        case 'R':
        case 'r':
        case 0x12:
        case 0x92:
        case 'E':
        case 'e':
            return filled ? make<WT_Filled_Ellipse> : make<WT_Outline_Ellipse>;
        case 'P':
        case 'p':
        case 0x10:
            return filled ? make<WT_Polygon> : make<WT_Polyline>;
        default:
            return nullptr;
    }
}

Maker single_byte_kind(uint8_t byte) {
    switch (byte) {
        case 'L':
        case 'l':
        case 0x0C:
            return make<WT_Polyline>;
        case 0x0B:
        case 'k':
            return make<WT_Contour_Set>;
        case WT_Polytriangle::Ascii_Opcode:
        case WT_Polytriangle::Opcode_32:
        case WT_Polytriangle::Opcode_16:
            return make<WT_Polytriangle>;
        case WT_Polymarker::Ascii_Opcode:
        case WT_Polymarker::Opcode_32:
        case WT_Polymarker::Opcode_16:
            return make<WT_Polymarker>;
        case 'x':
        case 0x18:
            return make<WT_Text>;
        case WT_Origin::Opcode:
            return make<WT_Origin>;
        case 0x02:
        case 'B':
        case 'b':
            // Bezier curves are not interpreted; their reading fails cleanly.
            return make<WT_Unknown>;
        case 0x03:
        case 'c':
        case 'C':
            return make<WT_Color>;
        case 0x06:
            return make<WT_Font>;
        case 0x0E:
        case 'n':
        case 'N':
            return make<WT_Object_Node>;
        case 0x17:
            return make<WT_Line_Weight>;
        case 'F':
        case 'f':
            return make<WT_Fill>;
        case 'G':
            return make<WT_Marker_Symbol>;
        case 'S':
        case 's':
            return make<WT_Marker_Size>;
        case 'V':
        case 'v':
            return make<WT_Visibility>;
        case 0xAC:
            return make<WT_Layer>;
        case 0xCC:
            return make<WT_Line_Pattern>;
        default:
            return nullptr;
    }
}

Maker binary_kind(uint16_t value) {
    switch (value) {
        case WT_Color_Map::Binary_Opcode:
            return make<WT_Color_Map>;
        case 16:
        case 17:
            return make<WT_Compression_Marker>;
        case WT_Pen_Pattern::Binary_Opcode:
            return make<WT_Pen_Pattern>;
        case WT_Image::Bitonal_Mapped:
        case WT_Image::Group3X_Mapped:
        case WT_Image::Indexed:
        case WT_Image::Mapped:
        case WT_Image::RGB:
        case WT_Image::RGBA:
        case WT_Image::JPEG:
            return make<WT_Image>;
        case WT_Image::Group4:
        case WT_Image::PNG:
        case WT_Image::Group4X_Mapped:
            return make<WT_PNG_Group4_Image>;
        case WT_UserData::Binary_Opcode:
            return make<WT_UserData>;
        default:
            return nullptr;
    }
}
}  // namespace

std::unique_ptr<WT_Object> wt_create_object(const WT_Opcode& opcode, WT_Stream& stream, WT_Result::Enum& result) {
    result = WT_Result::Success;
    if (const Maker maker = filled_kind(opcode, stream.current_attributes().fill().filled())) return maker();
    switch (opcode.type()) {
        case WT_Opcode::Extended_ASCII:
            for (const Named_Kind& kind : Named_Kinds)
                if (kind.token == opcode.token()) return kind.maker();
            if (auto structural = wt_create_structural_object(opcode)) return structural;
            return std::make_unique<WT_Unknown>();
        case WT_Opcode::Extended_Binary:
            if (const Maker maker = binary_kind(opcode.binary_value())) return maker();
            if (auto structural = wt_create_structural_object(opcode)) return structural;
            return std::make_unique<WT_Unknown>();
        case WT_Opcode::Single_Byte:
            if (const Maker maker = single_byte_kind(opcode.byte())) return maker();
            result = WT_Result::Unsupported_Opcode;
            return nullptr;
        default:
            result = WT_Result::Corrupt_Data;
            return nullptr;
    }
}
