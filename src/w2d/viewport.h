// The clip region of the drawables that follow: a name and a contour set,
// optionally with units. Always written in ASCII form.
#ifndef DWFPLOT_W2D_VIEWPORT_H
#define DWFPLOT_W2D_VIEWPORT_H

#include <string_view>

#include "w2d/contour_set.h"
#include "w2d/object.h"
#include "w2d/string.h"
#include "w2d/units.h"

class WT_Viewport : public WT_Attribute {
public:
    static constexpr WT_ID ID = Viewport_ID;
    static constexpr std::string_view Token = "(Viewport";

    WT_Viewport() = default;
    WT_Viewport(const WT_String& name, const WT_Contour_Set& contours) : m_name(name), m_contours(contours) {}
    WT_Viewport(const WT_String& name, const WT_Contour_Set& contours, const WT_Units& units)
        : m_name(name), m_contours(contours), m_units(units) {}

    const WT_String& name() const { return m_name; }
    const WT_Contour_Set& contour_set() const { return m_contours; }
    const WT_Units& units() const { return m_units; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Viewport& other) const {
        return m_name == other.m_name && m_contours == other.m_contours && m_units == other.m_units;
    }

private:
    WT_Result::Enum write_ascii(WT_Stream& stream) const;

    WT_String m_name;
    WT_Contour_Set m_contours;
    WT_Units m_units;
};

#endif  // DWFPLOT_W2D_VIEWPORT_H
