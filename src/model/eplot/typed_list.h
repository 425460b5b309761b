// Reading and assigning the list attributes of descriptor objects with the
// result codes of their accessors.
#ifndef DWFPLOT_MODEL_EPLOT_TYPED_LIST_H
#define DWFPLOT_MODEL_EPLOT_TYPED_LIST_H

#include <cstdint>

#include "dwfplot/DwfResult.h"
#include "model/util/vector.h"

namespace DWFEPlot {

// Success, or InvalidArgument (and no change) when `values` does not hold
// exactly `count` values.
template <typename Attribute, typename T>
int32_t assignList(Attribute& attribute, const DWFUtil::Vector<T>& values, uint32_t count) {
    if (values.size() != count) return DWF::DwfResult::InvalidArgument;
    attribute.setFromVector(values);
    return DWF::DwfResult::Success;
}

// Success; ValueNotSet for a list neither set nor defaulted; InvalidData
// when the text is not a list of such values.
template <typename Attribute, typename T>
int32_t readList(const Attribute& attribute, DWFUtil::Vector<T>& values) {
    values.clear();
    if (!attribute.isSet() && !attribute.hasDefault()) return DWF::DwfResult::ValueNotSet;
    return attribute.getVector(values) ? DWF::DwfResult::Success : DWF::DwfResult::InvalidData;
}

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_TYPED_LIST_H
