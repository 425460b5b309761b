// A small tagged value with the type codes of the platform's variant record,
// as far as typed manifest properties use them, and the conversion of file
// times (100 ns ticks since 1601-01-01, UTC) to calendar time.
#ifndef DWFPLOT_PLATFORM_VARIANT_H
#define DWFPLOT_PLATFORM_VARIANT_H

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum VariantType : uint16_t {
    VT_EMPTY = 0,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_BSTR = 8,
    VT_BOOL = 11,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_LPSTR = 30,
    VT_LPWSTR = 31,
    VT_FILETIME = 64
};

// The variant boolean: all ones for true, 0 for false.
inline constexpr int16_t VARIANT_TRUE = -1;
inline constexpr int16_t VARIANT_FALSE = 0;

struct Variant {
    uint16_t type = VT_EMPTY;
    union {
        int16_t i2;
        int32_t i4;
        float r4;
        double r8;
        int16_t boolVal;
        uint8_t ui1;
        uint16_t ui2;
        uint32_t ui4;
        int64_t i8;
        uint64_t ui8;
        uint64_t fileTime;
    };
    // Text of VT_BSTR, VT_LPWSTR (UTF-16) and VT_LPSTR (UTF-8); no value
    // stands for a null string.
    std::optional<std::u16string> wideText;
    std::optional<std::string> narrowText;

    Variant() : ui8(0) {}

    static Variant fromInt16(int16_t v);
    static Variant fromInt32(int32_t v);
    static Variant fromFloat(float v);
    static Variant fromDouble(double v);
    static Variant fromBool(bool v);
    static Variant fromUInt8(uint8_t v);
    static Variant fromUInt16(uint16_t v);
    static Variant fromUInt32(uint32_t v);
    static Variant fromInt64(int64_t v);
    static Variant fromUInt64(uint64_t v);
    static Variant fromFileTime(uint64_t ticks);
    static Variant fromWide(std::optional<std::u16string> text, uint16_t type = VT_BSTR);
    static Variant fromNarrow(std::optional<std::string> text);
};

struct CalendarTime {
    int year = 0;
    int month = 0;  // 1 to 12
    int dayOfWeek = 0;  // 0 Sunday
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Converts a file time to calendar time in the same zone (no local-time
// adjustment). Times from 2^63 ticks on are refused, as the platform does.
bool fileTimeToCalendarTime(uint64_t ticks, CalendarTime& time);

// The file time of a calendar time (UTC); the inverse of the above for the
// fields year to millisecond. Dates before 1601 give false.
bool calendarTimeToFileTime(const CalendarTime& time, uint64_t& ticks);

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_VARIANT_H
