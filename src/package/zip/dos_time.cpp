#include "package/zip/dos_time.h"

#include <ctime>

namespace DWFZip {
namespace {

// Years of the DOS epoch: 1980 or later is a calendar year, 80 to 1979 a
// struct tm year (since 1900); anything smaller is already relative to 1980.
uint32_t yearsSince1980(int32_t year) {
    if (year >= 1980) return static_cast<uint32_t>(year) - 1980u;
    if (year >= 80) return static_cast<uint32_t>(year) - 80u;
    return static_cast<uint32_t>(year);
}

}  // namespace

uint32_t toDosDateTime(const ArchiveTime& time) {
    // Unsigned arithmetic: fields out of range wrap into their words instead
    // of overflowing.
    const uint32_t dosTime = static_cast<uint32_t>(time.hour) * 2048u +
                             static_cast<uint32_t>(time.minute) * 32u +
                             static_cast<uint32_t>(time.second) / 2u;
    const uint32_t dosDate = yearsSince1980(time.year) * 512u +
                             (static_cast<uint32_t>(time.month) + 1u) * 32u +
                             static_cast<uint32_t>(time.day);
    return ((dosDate & 0xFFFFu) << 16) | (dosTime & 0xFFFFu);
}

ArchiveTime fromDosDateTime(uint32_t dosDateTime) {
    const uint32_t dosDate = dosDateTime >> 16;
    const uint32_t dosTime = dosDateTime & 0xFFFFu;
    ArchiveTime time;
    time.second = static_cast<int32_t>((dosTime & 0x1Fu) * 2u);
    time.minute = static_cast<int32_t>((dosTime >> 5) & 0x3Fu);
    time.hour = static_cast<int32_t>(dosTime >> 11);
    time.day = static_cast<int32_t>(dosDate & 0x1Fu);
    time.month = static_cast<int32_t>((dosDate >> 5) & 0x0Fu) - 1;
    time.year = static_cast<int32_t>(dosDate >> 9) + 1980;
    return time;
}

ArchiveTime currentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ArchiveTime time;
    if (localtime_r(&now, &local) == nullptr) {
        time.year = 1980;
        time.day = 1;
        return time;
    }
    time.second = local.tm_sec;
    time.minute = local.tm_min;
    time.hour = local.tm_hour;
    time.day = local.tm_mday;
    time.month = local.tm_mon;
    time.year = local.tm_year;
    return time;
}

}  // namespace DWFZip
