// Fill on or off: the single byte "F" or "f" in both forms.
#ifndef DWFPLOT_W2D_FILL_H
#define DWFPLOT_W2D_FILL_H

#include "w2d/object.h"

class WT_Fill : public WT_Attribute {
public:
    static constexpr WT_ID ID = Fill_ID;

    WT_Fill() = default;
    explicit WT_Fill(bool on) : m_on(on) {}

    bool filled() const { return m_on; }
    void set(bool on) { m_on = on; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Fill& other) const { return m_on == other.m_on; }

private:
    bool m_on = false;
};

#endif  // DWFPLOT_W2D_FILL_H
