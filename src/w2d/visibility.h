// Visibility on or off: the single byte "V" or "v" in both forms.
#ifndef DWFPLOT_W2D_VISIBILITY_H
#define DWFPLOT_W2D_VISIBILITY_H

#include "w2d/object.h"

class WT_Visibility : public WT_Attribute {
public:
    static constexpr WT_ID ID = Visibility_ID;

    WT_Visibility() = default;
    explicit WT_Visibility(bool on) : m_on(on) {}

    bool visible() const { return m_on; }
    void set(bool on) { m_on = on; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Visibility& other) const { return m_on == other.m_on; }

private:
    bool m_on = true;
};

#endif  // DWFPLOT_W2D_VISIBILITY_H
