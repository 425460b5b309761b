// A text at a position, with four options: overscored and underscored
// character positions, the bounds box (four corners) and character
// positions.
#ifndef DWFPLOT_W2D_TEXT_H
#define DWFPLOT_W2D_TEXT_H

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "w2d/logical_point.h"
#include "w2d/object.h"
#include "w2d/string.h"

class WT_Text : public WT_Drawable {
public:
    static constexpr WT_ID ID = Text_ID;
    static constexpr std::string_view Token = "(Text";
    // The form without options and the form with them.
    static constexpr uint8_t Opcode = 'x';
    static constexpr uint8_t Options_Opcode = 0x18;
    static constexpr uint32_t Attribute_Mask = 0x3C310D;
    using WT_Bounds = std::array<WT_Logical_Point, 4>;

    WT_Text() = default;
    WT_Text(const WT_Logical_Point& position, const WT_String& string) : m_position(position), m_string(string) {}

    const WT_Logical_Point& position() const { return m_position; }
    const WT_String& string() const { return m_string; }
    const std::vector<uint16_t>& overscore() const { return m_overscore; }
    const std::vector<uint16_t>& underscore() const { return m_underscore; }
    const std::optional<WT_Bounds>& bounds() const { return m_bounds; }
    const std::vector<uint16_t>& char_positions() const { return m_char_positions; }
    void set_overscore(std::vector<uint16_t> positions) { m_overscore = std::move(positions); }
    void set_underscore(std::vector<uint16_t> positions) { m_underscore = std::move(positions); }
    void set_bounds(const std::optional<WT_Bounds>& bounds) { m_bounds = bounds; }
    void set_char_positions(std::vector<uint16_t> positions) { m_char_positions = std::move(positions); }

    bool operator==(const WT_Text& other) const {
        return m_position == other.m_position && m_string == other.m_string && m_overscore == other.m_overscore &&
               m_underscore == other.m_underscore && m_bounds == other.m_bounds &&
               m_char_positions == other.m_char_positions;
    }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;

private:
    // Whether the text needs the form with options: the basic binary form
    // has room for none of them.
    bool complex() const {
        return !m_overscore.empty() || !m_underscore.empty() || m_bounds.has_value() || !m_char_positions.empty();
    }
    WT_Result::Enum write_ascii(WT_Stream& stream, const WT_Logical_Point& position,
                                const std::optional<WT_Bounds>& bounds) const;
    WT_Result::Enum write_binary(WT_Stream& stream, const WT_Logical_Point& position,
                                 const std::optional<WT_Bounds>& bounds) const;
    WT_Result::Enum read_binary(bool complex, WT_Stream& stream);
    WT_Result::Enum read_ascii(WT_Stream& stream);

    WT_Logical_Point m_position;
    WT_String m_string;
    std::vector<uint16_t> m_overscore;
    std::vector<uint16_t> m_underscore;
    std::optional<WT_Bounds> m_bounds;
    std::vector<uint16_t> m_char_positions;
};

#endif  // DWFPLOT_W2D_TEXT_H
