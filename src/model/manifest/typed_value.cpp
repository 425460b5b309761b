#include "model/manifest/typed_value.h"

#include <cinttypes>
#include <cstdio>

#include "model/xml/xml_number_text.h"

namespace DWFManifest {
namespace {

TypedValueText valueOfType(const DWFUtil::String& value, const char* type) {
    TypedValueText text;
    text.hasValue = true;
    text.value = value;
    if (type) {
        text.hasType = true;
        text.type = type;
    }
    return text;
}

DWFUtil::String decimal(int64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    return DWFUtil::String(buffer);
}

DWFUtil::String unsignedDecimal(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRIu64, value);
    return DWFUtil::String(buffer);
}

DWFUtil::String wideText(const platform::Variant& value) {
    return value.wideText ? DWFUtil::String::fromUtf16(*value.wideText) : DWFUtil::String();
}

TypedValueText booleanText(int16_t value) {
    if (value == platform::VARIANT_TRUE) return valueOfType("true", "boolean");
    if (value == platform::VARIANT_FALSE) return valueOfType("false", "boolean");
    TypedValueText text;
    text.hasType = true;
    text.type = "boolean";
    return text;
}

TypedValueText fileTimeText(uint64_t ticks) {
    platform::CalendarTime time;
    // A time the platform cannot convert is treated like no time at all.
    if (ticks == 0 || !platform::fileTimeToCalendarTime(ticks, time)) return TypedValueText();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return valueOfType(buffer, "timeInstant");
}

}  // namespace

TypedValueText typedValueText(const platform::Variant& value) {
    switch (value.type) {
        case platform::VT_I2: return valueOfType(decimal(value.i2), "short");
        case platform::VT_I4: return valueOfType(decimal(value.i4), "int");
        case platform::VT_R4: return valueOfType(DWFXmlObjects::formatDouble(static_cast<double>(value.r4)), "float");
        case platform::VT_R8: return valueOfType(DWFXmlObjects::formatDouble(value.r8), "double");
        case platform::VT_BSTR:
        case platform::VT_LPWSTR: return valueOfType(wideText(value), nullptr);
        case platform::VT_LPSTR:
            return valueOfType(value.narrowText ? DWFUtil::String::fromUtf8(*value.narrowText) : DWFUtil::String(),
                               nullptr);
        case platform::VT_BOOL: return booleanText(value.boolVal);
        case platform::VT_UI1: return valueOfType(unsignedDecimal(value.ui1), "unsignedByte");
        case platform::VT_UI2: return valueOfType(unsignedDecimal(value.ui2), "unsignedShort");
        case platform::VT_UI4: return valueOfType(unsignedDecimal(value.ui4), "unsignedInt");
        case platform::VT_I8: return valueOfType(decimal(value.i8), "long");
        case platform::VT_UI8: return valueOfType(unsignedDecimal(value.ui8), "unsignedLong");
        case platform::VT_FILETIME: return fileTimeText(value.fileTime);
        default: return TypedValueText();
    }
}

}  // namespace DWFManifest
