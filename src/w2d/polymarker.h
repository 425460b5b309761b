// A mark at each of a set of points. Never held back.
#ifndef DWFPLOT_W2D_POLYMARKER_H
#define DWFPLOT_W2D_POLYMARKER_H

#include "w2d/object.h"
#include "w2d/point_set.h"

class WT_Polymarker : public WT_Drawable, public WT_Point_Set {
public:
    static constexpr WT_ID ID = Polymarker_ID;
    // The polyline's mask with marker size and symbol (0x40, 0x80): they
    // say how each mark looks.
    static constexpr uint32_t Attribute_Mask = 0x2FA5FF;
    static constexpr uint8_t Ascii_Opcode = 'M';
    static constexpr uint8_t Opcode_32 = 'm';
    static constexpr uint8_t Opcode_16 = 0x8D;

    WT_Polymarker() = default;
    explicit WT_Polymarker(std::vector<WT_Logical_Point> points) : WT_Point_Set(std::move(points)) {}
    WT_Polymarker(int32_t count, const WT_Logical_Point* points) : WT_Point_Set(count, points) {}

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;
    bool merge(const WT_Drawable&) override { return false; }
};

#endif  // DWFPLOT_W2D_POLYMARKER_H
