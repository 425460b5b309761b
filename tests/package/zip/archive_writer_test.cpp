// ArchiveWriter checked field by field in the bytes it leaves on disk, DOS
// times, and archives exchanged with the Info-ZIP tools.
#include "package/zip/archive_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <cstdlib>
#include <vector>

#include "package/package_test_support.h"
#include "package/zip/archive_reader.h"
#include "package/zip/archive_result.h"
#include "support/file_size_limit.h"
#include "support/zip_cipher.h"

namespace {

using namespace DWFZip;
using namespace packagetest;

class ArchiveWriterTest : public TempDirTest {
protected:
    std::string path() const { return workDir() + "out.dwf"; }
    // One entry with a fixed time, written in two pieces; the archive's bytes.
    std::string writeOne(int32_t version, int32_t method = 8, int32_t level = -1, const char* password = nullptr) {
        auto writer = ArchiveWriter::create(wide(path()), false, version);
        EXPECT_TRUE(writer);
        if (!writer) return {};
        EXPECT_EQ(writer->openEntry("manifest.xml", &info, {}, {}, nullptr, method, level, password), ArchiveOk);
        EXPECT_EQ(writer->writeEntry(content.data(), 20000), ArchiveOk);
        EXPECT_EQ(writer->writeEntry(content.data() + 20000, content.size() - 20000), ArchiveOk);
        EXPECT_EQ(writer->close(nullptr), ArchiveOk);
        return readFile(path());
    }
    // What writeOne leaves: both headers with version 20, the time above and
    // the final CRC and sizes; attributes 0 and 0x20; a directory of 58 bytes.
    std::string expectedArchive(const std::string& header, uint32_t flags, uint32_t method, const std::string& data,
                                const std::string& descriptor = "") const {
        const std::string shared = Bytes().u16(20).u16(flags).u16(method).u32(0x58B16A5D).u32(crcOf(content))
                                       .u32(data.size()).u32(50000).u16(12);
        const std::string local = Bytes().u32(0x04034B50).raw(shared).u16(0).raw("manifest.xml");
        const std::string central = Bytes().u32(0x02014B50).u16(20).raw(shared).u16(0).u16(0).u16(0).u16(0).u32(0x20)
                                        .u32(header.size()).raw("manifest.xml");
        const size_t directory = header.size() + local.size() + data.size() + descriptor.size();
        return header + local + data + descriptor + central +
               Bytes().u32(0x06054B50).u32(0).u16(1).u16(1).u32(58).u32(directory).u16(0).str();
    }

    ArchiveEntryFileInfo info{{58, 18, 13, 17, 4, 2024}, 0, 0, 0x20};  // 2024-05-17 13:18:58
    const std::string content = sampleContent(50000, 3);
    const std::vector<std::pair<std::string, std::string>> files{
        {"manifest.xml", "<dwf:Manifest version=\"6.0\"/>"}, {"page.w2d", sampleContent(70000, 11)},
        {"notes.txt", "stored, not deflated\n"}, {"empty.bin", ""}};
};

TEST_F(ArchiveWriterTest, WritesEntryDirectoryAndEndRecordBehindTheHeaderOfTheirVersion) {
    const std::string bytes = writeOne(600);
    const std::string data = bytes.substr(54, get32(bytes, 30));
    EXPECT_EQ(inflateRaw(data, content.size()), content);
    EXPECT_TRUE(sameBytes(bytes, expectedArchive(kDwfHeader, 0, 8, data)));
    // Below version 600 there is no header; stored data is the content.
    EXPECT_TRUE(sameBytes(writeOne(599, 0), expectedArchive("", 0, 0, content)));
    EXPECT_FALSE(ArchiveWriter::create(wide(path()), false, 10000));  // no room in 12 bytes
}

TEST_F(ArchiveWriterTest, FlagsFollowTheLevelAndThePassword) {
    const struct { int32_t level; uint32_t flags; } cases[] = {{-1, 0}, {0, 0}, {1, 6}, {2, 4}, {3, 0}, {6, 0},
                                                               {8, 2}, {9, 2}};
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
    const std::string data = bytes.substr(54, compressed);
    const std::string descriptor = Bytes().u32(0x08074B50).u32(crcOf(content)).u32(compressed).u32(50000);
    EXPECT_TRUE(sameBytes(bytes, expectedArchive(kDwfHeader, 9, 8, data, descriptor)));
    const std::string plain = ZipCipher("secret").decrypt(data);
    EXPECT_EQ(hex(plain.substr(10, 2)), "5D6A");  // the DOS time
    EXPECT_EQ(inflateRaw(plain.substr(12), content.size()), content);
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

    const std::string bytes = readFile(path());
    EXPECT_EQ(get32(bytes, 10), 0x12345678u);
    EXPECT_EQ(bytes.substr(26, 4 + 1 + 3 + 2), std::string("\1\0\3\0-\1\2\3ab", 10));
    EXPECT_EQ(bytes.substr(36 + 30, 6), "second");  // the second local header follows the first entry
    const size_t directory = get32(bytes, bytes.size() - 15 - 22 + 16);
    EXPECT_EQ(hex(bytes.substr(directory + 28, 18)), "010005000400000001000000A48100000000");
    EXPECT_EQ(bytes.substr(directory + 46, 10), std::string("-\x09\x08\x07\x06\x05note"));
    EXPECT_EQ(get32(bytes, directory + 56 + 42), 36u);
    EXPECT_EQ(bytes.substr(bytes.size() - 15), "archive comment");
}

// Under a file size limit the data writes fail midway: the failure sticks
// to the entry and to the archive, and nothing is written after it.
bool failsAtTheSizeLimit(const std::string& path, const std::string& content) {
    const testsupport::FileSizeLimit limit(20000);
    auto writer = ArchiveWriter::create(wide(path), false, 600);
    return writer && writer->openEntry("a", nullptr, {}, {}, nullptr, 0, -1, nullptr) == ArchiveOk &&
           writer->writeEntry(content.data(), content.size()) == ArchiveIoError &&
           writer->writeEntry("x", 1) == ArchiveIoError && writer->closeEntry() == ArchiveIoError &&
           writer->close(nullptr) == ArchiveIoError;
}

TEST_F(ArchiveWriterTest, WriteFailuresAreReportedAndTheFirstOneSticks) {
    EXPECT_FALSE(ArchiveWriter::create(u"/dev/full", false, 600));  // the header cannot be written
    auto writer = ArchiveWriter::create(u"/dev/full", false, 0);
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->openEntry("a", nullptr, {}, {}, nullptr, 8, -1, nullptr), ArchiveIoError);
    EXPECT_EQ(writer->writeEntry("x", 1), ArchiveBadParameter);  // no entry open
    EXPECT_EQ(writer->close(nullptr), ArchiveIoError);
    EXPECT_FALSE(ArchiveWriter::create(wide(workDir() + "missing/dir.dwf"), false, 600));
    EXPECT_EXIT(std::_Exit(failsAtTheSizeLimit(path(), content) ? 0 : 1), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(path()).substr(0, 16), kDwfHeader + std::string("PK\3\4"));
}

TEST_F(ArchiveWriterTest, AppendingPlacesTheArchiveAfterWhatIsThere) {
    writeFile(path(), "hello");
    auto writer = ArchiveWriter::create(wide(path()), true, 0);
    ASSERT_TRUE(writer);
    ASSERT_EQ(writer->openEntry("a.txt", nullptr, {}, {}, nullptr, 8, -1, nullptr), ArchiveOk);
    ASSERT_EQ(writer->writeEntry("appended", 8), ArchiveOk);
    ASSERT_EQ(writer->close(nullptr), ArchiveOk);
    const std::string bytes = readFile(path());
    EXPECT_EQ(bytes.substr(0, 9), "helloPK\3\4");
    EXPECT_EQ(get32(bytes, get32(bytes, bytes.size() - 6) + 42), 5u);  // the offsets count the old bytes
    EXPECT_EQ(entryContent(path(), "a.txt"), "appended");
}

TEST(DosTime, EncodesBrokenDownTimesOfEitherYearFormAndDecodesThem) {
    const struct { ArchiveTime time; uint32_t dos; } cases[] = {
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
    // To the calendar year and a month counted from 0.
    const ArchiveTime t = DWFZip::fromDosDateTime(0x58B16A5Du);
    EXPECT_EQ(std::vector<int32_t>({t.year, t.month, t.day, t.hour, t.minute, t.second}),
              std::vector<int32_t>({2024, 4, 17, 13, 18, 58}));
    EXPECT_EQ(DWFZip::toDosDateTime(t), 0x58B16A5Du);
    // The local time is a calendar date, its year counted from 1900.
    const ArchiveTime now = DWFZip::currentLocalTime();
    const ArchiveTime back = DWFZip::fromDosDateTime(DWFZip::toDosDateTime(now));
    EXPECT_EQ(std::make_tuple(back.year, back.month, back.day), std::make_tuple(now.year + 1900, now.month, now.day));
}

// Tools we did not write on both sides.
TEST_F(ArchiveWriterTest, UnzipReadsOurArchivesAndSoDoWe) {
    for (const char* password : {"", "secret"}) {
        const std::string archive = workDir() + (*password ? "locked.dwf" : "plain.dwf");
        auto writer = ArchiveWriter::create(wide(archive), false, 600);
        ASSERT_TRUE(writer);
        for (const auto& [name, text] : files) {
            const int32_t method = name == "notes.txt" ? 0 : 8;
            ASSERT_EQ(writer->openEntry(name.c_str(), nullptr, {}, {}, nullptr, method, -1, password), ArchiveOk);
            ASSERT_EQ(writer->writeEntry(text.data(), text.size()), ArchiveOk);
        }
        ASSERT_EQ(writer->close(nullptr), ArchiveOk);
        const std::string option = *password ? std::string(" -P ") + password : "";
        EXPECT_EQ(exitStatus("unzip -t" + option + " " + archive), 0);
        int status = -1;
        for (const auto& [name, text] : files) {
            EXPECT_TRUE(sameBytes(runCommand("unzip -p" + option + " " + archive + " " + name, &status), text));
            EXPECT_EQ(status, 0) << name;
            EXPECT_TRUE(sameBytes(entryContent(archive, name, password), text)) << name;
        }
    }
}

// zip's local extra fields are longer than its central ones; a DWF header put in
// front by hand is not counted by the archive's offsets.
TEST_F(ArchiveWriterTest, ReadsAnEncryptedArchiveMadeByZipBehindAHeader) {
    int status = -1;
    std::filesystem::create_directory(workDir() + "src");
    for (const auto& [name, text] : files) writeFile(workDir() + "src/" + name, text);
    const std::string log = runCommand("cd " + workDir() + "src && zip -q -P secret ../made.zip manifest.xml "
                                       "page.w2d notes.txt", &status);
    ASSERT_EQ(status, 0) << log;
    const std::string path = workDir() + "made.dwf";
    const std::string bytes = kDwfHeader + readFile(workDir() + "made.zip");
    writeFile(path, bytes);
    auto reader = ArchiveReader::open(wide(path));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->precedingBytes(), 12u);
    for (size_t i = 0; i < 3; ++i) {
        ASSERT_EQ(reader->locateEntry(files[i].first.c_str()), ArchiveOk);
        ArchiveEntryInfo info;
        ASSERT_EQ(reader->entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0), ArchiveOk);
        const uint32_t localExtra = get16(bytes, info.localHeaderPosition + 28);
        EXPECT_NE(localExtra, info.extraLength);
        EXPECT_EQ(info.dataPosition, info.localHeaderPosition + 30 + info.nameLength + localExtra);
        EXPECT_TRUE(sameBytes(readCurrent(*reader, "secret", 4096), files[i].second));
    }
}

}  // namespace
