#include "w2d/visibility.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Visibility::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().visibility(), WT_Attribute_Set::Visibility_Bit);
}

WT_Result::Enum WT_Visibility::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().visibility());
}

bool WT_Visibility::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
