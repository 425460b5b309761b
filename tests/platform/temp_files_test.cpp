#include "platform/temp_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "support/temp_dir_test.h"

namespace {

using testsupport::TempDirTest;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st.st_mode & 0777;
}

TEST(TemporaryPath, FollowsTmpdirAndEndsWithSlash) {
    const char* saved = std::getenv("TMPDIR");
    const std::string keep = saved ? saved : "";
    const std::pair<const char*, const char*> cases[] = {
        {"/var/x", "/var/x/"}, {"/var/x/", "/var/x/"}, {"", "/tmp/"}, {nullptr, "/tmp/"}};
    for (const auto& [value, expected] : cases) {
        if (value) {
            ::setenv("TMPDIR", value, 1);
        } else {
            ::unsetenv("TMPDIR");
        }
        EXPECT_EQ(platform::temporaryPath(), expected) << (value ? value : "(unset)");
    }
    if (saved) {
        ::setenv("TMPDIR", keep.c_str(), 1);
    } else {
        ::unsetenv("TMPDIR");
    }
}

TEST(SafeExtension, OnlyShortWordCharacters) {
    const std::pair<const char*, bool> cases[] = {
        {"w2d", true},        {"PNG", true},   {"a_1", true},  {"abcdefghijklmnop", true},
        {"abcdefghijklmnopq", false},          {"", false},    {"../x", false},
        {"a/b", false},       {"a\\b", false}, {"a.b", false}, {"x y", false}};
    for (const auto& [extension, safe] : cases) EXPECT_EQ(platform::isSafeExtension(extension), safe) << extension;
}

class PrivateDirectoryTest : public TempDirTest {};

TEST_F(PrivateDirectoryTest, FilesAreExclusiveAndPrivateAndRemovedWithTheOwner) {
    std::string first;
    std::string second;
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
        EXPECT_TRUE(platform::writeAll(a.get(), "data", 4));

        EXPECT_TRUE(dir.removeFile(second));
        EXPECT_FALSE(platform::fileExists(second));
        EXPECT_FALSE(dir.removeFile("/etc/passwd")) << "only its own files";
        EXPECT_EQ(dir.files().size(), 1u);
    }
    EXPECT_FALSE(platform::fileExists(first));
}

TEST_F(PrivateDirectoryTest, CreationFailsCleanlyWithoutATemporaryDirectory) {
    ::setenv("TMPDIR", (tempDir() + "missing").c_str(), 1);
    platform::PrivateDirectory dir;
    EXPECT_FALSE(dir.create());
    std::string path;
    EXPECT_FALSE(dir.createFile("w2d", path).valid());
    EXPECT_TRUE(path.empty());
    ::setenv("TMPDIR", tempDir().c_str(), 1);
}

TEST_F(PrivateDirectoryTest, NewFilesNeverReuseOrFollowExistingNames) {
    const std::string existing = workDir() + "existing";
    testsupport::writeFile(existing, "keep");
    const std::string link = workDir() + "link";
    ASSERT_EQ(::symlink((workDir() + "target").c_str(), link.c_str()), 0);

    EXPECT_FALSE(platform::createNewFile(existing).valid());
    EXPECT_EQ(testsupport::readFile(existing), "keep");
    EXPECT_FALSE(platform::createNewFile(link).valid());
    EXPECT_FALSE(platform::fileExists(workDir() + "target")) << "the link was followed";

    const platform::UniqueFd fresh = platform::createNewFile(workDir() + "fresh");
    EXPECT_TRUE(fresh.valid());
    EXPECT_EQ(modeOf(workDir() + "fresh"), 0600u);
}

TEST_F(PrivateDirectoryTest, ExclusiveFilesInAGivenDirectory) {
    std::string path;
    const platform::UniqueFd fd = platform::createExclusiveFile(workDir(), "img-", "png", path);
    ASSERT_TRUE(fd.valid());
    EXPECT_EQ(path.rfind(workDir() + "img-", 0), 0u);
    EXPECT_EQ(path.size(), workDir().size() + 4 + 16 + 4);
    EXPECT_TRUE(platform::removeFile(path));
}

}  // namespace
