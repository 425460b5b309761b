// The colour map that indexed colours and images refer to.
#ifndef DWFPLOT_W2D_COLOR_MAP_H
#define DWFPLOT_W2D_COLOR_MAP_H

#include <string_view>
#include <vector>

#include "w2d/object.h"
#include "w2d/rgba.h"

class WT_Color_Map : public WT_Attribute {
public:
    static constexpr WT_ID ID = Color_Map_ID;
    static constexpr std::string_view Token = "(ColorMap";
    static constexpr int Maximum_Size = 256;
    static constexpr uint16_t Binary_Opcode = 1;

    // The default map of stream version 0.38.
    WT_Color_Map();
    explicit WT_Color_Map(std::vector<WT_RGBA32> colors) : m_colors(std::move(colors)) {}

    // Entry `index` of the default map: a 6x6x6 cube, then a grey ramp.
    static WT_RGBA32 default_color(int index);

    int size() const { return static_cast<int>(m_colors.size()); }
    const WT_RGBA32& color(int index) const { return m_colors[static_cast<size_t>(index)]; }
    const std::vector<WT_RGBA32>& colors() const { return m_colors; }
    // The index holding exactly `color`, or -1.
    int exact_index(const WT_RGBA32& color) const;
    // Appends a colour; false when the map is full.
    bool add(const WT_RGBA32& color);

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Color_Map& other) const { return m_colors == other.m_colors; }

private:
    std::vector<WT_RGBA32> m_colors;
};

#endif  // DWFPLOT_W2D_COLOR_MAP_H
