// The MS-DOS date and time that ZIP headers carry: two 16-bit words with a
// two-second resolution and years from 1980 to 2107.
#ifndef DWFPLOT_PACKAGE_ZIP_DOS_TIME_H
#define DWFPLOT_PACKAGE_ZIP_DOS_TIME_H

#include <cstdint>

namespace DWFZip {

// A broken-down time in the manner of struct tm: month 0 to 11. The year is
// either a calendar year (1980 or more) or years since 1900, as callers that
// fill it from a struct tm pass it; reading always gives the calendar year.
struct ArchiveTime {
    int32_t second = 0;
    int32_t minute = 0;
    int32_t hour = 0;
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;
};

// The date in the high 16 bits, the time in the low 16 bits, as the two
// words follow each other in a header.
uint32_t toDosDateTime(const ArchiveTime& time);
ArchiveTime fromDosDateTime(uint32_t dosDateTime);

// The current local time.
ArchiveTime currentLocalTime();

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_DOS_TIME_H
