// Temporary files, whole-transfer file helpers, diagnostics and file times.
#include "platform/temp_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "platform/debug_output.h"
#include "platform/file.h"
#include "platform/variant.h"
#include "support/temp_dir_test.h"

namespace {

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 0777;
}

TEST(SafeExtension, OnlyShortWordCharacters) {
    const std::pair<const char*, bool> cases[] = {
        {"w2d", true},  {"PNG", true},  {"a_1", true},  {"abcdefghijklmnop", true}, {"abcdefghijklmnopq", false},
        {"", false},    {"../x", false}, {"a/b", false}, {"a\\b", false},            {"a.b", false},
        {"x y", false},  {"AZaz09", true}, {"@", false},  {"[", false},  {"`", false}, {"{", false}, {":", false}};
    for (const auto& [extension, safe] : cases) EXPECT_EQ(platform::isSafeExtension(extension), safe) << extension;
}

class TempFiles : public testsupport::TempDirTest {};

// The fixture restores TMPDIR. Without the temporary directory, a private directory fails cleanly.
TEST_F(TempFiles, TemporaryPathFollowsTmpdirAndEndsWithSlash) {
    const std::pair<const char*, const char*> cases[] = {
        {"/var/x", "/var/x/"}, {"/var/x/", "/var/x/"}, {"", "/tmp/"}, {nullptr, "/tmp/"}};
    for (const auto& [value, expected] : cases) {
        value ? ::setenv("TMPDIR", value, 1) : ::unsetenv("TMPDIR");
        EXPECT_EQ(platform::temporaryPath(), expected) << (value ? value : "(unset)");
    }
    ::setenv("TMPDIR", (tempDir() + "missing").c_str(), 1);
    platform::PrivateDirectory dir;
    EXPECT_FALSE(dir.create());
    std::string path;
    EXPECT_FALSE(dir.createFile("w2d", path).valid());
    EXPECT_TRUE(path.empty());
}

TEST_F(TempFiles, PrivateFilesAreExclusivePrivateWholeAndRemovedWithTheOwner) {
    std::string first, second;
    {
        platform::PrivateDirectory dir;
        ASSERT_TRUE(dir.create());
        EXPECT_EQ(dir.path().rfind(tempDir(), 0), 0u) << dir.path();
        EXPECT_EQ(dir.path().back(), '/');
        EXPECT_EQ(modeOf(dir.path()), 0700u);
        platform::UniqueFd a = dir.createFile("w2d", first);
        platform::UniqueFd b = dir.createFile("../../evil", second);
        ASSERT_TRUE(a.valid() && b.valid());
        EXPECT_NE(first, second);
        EXPECT_EQ(first.substr(first.size() - 4), ".w2d");
        EXPECT_EQ(second.find('.', dir.path().size()), std::string::npos) << "unsafe extension dropped";
        EXPECT_EQ(second.rfind(dir.path(), 0), 0u);
        EXPECT_EQ(modeOf(first), 0600u);
        // Whole transfers or failure.
        ASSERT_TRUE(platform::writeAll(a.get(), "0123456789", 10));
        EXPECT_EQ(platform::fileSize(a.get()), 10);
        char buffer[8] = {};
        EXPECT_TRUE(platform::readAt(a.get(), buffer, 4, 6));
        EXPECT_EQ(std::string(buffer, 4), "6789");
        EXPECT_FALSE(platform::readAt(a.get(), buffer, 5, 6)) << "a read past the end is a failure";
        EXPECT_EQ(platform::seekTo(a.get(), 7, SEEK_SET), 7);
        EXPECT_EQ(platform::readUpTo(a.get(), buffer, sizeof buffer), 3) << "short only at the end";
        EXPECT_TRUE(platform::openForReading(first).valid());
        EXPECT_FALSE(platform::openForReading(first + ".none").valid());
        EXPECT_TRUE(dir.removeFile(second));
        EXPECT_FALSE(platform::fileExists(second));
        EXPECT_FALSE(dir.removeFile("/etc/passwd")) << "only its own files";
        EXPECT_EQ(dir.files().size(), 1u);
    }
    EXPECT_FALSE(platform::fileExists(first));
}

TEST_F(TempFiles, NewFilesNeverReuseOrFollowExistingNames) {
    const std::string existing = workDir() + "existing";
    testsupport::writeFile(existing, "keep");
    const std::string link = workDir() + "link";
    ASSERT_EQ(::symlink((workDir() + "target").c_str(), link.c_str()), 0);
    EXPECT_FALSE(platform::createNewFile(existing).valid());
    EXPECT_EQ(testsupport::readFile(existing), "keep");
    EXPECT_FALSE(platform::createNewFile(link).valid());
    EXPECT_FALSE(platform::fileExists(workDir() + "target")) << "the link was followed";
    EXPECT_TRUE(platform::createNewFile(workDir() + "fresh").valid());
    EXPECT_EQ(modeOf(workDir() + "fresh"), 0600u);
    std::string path;
    EXPECT_TRUE(platform::createExclusiveFile(workDir(), "img-", "png", path).valid());
    EXPECT_EQ(path.rfind(workDir() + "img-", 0), 0u);
    EXPECT_EQ(path.size(), workDir().size() + 4 + 16 + 4);
    EXPECT_TRUE(platform::removeFile(path));
}

TEST(DebugOutput, NotesReachAnInstalledSinkOnly) {
    std::vector<std::string> notes;
    platform::DebugSink previous = platform::setDebugSink([&](std::string_view text) { notes.emplace_back(text); });
    platform::debugOutput("bad password");
    platform::setDebugSink(previous);
    platform::debugOutput("not captured");
    EXPECT_EQ(notes, std::vector<std::string>{"bad password"});
}

// Back to ticks, the time keeps whole milliseconds.
TEST(FileTime, ConvertsTicksSince1601BothWays) {
    const auto fields = [](const platform::CalendarTime& t) {
        return std::tuple(t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.millisecond);
    };
    const std::pair<uint64_t, platform::CalendarTime> cases[] = {
        {0, {1601, 1, 1, 1, 0, 0, 0, 0}},
        {116444736000000000ull, {1970, 1, 4, 1, 0, 0, 0, 0}},
        {125911584000000000ull, {2000, 1, 6, 1, 0, 0, 0, 0}},
        {125962560005010000ull, {2000, 2, 2, 29, 0, 0, 0, 501}},
        {133827120000000000ull, {2025, 1, 4, 30, 12, 0, 0, 0}},
        {134104895990000000ull, {2025, 12, 3, 17, 23, 59, 59, 0}},
        {2650467743990000000ull, {9999, 12, 5, 31, 23, 59, 59, 0}}};
    for (const auto& [ticks, time] : cases) {
        platform::CalendarTime t;
        ASSERT_TRUE(platform::fileTimeToCalendarTime(ticks, t)) << ticks;
        EXPECT_EQ(fields(t), fields(time)) << ticks;
        uint64_t back = 0;
        ASSERT_TRUE(platform::calendarTimeToFileTime(t, back));
        EXPECT_EQ(back, ticks / 10000 * 10000);
    }
    platform::CalendarTime t;
    EXPECT_FALSE(platform::fileTimeToCalendarTime(uint64_t{1} << 63, t));
}

}  // namespace
