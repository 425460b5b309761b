// A filled polygon; the closing point is implicit. Never held back.
#ifndef DWFPLOT_W2D_POLYGON_H
#define DWFPLOT_W2D_POLYGON_H

#include "w2d/object.h"
#include "w2d/point_set.h"

class WT_Polygon : public WT_Drawable, public WT_Point_Set {
public:
    static constexpr WT_ID ID = Polygon_ID;
    static constexpr uint32_t Attribute_Mask = 0x2F210D;

    using WT_Point_Set::WT_Point_Set;

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;
};

#endif  // DWFPLOT_W2D_POLYGON_H
