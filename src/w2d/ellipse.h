// Ellipses, circles and their arcs. Angles are in 1/65536 of a full turn;
// the end angle is 32-bit so that 65536 can stand for the full turn.
#ifndef DWFPLOT_W2D_ELLIPSE_H
#define DWFPLOT_W2D_ELLIPSE_H

#include <cstdint>
#include <string_view>

#include "w2d/logical_point.h"
#include "w2d/object.h"

class WT_Ellipse : public WT_Drawable {
public:
    static constexpr uint32_t Full_Turn = 65536;
    static constexpr std::string_view Circle_Token = "(Circle";
    static constexpr std::string_view Ellipse_Token = "(Ellipse";
    static constexpr uint8_t Ascii_Circle = 'R';
    static constexpr uint8_t Circle_32 = 'r';
    static constexpr uint8_t Circle_16 = 0x12;
    static constexpr uint8_t Arc_32 = 0x92;
    static constexpr uint8_t Ascii_Ellipse = 'E';
    static constexpr uint8_t Ellipse_32 = 'e';

    WT_Ellipse() = default;
    WT_Ellipse(const WT_Logical_Point& centre, uint32_t major, uint32_t minor, uint16_t start = 0,
               uint32_t end = Full_Turn, uint16_t tilt = 0)
        : m_centre(centre), m_major(major), m_minor(minor), m_start(start), m_end(end), m_tilt(tilt) {}

    const WT_Logical_Point& centre() const { return m_centre; }
    uint32_t major() const { return m_major; }
    uint32_t minor() const { return m_minor; }
    uint16_t start() const { return m_start; }
    uint32_t end() const { return m_end; }
    uint16_t tilt() const { return m_tilt; }
    bool is_circle() const { return m_major == m_minor; }
    bool is_full() const { return m_start % Full_Turn == m_end % Full_Turn; }
    bool same_shape(const WT_Ellipse& other) const {
        return m_centre == other.m_centre && m_major == other.m_major && m_minor == other.m_minor &&
               m_start == other.m_start && m_end == other.m_end && m_tilt == other.m_tilt;
    }

    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;

protected:
    // Whether the kind draws with the fill on.
    virtual bool filled() const = 0;

private:
    WT_Result::Enum write_ascii(WT_Stream& stream, const WT_Logical_Point& centre) const;
    WT_Result::Enum write_binary(WT_Stream& stream, const WT_Logical_Point& centre) const;
    WT_Result::Enum read_ascii(uint8_t opcode, WT_Stream& stream);
    WT_Result::Enum read_binary(uint8_t opcode, WT_Stream& stream);
    WT_Result::Enum read_named(const WT_Opcode& opcode, WT_Stream& stream);

    WT_Logical_Point m_centre;
    uint32_t m_major = 0;
    uint32_t m_minor = 0;
    uint16_t m_start = 0;
    uint32_t m_end = Full_Turn;
    uint16_t m_tilt = 0;
};

class WT_Filled_Ellipse : public WT_Ellipse {
public:
    static constexpr WT_ID ID = Filled_Ellipse_ID;
    static constexpr uint32_t Attribute_Mask = 0x27210D;
    using WT_Ellipse::WT_Ellipse;

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum delay(WT_Stream& stream) const override;

protected:
    bool filled() const override { return true; }
};

class WT_Outline_Ellipse : public WT_Ellipse {
public:
    static constexpr WT_ID ID = Outline_Ellipse_ID;
    static constexpr uint32_t Attribute_Mask = 0x2FA53D;
    using WT_Ellipse::WT_Ellipse;

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum delay(WT_Stream& stream) const override;

protected:
    bool filled() const override { return false; }
};

#endif  // DWFPLOT_W2D_ELLIPSE_H
