#include "w2d/fill.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Fill::read_operands(const WT_Opcode& opcode, WT_Stream&) {
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    if (opcode.byte() != 'F' && opcode.byte() != 'f') return WT_Result::Wrong_Opcode;
    m_on = opcode.byte() == 'F';
    return WT_Result::Success;
}

WT_Result::Enum WT_Fill::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    return stream.write(static_cast<uint8_t>(m_on ? 'F' : 'f'));
}

WT_Result::Enum WT_Fill::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().fill(), WT_Attribute_Set::Fill_Bit);
}

WT_Result::Enum WT_Fill::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().fill());
}

bool WT_Fill::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
