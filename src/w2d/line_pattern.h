// One of the named line patterns (solid, dashed, ISO patterns ...).
#ifndef DWFPLOT_W2D_LINE_PATTERN_H
#define DWFPLOT_W2D_LINE_PATTERN_H

#include <string_view>

#include "w2d/object.h"

class WT_Line_Pattern : public WT_Attribute {
public:
    static constexpr WT_ID ID = Line_Pattern_ID;
    static constexpr std::string_view Token = "(LinePattern";
    static constexpr uint8_t Opcode = 0xCC;

    enum WT_Pattern_ID {
        Solid = 1, Dashed, Dotted, Dash_Dot, Short_Dash, Medium_Dash, Long_Dash, Short_Dash_X2, Medium_Dash_X2,
        Long_Dash_X2, Medium_Long_Dash, Medium_Dash_Short_Dash_Short_Dash, Long_Dash_Short_Dash, Long_Dash_Dot_Dot,
        Long_Dash_Dot, Medium_Dash_Dot_Short_Dash_Dot, Sparse_Dot, ISO_Dash, ISO_Dash_Space, ISO_Long_Dash_Dot,
        ISO_Long_Dash_Double_Dot, ISO_Long_Dash_Triple_Dot, ISO_Dot, ISO_Long_Dash_Short_Dash,
        ISO_Long_Dash_Double_Short_Dash, ISO_Dash_Dot, ISO_Double_Dash_Dot, ISO_Dash_Double_Dot,
        ISO_Double_Dash_Double_Dot, ISO_Dash_Triple_Dot, ISO_Double_Dash_Triple_Dot,
        Count = ISO_Double_Dash_Triple_Dot
    };

    WT_Line_Pattern() = default;
    explicit WT_Line_Pattern(WT_Pattern_ID id) : m_id(id) {}

    WT_Pattern_ID pattern_id() const { return m_id; }
    static std::string_view name(WT_Pattern_ID id);

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Line_Pattern& other) const { return m_id == other.m_id; }

private:
    WT_Pattern_ID m_id = Solid;
};

#endif  // DWFPLOT_W2D_LINE_PATTERN_H
