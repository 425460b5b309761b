// One of the named fill patterns, with its scale.
#ifndef DWFPLOT_W2D_FILL_PATTERN_H
#define DWFPLOT_W2D_FILL_PATTERN_H

#include <string_view>

#include "w2d/object.h"

class WT_Fill_Pattern : public WT_Attribute {
public:
    static constexpr WT_ID ID = Fill_Pattern_ID;
    static constexpr std::string_view Token = "(FillPattern";

    enum WT_Pattern_ID {
        None = 0, Checkerboard, Crosshatch, Diamonds, Horizontal_Bars, Slant_Left, Slant_Right, Square_Dots,
        Vertical_Bars, User_Defined, Count = User_Defined
    };

    WT_Fill_Pattern() = default;
    explicit WT_Fill_Pattern(WT_Pattern_ID id, double scale = 1.0) : m_id(id), m_scale(scale) {}

    WT_Pattern_ID pattern_id() const { return m_id; }
    double scale() const { return m_scale; }  // the pattern scale option

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Fill_Pattern& other) const { return m_id == other.m_id && m_scale == other.m_scale; }

private:
    WT_Pattern_ID m_id = None;
    double m_scale = 1.0;
};

#endif  // DWFPLOT_W2D_FILL_PATTERN_H
