// The package writer's container side: entry order and names, what it
// records, refusals, and what it does when destroyed early.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "dwfplot/DwfResult.h"
#include "package/writer/dwf_resource_writer.h"
#include "package/writer/dwf_writer.h"
#include "package/writer/file_resource_handler.h"
#include "package/zip/archive_reader.h"
#include "support/temp_dir_test.h"
#include "writer_test_support.h"

namespace {

using namespace writertest;
using DWFWriter::DwfWriter;
using DWFWriter::FileResourceHandler;

DWF::DwfResult::Enum thrownBy(const std::function<void()>& call) {
    try {
        call();
    } catch (DWF::DwfResult::Enum rc) {
        return rc;
    }
    return DWF::DwfResult::Success;
}

class DwfWriterTest : public testsupport::TempDirTest {
protected:
    std::unique_ptr<DwfWriter> makeWriter() {
        return std::make_unique<DwfWriter>(str(path_), manager_, str("715941D4-1AC2-4545-8185-BC40E053B551"),
                                           DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), DWFUtil::String(), 600);
    }
    std::string graphics(const std::string& name, const std::string& content) {
        const std::string file = workDir() + name;
        testsupport::writeFile(file, content);
        return file;
    }

    void SetUp() override {
        TempDirTest::SetUp();
        path_ = workDir() + "out.dwf";
    }

    RecordingManager manager_;
    std::string path_;
};

TEST_F(DwfWriterTest, SectionsWriteGraphicsThenDescriptorAndTheManifestComesLast) {
    const std::string page1 = std::string(5000, 'a') + "end";
    const std::string page2 = "short page";
    auto writer = makeWriter();
    for (const std::string& content : {page1, page2}) {
        TestSection<> section(manager_, *writer);
        FileResourceHandler handler(str(graphics("stream.w2d", content)), str("2d streaming graphics"),
                                    str("application/x-w2d"));
        DWFUtil::String href;
        uint64_t size = 0;
        ASSERT_TRUE(section.storeResource(handler, href, size));
        EXPECT_EQ(href, section.getSectionName() + "\\" + str("res" + std::to_string(manager_.resourceCount) + ".w2d"));
        EXPECT_EQ(size, content.size());
        EXPECT_EQ(writer->openSections(), 1u);
        EXPECT_TRUE(section.close());
        EXPECT_EQ(writer->openSections(), 0u);
    }
    ASSERT_TRUE(writer->finish());
    EXPECT_FALSE(writer->finish());

    const std::vector<std::string> expected{"test.Type_1\\res1.w2d", "test.Type_1\\descriptor.xml",
                                            "test.Type_2\\res2.w2d", "test.Type_2\\descriptor.xml", "manifest.xml"};
    EXPECT_EQ(entryNames(path_), expected);
    EXPECT_EQ(manager_.resources,
              (std::vector<std::string>{"test.Type_1\\res1.w2d|2d streaming graphics|application/x-w2d",
                                        "test.Type_1\\descriptor.xml|descriptor|text/xml",
                                        "test.Type_2\\res2.w2d|2d streaming graphics|application/x-w2d",
                                        "test.Type_2\\descriptor.xml|descriptor|text/xml"}));
    EXPECT_EQ(entryContent(path_, "test.Type_1\\res1.w2d"), page1);
    EXPECT_EQ(entryContent(path_, "test.Type_2\\descriptor.xml"), "<Page/>");
    EXPECT_EQ(entryContent(path_, "manifest.xml").rfind("<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\"", 0), 0u);
    EXPECT_EQ(manager_.manifestsBuilt, 1);
    EXPECT_EQ(testsupport::readFile(path_).substr(0, 16), std::string("(DWF V06.00)PK\x03\x04", 16));
    EXPECT_EQ(run("unzip -tq " + path_ + " >/dev/null 2>&1"), 0);
}

TEST_F(DwfWriterTest, RecordsMatchTheDirectory) {
    auto writer = makeWriter();
    TestSection<> section(manager_, *writer);
    const std::string content = std::string(70000, 'x') + "tail";
    FileResourceHandler handler(str(graphics("big.w2d", content)), str("2d streaming graphics"), str("application/x-w2d"));
    DWFUtil::String href;
    uint64_t size = 0;
    ASSERT_TRUE(section.storeResource(handler, href, size));
    const DWFWriter::ResourceInfo info = *writer->findEntry(href);
    ASSERT_TRUE(section.close());
    ASSERT_TRUE(writer->finish());

    auto reader = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path_));
    ASSERT_EQ(reader->locateEntry(href.chars(), 1), 0);
    DWFZip::ArchiveEntryInfo entry;
    ASSERT_EQ(reader->entryInfo(&entry, nullptr, 0, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(info.uncompressedSize, entry.uncompressedSize);
    EXPECT_EQ(info.compressedSize, entry.compressedSize);
    EXPECT_EQ(info.localHeaderPosition, 12u);
    EXPECT_EQ(info.centralRecordPosition, 0u);
    EXPECT_EQ(entry.flags, 0);
    EXPECT_EQ(entry.method, 8);
}

TEST_F(DwfWriterTest, OnlyVersion600IsWritten) {
    for (int32_t version : {599, 601, 0, 700}) {
        EXPECT_EQ(thrownBy([&] {
                      DwfWriter writer(str(path_), manager_, DWFUtil::String(),
                                       DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), DWFUtil::String(), version);
                  }),
                  DWF::DwfResult::UnsupportedPackageVersion);
        EXPECT_FALSE(platform::fileExists(path_));
    }
    EXPECT_EQ(thrownBy([&] {
                  DwfWriter writer(str(workDir() + "no/such/dir.dwf"), manager_, DWFUtil::String(),
                                   DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), DWFUtil::String(), 600);
              }),
              DWF::DwfResult::ArchiveEntryError);
}

TEST_F(DwfWriterTest, EntriesAreRefusedWhileOneIsOpenOrWhenTheManagerRefuses) {
    auto writer = makeWriter();
    TestSection<> section(manager_, *writer);
    const DWFUtil::String name = section.getSectionName();
    EXPECT_FALSE(writer->openEntry(name, DWFUtil::String(), str("r"), str("m")));
    EXPECT_FALSE(writer->openEntry(str("unknown"), str("unknown\\a.bin"), str("r"), str("m")));
    EXPECT_FALSE(writer->writeEntry("x", 1));
    ASSERT_TRUE(writer->openEntry(name, name + "\\a.bin", str("r"), str("m")));
    EXPECT_FALSE(writer->openEntry(name, name + "\\b.bin", str("r"), str("m")));
    EXPECT_TRUE(writer->writeEntry("abc", 3));
    {
        // Text of every form goes in as UTF-8.
        DWFWriter::DwfResourceWriter text(*writer);
        EXPECT_EQ(text.write(u"\u00E9\u20AC"), DWFWriter::DwfResourceWriter::kWritten);
        EXPECT_EQ(text.write(DWFUtil::String(u"\u00FC")), DWFWriter::DwfResourceWriter::kWritten);
        EXPECT_EQ(text.write("|"), DWFWriter::DwfResourceWriter::kWritten);
        EXPECT_EQ(text.writeBytes("\0z", 2), DWFWriter::DwfResourceWriter::kWritten);
        EXPECT_FALSE(text.failed());
    }
    EXPECT_TRUE(writer->closeEntry());
    EXPECT_FALSE(writer->closeEntry());

    DWFWriter::DwfResourceWriter output(*writer);
    EXPECT_EQ(output.write("no entry open"), DWFWriter::DwfResourceWriter::kFailed);
    EXPECT_TRUE(output.failed());

    section.close();
    ASSERT_TRUE(writer->finish());
    EXPECT_EQ(entryContent(path_, "test.Type_1\\a.bin"), std::string("abc\xC3\xA9\xE2\x82\xAC\xC3\xBC|\0z", 13));
    EXPECT_EQ(entryNames(path_), (std::vector<std::string>{"test.Type_1\\a.bin", "test.Type_1\\descriptor.xml",
                                                           "manifest.xml"}));
}

TEST_F(DwfWriterTest, ClosedSectionsTakeNoResourcesButKeepTheirDescriptor) {
    auto writer = makeWriter();
    {
        TestSection<DWFWriter::ClosedSectionDescriptor> closed(manager_, *writer);
        FileResourceHandler handler(str(graphics("p.w2d", "data")), str("2d streaming graphics"), str("application/x-w2d"));
        DWFUtil::String href;
        uint64_t size = 0;
        EXPECT_FALSE(closed.storeResource(handler, href, size));
    }  // destruction writes the descriptor
    TestSection<> open(manager_, *writer);
    ASSERT_TRUE(open.close());
    DWFUtil::String href;
    uint64_t size = 0;
    FileResourceHandler late(str(graphics("q.w2d", "data")), str("2d streaming graphics"), str("application/x-w2d"));
    EXPECT_FALSE(open.storeResource(late, href, size));
    ASSERT_TRUE(writer->finish());
    EXPECT_EQ(entryNames(path_), (std::vector<std::string>{"test.Type_1\\descriptor.xml", "test.Type_2\\descriptor.xml",
                                                           "manifest.xml"}));
}

TEST_F(DwfWriterTest, UnreadableSourceFailsTheAdd) {
    auto writer = makeWriter();
    TestSection<> section(manager_, *writer);
    FileResourceHandler missing(str(workDir() + "absent.w2d"), str("2d streaming graphics"), str("application/x-w2d"));
    DWFUtil::String href;
    uint64_t size = 0;
    EXPECT_FALSE(section.storeResource(missing, href, size));
    EXPECT_TRUE(href.empty());
    EXPECT_FALSE(writer->isEntryOpen());
}

TEST_F(DwfWriterTest, DestructionFinishesThePackage) {
    {
        auto writer = makeWriter();
        TestSection<> section(manager_, *writer);
    }
    EXPECT_EQ(entryNames(path_), (std::vector<std::string>{"test.Type_1\\descriptor.xml", "manifest.xml"}));
}

TEST_F(DwfWriterTest, DestructionWithOpenSectionsIsRefused) {
    auto writer = makeWriter();
    auto section = std::make_unique<TestSection<>>(manager_, *writer);
    FileResourceHandler handler(str(graphics("p.w2d", "data")), str("2d streaming graphics"), str("application/x-w2d"));
    DWFUtil::String href;
    uint64_t size = 0;
    ASSERT_TRUE(section->storeResource(handler, href, size));
    DwfWriter* raw = writer.release();
    EXPECT_EQ(thrownBy([&] { delete raw; }), DWF::DwfResult::ObjectInUse);
    // The section outlives the writer without touching it.
    EXPECT_FALSE(section->close());
    section.reset();
    EXPECT_EQ(manager_.manifestsBuilt, 0);
    // The archive holds what was stored, without descriptor or manifest.
    EXPECT_EQ(entryNames(path_), std::vector<std::string>{"test.Type_1\\res1.w2d"});
    EXPECT_EQ(run("unzip -tq " + path_ + " >/dev/null 2>&1"), 0);
}

struct SourceName {
    const char* path;
    const char* name;
    const char* extension;
};

TEST(FileResourceHandlerTest, NameAndExtensionComeFromTheLastPathComponent) {
    const SourceName cases[] = {{"/tmp/dir/page.w2d", "page.w2d", "w2d"},
                                {"/tmp/dir.v2/page", "page", ""},
                                {"page.tar.gz", "page.tar.gz", "gz"},
                                {"/tmp/x/", "", ""}};
    for (const SourceName& c : cases) {
        FileResourceHandler handler(str(c.path), str("role"), str("mime"));
        EXPECT_EQ(handler.getSourceFileName(), str(c.name)) << c.path;
        EXPECT_EQ(handler.getExtension(), str(c.extension)) << c.path;
        EXPECT_TRUE(handler.getEntryName().empty());
        EXPECT_EQ(handler.getRole(), "role");
        EXPECT_EQ(handler.getMime(), "mime");
    }
}

}  // namespace
