#include "w2d/switch_attribute.h"

#include "w2d/stream.h"

template <WT_Object::WT_ID Id, uint8_t On, uint8_t Off, bool Default>
WT_Result::Enum WT_Switch_Attribute<Id, On, Off, Default>::read_operands(const WT_Opcode& opcode, WT_Stream&) {
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    if (opcode.byte() != On && opcode.byte() != Off) return WT_Result::Wrong_Opcode;
    m_on = opcode.byte() == On;
    return WT_Result::Success;
}

template <WT_Object::WT_ID Id, uint8_t On, uint8_t Off, bool Default>
WT_Result::Enum WT_Switch_Attribute<Id, On, Off, Default>::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    return stream.write(m_on ? On : Off);
}

template class WT_Switch_Attribute<WT_Object::Fill_ID, 'F', 'f', false>;
template class WT_Switch_Attribute<WT_Object::Visibility_ID, 'V', 'v', true>;
