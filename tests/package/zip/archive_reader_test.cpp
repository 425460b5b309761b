// ArchiveReader on archives written byte by byte here, not by our writer.
#include "package/zip/archive_reader.h"

#include <gtest/gtest.h>

#include "package/zip/archive_result.h"
#include "support/temp_dir_test.h"
#include "zip_test_support.h"

namespace {

using namespace DWFZip;
using namespace ziptest;

class ArchiveReaderTest : public testsupport::TempDirTest {
protected:
    std::unique_ptr<ArchiveReader> openBytes(const std::string& bytes) {
        const std::string path = workDir() + "archive.zip";
        testsupport::writeFile(path, bytes);
        return ArchiveReader::open(wide(path));
    }
    std::string currentName(ArchiveReader& reader) {
        char name[300] = {};
        EXPECT_EQ(reader.entryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0), ArchiveOk);
        return name;
    }
    // Opens the current entry, reads it whole and closes it; failures as "#code".
    std::string readCurrent(ArchiveReader& reader, const char* password = nullptr) {
        const int32_t rc = reader.openEntry(password);
        if (rc != ArchiveOk) return "#open" + std::to_string(rc);
        std::string text = readRest(reader);
        const int32_t closed = reader.closeEntry();
        return closed == ArchiveOk ? text : text + "#close" + std::to_string(closed);
    }

    const std::string page = sampleContent(40000, 7);
    // Local extra fields of another length than the central ones, as zip
    // writes them.
    const std::vector<RawEntry> entries{
        {"manifest.xml", "<manifest/>", 0, "LOCALEXTRA", "", ""},
        {"Section\\Page.w2d", page, 8, "", "CX", ""},
        {"empty.txt", "", 8, "", "", ""},
    };
};

TEST_F(ArchiveReaderTest, WalksEntriesInDirectoryOrderAndReadsThem) {
    const RawArchive archive = buildArchive(entries);
    auto reader = openBytes(archive.bytes);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->entryCount(), 3u);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            ASSERT_EQ(reader->nextEntry(), ArchiveOk);
        }
        EXPECT_EQ(currentName(*reader), entries[i].name);
        EXPECT_TRUE(sameBytes(readCurrent(*reader), entries[i].content));
    }
    EXPECT_EQ(reader->nextEntry(), ArchiveEndOfList);
    EXPECT_EQ(currentName(*reader), "empty.txt");  // the last entry stays current

    ASSERT_EQ(reader->firstEntry(), ArchiveOk);
    ArchiveEntryInfo info;
    char name[5];
    char extra[8];
    ASSERT_EQ(reader->entryInfo(&info, name, sizeof name, extra, sizeof extra, nullptr, 0), ArchiveOk);
    EXPECT_EQ(std::string(name, 5), "manif");  // as much as fits, no terminator
    EXPECT_EQ(info.method, 0);
    EXPECT_EQ(info.crc, crcOf("<manifest/>"));
    EXPECT_EQ(info.compressedSize, 11u);
    EXPECT_EQ(info.extraLength, 0);
    EXPECT_EQ(info.externalAttributes, 0x20u);
    EXPECT_EQ(info.time.year, 2024);  // 0x58B1: 2024-05-17, 0x6A5A: 13:18:52
    EXPECT_EQ(info.time.month, 4);
    EXPECT_EQ(info.time.second, 52);
    EXPECT_EQ(info.localHeaderPosition, 0u);
    EXPECT_EQ(info.dataPosition, 30u + 12u + 10u);  // after the local extra field
    EXPECT_EQ(archive.bytes.substr(info.dataPosition, 11), "<manifest/>");
}

TEST_F(ArchiveReaderTest, AnEmptyArchiveHasNoCurrentEntry) {
    auto reader = openBytes(buildArchive({}).bytes);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->firstEntry(), ArchiveEndOfList);
    EXPECT_EQ(reader->nextEntry(), ArchiveEndOfList);
    EXPECT_EQ(reader->locateEntry("a"), ArchiveEndOfList);
    EXPECT_EQ(reader->entryInfo(nullptr, nullptr, 0, nullptr, 0, nullptr, 0), ArchiveEndOfList);
    EXPECT_EQ(reader->openEntry(nullptr), ArchiveEndOfList);
    EXPECT_FALSE(openBytes(std::string(21, '\0')));
}

TEST_F(ArchiveReaderTest, LocateNormalisesSeparatorsAndCase) {
    auto reader = openBytes(buildArchive(entries).bytes);
    ASSERT_TRUE(reader);
    const struct {
        std::string query;
        int32_t caseSensitivity;
        int32_t result;
        std::string found;
    } cases[] = {
        {"/manifest.xml", 0, ArchiveOk, "manifest.xml"},
        {"\\\\/manifest.xml", 0, ArchiveOk, "manifest.xml"},
        {"MANIFEST.XML", 0, ArchiveOk, "manifest.xml"},
        {"MANIFEST.XML", 1, ArchiveEndOfList, "empty.txt"},
        {"section/page.w2d", 0, ArchiveOk, "Section\\Page.w2d"},
        {"/SECTION\\page.W2D", 2, ArchiveOk, "Section\\Page.w2d"},
        {"section/page.w2d", 1, ArchiveEndOfList, "empty.txt"},
        {"Section/Page.w2d", 1, ArchiveOk, "Section\\Page.w2d"},
        {"Section", 0, ArchiveEndOfList, "empty.txt"},
        {std::string(255, 'a'), 0, ArchiveEndOfList, "empty.txt"},
        {std::string(256, 'a'), 0, ArchiveBadParameter, "empty.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        ASSERT_EQ(reader->locateEntry("empty.txt", 1), ArchiveOk);
        EXPECT_EQ(reader->locateEntry(c.query.c_str(), c.caseSensitivity), c.result);
        EXPECT_EQ(currentName(*reader), c.found);  // a miss keeps the previous entry
    }
}

TEST_F(ArchiveReaderTest, PrecedingBytesShiftOffsets) {
    auto reader = openBytes("(DWF V06.00)" + buildArchive(entries).bytes);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->precedingBytes(), 12u);
    ASSERT_EQ(reader->locateEntry("section/page.w2d"), ArchiveOk);
    ArchiveEntryInfo info;
    ASSERT_EQ(reader->entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0), ArchiveOk);
    EXPECT_EQ(info.localHeaderPosition, 12u + 30 + 12 + 10 + 11);
    EXPECT_TRUE(sameBytes(readCurrent(*reader), page));
    char header[12];
    ASSERT_TRUE(platform::readAt(reader->fileHandle(), header, sizeof header, 0));
    EXPECT_EQ(std::string(header, 12), "(DWF V06.00)");
    EXPECT_EQ(reader->close(), ArchiveOk);
    EXPECT_EQ(reader->firstEntry(), ArchiveBadParameter);
}

TEST_F(ArchiveReaderTest, EndRecordIsSearchedInTheLast65535Bytes) {
    const std::string archive = buildArchive(entries).bytes;
    // The record then starts exactly 65535 bytes before the end, then 65536.
    for (const size_t trailing : {size_t{65535 - 22}, size_t{65536 - 22}}) {
        std::string bytes = archive + std::string(trailing, 'x');
        set16(bytes, archive.size() - 2, static_cast<uint32_t>(trailing));  // as a comment
        auto reader = openBytes(bytes);
        EXPECT_EQ(reader != nullptr, trailing == 65535 - 22) << trailing;
    }
}

TEST_F(ArchiveReaderTest, LocalHeaderMethodIsCheckedWhenTheEntryOpens) {
    RawArchive archive = buildArchive(entries);
    set16(archive.bytes, archive.local[1] + 8, 0);  // stored, says the local header
    auto reader = openBytes(archive.bytes);
    ASSERT_TRUE(reader);
    ASSERT_EQ(reader->locateEntry("Section\\Page.w2d"), ArchiveOk);
    EXPECT_EQ(reader->openEntry(nullptr), ArchiveBadFormat);
    ASSERT_EQ(reader->firstEntry(), ArchiveOk);
    EXPECT_EQ(readCurrent(*reader), "<manifest/>");
}

TEST_F(ArchiveReaderTest, CrcMismatchShowsWhenAWholeEntryCloses) {
    RawArchive archive = buildArchive(entries);
    for (size_t at : {archive.local[1] + 14, archive.central[1] + 16}) set32(archive.bytes, at, 0x12345678);
    auto reader = openBytes(archive.bytes);
    ASSERT_TRUE(reader);
    ASSERT_EQ(reader->locateEntry("Section\\Page.w2d"), ArchiveOk);
    EXPECT_TRUE(sameBytes(readCurrent(*reader), page + "#close" + std::to_string(ArchiveCrcMismatch)));
    ASSERT_EQ(reader->openEntry(nullptr), ArchiveOk);
    char part[100];
    EXPECT_EQ(reader->readEntry(part, sizeof part), 100);
    EXPECT_EQ(reader->closeEntry(), ArchiveOk);  // read in part: not checked
    EXPECT_EQ(reader->readEntry(part, sizeof part), ArchiveBadParameter);
    EXPECT_EQ(reader->closeEntry(), ArchiveBadParameter);
}

TEST_F(ArchiveReaderTest, TraditionalEncryptionNeedsTheRightPassword) {
    const RawArchive archive = buildArchive({{"a.txt", page, 8, "", "", "secret"},
                                             {"b.txt", "stored text", 0, "", "", "secret"}});
    auto reader = openBytes(archive.bytes);
    ASSERT_TRUE(reader);
    EXPECT_TRUE(sameBytes(readCurrent(*reader, "secret"), page));
    EXPECT_EQ(readCurrent(*reader, "wrong"), "#" + std::to_string(ArchiveBadPassword));
    EXPECT_EQ(readCurrent(*reader, nullptr), "#open" + std::to_string(ArchiveBadPassword));
    ASSERT_EQ(reader->nextEntry(), ArchiveOk);
    EXPECT_EQ(readCurrent(*reader, "secret"), "stored text");
    // Stored data cannot tell: garbage that fails only at the CRC check.
    EXPECT_NE(readCurrent(*reader, "wrong").find("#close" + std::to_string(ArchiveCrcMismatch)), std::string::npos);
}

// Damaged or hostile directories: refused with a code, never read outside
// the file or allocated from.
TEST_F(ArchiveReaderTest, RefusesDirectoriesTheFileCannotBack) {
    const RawArchive good = buildArchive(entries);
    const size_t end = good.end;
    const size_t c0 = good.central[0];
    const size_t c1 = good.central[1];
    const uint32_t pastNextEntry = get32(good.bytes, c1 + 20) + 20;
    const struct {
        const char* what;
        size_t at;
        uint32_t value;
        bool wide;
    } cases[] = {
        {"directory offset past the file", end + 16, 0x7FFFFFF0, true},
        {"directory larger than the file", end + 12, 0x7FFFFFF0, true},
        {"directory offset as ZIP64", end + 16, 0xFFFFFFFF, true},
        {"more entries than the directory holds", end + 8, 40 * 0x10001, true},
        {"counts that disagree", end + 10, 2, false},
        {"second disk", end + 4, 1, false},
        {"absurd name length", c0 + 28, 0xFFFF, false},
        {"absurd comment length", c1 + 32, 0xFF00, false},
        {"central signature", c1, 0x02014B51, true},
        {"local header outside the file", c1 + 42, 0x7FFFFFF0, true},
        {"entries sharing one local header", c1 + 42, 0, true},
        {"compressed size into the next entry", c1 + 20, pastNextEntry, true},
        {"entry claiming 4 GiB", c1 + 24, 0xFFFFFFFF, true},
        {"compressed size needing ZIP64", c1 + 20, 0xFFFFFFFF, true},
        {"more than deflate can make", c1 + 24, 0xF0000000, true},
        {"stored size unlike its content", c0 + 24, 12, true},
    };
    for (const auto& c : cases) {
        std::string bytes = good.bytes;
        c.wide ? set32(bytes, c.at, c.value) : set16(bytes, c.at, c.value);
        EXPECT_FALSE(openBytes(bytes)) << c.what;
    }
}

TEST_F(ArchiveReaderTest, RefusesLocalHeadersThatDisagree) {
    const RawArchive good = buildArchive(entries);
    const struct {
        const char* what;
        size_t at;
        uint32_t value;
    } cases[] = {
        {"local signature", good.local[0], 0x9999},
        {"local name length", good.local[0] + 26, 11},
        {"local extra running into the next entry", good.local[0] + 28, 0x4000},
        {"local extra running past the file", good.local[2] + 28, 0xFFFF},
        {"local compressed size", good.local[0] + 18, 12},
    };
    for (const auto& c : cases) {
        std::string bytes = good.bytes;
        set16(bytes, c.at, c.value);
        auto reader = openBytes(bytes);
        ASSERT_TRUE(reader) << c.what;
        ASSERT_EQ(reader->locateEntry(entries[c.at < good.local[2] ? 0 : 2].name.c_str()), ArchiveOk);
        EXPECT_EQ(reader->openEntry(nullptr), ArchiveBadFormat) << c.what;
    }
}

TEST_F(ArchiveReaderTest, DeflateDataCutShortIsAnError) {
    RawArchive archive = buildArchive({{"p.w2d", page, 8, "", "", ""}});
    const uint32_t cut = get32(archive.bytes, 18) / 2;
    for (size_t at : {archive.local[0] + 18, archive.central[0] + 20}) set32(archive.bytes, at, cut);
    auto reader = openBytes(archive.bytes);
    ASSERT_TRUE(reader);
    const std::string text = readCurrent(*reader);
    EXPECT_LT(text.size(), page.size());
    EXPECT_EQ(text.substr(text.rfind('#')), "#" + std::to_string(ArchiveBadFormat));
}

// Every truncation and a run of single-byte changes: each operation ends
// with a result code, and sanitizer builds check that nothing is read
// outside a buffer.
TEST_F(ArchiveReaderTest, SurvivesTruncationAndDamage) {
    const std::string good = buildArchive(entries).bytes;
    auto exercise = [&](const std::string& bytes) {
        auto reader = openBytes(bytes);
        if (!reader) return;
        for (int32_t rc = reader->firstEntry(); rc == ArchiveOk; rc = reader->nextEntry()) {
            ArchiveEntryInfo info;
            const bool known = reader->entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0) == ArchiveOk;
            if (reader->openEntry(nullptr) != ArchiveOk) continue;
            EXPECT_TRUE(known);  // what opens has a consistent local header
            uint64_t total = 0;
            char buffer[4096];
            for (int32_t n; (n = reader->readEntry(buffer, sizeof buffer)) > 0;) total += static_cast<uint32_t>(n);
            EXPECT_LE(total, info.uncompressedSize);
            const int32_t closed = reader->closeEntry();
            EXPECT_TRUE(closed == ArchiveOk || closed == ArchiveCrcMismatch) << closed;
        }
    };
    for (size_t size = 0; size < good.size(); size += 7) exercise(good.substr(0, size));
    uint32_t seed = 1;
    for (int round = 0; round < 400; ++round) {
        std::string bytes = good;
        seed = seed * 1103515245u + 12345u;
        const size_t at = (seed >> 8) % bytes.size();
        bytes[at] = static_cast<char>(bytes[at] ^ (1 + (seed >> 24) % 255));
        exercise(bytes);
    }
    auto reader = openBytes(good);
    ASSERT_TRUE(reader);
    EXPECT_EQ(readCurrent(*reader), "<manifest/>");
}

}  // namespace
