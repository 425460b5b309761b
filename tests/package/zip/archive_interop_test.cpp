// Our archives checked by the Info-ZIP tools, and archives made by zip read
// by us: tools we did not write on both sides.
#include <gtest/gtest.h>

#include "package/zip/archive_reader.h"
#include "package/zip/archive_result.h"
#include "package/zip/archive_writer.h"
#include "support/temp_dir_test.h"
#include "zip_test_support.h"

namespace {

using namespace DWFZip;
using namespace ziptest;

class ArchiveInteropTest : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        int status = 0;
        run("mkdir -p " + workDir() + "src", &status);
        for (const auto& [name, content] : files) testsupport::writeFile(workDir() + "src/" + name, content);
    }

    void writeOurs(const std::string& path, const char* password) {
        auto writer = ArchiveWriter::create(wide(path), false, 600);
        ASSERT_TRUE(writer);
        for (const auto& [name, content] : files) {
            const int32_t method = name == "notes.txt" ? 0 : 8;
            ASSERT_EQ(writer->openEntry(name.c_str(), nullptr, {}, {}, nullptr, method, -1, password), ArchiveOk);
            ASSERT_EQ(writer->writeEntry(content.data(), content.size()), ArchiveOk);
            ASSERT_EQ(writer->closeEntry(), ArchiveOk);
        }
        ASSERT_EQ(writer->close(nullptr), ArchiveOk);
    }

    const std::vector<std::pair<std::string, std::string>> files{
        {"manifest.xml", "<dwf:Manifest version=\"6.0\"/>"},
        {"page.w2d", sampleContent(70000, 11)},
        {"notes.txt", "stored, not deflated\n"},
        {"empty.bin", ""},
    };
};

TEST_F(ArchiveInteropTest, UnzipAndZipinfoAcceptOurArchives) {
    for (const char* password : {static_cast<const char*>(nullptr), "secret"}) {
        const std::string archive = workDir() + (password ? "locked.dwf" : "plain.dwf");
        writeOurs(archive, password);
        const std::string option = password ? std::string(" -P ") + password : "";
        int status = -1;
        const std::string tested = run("unzip -t" + option + " " + archive, &status);
        EXPECT_EQ(status, 0) << tested;
        EXPECT_NE(tested.find("No errors detected"), std::string::npos) << tested;
        const std::string listing = run("zipinfo " + archive, &status);
        EXPECT_EQ(status, 0) << listing;
        for (const auto& [name, content] : files) {
            EXPECT_NE(listing.find(name), std::string::npos) << listing;
            EXPECT_TRUE(sameBytes(run("unzip -p" + option + " " + archive + " " + name, &status), content)) << name;
            EXPECT_EQ(status, 0);
        }
        // And our reader, through the same password.
        auto reader = ArchiveReader::open(wide(archive));
        ASSERT_TRUE(reader);
        ASSERT_EQ(reader->locateEntry("page.w2d"), ArchiveOk);
        ASSERT_EQ(reader->openEntry(password), ArchiveOk);
        EXPECT_TRUE(sameBytes(readRest(*reader, 65536), files[1].second));
        EXPECT_EQ(reader->closeEntry(), ArchiveOk);
    }
}

TEST_F(ArchiveInteropTest, ReadsArchivesMadeByZip) {
    const struct {
        const char* options;
        bool prefixed;
        const char* password;
        uint16_t method;
    } cases[] = {
        {"", false, nullptr, 8},
        {"-0", false, nullptr, 0},
        {"", true, nullptr, 8},
        {"-P secret", false, "secret", 8},
        {"-0 -P secret", true, "secret", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options + std::string(c.prefixed ? " prefixed" : ""));
        const std::string made = workDir() + "made.zip";
        int status = -1;
        run("rm -f " + made, &status);
        const std::string log = run("cd " + workDir() + "src && zip -q " + c.options + " " + made +
                                        " manifest.xml page.w2d notes.txt", &status);
        ASSERT_EQ(status, 0) << log;
        const std::string path = workDir() + "made.dwf";
        testsupport::writeFile(path, (c.prefixed ? "(DWF V06.00)" : "") + testsupport::readFile(made));
        const std::string bytes = testsupport::readFile(path);
        auto reader = ArchiveReader::open(wide(path));
        ASSERT_TRUE(reader);
        EXPECT_EQ(reader->precedingBytes(), c.prefixed ? 12u : 0u);
        for (size_t i = 0; i < 3; ++i) {
            ASSERT_EQ(reader->locateEntry(files[i].first.c_str()), ArchiveOk);
            ArchiveEntryInfo info;
            ASSERT_EQ(reader->entryInfo(&info, nullptr, 0, nullptr, 0, nullptr, 0), ArchiveOk);
            // zip's local extra fields are longer than its central ones: the
            // data has to be found from the local header.
            const uint32_t localExtra = get16(bytes, info.localHeaderPosition + 28);
            EXPECT_NE(localExtra, info.extraLength);
            EXPECT_EQ(info.dataPosition, info.localHeaderPosition + 30 + info.nameLength + localExtra);
            if (files[i].second.size() > 100) {
                EXPECT_EQ(info.method, c.method);
            }
            ASSERT_EQ(reader->openEntry(c.password), ArchiveOk);
            EXPECT_TRUE(sameBytes(readRest(*reader, 4096), files[i].second));
            EXPECT_EQ(reader->closeEntry(), ArchiveOk);
        }
    }
}

}  // namespace
