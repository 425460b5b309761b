#include "w2d/layer.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Layer::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() == WT_Opcode::Single_Byte && opcode.byte() == Opcode) {
        uint32_t number = 0;
        WT_CHECK(stream.read_count(number));
        m_number = static_cast<int32_t>(number);
        m_name = stream.layer_name(m_number);
        return WT_Result::Success;
    }
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read_ascii(m_number));
    WT_CHECK(stream.eat_whitespace());
    uint8_t next = 0;
    WT_CHECK(stream.peek(next));
    m_name = WT_String();
    if (next != ')') WT_CHECK(m_name.read(stream));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Layer::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    const bool known = stream.has_layer_name(m_number) && stream.layer_name(m_number) == m_name;
    if (stream.options().allow_binary_data() && known && m_number >= 1 && m_number <= 65791) {
        WT_CHECK(stream.write(Opcode));
        return stream.write_count(static_cast<uint32_t>(m_number));
    }
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(m_number));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(m_name.write(stream));
    // Writing then names the number the way reading does (see store).
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Layer::store(WT_Stream& stream) const {
    if (!m_name.empty()) stream.set_layer_name(m_number, m_name);
    return wt_store_attribute(*this, stream, stream.current_attributes().layer(), WT_Attribute_Set::Layer_Bit);
}

WT_Result::Enum WT_Layer::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().layer());
}

bool WT_Layer::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
