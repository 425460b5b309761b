#include "package/zip/dos_time.h"

#include <gtest/gtest.h>

namespace {

using DWFZip::ArchiveTime;

TEST(DosTime, EncodesBrokenDownTimesOfEitherYearForm) {
    const struct {
        ArchiveTime time;
        uint32_t dos;
    } cases[] = {
        {{58, 18, 13, 17, 4, 2024}, 0x58B16A5Du},  // calendar year
        {{59, 18, 13, 17, 4, 124}, 0x58B16A5Du},   // years since 1900; odd seconds round down
        {{0, 0, 0, 1, 0, 1980}, 0x00210000u},      // the first DOS day
        {{0, 0, 0, 1, 0, 80}, 0x00210000u},
        {{0, 0, 0, 1, 0, 5}, 0x0A210000u},         // already relative to 1980
        {{58, 59, 23, 31, 11, 2107}, 0xFF9FBF7Du}, // the last one
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DWFZip::toDosDateTime(c.time), c.dos) << c.time.year;
    }
}

TEST(DosTime, DecodesToCalendarYearAndZeroBasedMonth) {
    const ArchiveTime t = DWFZip::fromDosDateTime(0x58B16A5Du);
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 4);
    EXPECT_EQ(t.day, 17);
    EXPECT_EQ(t.hour, 13);
    EXPECT_EQ(t.minute, 18);
    EXPECT_EQ(t.second, 58);
    EXPECT_EQ(DWFZip::toDosDateTime(t), 0x58B16A5Du);
}

TEST(DosTime, LocalTimeIsACalendarDate) {
    const ArchiveTime now = DWFZip::currentLocalTime();
    const ArchiveTime back = DWFZip::fromDosDateTime(DWFZip::toDosDateTime(now));
    EXPECT_EQ(back.year, now.year + 1900);
    EXPECT_EQ(back.month, now.month);
    EXPECT_EQ(back.day, now.day);
}

}  // namespace
