// The view of the drawing: a box in stream units, given directly or by the
// name of a view defined earlier in the stream with a named view.
#ifndef DWFPLOT_W2D_VIEW_H
#define DWFPLOT_W2D_VIEW_H

#include <array>
#include <string_view>

#include "w2d/logical_point.h"
#include "w2d/object.h"
#include "w2d/string.h"

// Lower-left and upper-right corners.
using WT_Logical_Box = std::array<WT_Logical_Point, 2>;

// "(NamedView " box name ")": defines a view that later views may name.
class WT_Named_View : public WT_Object {
public:
    static constexpr WT_ID ID = Named_View_ID;
    static constexpr std::string_view Token = "(NamedView";

    WT_Named_View() = default;
    WT_Named_View(const WT_Logical_Box& box, const WT_String& name) : m_box(box), m_name(name) {}

    const WT_Logical_Box& box() const { return m_box; }
    const WT_String& name() const { return m_name; }
    bool operator==(const WT_Named_View& other) const { return m_box == other.m_box && m_name == other.m_name; }

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    // Appended to the stream's list of named views.
    WT_Result::Enum default_process(WT_Stream& stream) override;

private:
    WT_Logical_Box m_box{};
    WT_String m_name;
};

// "(View " box ")" or "(View " name ")".
class WT_View : public WT_Object {
public:
    static constexpr WT_ID ID = View_ID;
    static constexpr std::string_view Token = "(View";

    WT_View() = default;
    explicit WT_View(const WT_Logical_Box& box) : m_box(box) {}
    // A view by name; its box is the named view's.
    explicit WT_View(const WT_Named_View& named) : m_box(named.box()), m_name(named.name()) {}

    const WT_Logical_Box& box() const { return m_box; }
    // Empty for a view given by its box.
    const WT_String& name() const { return m_name; }
    bool operator==(const WT_View& other) const { return m_box == other.m_box && m_name == other.m_name; }

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    // A name the stream has not defined gives Inconsistent_Data.
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum default_process(WT_Stream& stream) override;

private:
    WT_Logical_Box m_box{};
    WT_String m_name;
};

#endif  // DWFPLOT_W2D_VIEW_H
