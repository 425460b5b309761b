// ArchiveReader on archives written record by record here, not by our writer.
#include "package/zip/archive_reader.h"

#include <gtest/gtest.h>

#include <tuple>

#include "package/package_test_support.h"
#include "package/zip/archive_result.h"
#include "package/zip/archive_writer.h"

namespace {

using namespace DWFZip;
using namespace packagetest;

class ArchiveReaderTest : public TempDirTest {
protected:
    std::unique_ptr<ArchiveReader> openBytes(const std::string& bytes) {
        const std::string path = workDir() + "archive.zip";
        writeFile(path, bytes);
        return ArchiveReader::open(wide(path));
    }
    std::string currentName(ArchiveReader& reader) {
        char name[300] = {};
        EXPECT_EQ(reader.entryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0), ArchiveOk);
        return name;
    }

    const std::string page = sampleContent(40000, 7);
    // Local extra fields unlike the central ones, as zip writes them.
    const std::vector<ZipEntry> entries{
        {"manifest.xml", "<manifest/>", 0, "LOCALEXTRA"}, {"Section\\Page.w2d", page, 8, "", "CX"},
        {"locked.w2d", page.substr(0, 5000), 8, "", "", "secret"}, {"locked.txt", "stored text", 0, "", "", "secret"},
        {"empty.txt", ""},
    };
};

TEST_F(ArchiveReaderTest, WalksEntriesOfAPrefixedArchiveAndReportsTheirRecords) {
    const ZipArchive archive = zipArchive(entries);
    auto reader = openBytes(kDwfHeader + archive.bytes);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->precedingBytes(), 12u);
    EXPECT_EQ(reader->entryCount(), 5u);
    for (size_t i = 0; i < entries.size(); ++i) {
        ASSERT_EQ(i == 0 ? ArchiveOk : reader->nextEntry(), ArchiveOk);
        EXPECT_EQ(currentName(*reader), entries[i].name);
        EXPECT_TRUE(sameBytes(readCurrent(*reader, "secret"), entries[i].content));
    }
    EXPECT_EQ(reader->nextEntry(), ArchiveEndOfList);
    EXPECT_EQ(currentName(*reader), "empty.txt");  // the last entry stays current

    ASSERT_EQ(reader->locateEntry("section/page.w2d"), ArchiveOk);
    ArchiveEntryInfo info;
    char name[5];
    char extra[8];
    ASSERT_EQ(reader->entryInfo(&info, name, sizeof name, extra, sizeof extra, nullptr, 0), ArchiveOk);
    // As much as fits; a terminator only where there is room for one.
    EXPECT_EQ(std::string(name, 5) + std::string(extra, 3), std::string("SectiCX\0", 8));
    const uint32_t packed = get32(archive.bytes, archive.local[1] + 18);
    EXPECT_EQ(std::make_tuple(info.versionMadeBy, info.versionNeeded, info.flags, info.method, info.dosDateTime,
                              info.time.year, info.time.second, info.crc, info.compressedSize, info.uncompressedSize),
              std::make_tuple(20, 20, 0, 8, 0x58B16A5Au, 2024, 52, crcOf(page), packed, 40000u));
    EXPECT_EQ(std::make_tuple(info.nameLength, info.extraLength, info.commentLength, info.externalAttributes,
                              info.localHeaderPosition, info.dataPosition),
              std::make_tuple(16, 2, 0, 0x20u, 12 + archive.local[1], 12 + archive.local[1] + 30 + 16));

    // A partial read: the CRC is not checked, and the entry is closed.
    ASSERT_EQ(reader->openEntry(nullptr), ArchiveOk);
    EXPECT_EQ(reader->readEntry(name, sizeof name), 5);
    EXPECT_EQ(reader->closeEntry(), ArchiveOk);
    EXPECT_EQ(reader->readEntry(name, sizeof name), ArchiveBadParameter);
    EXPECT_EQ(reader->closeEntry(), ArchiveBadParameter);

    EXPECT_EQ(reader->close(), ArchiveOk);
    EXPECT_EQ(reader->firstEntry(), ArchiveBadParameter);
}

TEST_F(ArchiveReaderTest, AnEmptyArchiveHasNoCurrentEntryAndTheEndRecordIsSoughtNearTheEnd) {
    auto reader = openBytes(zipArchive({}).bytes);
    ASSERT_TRUE(reader);
    const std::vector<int32_t> results = {reader->firstEntry(), reader->nextEntry(), reader->locateEntry("a"),
                                          reader->entryInfo(nullptr, nullptr, 0, nullptr, 0, nullptr, 0),
                                          reader->openEntry(nullptr)};
    EXPECT_EQ(results, std::vector<int32_t>(5, ArchiveEndOfList));
    EXPECT_FALSE(openBytes(std::string(21, '\0')));
    const std::string archive = zipArchive(entries).bytes;
    // The record then starts exactly 65535 bytes before the end, then 65536.
    for (const size_t trailing : {size_t{65535 - 22}, size_t{65536 - 22}}) {
        std::string bytes = archive + std::string(trailing, 'x');
        set16(bytes, archive.size() - 2, static_cast<uint32_t>(trailing));  // as a comment
        EXPECT_EQ(openBytes(bytes) != nullptr, trailing == 65535 - 22) << trailing;
    }
    // The search reaches the last four bytes: the last signature is the record, here cut short.
    EXPECT_FALSE(openBytes(archive + std::string("PK\x05\x06", 4)));
}

TEST_F(ArchiveReaderTest, LocateNormalisesSeparatorsAndCase) {
    auto reader = openBytes(zipArchive(entries).bytes);
    ASSERT_TRUE(reader);
    const struct { std::string query; int32_t caseSensitivity, result; std::string found; } cases[] = {
        {"/manifest.xml", 0, ArchiveOk, "manifest.xml"}, {"\\\\/manifest.xml", 0, ArchiveOk, "manifest.xml"},
        {"MANIFEST.XML", 0, ArchiveOk, "manifest.xml"}, {"MANIFEST.XML", 1, ArchiveEndOfList, "empty.txt"},
        {"section/page.w2d", 0, ArchiveOk, "Section\\Page.w2d"},
        {"/SECTION\\page.W2D", 2, ArchiveOk, "Section\\Page.w2d"},
        {"section/page.w2d", 1, ArchiveEndOfList, "empty.txt"}, {"Section/Page.w2d", 1, ArchiveOk, "Section\\Page.w2d"},
        {"Section", 0, ArchiveEndOfList, "empty.txt"}, {std::string(255, 'a'), 0, ArchiveEndOfList, "empty.txt"},
        {std::string(256, 'a'), 0, ArchiveBadParameter, "empty.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        ASSERT_EQ(reader->locateEntry("empty.txt", 1), ArchiveOk);
        EXPECT_EQ(reader->locateEntry(c.query.c_str(), c.caseSensitivity), c.result);
        EXPECT_EQ(currentName(*reader), c.found);  // a miss keeps the previous entry
    }
}

// Among names equal but for case and separators the first in the directory is found; with case
// sensitivity 1 the first spelled alike, even behind other spellings. A name that normalises to 255
// bytes is found however many separators lead it.
TEST_F(ArchiveReaderTest, LocateFindsTheFirstOfEqualNames) {
    const std::string longName = std::string(300, '/') + std::string(255, 'n');
    auto reader = openBytes(zipArchive({{"Dup.txt", "1"}, {"dup.txt", "2"}, {"/DUP.TXT", "3"}, {"dup.txt", "4"},
                                        {longName, "5"}})
                                .bytes);
    ASSERT_TRUE(reader);
    const struct { std::string query; int32_t caseSensitivity; const char* content; } cases[] = {
        {"dup.txt", 0, "1"}, {"DUP.txt", 2, "1"}, {"dup.txt", 1, "2"}, {"\\DUP.TXT", 1, "3"}, {"/Dup.txt", 1, "1"},
        {std::string(255, 'N'), 0, "5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        ASSERT_EQ(reader->locateEntry(c.query.c_str(), c.caseSensitivity), ArchiveOk);
        EXPECT_EQ(readCurrent(*reader), c.content);
    }
}

// The most entries a directory holds but one, written by our writer: every one is found by
// another spelling of its name.
TEST_F(ArchiveReaderTest, FindsEveryEntryOfAFullDirectory) {
    constexpr uint32_t kEntries = 65534;
    const std::string path = workDir() + "full.zip";
    const auto nameOf = [](uint32_t i, bool other) {
        return (other ? "/S" : "s") + std::to_string(i % 97) + (other ? "\\E" : "/e") + std::to_string(i);
    };
    {
        auto writer = ArchiveWriter::create(wide(path), false, 0);
        ASSERT_TRUE(writer);
        for (uint32_t i = 0; i < kEntries; ++i) {
            ASSERT_EQ(writer->openEntry(nameOf(i, false).c_str(), nullptr, {}, {}, nullptr, 0, 0, nullptr), ArchiveOk);
        }
        ASSERT_EQ(writer->close(nullptr), ArchiveOk);
    }
    auto reader = ArchiveReader::open(wide(path));
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->entryCount(), kEntries);
    for (uint32_t i = 0; i < kEntries; ++i) {
        ASSERT_EQ(reader->locateEntry(nameOf(i, true).c_str()), ArchiveOk) << i;
        ASSERT_EQ(currentName(*reader), nameOf(i, false));
    }
    EXPECT_EQ(reader->locateEntry(nameOf(kEntries, true).c_str()), ArchiveEndOfList);
}

// A directory the file cannot back is refused when the archive opens; a local
// header that disagrees fails its entry's open; data and passwords show later.
TEST_F(ArchiveReaderTest, DamageFailsWithItsCode) {
    const ZipArchive good = zipArchive(entries);
    const size_t end = good.end;
    const size_t c0 = good.central[0], c1 = good.central[1], l0 = good.local[0], l1 = good.local[1];
    const uint32_t packed = get32(good.bytes, l1 + 18);
    // Each case sets a field in every record listed and reads `entry`: "refused" when the archive
    // does not open, else "=" for the entry's content or "~" for other bytes, then "#code".
    const struct { const char* what; std::vector<size_t> at; uint32_t value; int width; size_t entry;
                   const char *password, *outcome; } cases[] = {
        {"directory offset past the file", {end + 16}, 0x7FFFFFF0, 4, 0, "", "refused"},
        {"directory larger than the file", {end + 12}, 0x7FFFFFF0, 4, 0, "", "refused"},
        {"directory offset as ZIP64", {end + 16}, 0xFFFFFFFF, 4, 0, "", "refused"},
        {"more entries than the directory holds", {end + 8, end + 10}, 40, 2, 0, "", "refused"},
        {"counts that disagree", {end + 10}, 2, 2, 0, "", "refused"},
        {"second disk", {end + 4}, 1, 2, 0, "", "refused"},
        {"directory on a second disk", {end + 6}, 1, 2, 0, "", "refused"},
        {"absurd name length", {c0 + 28}, 0xFFFF, 2, 0, "", "refused"},
        {"absurd comment length", {c1 + 32}, 0xFF00, 2, 0, "", "refused"},
        {"central signature", {c1}, 0x02014B51, 4, 0, "", "refused"},
        {"local header outside the file", {c1 + 42}, 0x7FFFFFF0, 4, 0, "", "refused"},
        {"entries sharing one local header", {c1 + 42}, 0, 4, 0, "", "refused"},
        {"compressed size into the next entry", {c1 + 20}, packed + 20, 4, 0, "", "refused"},
        {"entry claiming 4 GiB", {c1 + 24}, 0xFFFFFFFF, 4, 0, "", "refused"},
        {"compressed size needing ZIP64", {c1 + 20}, 0xFFFFFFFF, 4, 0, "", "refused"},
        {"more than deflate can make", {c1 + 24}, packed * 1032 + 259, 4, 0, "", "refused"},
        {"as much as deflate can make", {l1 + 22, c1 + 24}, packed * 1032 + 258, 4, 1, "", "=#-103"},
        {"stored size unlike its content", {c0 + 24}, 12, 4, 0, "", "refused"},
        {"encrypted entry too short for its header", {good.central[2] + 20}, 11, 4, 0, "", "refused"},
        {"local signature", {l0}, 0x9999, 2, 0, "", "~#open-103"},
        {"local name length", {l0 + 26}, 11, 2, 0, "", "~#open-103"},
        {"local extra running into the next entry", {l0 + 28}, 0x4000, 2, 0, "", "~#open-103"},
        {"local extra running past the file", {good.local[4] + 28}, 0xFFFF, 2, 4, "", "=#open-103"},
        {"local compressed size", {l0 + 18}, 12, 2, 0, "", "~#open-103"},
        {"local uncompressed size", {l0 + 22}, 12, 2, 0, "", "~#open-103"},
        {"local CRC", {l0 + 14}, 12, 2, 0, "", "~#open-103"}, {"local method", {l1 + 8}, 0, 2, 1, "", "~#open-103"},
        {"a method other than 0 and 8", {l1 + 8, c1 + 10}, 9, 2, 1, "", "~#open-103"},
        {"CRC of both headers", {l1 + 14, c1 + 16}, 0x12345678, 4, 1, "", "=#close-105"},
        {"deflate data cut short", {l1 + 18, c1 + 20}, packed / 2, 4, 1, "", "~#-103"},
        {"right password", {}, 0, 4, 2, "secret", "="}, {"wrong password", {}, 0, 4, 2, "wrong", "~#-106"},
        {"no password", {}, 0, 4, 2, nullptr, "~#open-106"}, {"stored, right password", {}, 0, 4, 3, "secret", "="},
        // Stored data cannot tell: garbage that fails only at the CRC check.
        {"stored, wrong password", {}, 0, 4, 3, "wrong", "~#close-105"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = good.bytes;
        for (size_t at : c.at) c.width == 4 ? set32(bytes, at, c.value) : set16(bytes, at, c.value);
        auto reader = openBytes(bytes);
        if (!reader) {
            EXPECT_STREQ(c.outcome, "refused");
            continue;
        }
        const std::string& content = entries[c.entry].content;
        ASSERT_EQ(reader->locateEntry(entries[c.entry].name.c_str()), ArchiveOk);
        const std::string text = readCurrent(*reader, c.password);
        const bool same = text.compare(0, content.size(), content) == 0;
        const size_t code = same ? content.size() : text.rfind('#');
        EXPECT_EQ((same ? "=" : "~") + (code == std::string::npos ? "" : text.substr(code)), c.outcome);
    }
}

// A refusal tells the byte of the file where the check failed, the entry and why.
TEST_F(ArchiveReaderTest, RecordsWhereAndWhyItRefuses) {
    const ZipArchive good = zipArchive(entries);
    const size_t c0 = good.central[0], c1 = good.central[1], l0 = good.local[0];
    // The data of Section\Page.w2d and locked.w2d, after each local header and its name.
    const size_t d1 = good.local[1] + 30 + 16, d2 = good.local[2] + 30 + 10;
    const uint32_t crc = get32(good.bytes, c1 + 16);
    const std::string pageEntry = "entry \"Section\\Page.w2d\"";
    const struct { std::vector<size_t> at; uint32_t value; int width; size_t entry; std::string failure; } cases[] = {
        {{c1}, 0x02014B51, 4, 0, "byte " + std::to_string(c1) + ": no directory record signature"},
        {{c0 + 24}, 12, 4, 0, "byte " + std::to_string(c0) + ", entry \"manifest.xml\": sizes the data cannot back"},
        {{l0}, 0x9999, 2, 0, "byte " + std::to_string(l0) + ", entry \"manifest.xml\": no local header that matches"},
        {{good.local[1] + 8}, 0, 2, 1, "byte " + std::to_string(d1) + ", " + pageEntry + ": the local header's method"},
        {{good.local[1] + 14, c1 + 16}, crc ^ 1, 4, 1,
         "byte " + std::to_string(d1 + get32(good.bytes, c1 + 20)) + ", " + pageEntry + ": the data's CRC-32 differs"},
        {{}, 0, 4, 2, "byte " + std::to_string(d2) + ", entry \"locked.w2d\": encrypted, and no password was given"},
        {{}, 0, 4, 0, ""}};
    for (const auto& c : cases) {
        std::string bytes = good.bytes;
        for (size_t at : c.at) c.width == 4 ? set32(bytes, at, c.value) : set16(bytes, at, c.value);
        writeFile(workDir() + "damaged.zip", bytes);
        platform::Failure failure;
        auto reader = ArchiveReader::open(wide(workDir() + "damaged.zip"), &failure);
        if (reader) {
            ASSERT_EQ(reader->locateEntry(entries[c.entry].name.c_str()), ArchiveOk);
            readCurrent(*reader, nullptr);
            failure = reader->failure();
        }
        EXPECT_EQ(failure.describe().substr(0, c.failure.size()), c.failure);
        EXPECT_EQ(failure.failed(), !c.failure.empty()) << c.failure;
    }
    // The entry before the last runs into the last: the one overlap the directory's end does not bound.
    const ZipArchive two = zipArchive({{"a.txt", sampleContent(3000, 5)}, {"b.txt", "b"}});
    std::string overlapping = two.bytes;
    set32(overlapping, two.central[0] + 20, get32(two.bytes, two.central[0] + 20) + 20);
    writeFile(workDir() + "overlap.zip", overlapping);
    platform::Failure overlap;
    EXPECT_FALSE(ArchiveReader::open(packagetest::wide(workDir() + "overlap.zip"), &overlap));
    EXPECT_EQ(overlap.describe(), "byte 0: an entry's data runs into the next entry or the directory");
    writeFile(workDir() + "text.zip", "not an archive at all, only text");
    platform::Failure failure;
    EXPECT_FALSE(ArchiveReader::open(wide(workDir() + "text.zip"), &failure));
    EXPECT_EQ(failure.describe(), "byte 0: no end-of-directory record: not a ZIP archive");
}

}  // namespace
