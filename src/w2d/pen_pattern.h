// A screening pen pattern chosen by id. Binary value 356 or "(PenPattern".
#ifndef DWFPLOT_W2D_PEN_PATTERN_H
#define DWFPLOT_W2D_PEN_PATTERN_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"

class WT_Pen_Pattern : public WT_Attribute {
public:
    static constexpr WT_ID ID = Pen_Pattern_ID;
    static constexpr std::string_view Token = "(PenPattern";
    static constexpr uint16_t Binary_Opcode = 356;

    WT_Pen_Pattern() = default;
    explicit WT_Pen_Pattern(uint32_t id) : m_id(id) {}

    uint32_t pen_pattern() const { return m_id; }

    WT_ID object_id() const override { return ID; }
    // An optional bitmap after the id is passed over.
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Pen_Pattern& other) const { return m_id == other.m_id; }

private:
    uint32_t m_id = 0;
};

#endif  // DWFPLOT_W2D_PEN_PATTERN_H
