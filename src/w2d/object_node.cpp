#include "w2d/object_node.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Object_Node::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    const int32_t current = stream.current_attributes().object_node().object_node_num();
    m_name = WT_String();
    if (opcode.type() == WT_Opcode::Single_Byte) {
        switch (opcode.byte()) {
            case Next_Opcode:
                m_number = wt_wrapping_add(current, 1);
                return WT_Result::Success;
            case Opcode_16: {
                int16_t difference = 0;
                WT_CHECK(stream.read(difference));
                m_number = wt_wrapping_add(current, difference);
                return WT_Result::Success;
            }
            case Opcode_32:
                return stream.read(m_number);
            default:
                return WT_Result::Wrong_Opcode;
        }
    }
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read_ascii(m_number));
    WT_CHECK(stream.eat_whitespace());
    uint8_t next = 0;
    WT_CHECK(stream.peek(next));
    if (next != ')') WT_CHECK(m_name.read(stream));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Object_Node::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (stream.options().allow_binary_data() && m_name.empty()) {
        const int32_t current = stream.current_attributes().object_node().object_node_num();
        const int64_t difference = static_cast<int64_t>(m_number) - current;
        if (difference == 1) return stream.write(Next_Opcode);
        if (difference >= INT16_MIN && difference <= INT16_MAX) {
            WT_CHECK(stream.write(Opcode_16));
            return stream.write(static_cast<int16_t>(difference));
        }
        WT_CHECK(stream.write(Opcode_32));
        return stream.write(m_number);
    }
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(m_number));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(m_name.write(stream));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Object_Node::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().object_node(),
                              WT_Attribute_Set::Object_Node_Bit);
}

WT_Result::Enum WT_Object_Node::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().object_node());
}

bool WT_Object_Node::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
