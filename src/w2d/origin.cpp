#include "w2d/origin.h"

#include "w2d/attribute_set.h"
#include "w2d/stream.h"

WT_Result::Enum WT_Origin::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() != WT_Opcode::Single_Byte || opcode.byte() != Opcode) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read(m_origin.m_x));
    WT_CHECK(stream.read(m_origin.m_y));
    stream.set_current_point(m_origin);
    return WT_Result::Success;
}

WT_Result::Enum WT_Origin::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Origin>(opcode, stream);
}

WT_Result::Enum WT_Origin::write(WT_Stream& stream) const {
    WT_CHECK(stream.sync_attributes(WT_Attribute_Set::Block_Reference_Bit));
    WT_CHECK(stream.write(Opcode));
    WT_CHECK(stream.write(m_origin.m_x));
    WT_CHECK(stream.write(m_origin.m_y));
    stream.set_current_point(m_origin);
    return WT_Result::Success;
}
