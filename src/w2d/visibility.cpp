#include "w2d/visibility.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Visibility::read_operands(const WT_Opcode& opcode, WT_Stream&) {
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    if (opcode.byte() != 'V' && opcode.byte() != 'v') return WT_Result::Wrong_Opcode;
    m_on = opcode.byte() == 'V';
    return WT_Result::Success;
}

WT_Result::Enum WT_Visibility::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    return stream.write(static_cast<uint8_t>(m_on ? 'V' : 'v'));
}

WT_Result::Enum WT_Visibility::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().visibility(), WT_Attribute_Set::Visibility_Bit);
}

WT_Result::Enum WT_Visibility::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().visibility());
}

bool WT_Visibility::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
