// The package writer with a section manager that records what it is told, and
// an ePlot package checked against exact documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <regex>
#include <tuple>

#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/manifest/manifest.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_test_support.h"
#include "model/xml/xml_writer.h"
#include "package/package_test_support.h"
#include "package/writer/dwf_resource_writer.h"
#include "package/writer/dwf_writer.h"
#include "package/writer/eplot_page_descriptor.h"
#include "package/writer/eplot_section_manager.h"
#include "package/writer/file_resource_handler.h"
#include "package/writer/section_descriptor.h"
#include "package/writer/xml_object_resource_handler.h"

namespace {

using namespace packagetest;
using DWF::DwfResult;
using DWFUtil::String;
using DWFWriter::DwfResourceWriter;
using DWFWriter::DwfWriter;
using DWFWriter::FileResourceHandler;
using DWFXmlFramework::newObject;

class RecordingManager : public DWFWriter::SectionManager {
public:
    virtual ~RecordingManager() = default;
    void makeSectionName(const String& type, String& name) override { name = type + str("_" + next(sectionCount)); }
    void sectionOpened(DWFWriter::SectionDescriptor& s) override { sections.push_back(s.getSectionName().toUtf8()); }
    void addInterface(const String&, const String&, const String&) override {}
    void addProperty(const String&, const String&) override {}
    void addProperty(const String&, const platform::Variant&) override {}
    DWFUtil::ObjectRef<DWFManifest::Source> sectionSource(const String&) override { return {}; }
    DWFUtil::ObjectRef<DWFManifest::Section> findSection(const String&) override { return {}; }
    void addDependency(const String&, const String&) override {}
    void makeResourceName(const String&, const String& extension, String& name) override {
        name = str("res" + next(resourceCount) + (extension.empty() ? "" : "." + extension.toUtf8()));
    }
    bool resourceAdded(const String& section, const String&, const String&, const String&) override {
        return std::find(sections.begin(), sections.end(), section.toUtf8()) != sections.end();
    }
    DWFUtil::ObjectRef<DWFManifest::Manifest> buildManifest() override {
        ++manifestsBuilt;
        return DWFUtil::ObjectRef<DWFManifest::Manifest>(new DWFManifest::Manifest());
    }

    static std::string next(int& count) { return std::to_string(++count); }
    int sectionCount = 0, resourceCount = 0, manifestsBuilt = 0;
    std::vector<std::string> sections;
};

struct TestPage : DWFXmlObjects::XmlObject {
    TestPage() : XmlObject("Page") {}
    bool validate() const override { return true; }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override { writer.writeRaw("<Page/>"); }
};

template <typename Base = DWFWriter::SectionDescriptor>
class TestSection : public Base {
public:
    TestSection(DWFWriter::SectionManager& manager, DwfWriter& writer)
        : Base(manager, writer, "test.Type", "Title", String(), "Source", "Page 1") {
        this->setDescriptorHandler(DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(
            new DWFWriter::XmlObjectResourceHandler(DWFUtil::ObjectRef<DWFXmlObjects::XmlObject>(new TestPage()),
                                                    "descriptor.xml", "descriptor")));
    }
};

class DwfWriterTest : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        path_ = workDir() + "out.dwf";
    }
    std::unique_ptr<DwfWriter> makeWriter(int32_t version = 600) {
        return std::make_unique<DwfWriter>(str(path_), manager_, str(testsupport::kEPlotInterfaceId),
                                           DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), String(), version);
    }
    // Stores a file (or a `missing` one, or a `directory`) as a graphics resource: its href, or "refused" and what
    // the href was left as.
    std::string store(DWFWriter::SectionDescriptor& section, const std::string& content, const char* kind = "file") {
        const std::string file = workDir() + "source" + std::to_string(++sources_) + ".w2d";
        if (kind == std::string("file")) testsupport::writeFile(file, content);
        if (kind == std::string("directory")) std::filesystem::create_directory(file);
        FileResourceHandler handler(str(file), str("2d streaming graphics"), str("application/x-w2d"));
        String href;
        uint64_t size = 0;
        const bool ok = section.storeResource(handler, href, size);
        return (ok ? "" : "refused") + href.toUtf8();
    }

    RecordingManager manager_;
    std::string path_;
    int sources_ = 0;
};

TEST_F(DwfWriterTest, SectionsWriteGraphicsThenDescriptorAndTheManifestComesLast) {
    const std::string pages[] = {std::string(70000, 'a') + "end", "short page"};
    auto writer = makeWriter();
    std::vector<DWFWriter::ResourceInfo> records;
    for (const std::string& content : pages) {
        TestSection<> section(manager_, *writer);
        const std::string href = store(section, content);
        EXPECT_EQ(href, section.getSectionName().toUtf8() + "\\res" + std::to_string(manager_.resourceCount) + ".w2d");
        records.push_back(*writer->findEntry(str(href)));
        EXPECT_EQ(writer->openSections(), 1u);
        EXPECT_TRUE(section.close());
        EXPECT_EQ(writer->openSections(), 0u);
    }
    ASSERT_TRUE(writer->finish());
    EXPECT_FALSE(writer->finish());
    EXPECT_EQ(entryNames(path_), "test.Type_1\\res1.w2d test.Type_1\\descriptor.xml test.Type_2\\res2.w2d "
                                 "test.Type_2\\descriptor.xml manifest.xml ");
    EXPECT_EQ(entryContent(path_, "test.Type_1\\res1.w2d"), pages[0]);
    EXPECT_EQ(entryContent(path_, "test.Type_2\\descriptor.xml"), "<Page/>");
    EXPECT_EQ(manager_.manifestsBuilt, 1);
    EXPECT_EQ(testsupport::readFile(path_).substr(0, 16), testsupport::kDwfHeader + std::string("PK\3\4"));

    // What the writer recorded is what the directory says.
    auto reader = DWFZip::ArchiveReader::open(wide(path_));
    ASSERT_TRUE(reader);
    for (size_t i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        ASSERT_EQ(reader->locateEntry(("test.Type_" + n + "\\res" + n + ".w2d").c_str(), 1), 0);
        DWFZip::ArchiveEntryInfo e;
        ASSERT_EQ(reader->entryInfo(&e, nullptr, 0, nullptr, 0, nullptr, 0), 0);
        EXPECT_EQ(std::make_tuple(records[i].localHeaderPosition, records[i].compressedSize,
                                  records[i].uncompressedSize, 0, 8),  // deflated, not encrypted
                  std::make_tuple(e.localHeaderPosition, e.compressedSize, e.uncompressedSize, e.flags, e.method));
    }
    EXPECT_EQ(records[0].centralRecordPosition, 0u);
    EXPECT_EQ(records[1].centralRecordPosition, 2 * 46 + 20 + 26u);  // after the first resource and descriptor
}

TEST_F(DwfWriterTest, OnlyVersion600IsWritten) {
    for (int32_t version : {599, 601, 0, 700}) {
        EXPECT_EQ(thrownBy([&] { makeWriter(version); }), DwfResult::UnsupportedPackageVersion);
        EXPECT_FALSE(platform::fileExists(path_));
    }
    path_ = workDir() + "no/such/dir.dwf";
    EXPECT_EQ(thrownBy([&] { makeWriter(); }), DwfResult::ArchiveEntryError);
}

TEST_F(DwfWriterTest, EntriesAreRefusedWhileOneIsOpenOrWhenTheManagerRefuses) {
    auto writer = makeWriter();
    TestSection<> section(manager_, *writer);
    const String name = section.getSectionName();
    EXPECT_FALSE(writer->openEntry(name, String(), str("r"), str("m")));
    EXPECT_FALSE(writer->openEntry(str("unknown"), str("unknown\\a.bin"), str("r"), str("m")));
    EXPECT_FALSE(writer->writeEntry("x", 1));
    ASSERT_TRUE(writer->openEntry(name, name + "\\a.bin", str("r"), str("m")));
    EXPECT_FALSE(writer->openEntry(name, name + "\\b.bin", str("r"), str("m")));
    EXPECT_TRUE(writer->writeEntry("abc", 3));
    {
        // Text of every form goes in as UTF-8.
        DwfResourceWriter text(*writer);
        EXPECT_EQ(text.write(u"\u00E9\u20AC"), DwfResourceWriter::kWritten);
        EXPECT_EQ(text.write(String(u"\u00FC")), DwfResourceWriter::kWritten);
        EXPECT_EQ(text.write("|"), DwfResourceWriter::kWritten);
        EXPECT_EQ(text.writeBytes("\0z", 2), DwfResourceWriter::kWritten);
        EXPECT_FALSE(text.failed());
    }
    EXPECT_TRUE(writer->closeEntry());
    EXPECT_FALSE(writer->closeEntry());
    // The same name again would hide or be hidden by the first.
    EXPECT_FALSE(writer->openEntry(name, name + "\\a.bin", str("r"), str("m")));
    DwfResourceWriter output(*writer);
    EXPECT_EQ(output.write("no entry open"), DwfResourceWriter::kFailed);
    EXPECT_TRUE(output.failed());

    section.close();
    ASSERT_TRUE(writer->finish());
    EXPECT_EQ(entryContent(path_, "test.Type_1\\a.bin"), std::string("abc\xC3\xA9\xE2\x82\xAC\xC3\xBC|\0z", 13));
    EXPECT_EQ(entryNames(path_), "test.Type_1\\a.bin test.Type_1\\descriptor.xml manifest.xml ");
}

TEST_F(DwfWriterTest, ClosedSectionsTakeNoResourcesAndDestructionFinishes) {
    auto writer = makeWriter();
    {
        TestSection<DWFWriter::ClosedSectionDescriptor> closed(manager_, *writer);
        EXPECT_EQ(store(closed, "data"), "refused");
    }  // destruction writes the descriptor
    TestSection<> open(manager_, *writer);
    ASSERT_TRUE(open.close());
    EXPECT_EQ(store(open, "data"), "refused");
    {
        TestSection<> unread(manager_, *writer);
        EXPECT_EQ(store(unread, "", "missing"), "refused");
        // A directory opens, but reading it fails: the copy is not taken for a shorter page.
        EXPECT_EQ(store(unread, "", "directory"), "refused");
        EXPECT_FALSE(writer->isEntryOpen());
    }
    writer.reset();
    EXPECT_EQ(manager_.manifestsBuilt, 1);
    EXPECT_EQ(entryNames(path_).rfind("test.Type_1\\descriptor.xml test.Type_2\\descriptor.xml ", 0), 0u);
    // A section closed before its writer is destroyed has left the writer: outliving it, it never touches it again.
    EXPECT_EQ(store(open, "data"), "refused");
}

TEST_F(DwfWriterTest, DestructionWithOpenSectionsIsRefused) {
    auto writer = makeWriter();
    auto section = std::make_unique<TestSection<>>(manager_, *writer);
    ASSERT_EQ(store(*section, "data"), "test.Type_1\\res1.w2d");
    DwfWriter* raw = writer.release();
    EXPECT_EQ(thrownBy([&] { delete raw; }), DwfResult::ObjectInUse);
    // The section outlives the writer without touching it.
    EXPECT_FALSE(section->close());
    section.reset();
    EXPECT_EQ(manager_.manifestsBuilt, 0);
    // The archive holds what was stored, without descriptor or manifest.
    EXPECT_EQ(entryNames(path_), "test.Type_1\\res1.w2d ");
    EXPECT_EQ(exitStatus("unzip -tq " + path_), 0);
}

TEST(FileResourceHandlerTest, NameAndExtensionComeFromTheLastPathComponent) {
    const struct { const char *path, *name, *extension; } cases[] = {
        {"/tmp/dir/page.w2d", "page.w2d", "w2d"}, {"/tmp/dir.v2/page", "page", ""},
        {"page.tar.gz", "page.tar.gz", "gz"}, {"/tmp/x/", "", ""}};
    for (const auto& c : cases) {
        FileResourceHandler handler(str(c.path), str("role"), str("mime"));
        EXPECT_EQ(handler.getSourceFileName().toUtf8() + "|" + handler.getExtension().toUtf8(),
                  std::string(c.name) + "|" + c.extension);
    }
}

// Exact documents; generated names as S1, S2, G1, G2, the manifest's identifier as GUID.
TEST_F(DwfWriterTest, EPlotPackageHasPagesInOrderThenTheManifest) {
    const std::string pages[] = {std::string(3000, 'a') + "first page", "second"};
    std::vector<std::string> sections, hrefs;
    {
        DWFEPlot::EPlotSectionManager manager(str("TALMOR"), str("Kestra"), str("9.1"), str("TALMOR"), str("9.1"));
        DwfWriter writer(str(path_), manager, str(DWFEPlot::kEPlotInterfaceObjectId),
                         DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), String(), 600);
        manager.addProperty(str("DwfToolkitVersion"), str("Read Only"));
        manager.addProperty(str("PlotFileVersion"), str("1.2"));
        manager.addInterface(str(DWFEPlot::kEPlotInterfaceName), str(DWFEPlot::kEPlotInterfaceObjectId),
                             str(DWFEPlot::kEPlotInterfaceHref));
        for (size_t i = 0; i < 2; ++i) {
            const std::string pageName = "Page " + std::to_string(i + 1);
            auto section = DWFEPlot::openPageSection(manager, writer, str(pageName), String(), str("Kestra"),
                                                     str(pageName));
            sections.push_back(section->getSectionName().toUtf8());
            const std::string file = workDir() + "page" + std::to_string(i + 1) + ".w2d";
            testsupport::writeFile(file, pages[i]);
            DWFWriter::FileResourceHandler handler(str(file), str("2d streaming graphics"), str("application/x-w2d"));
            auto resource = newObject<DWFEPlot::EPlotGraphicResource>();
            ASSERT_TRUE(DWFEPlot::addGraphicResource(*section, resource, handler));
            hrefs.push_back(resource->getHref().toUtf8());
            ASSERT_TRUE(section->close());
        }
        manager.addProperty(str("Encoding"), str("UTF-8"));
        ASSERT_TRUE(writer.finish());
    }
    const auto named = [&](std::string text) {
        for (size_t i = 0; i < 2; ++i) {
            EXPECT_TRUE(std::regex_match(hrefs[i], std::regex("dwf\\.ePlot_[0-9A-F]{32}\\\\[0-9A-F]{32}\\.w2d")));
            for (const auto& [from, to] : {std::pair{hrefs[i].substr(sections[i].size() + 1, 32), "G"},
                                           std::pair{sections[i], "S"}}) {
                text = xmltest::replaceAll(text, from, to + std::to_string(i + 1));
            }
        }
        return std::regex_replace(text, std::regex("objectId=\"[0-9A-F-]{36}\">"), "objectId=\"GUID\">");
    };
    EXPECT_EQ(named(entryNames(path_)), "S1\\G1.w2d S1\\descriptor.xml S2\\G2.w2d S2\\descriptor.xml manifest.xml ");
    EXPECT_EQ(named(entryContent(path_, sections[1] + "\\descriptor.xml")),
              "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
              "xsi:schemaLocation=\"DWF-ePlot:1.1 DWF-ePlot.xsd\" version=\"1.1\" plotOrder=\"1\" name=\"Page 2\" "
              "color=\"128 128 128\"><ePlot:Resources><ePlot:GraphicResource role=\"2d streaming graphics\" "
              "mime=\"application/x-w2d\" href=\"S2\\G2.w2d\" title=\"page2.w2d\" size=\"6\" "
              "transform=\"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\" /></ePlot:Resources></ePlot:Page>");
    // Properties in the order given, the manager's closing ones after them.
    std::string toc;
    for (const std::string s : {"1", "2"}) {
        toc += "<dwf:Section type=\"dwf.ePlot\" name=\"S" + s + "\" title=\"Page " + s + "\"><dwf:Source "
               "provider=\"Kestra\" dwf:href=\"Page " + s + "\" /><dwf:Toc><dwf:Resource dwf:role=\"2d streaming "
               "graphics\" dwf:mime=\"application/x-w2d\" dwf:href=\"S" + s + "\\G" + s + ".w2d\" /><dwf:Resource "
               "dwf:role=\"descriptor\" dwf:mime=\"text/xml\" dwf:href=\"S" + s + "\\descriptor.xml\" /></dwf:Toc>"
               "</dwf:Section>";
    }
    EXPECT_EQ(named(entryContent(path_, "manifest.xml")),
              "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" "
              "xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" xsi:schemaLocation=\"DWF-Manifest:6.0 "
              "DWF-Manifest.xsd\" version=\"6.0\" objectId=\"GUID\"><dwf:Interfaces><dwf:Interface "
              "objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" href=\"urn:dwf:ePlot\" />"
              "</dwf:Interfaces><dwf:Properties><dwf:Property name=\"DwfToolkitVersion\" value=\"Read Only\" />"
              "<dwf:Property name=\"PlotFileVersion\" value=\"1.2\" /><dwf:Property name=\"Encoding\" "
              "value=\"UTF-8\" /><dwf:Property name=\"DwfFrameworkVersion\" value=\"2.1\" /><dwf:Property "
              "name=\"SourceProductVendor\" value=\"TALMOR\" /><dwf:Property name=\"SourceProductName\" "
              "value=\"Kestra\" /><dwf:Property name=\"SourceProductVersion\" value=\"9.1\" /><dwf:Property "
              "name=\"DwfProductVendor\" value=\"TALMOR\" /><dwf:Property name=\"DwfProductVersion\" value=\"9.1\" />"
              "<dwf:Property name=\"DwfToolkitVersion\" value=\"6.0.1.15\" /></dwf:Properties><dwf:Sections>" +
                  toc + "</dwf:Sections></dwf:Manifest>");
    // The package and its documents are sound for tools we did not write.
    EXPECT_EQ(exitStatus("unzip -tq " + path_), 0);
    for (const std::string& entry : {std::string("manifest.xml"), sections[0] + "\\descriptor.xml"})
        EXPECT_TRUE(xmltest::xmllintAccepts(workDir(), entryContent(path_, entry))) << entry;
}

TEST_F(DwfWriterTest, EPlotSectionsAreRegisteredOnceAndLookedUpByName) {
    DWFEPlot::EPlotSectionManager manager(str("V"), str("N"), str("1"), str("V"), str("1"));
    DwfWriter writer(str(workDir() + "p.dwf"), manager, String(), DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(),
                     String(), 600);
    auto first = DWFEPlot::openPageSection(manager, writer, str("Page 1"), str("ID1"), str("Kestra"), str("Page 1"));
    auto second = DWFEPlot::openPageSection(manager, writer, str("Page 2"), String(), str("Kestra"), str("Page 2"));
    const String a = first->getSectionName(), b = second->getSectionName();
    // A section under a name already registered is not registered again.
    auto clash = DWFEPlot::openPageSection(manager, writer, str("Other"), String(), str("X"), str("X"), a);
    EXPECT_EQ(manager.getSectionOrder(a), 1);
    EXPECT_EQ(manager.getSectionOrder(b), 2);
    EXPECT_EQ(manager.sectionSource(a)->getObjectId(), "ID1");
    EXPECT_TRUE(manager.findSection(str("dwf.ePlot_unknown")).isNull());
    EXPECT_TRUE(manager.sectionSource(str("dwf.ePlot_unknown")).isNull());

    manager.addDependency(b, a);
    manager.addDependency(b, str("dwf.ePlot_unknown"));
    manager.addInterface(str("ePlot"), str("ID"), str("urn:a"));
    manager.addInterface(str("again"), str("ID"), str("urn:b"));
    EXPECT_FALSE(manager.resourceAdded(str("dwf.ePlot_unknown"), str("x"), str("r"), str("m")));
    for (auto* section : {first.get(), second.get()}) EXPECT_TRUE(section->close());
    // Its descriptor would be a second entry of the same name: refused.
    EXPECT_FALSE(clash->close());
    EXPECT_EQ(manager.findSection(a)->getToc()->size(), 1u);

    const auto manifest = manager.buildManifest();
    EXPECT_EQ(manifest->getSections()->size(), 2u);
    EXPECT_EQ(manifest->getInterfaces()->size(), 1u);
    ASSERT_EQ(manifest->getDependencies().size(), 1u);
    EXPECT_EQ(manifest->getDependencies()[0]->getSectionIndex(), 2);
    EXPECT_EQ((*manifest->getDependencies()[0])[0]->getSectionIndex(), 1);
    // The closing properties are added once, however often the manifest is built.
    EXPECT_EQ(manager.buildManifest()->getProperties()->size(), 7u);
    EXPECT_TRUE(writer.finish());
}

}  // namespace
