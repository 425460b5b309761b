#include "w2d/line_style.h"

#include <array>

#include "w2d/attribute_helpers.h"
#include "w2d/framing.h"
#include "w2d/option.h"
#include "w2d/record_reading.h"

namespace {
struct Option_Description {
    uint32_t bit;
    std::string_view name;
};

// In the order in which the options are written.
constexpr std::array<Option_Description, 9> Options = {{
    {WT_Line_Style::Adapt_Patterns_Bit, "AdaptPatterns"},
    {WT_Line_Style::Pattern_Scale_Bit, "LinePatternScale"},
    {WT_Line_Style::Line_Join_Bit, "LineJoin"},
    {WT_Line_Style::Dash_Start_Cap_Bit, "DashStartCap"},
    {WT_Line_Style::Dash_End_Cap_Bit, "DashEndCap"},
    {WT_Line_Style::Line_Start_Cap_Bit, "LineStartCap"},
    {WT_Line_Style::Line_End_Cap_Bit, "LineEndCap"},
    {WT_Line_Style::Miter_Angle_Bit, "MiterAngle"},
    {WT_Line_Style::Miter_Length_Bit, "MiterLength"},
}};

constexpr WT_Named_Value Cap_Names[] = {{"butt", 0}, {"square", 1}, {"round", 2}, {"diamond", 3}};
constexpr WT_Named_Value Join_Names[] = {{"miter", 0}, {"bevel", 1}, {"round", 2}, {"diamond", 3}};
constexpr WT_Named_Value Boolean_Names[] = {{"true", 1}, {"TRUE", 1}, {"false", 0}, {"FALSE", 0}};

std::string_view option_name(uint32_t bit) {
    for (const Option_Description& option : Options)
        if (option.bit == bit) return option.name;
    return {};
}

WT_Result::Enum read_name(WT_Stream& stream, std::span<const WT_Named_Value> table, int& value) {
    std::string token;
    WT_CHECK(stream.read_ascii_token(64, token));
    return wt_find_value(table, token, value) ? WT_Result::Success : WT_Result::Corrupt_Data;
}
}  // namespace

uint32_t WT_Line_Style::WT_Line_Style_Option_Code::option_bit() const {
    if (type() != Extended_ASCII) return 0;
    for (const Option_Description& option : Options)
        if (option.name == name()) return option.bit;
    return 0;
}

bool WT_Line_Style::same_value(const WT_Line_Style& other, uint32_t bit) const {
    switch (bit) {
        case Adapt_Patterns_Bit: return m_adapt_patterns == other.m_adapt_patterns;
        case Pattern_Scale_Bit: return m_pattern_scale == other.m_pattern_scale;
        case Line_Join_Bit: return m_line_join == other.m_line_join;
        case Dash_Start_Cap_Bit: return m_dash_start_cap == other.m_dash_start_cap;
        case Dash_End_Cap_Bit: return m_dash_end_cap == other.m_dash_end_cap;
        case Line_Start_Cap_Bit: return m_line_start_cap == other.m_line_start_cap;
        case Line_End_Cap_Bit: return m_line_end_cap == other.m_line_end_cap;
        case Miter_Angle_Bit: return m_miter_angle == other.m_miter_angle;
        case Miter_Length_Bit: return m_miter_length == other.m_miter_length;
        default: return true;
    }
}

uint32_t WT_Line_Style::differing(const WT_Line_Style& other, uint32_t bits) const {
    uint32_t result = 0;
    for (const Option_Description& option : Options) {
        if ((bits & option.bit) == 0) continue;
        const bool defined_here = (m_defined & option.bit) != 0;
        const bool defined_there = (other.m_defined & option.bit) != 0;
        if (defined_here != defined_there || (defined_here && !same_value(other, option.bit))) result |= option.bit;
    }
    return result;
}

void WT_Line_Style::copy_options(const WT_Line_Style& source, uint32_t bits) {
    bits &= source.m_defined;
    if (bits & Adapt_Patterns_Bit) m_adapt_patterns = source.m_adapt_patterns;
    if (bits & Pattern_Scale_Bit) m_pattern_scale = source.m_pattern_scale;
    if (bits & Line_Join_Bit) m_line_join = source.m_line_join;
    if (bits & Dash_Start_Cap_Bit) m_dash_start_cap = source.m_dash_start_cap;
    if (bits & Dash_End_Cap_Bit) m_dash_end_cap = source.m_dash_end_cap;
    if (bits & Line_Start_Cap_Bit) m_line_start_cap = source.m_line_start_cap;
    if (bits & Line_End_Cap_Bit) m_line_end_cap = source.m_line_end_cap;
    if (bits & Miter_Angle_Bit) m_miter_angle = source.m_miter_angle;
    if (bits & Miter_Length_Bit) m_miter_length = source.m_miter_length;
    m_defined |= bits;
}

bool WT_Line_Style::operator==(const WT_Line_Style& other) const {
    return differing(other, 0x1FF) == 0;
}

bool WT_Line_Style::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }

WT_Result::Enum WT_Line_Style::write_option(WT_Stream& stream, uint32_t bit) const {
    WT_CHECK(stream.write(static_cast<uint8_t>('(')));
    WT_CHECK(stream.write(option_name(bit)));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    switch (bit) {
        case Adapt_Patterns_Bit: WT_CHECK(stream.write(m_adapt_patterns ? "true" : "false")); break;
        case Pattern_Scale_Bit: WT_CHECK(stream.write_ascii(m_pattern_scale)); break;
        case Line_Join_Bit: WT_CHECK(stream.write(wt_find_name(Join_Names, m_line_join))); break;
        case Dash_Start_Cap_Bit: WT_CHECK(stream.write(wt_find_name(Cap_Names, m_dash_start_cap))); break;
        case Dash_End_Cap_Bit: WT_CHECK(stream.write(wt_find_name(Cap_Names, m_dash_end_cap))); break;
        case Line_Start_Cap_Bit: WT_CHECK(stream.write(wt_find_name(Cap_Names, m_line_start_cap))); break;
        case Line_End_Cap_Bit: WT_CHECK(stream.write(wt_find_name(Cap_Names, m_line_end_cap))); break;
        case Miter_Angle_Bit: WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_miter_angle))); break;
        case Miter_Length_Bit: WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_miter_length))); break;
        default: return WT_Result::Internal_Error;
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Line_Style::write_options(WT_Stream& stream, uint32_t bits) const {
    WT_CHECK(stream.dump_delayed_drawable());
    const bool ascii = !stream.options().allow_binary_data();
    if (ascii) WT_CHECK(stream.write_tab_level());
    WT_CHECK(stream.write(Token));
    for (const Option_Description& option : Options) {
        if ((bits & option.bit) == 0) continue;
        if (ascii) {
            WT_CHECK(stream.write_tab_level(1));
        } else {
            WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        }
        WT_CHECK(write_option(stream, option.bit));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Line_Style::write_value(WT_Stream& stream) const { return write_options(stream, m_defined); }

WT_Result::Enum WT_Line_Style::sync(WT_Stream& stream) const {
    WT_Attribute_Set& desired = stream.desired_attributes();
    WT_Line_Style& current = stream.current_attributes().line_style();
    const bool weighted = desired.line_weight().weight_value() > 0;
    const uint32_t comparable = m_defined & (weighted ? 0x1FFu : ~Weighted_Options & 0x1FFu);
    const uint32_t changes = differing(current, comparable);
    // Outline options wait for a positive weight; the kind stays marked so
    // that they are written before the first drawable that has one.
    if (!weighted && differing(current, m_defined & Weighted_Options) != 0) {
        desired.set_changed(WT_Attribute_Set::Line_Style_Bit);
    }
    if (changes == 0) return WT_Result::Success;
    WT_CHECK(write_options(stream, changes));
    current.copy_options(*this, changes);
    if (changes & Weighted_Options) desired.set_changed(WT_Attribute_Set::Line_Weight_Bit);
    return WT_Result::Success;
}

WT_Result::Enum WT_Line_Style::read_option(WT_Stream& stream, uint32_t bit) {
    int value = 0;
    switch (bit) {
        case Adapt_Patterns_Bit:
            WT_CHECK(read_name(stream, Boolean_Names, value));
            m_adapt_patterns = value != 0;
            break;
        case Pattern_Scale_Bit: WT_CHECK(stream.read_ascii(m_pattern_scale)); break;
        case Line_Join_Bit:
            WT_CHECK(read_name(stream, Join_Names, value));
            m_line_join = static_cast<WT_Joinstyle_ID>(value);
            break;
        case Miter_Angle_Bit: WT_CHECK(wt_read_unsigned(stream, m_miter_angle)); break;
        case Miter_Length_Bit: WT_CHECK(wt_read_unsigned(stream, m_miter_length)); break;
        default: {
            WT_CHECK(read_name(stream, Cap_Names, value));
            const auto cap = static_cast<WT_Capstyle_ID>(value);
            if (bit == Dash_Start_Cap_Bit) m_dash_start_cap = cap;
            if (bit == Dash_End_Cap_Bit) m_dash_end_cap = cap;
            if (bit == Line_Start_Cap_Bit) m_line_start_cap = cap;
            if (bit == Line_End_Cap_Bit) m_line_end_cap = cap;
            break;
        }
    }
    define(bit);
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Line_Style::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    *this = WT_Line_Style();
    for (;;) {
        WT_Line_Style_Option_Code option;
        WT_CHECK(option.read(stream));
        if (option.is_end_of_options()) return WT_Result::Success;
        if (option.type() != WT_Opcode::Extended_ASCII) return WT_Result::Corrupt_Data;
        const uint32_t bit = option.option_bit();
        if (bit != 0) {
            WT_CHECK(read_option(stream, bit));
            continue;
        }
        // An option of a later format version: passed over whole.
        WT_Extended_Skipper skipper(option);
        WT_CHECK(skipper.run(stream, nullptr));
    }
}

WT_Result::Enum WT_Line_Style::store(WT_Stream& stream) const {
    stream.current_attributes().line_style().copy_options(*this, m_defined);
    stream.current_attributes().set_changed(WT_Attribute_Set::Line_Style_Bit);
    return WT_Result::Success;
}
