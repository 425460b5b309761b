#include "w2d/dash_pattern.h"

#include "w2d/attribute_helpers.h"

// "(DashPattern " id, then for a pattern a space and the lengths separated
// by commas, then ")".
WT_Result::Enum WT_Dash_Pattern::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    m_lengths.clear();
    WT_CHECK(stream.read_ascii(m_id));
    for (;;) {
        WT_CHECK(stream.eat_whitespace());
        uint8_t next = 0;
        WT_CHECK(stream.peek(next));
        if (next == ')') break;
        if (!m_lengths.empty()) {
            WT_CHECK(stream.read(next));
            if (next != ',') return WT_Result::Corrupt_Data;
        }
        int32_t length = 0;
        WT_CHECK(stream.read_ascii(length));
        m_lengths.push_back(length);
    }
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Dash_Pattern::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(m_id));
    for (size_t index = 0; index < m_lengths.size(); ++index) {
        WT_CHECK(stream.write(static_cast<uint8_t>(index == 0 ? ' ' : ',')));
        WT_CHECK(stream.write_ascii(m_lengths[index]));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Dash_Pattern::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().dash_pattern(),
                              WT_Attribute_Set::Dash_Pattern_Bit);
}

WT_Result::Enum WT_Dash_Pattern::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().dash_pattern());
}

bool WT_Dash_Pattern::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
