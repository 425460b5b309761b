// A filled polygon; the closing point is implicit. Never held back.
#ifndef DWFPLOT_W2D_POLYGON_H
#define DWFPLOT_W2D_POLYGON_H

#include "w2d/object.h"
#include "w2d/point_set.h"

class WT_Polygon : public WT_Drawable, public WT_Point_Set {
public:
    static constexpr WT_ID ID = Polygon_ID;
    static constexpr uint32_t Attribute_Mask = 0x2F210D;

    WT_Polygon() = default;
    explicit WT_Polygon(std::vector<WT_Logical_Point> points) : WT_Point_Set(std::move(points)) {}
    WT_Polygon(int32_t count, const WT_Logical_Point* points) : WT_Point_Set(count, points) {}

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;
    bool merge(const WT_Drawable&) override { return false; }
};

#endif  // DWFPLOT_W2D_POLYGON_H
