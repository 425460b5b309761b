// Visibility on or off: the single byte "V" or "v" in both forms.
#ifndef DWFPLOT_W2D_VISIBILITY_H
#define DWFPLOT_W2D_VISIBILITY_H

#include "w2d/switch_attribute.h"

class WT_Visibility : public WT_Visibility_Switch {
public:
    using WT_Visibility_Switch::WT_Visibility_Switch;

    bool visible() const { return on(); }

    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Visibility& other) const { return on() == other.on(); }
};

#endif  // DWFPLOT_W2D_VISIBILITY_H
