#include "w2d/polygon.h"

#include "w2d/attribute_set.h"
#include "w2d/stream.h"

WT_Result::Enum WT_Polygon::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return read_point_set(opcode, stream, Ascii_Point_Set_Opcode, Point_Set_Opcode_32, Point_Set_Opcode_16);
}

WT_Result::Enum WT_Polygon::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Polygon>(opcode, stream);
}

WT_Result::Enum WT_Polygon::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_Attribute_Set& desired = stream.desired_attributes();
    uint32_t mask = Attribute_Mask;
    if (!desired.fill().filled() || !stream.current_attributes().fill().filled()) {
        desired.set(WT_Fill(true));
        mask |= WT_Attribute_Set::Fill_Bit;
    }
    WT_CHECK(stream.sync_attributes(mask));
    return dump(stream);
}

WT_Result::Enum WT_Polygon::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_Polygon::dump(WT_Stream& stream) const {
    return write_point_set(stream, Ascii_Point_Set_Opcode, Point_Set_Opcode_32, Point_Set_Opcode_16);
}
