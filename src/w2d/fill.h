// Fill on or off: the single byte "F" or "f" in both forms.
#ifndef DWFPLOT_W2D_FILL_H
#define DWFPLOT_W2D_FILL_H

#include "w2d/switch_attribute.h"

class WT_Fill : public WT_Fill_Switch {
public:
    using WT_Fill_Switch::WT_Fill_Switch;

    bool filled() const { return on(); }

    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Fill& other) const { return on() == other.on(); }
};

#endif  // DWFPLOT_W2D_FILL_H
