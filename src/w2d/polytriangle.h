// A triangle strip: each point after the second closes a triangle with the
// two before it. Never held back.
#ifndef DWFPLOT_W2D_POLYTRIANGLE_H
#define DWFPLOT_W2D_POLYTRIANGLE_H

#include "w2d/object.h"
#include "w2d/point_set.h"

class WT_Polytriangle : public WT_Drawable, public WT_Point_Set {
public:
    static constexpr WT_ID ID = Polytriangle_ID;
    static constexpr uint32_t Attribute_Mask = 0x2FA53F;
    static constexpr uint8_t Ascii_Opcode = 'T';
    static constexpr uint8_t Opcode_32 = 't';
    static constexpr uint8_t Opcode_16 = 0x14;

    WT_Polytriangle() = default;
    explicit WT_Polytriangle(std::vector<WT_Logical_Point> points) : WT_Point_Set(std::move(points)) {}
    WT_Polytriangle(int32_t count, const WT_Logical_Point* points) : WT_Point_Set(count, points) {}

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;
    // Strips are never merged: joining two would add triangles between them.
    bool merge(const WT_Drawable&) override { return false; }
};

#endif  // DWFPLOT_W2D_POLYTRIANGLE_H
