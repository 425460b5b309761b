// The set-origin opcode "O": an absolute 32-bit point that becomes the
// stream's current point, so that the relative points after it stay small.
#ifndef DWFPLOT_W2D_ORIGIN_H
#define DWFPLOT_W2D_ORIGIN_H

#include "w2d/logical_point.h"
#include "w2d/object.h"

class WT_Origin : public WT_Object {
public:
    static constexpr WT_ID ID = Origin_ID;
    static constexpr uint8_t Opcode = 'O';

    WT_Origin() = default;
    explicit WT_Origin(const WT_Logical_Point& origin) : m_origin(origin) {}

    const WT_Logical_Point& origin() const { return m_origin; }

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Binary only: the drawables write it inside their own binary forms.
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    WT_Logical_Point m_origin;
};

#endif  // DWFPLOT_W2D_ORIGIN_H
