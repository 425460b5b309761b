// A user-defined dash pattern: an id and the lengths of its dashes and gaps.
#ifndef DWFPLOT_W2D_DASH_PATTERN_H
#define DWFPLOT_W2D_DASH_PATTERN_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "w2d/object.h"

class WT_Dash_Pattern : public WT_Attribute {
public:
    static constexpr WT_ID ID = Dash_Pattern_ID;
    static constexpr std::string_view Token = "(DashPattern";
    // The id of "no dash pattern".
    static constexpr int32_t Null_Id = -1;

    WT_Dash_Pattern() = default;
    WT_Dash_Pattern(int32_t id, std::vector<int32_t> lengths) : m_id(id), m_lengths(std::move(lengths)) {}

    int32_t number() const { return m_id; }
    const std::vector<int32_t>& lengths() const { return m_lengths; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Dash_Pattern& other) const {
        return m_id == other.m_id && m_lengths == other.m_lengths;
    }

private:
    int32_t m_id = Null_Id;
    std::vector<int32_t> m_lengths;
};

#endif  // DWFPLOT_W2D_DASH_PATTERN_H
