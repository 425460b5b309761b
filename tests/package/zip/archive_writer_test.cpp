// ArchiveWriter checked field by field in the bytes it leaves on disk.
#include "package/zip/archive_writer.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>

#include "package/zip/archive_reader.h"
#include "package/zip/archive_result.h"
#include "support/temp_dir_test.h"
#include "zip_test_support.h"

namespace {

using namespace DWFZip;
using namespace ziptest;

class ArchiveWriterTest : public testsupport::TempDirTest {
protected:
    std::string path() const { return workDir() + "out.dwf"; }
    // One entry with a fixed time, written whole; the archive's bytes.
    std::string writeOne(int32_t version, int32_t method = 8, int32_t level = -1,
                         const char* password = nullptr) {
        auto writer = ArchiveWriter::create(wide(path()), false, version);
        EXPECT_TRUE(writer);
        if (!writer) return {};
        EXPECT_EQ(writer->openEntry("manifest.xml", &info, {}, {}, nullptr, method, level, password), ArchiveOk);
        EXPECT_EQ(writer->writeEntry(content.data(), 20000), ArchiveOk);
        EXPECT_EQ(writer->writeEntry(content.data() + 20000, content.size() - 20000), ArchiveOk);
        EXPECT_EQ(writer->close(nullptr), ArchiveOk);
        return testsupport::readFile(path());
    }

    ArchiveEntryFileInfo info{{58, 18, 13, 17, 4, 2024}, 0, 0, 0x20};  // 2024-05-17 13:18:58
    const std::string content = sampleContent(50000, 3);
};

TEST_F(ArchiveWriterTest, WritesHeaderEntryDirectoryAndEndRecord) {
    const std::string bytes = writeOne(600);
    ASSERT_GT(bytes.size(), 12u + 42 + 58 + 22);
    EXPECT_EQ(bytes.substr(0, 12), "(DWF V06.00)");
    // Local header: version 20, flags 0, deflate, time 0x6A5D, date 0x58B1,
    // CRC and sizes rewritten with the final values.
    EXPECT_EQ(testsupport::hex(bytes.substr(12, 14)), "504B03041400000008005D6AB158");
    EXPECT_EQ(get32(bytes, 26), crcOf(content));
    const uint32_t compressed = get32(bytes, 30);
    EXPECT_EQ(get32(bytes, 34), content.size());
    EXPECT_EQ(testsupport::hex(bytes.substr(38, 4)), "0C000000");  // name and extra lengths
    EXPECT_EQ(bytes.substr(42, 12), "manifest.xml");
    EXPECT_EQ(rawInflate(bytes.substr(54, compressed), content.size()), content);
    // Central header right after the data: made by 20, the local fields
    // again, no extra, comment or disk, attributes 0 and 0x20, offset 12.
    const size_t central = 54 + compressed;
    EXPECT_EQ(testsupport::hex(bytes.substr(central, 6)), "504B01021400");
    EXPECT_EQ(bytes.substr(central + 6, 26), bytes.substr(16, 26));
    EXPECT_EQ(testsupport::hex(bytes.substr(central + 30, 16)), "000000000000000020000000" "0C000000");
    EXPECT_EQ(bytes.substr(central + 46, 12), "manifest.xml");
    // End record: disk 0, one entry twice, directory of 58 bytes at `central`.
    const size_t end = central + 58;
    ASSERT_EQ(bytes.size(), end + 22);
    EXPECT_EQ(testsupport::hex(bytes.substr(end, 16)), "504B050600000000010001003A000000");
    EXPECT_EQ(get32(bytes, end + 16), central);
    EXPECT_EQ(get16(bytes, end + 20), 0u);
}

TEST_F(ArchiveWriterTest, VersionsBelow600HaveNoHeader) {
    const std::string bytes = writeOne(599, 0);
    EXPECT_EQ(testsupport::hex(bytes.substr(0, 10)), "504B0304140000000000");  // stored
    EXPECT_EQ(get32(bytes, 18), content.size());
    EXPECT_EQ(bytes.substr(42, content.size()), content);
    EXPECT_EQ(get32(bytes, bytes.size() - 22 + 16), 42 + content.size());
    EXPECT_EQ(get32(bytes, 42 + content.size() + 42), 0u);  // local header offset
    EXPECT_FALSE(ArchiveWriter::create(wide(path()), false, 10000));  // no room in 12 bytes
}

TEST_F(ArchiveWriterTest, FlagsFollowTheLevelAndThePassword) {
    const struct {
        int32_t level;
        uint32_t flags;
    } cases[] = {{-1, 0}, {0, 0}, {1, 6}, {2, 4}, {3, 0}, {6, 0}, {8, 2}, {9, 2}};
    for (const auto& c : cases) {
        for (const char* password : {static_cast<const char*>(nullptr), "", "pw"}) {
            const std::string bytes = writeOne(600, 8, c.level, password);
            const uint32_t expected = c.flags | (password && *password ? 9 : 0);
            EXPECT_EQ(get16(bytes, 12 + 6), expected) << c.level;
            EXPECT_EQ(get16(bytes, bytes.size() - 22 - 58 + 8), expected) << c.level;
        }
    }
}

TEST_F(ArchiveWriterTest, EncryptedEntriesCarryHeaderAndDescriptor) {
    const std::string bytes = writeOne(600, 8, -1, "secret");
    const uint32_t compressed = get32(bytes, 30);
    const size_t descriptor = 54 + compressed;
    EXPECT_EQ(get32(bytes, descriptor), 0x08074B50u);
    EXPECT_EQ(bytes.substr(descriptor + 4, 12), bytes.substr(26, 12));  // local CRC and sizes
    EXPECT_EQ(bytes.substr(descriptor + 16 + 16, 12), bytes.substr(26, 12));  // central ones
    const std::string plain = Keys("secret").decrypt(bytes.substr(54, compressed));
    EXPECT_EQ(testsupport::hex(plain.substr(10, 2)), "5D6A");  // the DOS time
    EXPECT_EQ(rawInflate(plain.substr(12), content.size()), content);
}

TEST_F(ArchiveWriterTest, FileInfoExtraFieldsAndCommentsGoWhereTheySay) {
    auto writer = ArchiveWriter::create(wide(path()), false, 0);
    ASSERT_TRUE(writer);
    const ArchiveEntryFileInfo given{{}, 0x12345678, 1, 0x81A40000};
    const uint8_t local[] = {1, 2, 3};
    const uint8_t central[] = {9, 8, 7, 6, 5};
    ASSERT_EQ(writer->openEntry(nullptr, &given, local, central, "note", 0, -1, nullptr), ArchiveOk);
    ASSERT_EQ(writer->writeEntry("ab", 2), ArchiveOk);
    ASSERT_EQ(writer->openEntry("second", nullptr, {}, {}, nullptr, 8, -1, nullptr), ArchiveOk);
    EXPECT_EQ(writer->openEntry("bad", nullptr, {}, {}, nullptr, 12, -1, nullptr), ArchiveBadParameter);
    ASSERT_EQ(writer->close("archive comment"), ArchiveOk);
    EXPECT_EQ(writer->writeEntry("x", 1), ArchiveBadParameter);
    EXPECT_EQ(writer->close(nullptr), ArchiveBadParameter);

    const std::string bytes = testsupport::readFile(path());
    EXPECT_EQ(get32(bytes, 10), 0x12345678u);
    EXPECT_EQ(bytes.substr(26, 4 + 1 + 3 + 2), std::string("\1\0\3\0-\1\2\3ab", 10));
    const size_t second = 36;
    EXPECT_EQ(bytes.substr(second + 30, 6), "second");
    const size_t directory = get32(bytes, bytes.size() - 15 - 22 + 16);
    EXPECT_EQ(testsupport::hex(bytes.substr(directory + 28, 18)), "010005000400000001000000A48100000000");
    EXPECT_EQ(bytes.substr(directory + 46, 10), std::string("-\x09\x08\x07\x06\x05note"));
    EXPECT_EQ(get32(bytes, directory + 56 + 42), second);
    EXPECT_EQ(bytes.substr(bytes.size() - 15), "archive comment");
}

TEST_F(ArchiveWriterTest, WriteFailuresAreReportedAndTheFirstOneWins) {
    EXPECT_FALSE(ArchiveWriter::create(u"/dev/full", false, 600));  // the header cannot be written
    auto writer = ArchiveWriter::create(u"/dev/full", false, 0);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->openEntry("a", nullptr, {}, {}, nullptr, 8, -1, nullptr), ArchiveIoError);
    EXPECT_EQ(writer->writeEntry("x", 1), ArchiveBadParameter);  // no entry open
    EXPECT_EQ(writer->close(nullptr), ArchiveIoError);
    EXPECT_FALSE(ArchiveWriter::create(wide(workDir() + "missing/dir.dwf"), false, 600));
}

TEST_F(ArchiveWriterTest, AppendingPlacesTheArchiveAfterWhatIsThere) {
    testsupport::writeFile(path(), "hello");
    auto writer = ArchiveWriter::create(wide(path()), true, 0);
    ASSERT_TRUE(writer);
    ASSERT_EQ(writer->openEntry("a.txt", nullptr, {}, {}, nullptr, 8, -1, nullptr), ArchiveOk);
    ASSERT_EQ(writer->writeEntry("appended", 8), ArchiveOk);
    ASSERT_EQ(writer->close(nullptr), ArchiveOk);
    EXPECT_EQ(testsupport::readFile(path()).substr(0, 9), "helloPK\3\4");
    auto reader = ArchiveReader::open(wide(path()));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->precedingBytes(), 0u);  // the offsets count the old bytes
    ArchiveEntryInfo entry;
    ASSERT_EQ(reader->entryInfo(&entry, nullptr, 0, nullptr, 0, nullptr, 0), ArchiveOk);
    EXPECT_EQ(entry.localHeaderPosition, 5u);
    ASSERT_EQ(reader->openEntry(nullptr), ArchiveOk);
    EXPECT_EQ(readRest(*reader), "appended");
}

// Under a file size limit the data writes fail part way: the failure sticks
// to the entry and to the archive, and nothing is written after it.
bool failsAtTheSizeLimit(const std::string& path, const std::string& content) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{20000, 20000};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return false;
    auto writer = ArchiveWriter::create(wide(path), false, 600);
    return writer && writer->openEntry("a", nullptr, {}, {}, nullptr, 0, -1, nullptr) == ArchiveOk &&
           writer->writeEntry(content.data(), content.size()) == ArchiveIoError &&
           writer->writeEntry("x", 1) == ArchiveIoError && writer->closeEntry() == ArchiveIoError &&
           writer->close(nullptr) == ArchiveIoError;
}

TEST_F(ArchiveWriterTest, TheFirstWriteFailureSticks) {
    EXPECT_EXIT(std::_Exit(failsAtTheSizeLimit(path(), content) ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(testsupport::readFile(path()).substr(0, 16), std::string("(DWF V06.00)PK\3\4"));
}

}  // namespace
