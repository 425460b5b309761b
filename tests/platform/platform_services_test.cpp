// Identifiers, diagnostics, file times and whole-transfer file helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/debug_output.h"
#include "platform/file.h"
#include "platform/temp_files.h"
#include "platform/uuid.h"
#include "platform/variant.h"
#include "support/temp_dir_test.h"

namespace {

TEST(Uuid, VersionFourWithTheStandardVariant) {
    platform::Uuid a;
    platform::Uuid b;
    ASSERT_TRUE(platform::newUuid(a));
    ASSERT_TRUE(platform::newUuid(b));
    EXPECT_EQ(a.data3 >> 12, 4);
    EXPECT_EQ(a.data4[0] & 0xC0, 0x80);
    EXPECT_FALSE(a.data1 == b.data1 && a.data2 == b.data2 && a.data3 == b.data3);
}

TEST(DebugOutput, NotesReachAnInstalledSinkOnly) {
    std::vector<std::string> notes;
    platform::DebugSink previous = platform::setDebugSink([&](std::string_view text) { notes.emplace_back(text); });
    platform::debugOutput("bad password");
    platform::setDebugSink(previous);
    platform::debugOutput("not captured");
    EXPECT_EQ(notes, std::vector<std::string>{"bad password"});
}

struct FileTimeCase {
    uint64_t ticks;
    platform::CalendarTime time;
};

TEST(FileTime, ConvertsTicksSince1601BothWays) {
    const FileTimeCase cases[] = {
        {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
        {116444736000000000ull, {1970, 1, 4, 1, 0, 0, 0, 0}},
        {125911584000000000ull, {2000, 1, 6, 1, 0, 0, 0, 0}},
        {125962560005010000ull, {2000, 2, 2, 29, 0, 0, 0, 501}},
        {133827120000000000ull, {2025, 1, 4, 30, 12, 0, 0, 0}},
        {134104895990000000ull, {2025, 12, 3, 17, 23, 59, 59, 0}},
        {2650467743990000000ull, {9999, 12, 5, 31, 23, 59, 59, 0}},
    };
    for (const auto& c : cases) {
        platform::CalendarTime t;
        ASSERT_TRUE(platform::fileTimeToCalendarTime(c.ticks, t)) << c.ticks;
        EXPECT_EQ(t.year, c.time.year) << c.ticks;
        EXPECT_EQ(t.month, c.time.month) << c.ticks;
        EXPECT_EQ(t.dayOfWeek, c.time.dayOfWeek) << c.ticks;
        EXPECT_EQ(t.day, c.time.day) << c.ticks;
        EXPECT_EQ(t.hour, c.time.hour) << c.ticks;
        EXPECT_EQ(t.minute, c.time.minute) << c.ticks;
        EXPECT_EQ(t.second, c.time.second) << c.ticks;
        EXPECT_EQ(t.millisecond, c.time.millisecond) << c.ticks;
        uint64_t back = 0;
        ASSERT_TRUE(platform::calendarTimeToFileTime(t, back));
        EXPECT_EQ(back, c.ticks / 10000 * 10000);
    }
    platform::CalendarTime t;
    EXPECT_FALSE(platform::fileTimeToCalendarTime(uint64_t{1} << 63, t));
}

TEST(Variant, FactoriesTagTheirValues) {
    EXPECT_EQ(platform::Variant::fromBool(true).boolVal, platform::VARIANT_TRUE);
    EXPECT_EQ(platform::Variant::fromBool(false).type, platform::VT_BOOL);
    EXPECT_EQ(platform::Variant::fromInt16(-5).type, platform::VT_I2);
    EXPECT_EQ(platform::Variant::fromUInt64(7).ui8, 7u);
    EXPECT_FALSE(platform::Variant::fromWide(std::nullopt).wideText.has_value());
    EXPECT_EQ(platform::Variant::fromNarrow(std::string("x")).type, platform::VT_LPSTR);
}

class FileHelpers : public testsupport::TempDirTest {};

TEST_F(FileHelpers, WholeTransfersOrFailure) {
    platform::PrivateDirectory dir;
    std::string path;
    platform::UniqueFd fd = dir.createFile("bin", path);
    ASSERT_TRUE(fd.valid());
    ASSERT_TRUE(platform::writeAll(fd.get(), "0123456789", 10));
    EXPECT_EQ(platform::fileSize(fd.get()), 10);

    char buffer[8] = {};
    EXPECT_TRUE(platform::readAt(fd.get(), buffer, 4, 6));
    EXPECT_EQ(std::string(buffer, 4), "6789");
    EXPECT_FALSE(platform::readAt(fd.get(), buffer, 5, 6)) << "a read past the end is a failure";

    EXPECT_EQ(platform::seekTo(fd.get(), 7, SEEK_SET), 7);
    EXPECT_EQ(platform::readUpTo(fd.get(), buffer, sizeof buffer), 3) << "short only at the end";

    platform::UniqueFd again = platform::openForReading(path);
    EXPECT_TRUE(again.valid());
    EXPECT_FALSE(platform::openForReading(path + ".none").valid());
}

}  // namespace
