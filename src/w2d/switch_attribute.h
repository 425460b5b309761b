// An attribute that is only on or off, written as one byte in both forms:
// `On` when on, `Off` when off. Fill and visibility are such switches; each
// keeps its own place in the attribute set.
#ifndef DWFPLOT_W2D_SWITCH_ATTRIBUTE_H
#define DWFPLOT_W2D_SWITCH_ATTRIBUTE_H

#include "w2d/object.h"

template <WT_Object::WT_ID Id, uint8_t On, uint8_t Off, bool Default>
class WT_Switch_Attribute : public WT_Attribute {
public:
    static constexpr WT_ID ID = Id;
    static constexpr uint8_t On_Opcode = On;
    static constexpr uint8_t Off_Opcode = Off;

    WT_Switch_Attribute() = default;
    explicit WT_Switch_Attribute(bool on) : m_on(on) {}

    bool on() const { return m_on; }
    void set(bool on) { m_on = on; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;

private:
    bool m_on = Default;
};

// The two switches; their members are made once, in switch_attribute.cpp.
using WT_Fill_Switch = WT_Switch_Attribute<WT_Object::Fill_ID, 'F', 'f', false>;
using WT_Visibility_Switch = WT_Switch_Attribute<WT_Object::Visibility_ID, 'V', 'v', true>;
extern template class WT_Switch_Attribute<WT_Object::Fill_ID, 'F', 'f', false>;
extern template class WT_Switch_Attribute<WT_Object::Visibility_ID, 'V', 'v', true>;

#endif  // DWFPLOT_W2D_SWITCH_ATTRIBUTE_H
