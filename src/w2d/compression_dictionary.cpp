// The preset dictionary of compressed sections: byte runs that streams repeat
// often, so that even a short compressed section finds matches.
#include <string>

#include "w2d/color_map.h"
#include "w2d/compression.h"

namespace {
constexpr size_t Dictionary_Size = 13523;

void append_color_map_record(std::string& out) {
    // "{", the size (opcode value, count byte, entries, "}"), value 1, a
    // count byte of 0 standing for 256, the entries, "}".
    const uint32_t size = 2 + 1 + 256 * 4 + 1;
    out += '{';
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((size >> shift) & 0xFF);
    out += '\x01';
    out += '\x00';
    out += '\x00';
    for (int index = 0; index < 256; ++index) {
        const WT_RGBA32 color = WT_Color_Map::default_color(index);
        out += static_cast<char>(color.m_red);
        out += static_cast<char>(color.m_green);
        out += static_cast<char>(color.m_blue);
        out += static_cast<char>(color.m_alpha);
    }
    out += '}';
}

void append_opcode_names(std::string& out) {
    static constexpr const char* Names[] = {
        "(Alignment", "(Author", "(Background", "(BlockMeaning", "(BlockRef", "(Circle", "(CodePage", "(Color",
        "(ColorMap", "(Comments", "(Contour", "(Copyright", "(Created", "(Creator", "(DashPattern",
        "(Description", "(Directory", "(Ellipse", "(Embed", "(Embedded_Font", "(Encryption", "(EndOfDWF",
        "(FillPattern", "(Font", "(FontExtension", "(Gouraud", "(GourLine", "(Group4PNGImage", "(GroupBegin",
        "(GroupEnd", "(Guid", "(GuidList", "(Image", "(InkedArea", "(Keywords", "(Layer", "(LinePattern",
        "(LineStyle", "(LinesOverwrite", "(LineWeight", "(Modified", "(NamedView", "(Node", "(Orientation",
        "(PenPat_Options", "(PenPattern", "(PlotInfo", "(PlotOptimized", "(Projection", "(Psswd", "(SignData",
        "(SourceCreated", "(SourceFilename", "(SourceModified", "(Subject", "(Text", "(Time", "(Title",
        "(TrustedFontList", "(Units", "(URL", "(UserData", "(View", "(Viewport", "(Name", "(Charset", "(Pitch",
        "(Family", "(Style", "(Height", "(Rotation", "(Widthscale", "(Spacing", "(Oblique", "(Flags",
        "(LineJoin", "(LineStartCap", "(LineEndCap", "(DashStartCap", "(DashEndCap", "(MiterAngle",
        "(MiterLength", "(AdaptPatterns", "(LinePatternScale", "(W2D V06.00)", "(EndOfDWF)"};
    for (const char* name : Names) {
        out += name;
        out += ' ';
    }
}

void append_digit_runs(std::string& out, size_t size) {
    for (uint32_t number = 0; out.size() < size; ++number) {
        out += std::to_string(number);
        out += ' ';
    }
    out.resize(size);
}

std::string build_dictionary() {
    std::string out = "(DashPattern (LineStyle (Copyright (Keywords (Viewport (CodePage {";
    append_color_map_record(out);
    append_opcode_names(out);
    const size_t record_size = 1 + 4 + 2 + 1 + 256 * 4 + 1;
    append_digit_runs(out, Dictionary_Size - record_size);
    append_color_map_record(out);
    return out;
}
}  // namespace

std::string_view wt_compression_dictionary() {
    static const std::string dictionary = build_dictionary();
    return dictionary;
}
