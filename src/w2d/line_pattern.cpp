#include "w2d/line_pattern.h"

#include <array>

#include "w2d/attribute_helpers.h"

namespace {
constexpr std::array<std::string_view, WT_Line_Pattern::Count> Names = {
    "Solid", "Dashed", "Dotted", "Dash_Dot", "Short_Dash", "Medium_Dash", "Long_Dash", "Short_Dash_X2",
    "Medium_Dash_X2", "Long_Dash_X2", "Medium_Long_Dash", "Medium_Dash_Short_Dash_Short_Dash",
    "Long_Dash_Short_Dash", "Long_Dash_Dot_Dot", "Long_Dash_Dot", "Medium_Dash_Dot_Short_Dash_Dot", "Sparse_Dot",
    "ISO_Dash", "ISO_Dash_Space", "ISO_Long_Dash_Dot", "ISO_Long_Dash_Double_Dot", "ISO_Long_Dash_Triple_Dot",
    "ISO_Dot", "ISO_Long_Dash_Short_Dash", "ISO_Long_Dash_Double_Short_Dash", "ISO_Dash_Dot",
    "ISO_Double_Dash_Dot", "ISO_Dash_Double_Dot", "ISO_Double_Dash_Double_Dot", "ISO_Dash_Triple_Dot",
    "ISO_Double_Dash_Triple_Dot"};

bool valid(uint32_t id) { return id >= 1 && id <= WT_Line_Pattern::Count; }
}  // namespace

std::string_view WT_Line_Pattern::name(WT_Pattern_ID id) {
    return valid(static_cast<uint32_t>(id)) ? Names[static_cast<size_t>(id) - 1] : std::string_view();
}

WT_Result::Enum WT_Line_Pattern::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() == WT_Opcode::Single_Byte && opcode.byte() == Opcode) {
        uint32_t id = 0;
        WT_CHECK(stream.read_count(id));
        if (!valid(id)) return WT_Result::Corrupt_Data;
        m_id = static_cast<WT_Pattern_ID>(id);
        return WT_Result::Success;
    }
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    std::string token;
    WT_CHECK(stream.read_ascii_token(64, token));
    for (size_t index = 0; index < Names.size(); ++index) {
        if (Names[index] != token) continue;
        m_id = static_cast<WT_Pattern_ID>(index + 1);
        return stream.read_closing_parenthesis();
    }
    return WT_Result::Corrupt_Data;
}

WT_Result::Enum WT_Line_Pattern::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!valid(static_cast<uint32_t>(m_id))) return WT_Result::Internal_Error;
    if (stream.options().allow_binary_data()) {
        WT_CHECK(stream.write(Opcode));
        return stream.write_count(static_cast<uint32_t>(m_id));
    }
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_quoted_string(name(m_id), true));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Line_Pattern::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().line_pattern(),
                              WT_Attribute_Set::Line_Pattern_Bit);
}

WT_Result::Enum WT_Line_Pattern::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().line_pattern());
}

bool WT_Line_Pattern::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
