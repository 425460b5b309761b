// The ePlot reader on packages assembled entry by entry from hand-written
// manifest and descriptor text, in the form the package writer gives them
// and in forms it never writes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/manifest/interface.h"
#include "model/xml/new_object.h"
#include "package/reader/eplot_dwf_reader.h"
#include "package_files.h"
#include "platform/debug_output.h"

namespace {

using namespace readertest;
using DWFEPlot::EPlotDwfReader;

DWF::DwfResult::Enum thrownBy(const std::function<void()>& call) {
    try {
        call();
    } catch (DWF::DwfResult::Enum rc) {
        return rc;
    }
    return DWF::DwfResult::Success;
}

const std::string kS1 = "dwf.ePlot_0123456789ABCDEF0123456789ABCDEF";
const std::string kS2 = "dwf.ePlot_FEDCBA9876543210FEDCBA9876543210";
const std::string kGlobal = "dwf.ePlotGlobal_00000000000000000000000000000001";

std::string section(const std::string& type, const std::string& name, const std::string& title,
                    const std::string& resources) {
    return "<dwf:Section type=\"" + type + "\" name=\"" + name + "\" title=\"" + title +
           "\"><dwf:Source provider=\"Kestra\" dwf:href=\"" + title + "\" /><dwf:Toc>" + resources +
           "</dwf:Toc></dwf:Section>";
}

std::string resource(const std::string& role, const std::string& mime, const std::string& href) {
    return "<dwf:Resource dwf:role=\"" + role + "\" dwf:mime=\"" + mime + "\" dwf:href=\"" + href + "\" />";
}

std::string manifest(const std::string& sections) {
    return "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
           "xsi:schemaLocation=\"DWF-Manifest:6.0 DWF-Manifest.xsd\" version=\"6.0\" "
           "objectId=\"0F0E0D0C-0B0A-0908-0706-050403020100\"><dwf:Interfaces><dwf:Interface "
           "objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" href=\"urn:dwf:ePlot\" />"
           "</dwf:Interfaces><dwf:Properties><dwf:Property name=\"DwfToolkitVersion\" value=\"Read Only\" />"
           "<dwf:Property name=\"PlotFileVersion\" value=\"1.2\" />"
           "<dwf:SimpleProperty name=\"Simple\" value=\"skipped\" />"
           "<dwf:Property name=\"DwfFrameworkVersion\" value=\"2.1\" />"
           "<dwf:Property name=\"SourceProductVendor\" value=\"TALMOR\" />"
           "<dwf:Property name=\"SourceProductName\" value=\"Kestra\" />"
           "<dwf:Property name=\"SourceProductVersion\" value=\"9.1\" />"
           "<dwf:Property name=\"PackagerProductVendor\" value=\"Old\" />"
           "<dwf:Property name=\"DwfProductVendor\" value=\"TALMOR\" />"
           "<dwf:Property name=\"DwfProductVersion\" value=\"9.2\" /></dwf:Properties><dwf:Sections>" +
           sections + "</dwf:Sections></dwf:Manifest>";
}

std::string page(const std::string& name, const std::string& graphics) {
    return "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
           "xsi:schemaLocation=\"DWF-ePlot:1.1 DWF-ePlot.xsd\" version=\"1.1\" plotOrder=\"1\" name=\"" + name +
           "\" color=\"128 128 128\"><ePlot:Paper show=\"false\" units=\"mm\" width=\"210\" height=\"297\" "
           "clip=\"0 0 210 297\" color=\"255 255 255\" /><ePlot:Resources><ePlot:GraphicResource "
           "role=\"2d streaming graphics\" mime=\"application/x-w2d\" href=\"" + graphics +
           "\" title=\"x.w2d\" size=\"5\" transform=\"0.01 0 0 0 0 0.01 0 0 0 0 1 0 0 0 0 1\" />"
           "</ePlot:Resources></ePlot:Page>";
}

// Two page sections behind a global one, as another producer might write them.
std::vector<Entry> plotEntries() {
    const std::string g1 = kS1 + "\\AAAA.w2d", g2 = kS2 + "\\BBBB.w2d";
    const std::string sections =
        section("dwf.ePlotGlobal", kGlobal, "Global", resource("descriptor", "text/xml", kGlobal + "\\descriptor.xml")) +
        section("dwf.ePlot", kS1, "Page 1",
                resource("2d streaming graphics", "application/x-w2d", g1) +
                    resource("descriptor", "text/xml", kS1 + "\\descriptor.xml")) +
        section("dwf.ePlot", kS2, "Page 2",
                resource("2d streaming graphics", "application/x-w2d", g2) +
                    resource("descriptor", "text/xml", "/" + kS2 + "/descriptor.xml"));
    return {{g1, "page1"},
            {kS1 + "\\descriptor.xml", page("Page 1", g1)},
            {g2, "page2"},
            {kS2 + "\\descriptor.xml", page("Page 2", g2)},
            {kGlobal + "\\descriptor.xml", "<ePlot:Global xmlns:ePlot=\"DWF-ePlot:1.1\" version=\"1.1\" />"},
            {"manifest.xml", manifest(sections)}};
}

class EPlotReaderTest : public testsupport::TempDirTest {
protected:
    std::string write(const std::vector<Entry>& entries) {
        const std::string path = workDir() + "plot" + std::to_string(++count_) + ".dwf";
        writeArchive(path, entries);
        return path;
    }
    int count_ = 0;
};

TEST_F(EPlotReaderTest, ReadsTypeManifestAndPagesInSectionOrder) {
    std::vector<std::string> notes;
    const platform::DebugSink previous = platform::setDebugSink([&](std::string_view text) { notes.emplace_back(text); });
    {
        EPlotDwfReader reader(str(write(plotEntries())), DWFUtil::String());
        int32_t version = 0;
        DWFUtil::String typeInfo("x");
        EXPECT_EQ(reader.detectDwfType(version, typeInfo), DWFReader::DwfPackage);
        EXPECT_EQ(version, 600);
        EXPECT_TRUE(typeInfo.empty());

        const auto manifest = reader.getManifest();
        ASSERT_FALSE(manifest.isNull());
        EXPECT_EQ(reader.getManifest().Object(), manifest.Object());
        EXPECT_EQ(manifest->getObjectId(), "0F0E0D0C-0B0A-0908-0706-050403020100");

        const auto pages = reader.getEPlotPages();
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_EQ(pages[0]->getPageName(), "Page 1");
        EXPECT_EQ(pages[1]->getPageName(), "Page 2");
        EXPECT_EQ(reader.getEPlotPages()[1].Object(), pages[1].Object());
        EXPECT_EQ(reader.getSectionPage((*manifest->getSections())[2]).Object(), pages[1].Object());
        EXPECT_TRUE(reader.getSectionPage((*manifest->getSections())[0]).isNull());

        DWFUtil::String first, again;
        const auto& graphics = (*pages[0]->getResources())[0];
        reader.materializeEntry(first, graphics->getHref());
        reader.materializeEntry(again, graphics->getHref());
        EXPECT_EQ(first, again);
        EXPECT_EQ(first.toUtf8().substr(first.length() - 4), ".w2d");
        EXPECT_EQ(testsupport::readFile(first.toUtf8()), "page1");
    }
    platform::setDebugSink(previous);
    EXPECT_EQ(notes, (std::vector<std::string>{"Found ePlot section " + kS1 + " (Page 1 - Page 1)\n",
                                               "Found ePlot section " + kS2 + " (Page 2 - Page 2)\n"}));
}

TEST_F(EPlotReaderTest, ProductPropertiesAreSetAsideAndTheRestReturnedInOrder) {
    EPlotDwfReader reader(str(write(plotEntries())), DWFUtil::String());
    DWFUtil::String vendor, name, version, packager, packagerVersion;
    DWFUtil::Vector<DWFUtil::ObjectRef<DWFManifest::AnyProperty>> others;
    ASSERT_TRUE(reader.getManifestProperties(vendor, name, version, packager, packagerVersion, others));
    EXPECT_EQ(vendor, "TALMOR");
    EXPECT_EQ(name, "Kestra");
    EXPECT_EQ(version, "9.1");
    EXPECT_EQ(packager, "TALMOR");  // the later of the two vendor properties
    EXPECT_EQ(packagerVersion, "9.2");
    std::vector<std::string> rest;
    for (uint32_t i = 0; i < others.size(); ++i) rest.push_back(others[i]->getPropertyName().toUtf8());
    EXPECT_EQ(rest, (std::vector<std::string>{"DwfToolkitVersion", "PlotFileVersion", "DwfFrameworkVersion"}));
}

TEST_F(EPlotReaderTest, OnlyTheEPlotInterfaceIsSupported) {
    EPlotDwfReader reader(str(write(plotEntries())), DWFUtil::String());
    const auto listed = (*reader.getManifest()->getInterfaces())[0];
    EXPECT_TRUE(reader.isInterfaceSupported(listed));
    EXPECT_TRUE(reader.isInterfaceSupported(DWFEPlot::makeEPlotInterface()));
    EXPECT_FALSE(reader.isInterfaceSupported(DWFXmlFramework::newObject<DWFManifest::Interface>(
        str("715941d4-1ac2-4545-8185-bc40e053b551"), str("ePlot"), str("urn:dwf:ePlot"))));
}

struct BrokenPackage {
    const char* what;
    std::function<std::vector<Entry>()> entries;
    DWF::DwfResult::Enum manifestResult;  // of getManifest
    DWF::DwfResult::Enum pagesResult;     // of getEPlotPages, when the manifest was read
};

TEST_F(EPlotReaderTest, BrokenPackagesFailWithTheirCode) {
    const std::string d1 = kS1 + "\\descriptor.xml";
    const std::string withDescriptor =
        section("dwf.ePlot", kS1, "Page 1", resource("descriptor", "text/xml", d1));
    const std::vector<BrokenPackage> cases{
        {"no manifest", [] { return std::vector<Entry>{{"other.xml", "<a/>"}}; }, DWF::DwfResult::NotFoundInPackage,
         DWF::DwfResult::NotFoundInPackage},
        {"manifest without Sections",
         [] { return std::vector<Entry>{{"manifest.xml", "<dwf:Manifest version=\"6.0\"><dwf:Properties /></dwf:Manifest>"}}; },
         DWF::DwfResult::XmlBuildFailed, DWF::DwfResult::XmlBuildFailed},
        {"malformed manifest", [] { return std::vector<Entry>{{"manifest.xml", "<Manifest><Sections></Manifest>"}}; },
         DWF::DwfResult::XmlParseError, DWF::DwfResult::XmlParseError},
        {"manifest too new", [] { return std::vector<Entry>{{"manifest.xml", "<Manifest version=\"7.5\"/>"}}; },
         DWF::DwfResult::UnsupportedVersion, DWF::DwfResult::UnsupportedVersion},
        {"descriptor without Resources",
         [&] { return std::vector<Entry>{{d1, "<Page version=\"1.1\"><Paper units=\"mm\" /></Page>"},
                                         {"manifest.xml", manifest(withDescriptor)}}; },
         DWF::DwfResult::Success, DWF::DwfResult::XmlBuildFailed},
        {"descriptor missing", [&] { return std::vector<Entry>{{"manifest.xml", manifest(withDescriptor)}}; },
         DWF::DwfResult::Success, DWF::DwfResult::NotFoundInPackage},
        {"descriptor malformed",
         [&] { return std::vector<Entry>{{d1, "<Page><Resources>"}, {"manifest.xml", manifest(withDescriptor)}}; },
         DWF::DwfResult::Success, DWF::DwfResult::XmlBuildFailed},
        {"descriptor cut in a tag",
         [&] { return std::vector<Entry>{{d1, "<Page><Resources"}, {"manifest.xml", manifest(withDescriptor)}}; },
         DWF::DwfResult::Success, DWF::DwfResult::XmlParseError},
    };
    for (const BrokenPackage& c : cases) {
        EPlotDwfReader reader(str(write(c.entries())), DWFUtil::String());
        EXPECT_EQ(thrownBy([&] { reader.getManifest(); }), c.manifestResult) << c.what;
        EXPECT_EQ(thrownBy([&] { reader.getEPlotPages(); }), c.pagesResult) << c.what;
        EXPECT_EQ(thrownBy([&] { reader.getEPlotPages(); }), c.pagesResult) << c.what << " (again)";
    }
}

TEST_F(EPlotReaderTest, ManifestClaimingGigabytesIsRefusedBySize) {
    const std::string path = workDir() + "claim.dwf";
    writeArchive(path, {{"manifest.xml", noise(2200000, 9)}});
    std::string bytes = testsupport::readFile(path);
    set32(bytes, 12 + 22, 0x80000000u);
    set32(bytes, bytes.rfind("PK\x01\x02") + 24, 0x80000000u);
    testsupport::writeFile(path, bytes);
    EPlotDwfReader reader(str(path), DWFUtil::String());
    EXPECT_EQ(thrownBy([&] { reader.getManifest(); }), DWF::DwfResult::InvalidData);
}

}  // namespace
