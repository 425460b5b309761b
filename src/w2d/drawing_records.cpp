#include "w2d/drawing_records.h"

#include "w2d/attribute_set.h"
#include "w2d/record_reading.h"

namespace {
constexpr std::string_view Projection_Names[] = {"normal", "stretch", "chop"};
}  // namespace

WT_Result::Enum WT_Drawing_Record::default_process(WT_Stream& stream) {
    stream.current_attributes().drawing_info().store(*this);
    return WT_Result::Success;
}

WT_Result::Enum WT_Background::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(wt_read_ascii_rgba(stream, m_color));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Background::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, " "));
    WT_CHECK(wt_write_ascii_rgba(stream, m_color));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Plot_Optimized::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    m_optimized = true;
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Plot_Optimized::write(WT_Stream& stream) const {
    if (!m_optimized) return stream.dump_delayed_drawable();
    WT_Stream::Binary_Suspension ascii(stream);
    return wt_write_record_start(stream, Token, ")");
}

WT_Result::Enum WT_Inked_Area::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(wt_read_points(stream, m_corners));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Inked_Area::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, " "));
    WT_CHECK(wt_write_points(stream, m_corners));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Pen_Pattern_Options::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    for (bool& flag : m_flags) WT_CHECK(wt_read_flag(stream, flag));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Pen_Pattern_Options::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, ""));
    for (const bool flag : m_flags) WT_CHECK(stream.write(flag ? " 1" : " 0"));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Projection::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    std::string name;
    WT_CHECK(wt_read_name(stream, name));
    const int index = wt_find_name(Projection_Names, name);
    if (index < 0) return WT_Result::Corrupt_Data;
    m_kind = static_cast<WT_Kind>(index);
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Projection::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, " "));
    WT_CHECK(stream.write_quoted_string(Projection_Names[m_kind], true));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Plot_Info::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    std::string word;
    WT_CHECK(wt_read_name(stream, word));
    if (word != "show" && word != "hide") return WT_Result::Corrupt_Data;
    m_show = word == "show";
    WT_CHECK(stream.read_ascii(m_rotation));
    WT_CHECK(wt_read_name(stream, word));
    if (word != "in" && word != "mm") return WT_Result::Corrupt_Data;
    m_units = word == "in" ? Inches : Millimeters;
    for (double& value : m_values) WT_CHECK(stream.read_ascii(value));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Plot_Info::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, " "));
    WT_CHECK(stream.write(m_show ? "show " : "hide "));
    WT_CHECK(stream.write_ascii(m_rotation));
    WT_CHECK(stream.write(m_units == Inches ? " in " : " mm "));
    for (size_t index = 0; index < m_values.size(); ++index) {
        if (index > 0) WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(m_values[index]));
    }
    return stream.write(static_cast<uint8_t>(')'));
}
