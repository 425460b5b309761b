// The drawing colour: RGBA, or an index into the colour map.
#ifndef DWFPLOT_W2D_COLOR_H
#define DWFPLOT_W2D_COLOR_H

#include <string_view>

#include "w2d/object.h"
#include "w2d/rgba.h"

class WT_Color_Map;

class WT_Color : public WT_Attribute {
public:
    static constexpr WT_ID ID = Color_ID;
    static constexpr std::string_view Token = "(Color";
    static constexpr uint8_t RGBA_Opcode = 0x03;
    static constexpr uint8_t Index_Opcode = 'c';
    static constexpr uint8_t Ascii_Index_Opcode = 'C';

    // Whether an RGBA colour may be written as an index into the map.
    enum WT_Color_Map_Mode {
        No_Mapping,         // always the RGBA form
        Search_Map,         // the index form when the colour is in the map
        Search_Map_Or_Add,  // ... and added to the map when it is not
    };

    WT_Color() = default;
    WT_Color(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255, WT_Color_Map_Mode mode = No_Mapping)
        : m_rgba(red, green, blue, alpha), m_mode(mode) {}
    WT_Color(const WT_RGBA32& rgba, WT_Color_Map_Mode mode = No_Mapping) : m_rgba(rgba), m_mode(mode) {}
    // Entry `index` of `map`.
    WT_Color(int index, const WT_Color_Map& map);

    const WT_RGBA32& rgba() const { return m_rgba; }
    int index() const { return m_index; }
    WT_Color_Map_Mode mapping() const { return m_mode; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Color& other) const { return m_rgba == other.m_rgba && m_index == other.m_index; }

private:
    WT_Result::Enum index_to_write(WT_Stream& stream, int& index) const;
    WT_Result::Enum set_from_map(int index, WT_Stream& stream);

    WT_RGBA32 m_rgba;
    int m_index = -1;
    WT_Color_Map_Mode m_mode = No_Mapping;
};

#endif  // DWFPLOT_W2D_COLOR_H
