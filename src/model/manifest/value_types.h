// The value types a property's `type` attribute may name.
#ifndef DWFPLOT_MODEL_MANIFEST_VALUE_TYPES_H
#define DWFPLOT_MODEL_MANIFEST_VALUE_TYPES_H

#include "model/xml/xml_string_enum.h"

namespace DWFManifest {

// Codes 1 (`string`) to 24 (`longList`), looked up by word.
const DWFXmlObjects::XmlStringEnumRegistry& propertyValueTypes();

// The word of a property whose type was never given.
inline constexpr const char* kDefaultValueType = "string";

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_VALUE_TYPES_H
