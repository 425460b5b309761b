#include "w2d/object_factory.h"

#include <string_view>

#include "w2d/attribute_set.h"
#include "w2d/header.h"
#include "w2d/opcode.h"
#include "w2d/stream.h"
#include "w2d/structural_factory.h"
#include "w2d/unknown.h"

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
    {"(DashPattern", make<WT_Dash_Pattern>},
    {"(EndOfDWF", make<WT_End_Of_DWF>},
    {"(FillPattern", make<WT_Fill_Pattern>},
    {"(Font", make<WT_Font>},
    {"(FontExtension", make<WT_Font_Extension>},
    {"(Layer", make<WT_Layer>},
    {"(LinePattern", make<WT_Line_Pattern>},
    {"(LineStyle", make<WT_Line_Style>},
    {"(LinesOverwrite", make<WT_Merge_Control>},
    {"(LineWeight", make<WT_Line_Weight>},
    {"(Node", make<WT_Object_Node>},
    {"(PenPattern", make<WT_Pen_Pattern>},
    {"(Units", make<WT_Units>},
    {"(URL", make<WT_URL>},
    {"(Viewport", make<WT_Viewport>},
};

Maker single_byte_kind(uint8_t byte) {
    switch (byte) {
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
        default:
            return nullptr;
    }
}
}  // namespace

std::unique_ptr<WT_Object> wt_create_object(const WT_Opcode& opcode, WT_Stream&, WT_Result::Enum& result) {
    result = WT_Result::Success;
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
