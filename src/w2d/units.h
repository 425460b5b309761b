// The drawing units: their name and the transform from stream units to them.
#ifndef DWFPLOT_W2D_UNITS_H
#define DWFPLOT_W2D_UNITS_H

#include <array>
#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Units : public WT_Attribute {
public:
    static constexpr WT_ID ID = Units_ID;
    static constexpr std::string_view Token = "(Units";
    using WT_Matrix = std::array<double, 16>;

    WT_Units();
    WT_Units(const WT_String& units, const WT_Matrix& transform) : m_units(units), m_transform(transform) {}

    const WT_String& units() const { return m_units; }
    const WT_Matrix& transform() const { return m_transform; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Units& other) const {
        return m_units == other.m_units && m_transform == other.m_transform;
    }

    // "(Units " name, " (" sixteen reals ")" and ")"; written in ASCII form
    // in every stream.
    WT_Result::Enum write_ascii(WT_Stream& stream) const;
    // What follows the "(Units" token, up to and including its ")".
    WT_Result::Enum read_body(WT_Stream& stream);

private:
    WT_String m_units;
    WT_Matrix m_transform;
};

#endif  // DWFPLOT_W2D_UNITS_H
