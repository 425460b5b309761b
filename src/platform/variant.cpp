#include "platform/variant.h"

#include <utility>

namespace platform {
namespace {

constexpr uint64_t kTicksPerMillisecond = 10000;
constexpr uint64_t kTicksPerSecond = 10000000;
constexpr uint64_t kSecondsPerDay = 86400;
// Days from 0000-03-01 (the epoch of the civil-date algorithm) to 1601-01-01.
constexpr int64_t kDaysTo1601 = 584694;

// Howard Hinnant's civil-from-days over a proleptic Gregorian calendar whose
// day 0 is 0000-03-01.
void civilFromDays(int64_t z, int& year, int& month, int& day) {
    const int64_t era = z / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

int64_t daysFromCivil(int year, int month, int day) {
    const int64_t y = year - (month <= 2 ? 1 : 0);
    const int64_t era = y / 400;
    const int64_t yoe = y - era * 400;
    const int64_t mp = month > 2 ? month - 3 : month + 9;
    const int64_t doy = (153 * mp + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

}  // namespace

#define DWFPLOT_VARIANT_FACTORY(name, argType, vt, field) \
    Variant Variant::name(argType v) {                     \
        Variant out;                                       \
        out.type = vt;                                     \
        out.field = v;                                     \
        return out;                                        \
    }

DWFPLOT_VARIANT_FACTORY(fromInt16, int16_t, VT_I2, i2)
DWFPLOT_VARIANT_FACTORY(fromInt32, int32_t, VT_I4, i4)
DWFPLOT_VARIANT_FACTORY(fromFloat, float, VT_R4, r4)
DWFPLOT_VARIANT_FACTORY(fromDouble, double, VT_R8, r8)
DWFPLOT_VARIANT_FACTORY(fromUInt8, uint8_t, VT_UI1, ui1)
DWFPLOT_VARIANT_FACTORY(fromUInt16, uint16_t, VT_UI2, ui2)
DWFPLOT_VARIANT_FACTORY(fromUInt32, uint32_t, VT_UI4, ui4)
DWFPLOT_VARIANT_FACTORY(fromInt64, int64_t, VT_I8, i8)
DWFPLOT_VARIANT_FACTORY(fromUInt64, uint64_t, VT_UI8, ui8)
DWFPLOT_VARIANT_FACTORY(fromFileTime, uint64_t, VT_FILETIME, fileTime)
#undef DWFPLOT_VARIANT_FACTORY

Variant Variant::fromBool(bool v) {
    Variant out;
    out.type = VT_BOOL;
    out.boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    return out;
}

Variant Variant::fromWide(std::optional<std::u16string> text, uint16_t type) {
    Variant out;
    out.type = type;
    out.wideText = std::move(text);
    return out;
}

Variant Variant::fromNarrow(std::optional<std::string> text) {
    Variant out;
    out.type = VT_LPSTR;
    out.narrowText = std::move(text);
    return out;
}

bool fileTimeToCalendarTime(uint64_t ticks, CalendarTime& time) {
    if (ticks >= (uint64_t{1} << 63)) return false;
    const uint64_t totalSeconds = ticks / kTicksPerSecond;
    const uint64_t days = totalSeconds / kSecondsPerDay;
    const uint64_t secondOfDay = totalSeconds % kSecondsPerDay;
    civilFromDays(static_cast<int64_t>(days) + kDaysTo1601, time.year, time.month, time.day);
    time.dayOfWeek = static_cast<int>((days + 1) % 7);  // 1601-01-01 was a Monday
    time.hour = static_cast<int>(secondOfDay / 3600);
    time.minute = static_cast<int>(secondOfDay / 60 % 60);
    time.second = static_cast<int>(secondOfDay % 60);
    time.millisecond = static_cast<int>(ticks % kTicksPerSecond / kTicksPerMillisecond);
    return true;
}

bool calendarTimeToFileTime(const CalendarTime& time, uint64_t& ticks) {
    if (time.year < 1601 || time.month < 1 || time.month > 12 || time.day < 1 || time.day > 31) {
        return false;
    }
    const int64_t days = daysFromCivil(time.year, time.month, time.day) - kDaysTo1601;
    const int64_t seconds = days * static_cast<int64_t>(kSecondsPerDay) + time.hour * 3600 +
                            time.minute * 60 + time.second;
    ticks = static_cast<uint64_t>(seconds) * kTicksPerSecond +
            static_cast<uint64_t>(time.millisecond) * kTicksPerMillisecond;
    return true;
}

}  // namespace platform
