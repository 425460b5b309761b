// Entries of packages made without our package writer: lookup, directory
// records, temporary copies and streams, damaged and encrypted entries.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "dwfplot/DwfResult.h"
#include "package/reader/dwf_reader.h"
#include "package_files.h"

namespace {

using namespace readertest;
using DWFReader::DwfReader;

DWF::DwfResult::Enum thrownBy(const std::function<void()>& call) {
    try {
        call();
    } catch (DWF::DwfResult::Enum rc) {
        return rc;
    }
    return DWF::DwfResult::Success;
}

std::string readAll(DWFUtil::InputStream& stream, uint32_t piece) {
    std::string out;
    std::string buffer(piece, '\0');
    for (;;) {
        const int64_t n = stream.read(buffer.data(), piece);
        if (n <= 0) {
            EXPECT_EQ(n, 0);
            return out;
        }
        out.append(buffer.data(), static_cast<size_t>(n));
    }
}

std::string directoryOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

class EntryAccessTest : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        page_ = noise(200000, 7) + std::string(100000, 'w');
        path_ = workDir() + "package.dwf";
        writeArchive(path_, {{"manifest.xml", manifest_},
                             {"Section_1\\Page.W2D", page_},
                             {"Section_2\\page.w2d", "second page"},
                             {"stored.txt", "kept as it is", 0}});
    }

    std::string path_;
    std::string page_;
    const std::string manifest_ = "<dwf:Manifest version=\"6.0\"></dwf:Manifest>";
};

TEST_F(EntryAccessTest, NamesMatchWhateverTheSeparatorsAndCase) {
    DwfReader reader(str(path_), DWFUtil::String());
    for (const char* name : {"manifest.xml", "/manifest.xml", "\\MANIFEST.XML", "section_1/page.w2d",
                             "//Section_1\\Page.W2D"}) {
        EXPECT_TRUE(reader.hasEntry(str(name))) << name;
    }
    for (const char* name : {"", "manifest", "Section_1", "page.w2d", "Section_1\\Page.W2D\\x"}) {
        EXPECT_FALSE(reader.hasEntry(str(name))) << name;
    }
    EXPECT_FALSE(reader.hasEntry(str(std::string(300, 'a'))));
}

TEST_F(EntryAccessTest, EntryInfoCarriesTheDirectoryRecordAndWhereTheDataIs) {
    DwfReader reader(str(path_), DWFUtil::String());
    DWFReader::ArchiveFileInfo info;
    ASSERT_EQ(reader.getEntryInfo(str("/STORED.TXT"), info), DWF::DwfResult::Success);
    EXPECT_EQ(info.name, "stored.txt");
    EXPECT_EQ(info.nameLength, 10);
    EXPECT_EQ(info.method, 0);
    EXPECT_EQ(info.uncompressedSize, 13u);
    EXPECT_EQ(info.compressedSize, 13u);
    const std::string file = testsupport::readFile(path_);
    EXPECT_EQ(file.substr(info.dataPosition, 13), "kept as it is");
    EXPECT_EQ(file.substr(info.localHeaderPosition, 4), "PK\x03\x04");
    EXPECT_EQ(reader.getEntryInfo(str("absent.txt"), info), DWF::DwfResult::NotFoundInPackage);
}

TEST_F(EntryAccessTest, CopiesKeepContentAndExtensionAndAreMadeOnce) {
    DwfReader reader(str(path_), DWFUtil::String());
    DWFUtil::String first, again, other;
    reader.materializeEntry(first, str("Section_1\\Page.W2D"));
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(testsupport::readFile(first.toUtf8()), page_);
    EXPECT_EQ(directoryOf(first.toUtf8()), reader.workingDirectory());
    EXPECT_EQ(first.toUtf8().substr(first.length() - 4), ".W2D");

    // The same entry, however it is spelled, is the same copy.
    reader.materializeEntry(again, str("/section_1/page.w2d"));
    EXPECT_EQ(again, first);

    reader.materializeEntry(other, str("Section_2\\page.w2d"));
    EXPECT_NE(other, first);
    EXPECT_EQ(other.toUtf8().substr(other.length() - 4), ".w2d");
    EXPECT_EQ(testsupport::readFile(other.toUtf8()), "second page");

    struct stat status {};
    ASSERT_EQ(::stat(first.chars(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    DWFUtil::String missing("something");
    reader.materializeEntry(missing, str("no\\such.w2d"));
    EXPECT_TRUE(missing.empty());
}

TEST_F(EntryAccessTest, StreamsReadTheContentIndependentlyAndOutliveTheReader) {
    auto reader = std::make_unique<DwfReader>(str(path_), DWFUtil::String());
    std::unique_ptr<DWFUtil::InputStream> one = reader->openEntryStream(str("section_1\\page.w2d"));
    std::unique_ptr<DWFUtil::InputStream> two = reader->openEntryStream(str("/Section_1/Page.W2D"));
    char head[10];
    ASSERT_EQ(two->read(head, 10), 10);
    EXPECT_EQ(std::string(head, 10), page_.substr(0, 10));
    reader.reset();
    EXPECT_EQ(readAll(*one, 777), page_);
    EXPECT_EQ(readAll(*two, 65536), page_.substr(10));
}

TEST_F(EntryAccessTest, StreamOfACopiedEntryReadsTheCopy) {
    DwfReader reader(str(path_), DWFUtil::String());
    DWFUtil::String copy;
    reader.materializeEntry(copy, str("manifest.xml"));
    testsupport::writeFile(copy.toUtf8(), "changed on disk");
    EXPECT_EQ(readAll(*reader.openEntryStream(str("manifest.xml")), 4), "changed on disk");
    EXPECT_EQ(readAll(*reader.openEntryStream(str("stored.txt")), 4), "kept as it is");
    EXPECT_EQ(thrownBy([&] { reader.openEntryStream(str("absent.xml")); }), DWF::DwfResult::NotFoundInPackage);
}

TEST_F(EntryAccessTest, TemporaryNamesAreNewFilesOfTheReaderAndGoWithIt) {
    std::string directory;
    {
        DwfReader reader(str(path_), DWFUtil::String());
        DWFUtil::String a, b;
        reader.makeTemporaryFileName(a, str("x\\image.png"));
        reader.makeTemporaryFileName(b, str("y\\image.png"));
        EXPECT_NE(a, b);
        EXPECT_EQ(a.toUtf8().substr(a.length() - 4), ".png");
        EXPECT_TRUE(platform::fileExists(a.toUtf8()));
        directory = reader.workingDirectory();
        EXPECT_EQ(directory.rfind(tempDir(), 0), 0u);
    }
    EXPECT_FALSE(platform::fileExists(directory));
}

struct HostileName {
    const char* name;
    const char* extension;  // what the copy's name ends with; empty: no extension
};

class HostileNameTest : public testsupport::TempDirTest, public ::testing::WithParamInterface<HostileName> {};

TEST_P(HostileNameTest, CopyStaysInThePrivateDirectory) {
    const std::string path = workDir() + "hostile.dwf";
    writeArchive(path, {{GetParam().name, "payload"}});
    DwfReader reader(str(path), DWFUtil::String());
    DWFUtil::String copy;
    reader.materializeEntry(copy, str(GetParam().name));
    const std::string file = copy.toUtf8();
    ASSERT_FALSE(file.empty());
    EXPECT_EQ(directoryOf(file), reader.workingDirectory());
    const std::string base = file.substr(reader.workingDirectory().size());
    const std::string extension = GetParam().extension;
    EXPECT_EQ(base.find('.') == std::string::npos ? "" : base.substr(base.find('.') + 1), extension);
    EXPECT_EQ(testsupport::readFile(file), "payload");
    EXPECT_EQ(testsupport::listTree(workDir()).size(), 1u);  // nothing beside the package
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNameTest,
    ::testing::Values(HostileName{"..\\..\\..\\evil.w2d", "w2d"}, HostileName{"../../x/../../evil.png", "png"},
                      HostileName{"a.b/../../c", ""}, HostileName{"page.w2d/../../../etc", ""},
                      HostileName{"x.abcdefghijklmnopq", ""}, HostileName{"x.ab-c", ""},
                      HostileName{"x.", ""}, HostileName{"noextension", ""}, HostileName{"x.a_1", "a_1"},
                      HostileName{"/abs/olute.jpg", "jpg"}));

class DamagedEntryTest : public testsupport::TempDirTest {};

TEST_F(DamagedEntryTest, CrcMismatchFailsAndLeavesNoCopy) {
    const std::string path = workDir() + "damaged.dwf";
    writeArchive(path, {{"a.txt", "stored content", 0}});
    std::string bytes = testsupport::readFile(path);
    const size_t at = bytes.find("stored content");
    bytes[at] = 'S';
    testsupport::writeFile(path, bytes);
    DwfReader reader(str(path), DWFUtil::String());
    DWFUtil::String copy;
    EXPECT_EQ(thrownBy([&] { reader.materializeEntry(copy, str("a.txt")); }), DWF::DwfResult::ArchiveEntryError);
    EXPECT_TRUE(copy.empty());
    EXPECT_TRUE(testsupport::listTree(reader.workingDirectory()).empty());
    // The stream hands the bytes over, then reports the damage at the end.
    auto stream = reader.openEntryStream(str("a.txt"));
    char buffer[64];
    EXPECT_EQ(stream->read(buffer, 64), 14);
    EXPECT_EQ(stream->read(buffer, 64), DWF::DwfResult::ArchiveEntryError);
}

TEST_F(DamagedEntryTest, EncryptedEntriesNeedTheirPassword) {
    const std::string path = workDir() + "locked.dwf";
    const std::string content = noise(5000, 3) + std::string(5000, 'z');
    writeArchive(path, {{"page.w2d", content}}, 600, "secret");

    DwfReader right(str(path), str("secret"));
    DWFUtil::String copy;
    right.materializeEntry(copy, str("page.w2d"));
    EXPECT_EQ(testsupport::readFile(copy.toUtf8()), content);
    EXPECT_EQ(readAll(*right.openEntryStream(str("PAGE.W2D")), 1000), content);

    DwfReader wrong(str(path), str("guess"));
    EXPECT_EQ(thrownBy([&] { wrong.materializeEntry(copy, str("page.w2d")); }), DWF::DwfResult::BadPassword);
    char buffer[100];
    EXPECT_EQ(wrong.openEntryStream(str("page.w2d"))->read(buffer, 100), DWF::DwfResult::BadPassword);
}

TEST_F(DamagedEntryTest, ArchiveOfTheZipToolIsRead) {
    const std::string source = workDir() + "src/";
    ASSERT_EQ(run("mkdir -p " + source + "Section_A"), 0);
    testsupport::writeFile(source + "manifest.xml", "<Manifest/>");
    testsupport::writeFile(source + "Section_A/page.w2d", std::string(3000, 'q'));
    ASSERT_EQ(run("cd " + source + " && zip -q -r ../tool.zip manifest.xml Section_A"), 0);
    // A DWF header put in front by hand: the archive's offsets do not count it.
    const std::string path = workDir() + "tool.dwf";
    testsupport::writeFile(path, "(DWF V06.00)" + testsupport::readFile(workDir() + "tool.zip"));

    DwfReader reader(str(path), DWFUtil::String());
    int32_t version = 0;
    DWFUtil::String typeInfo;
    EXPECT_EQ(reader.detectDwfType(version, typeInfo), DWFReader::DwfPackage);
    DWFUtil::String copy;
    reader.materializeEntry(copy, str("Section_A\\page.w2d"));
    EXPECT_EQ(testsupport::readFile(copy.toUtf8()), std::string(3000, 'q'));
    EXPECT_EQ(readAll(*reader.openEntryStream(str("/manifest.xml")), 5), "<Manifest/>");
}

}  // namespace
