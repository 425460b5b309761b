// The text and value type of a property made from a typed value.
#ifndef DWFPLOT_MODEL_MANIFEST_TYPED_VALUE_H
#define DWFPLOT_MODEL_MANIFEST_TYPED_VALUE_H

#include "model/util/string.h"
#include "platform/variant.h"

namespace DWFManifest {

struct TypedValueText {
    bool hasValue = false;
    DWFUtil::String value;
    bool hasType = false;
    DWFUtil::String type;  // a value-type word
};

// Integers in decimal, floats with all significant digits, strings as they
// are (null as empty), booleans as true/false (other values give the type
// only), non-zero file times as UTC calendar text. Other variant types give
// neither value nor type.
TypedValueText typedValueText(const platform::Variant& value);

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_TYPED_VALUE_H
