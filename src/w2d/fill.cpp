#include "w2d/fill.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Fill::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().fill(), WT_Attribute_Set::Fill_Bit);
}

WT_Result::Enum WT_Fill::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().fill());
}

bool WT_Fill::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
