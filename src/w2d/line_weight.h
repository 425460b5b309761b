// The width of lines, in stream units.
#ifndef DWFPLOT_W2D_LINE_WEIGHT_H
#define DWFPLOT_W2D_LINE_WEIGHT_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"

class WT_Line_Weight : public WT_Attribute {
public:
    static constexpr WT_ID ID = Line_Weight_ID;
    static constexpr std::string_view Token = "(LineWeight";
    static constexpr uint8_t Opcode = 0x17;

    WT_Line_Weight() = default;
    explicit WT_Line_Weight(int32_t weight) : m_weight(weight) {}

    int32_t weight_value() const { return m_weight; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Line_Weight& other) const { return m_weight == other.m_weight; }

private:
    int32_t m_weight = 0;
};

#endif  // DWFPLOT_W2D_LINE_WEIGHT_H
