// Identifier texts for manifest objects, sections and pages.
#ifndef DWFPLOT_MODEL_UTIL_GUID_H
#define DWFPLOT_MODEL_UTIL_GUID_H

#include "model/util/string.h"
#include "platform/uuid.h"

namespace DWFUtil {

// A fresh identifier: hyphenated 8-4-4-4-12 upper-case hex when `compact` is
// false (manifest objectIds), 32 upper-case hex digits when it is true (page
// and section identifiers).
String createGuidString(bool compact);
// The same without the kernel's random source, which createGuidString falls
// back to: the millisecond clock and the runtime's generator.
String createClockGuidString(bool compact);

// The text forms of a given identifier.
String formatGuid(const platform::Uuid& uuid, bool compact);

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_GUID_H
