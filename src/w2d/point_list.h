// A drawable that is a bare point list behind opcodes of its own: an ASCII
// letter, a 32-bit and a 16-bit relative opcode, with the point-set layout
// (a count, then the points). The opcode says what the points are, so unlike
// a polyline or polygon it leaves the fill as the caller set it; it is never
// held back, and never merged (joined strips would gain triangles between
// them).
#ifndef DWFPLOT_W2D_POINT_LIST_H
#define DWFPLOT_W2D_POINT_LIST_H

#include <cstdint>
#include <vector>

#include "w2d/object.h"
#include "w2d/point_set.h"

template <WT_Object::WT_ID Kind, uint32_t Mask, uint8_t Ascii, uint8_t Wide, uint8_t Narrow>
class WT_Point_List : public WT_Drawable, public WT_Point_Set {
public:
    static constexpr WT_ID ID = Kind;
    static constexpr uint32_t Attribute_Mask = Mask;
    static constexpr uint8_t Ascii_Opcode = Ascii;
    static constexpr uint8_t Opcode_32 = Wide;
    static constexpr uint8_t Opcode_16 = Narrow;

    using WT_Point_Set::WT_Point_Set;

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;
};

#endif  // DWFPLOT_W2D_POINT_LIST_H
