// A two-page plot package written through the ePlot section manager, page
// descriptors and the package writer, then checked entry by entry and read
// back with the document models and with tools we did not write.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/eplot/eplot_page_builder.h"
#include "model/manifest/manifest_builder.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_parser.h"
#include "package/writer/dwf_writer.h"
#include "package/writer/eplot_page_descriptor.h"
#include "package/writer/eplot_section_manager.h"
#include "package/writer/file_resource_handler.h"
#include "support/temp_dir_test.h"
#include "writer_test_support.h"

namespace {

using namespace writertest;
using DWFXmlFramework::newObject;

// The values of every `attribute="..."` in `xml`, in document order.
std::vector<std::string> attributeValues(const std::string& xml, const std::string& attribute) {
    std::vector<std::string> values;
    const std::regex pattern("[ :]" + attribute + "=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), pattern); it != std::sregex_iterator(); ++it) {
        values.push_back((*it)[1]);
    }
    return values;
}

template <typename Builder>
void parseInto(const std::string& xml, const DWFUtil::ObjectRef<Builder>& builder) {
    DWFXmlBuilder::XmlBuilderStack stack;
    stack.setRootBuilder(builder);
    DWFUtil::XmlParser parser(&stack);
    ASSERT_EQ(parser.parseBuffer(xml.data(), xml.size()), DWF::DwfResult::Success);
}

class EPlotPackageTest : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        path_ = workDir() + "plot.dwf";
        pages_ = {std::string(3000, 'a') + "first page", "second"};
        writePackage();
    }

    void writePackage() {
        DWFEPlot::EPlotSectionManager manager(str("TALMOR"), str("Kestra"), str("9.1"), str("TALMOR"), str("9.1"));
        auto writer = std::make_unique<DWFWriter::DwfWriter>(str(path_), manager, str(DWFEPlot::kEPlotInterfaceObjectId),
                                                             DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(),
                                                             DWFUtil::String(), 600);
        manager.addProperty(str("DwfToolkitVersion"), str("Read Only"));
        manager.addProperty(str("PlotFileVersion"), str("1.2"));
        manager.addInterface(str(DWFEPlot::kEPlotInterfaceName), str(DWFEPlot::kEPlotInterfaceObjectId),
                             str(DWFEPlot::kEPlotInterfaceHref));
        for (size_t i = 0; i < pages_.size(); ++i) {
            const std::string pageName = "Page " + std::to_string(i + 1);
            auto section = DWFEPlot::openPageSection(manager, *writer, str(pageName), DWFUtil::String(), str("Kestra"),
                                                     str(pageName));
            sections_.push_back(section->getSectionName().toUtf8());
            const std::string file = workDir() + "page" + std::to_string(i + 1) + ".w2d";
            testsupport::writeFile(file, pages_[i]);
            DWFWriter::FileResourceHandler handler(str(file), str("2d streaming graphics"), str("application/x-w2d"));
            auto resource = newObject<DWFEPlot::EPlotGraphicResource>();
            ASSERT_TRUE(DWFEPlot::addGraphicResource(*section, resource, handler));
            titles_.push_back(resource->getTitle().toUtf8());
            sizes_.push_back(resource->getSize());
            hrefs_.push_back(resource->getHref().toUtf8());
            ASSERT_TRUE(section->close());
        }
        manager.addProperty(str("Encoding"), str("UTF-8"));
        orders_ = {manager.getSectionOrder(str(sections_[0])), manager.getSectionOrder(str(sections_[1]))};
        ASSERT_TRUE(writer->finish());
    }

    std::string path_;
    std::vector<std::string> pages_, sections_, titles_, hrefs_;
    std::vector<int32_t> sizes_, orders_;
};

TEST_F(EPlotPackageTest, EntriesComeInPageOrderWithTheManifestLast) {
    const std::vector<std::string> names = entryNames(path_);
    ASSERT_EQ(names.size(), 5u);
    const std::regex section("dwf\\.ePlot_[0-9A-F]{32}");
    const std::regex graphics("dwf\\.ePlot_[0-9A-F]{32}\\\\[0-9A-F]{32}\\.w2d");
    for (int page = 0; page < 2; ++page) {
        EXPECT_TRUE(std::regex_match(sections_[page], section)) << sections_[page];
        EXPECT_TRUE(std::regex_match(names[2 * page], graphics)) << names[2 * page];
        EXPECT_EQ(names[2 * page].substr(0, sections_[page].size() + 1), sections_[page] + "\\");
        EXPECT_EQ(names[2 * page + 1], sections_[page] + "\\descriptor.xml");
        EXPECT_EQ(names[2 * page], hrefs_[page]);
        EXPECT_EQ(entryContent(path_, names[2 * page]), pages_[page]);
    }
    EXPECT_NE(sections_[0], sections_[1]);
    EXPECT_EQ(names[4], "manifest.xml");
    EXPECT_EQ(orders_, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(run("unzip -tq " + path_ + " >/dev/null 2>&1"), 0);
    // Both documents are well-formed for a parser we did not write.
    for (const std::string& name : {names[1], names[4]}) {
        testsupport::writeFile(workDir() + "document.xml", entryContent(path_, name));
        EXPECT_EQ(run("xmllint --noout " + workDir() + "document.xml"), 0) << name;
    }
}

TEST_F(EPlotPackageTest, GraphicResourceCarriesSizeAndTitle) {
    EXPECT_EQ(titles_, (std::vector<std::string>{"page1.w2d", "page2.w2d"}));
    EXPECT_EQ(sizes_, (std::vector<int32_t>{3010, 6}));
    const std::string descriptor = entryContent(path_, sections_[0] + "\\descriptor.xml");
    EXPECT_EQ(descriptor.rfind("<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\"", 0), 0u) << descriptor;
    EXPECT_NE(descriptor.find("<ePlot:GraphicResource role=\"2d streaming graphics\" mime=\"application/x-w2d\" href=\"" +
                              hrefs_[0] + "\" title=\"page1.w2d\" size=\"3010\""),
              std::string::npos)
        << descriptor;

    auto builder = newObject<DWFEPlot::EPlotPageBuilder>();
    parseInto(descriptor, builder);
    ASSERT_FALSE(builder->getPage().isNull());
    EXPECT_EQ(builder->getPage()->getPageName(), "Page 1");
    ASSERT_EQ(builder->getPage()->getResources()->size(), 1u);
}

TEST_F(EPlotPackageTest, ManifestListsSectionsResourcesAndClosingPropertiesInOrder) {
    const std::string manifest = entryContent(path_, "manifest.xml");
    const std::string prefix = "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" xsi:schemaLocation=\"DWF-Manifest:6.0 DWF-Manifest.xsd\" version=\"6.0\"";
    EXPECT_EQ(manifest.substr(0, prefix.size()), prefix);
    const std::string properties = manifest.substr(manifest.find("<dwf:Properties>"),
                                                   manifest.find("</dwf:Properties>") - manifest.find("<dwf:Properties>"));
    EXPECT_EQ(attributeValues(properties, "name"),
              (std::vector<std::string>{"DwfToolkitVersion", "PlotFileVersion", "Encoding", "DwfFrameworkVersion",
                                        "SourceProductVendor", "SourceProductName", "SourceProductVersion",
                                        "DwfProductVendor", "DwfProductVersion", "DwfToolkitVersion"}));
    EXPECT_EQ(attributeValues(properties, "value"),
              (std::vector<std::string>{"Read Only", "1.2", "UTF-8", "2.1", "TALMOR", "Kestra", "9.1", "TALMOR", "9.1",
                                        "6.0.1.15"}));
    EXPECT_NE(manifest.find("<dwf:Interfaces><dwf:Interface objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" "
                            "name=\"ePlot\" href=\"urn:dwf:ePlot\" /></dwf:Interfaces>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dwf:Section type=\"dwf.ePlot\" name=\"" + sections_[1] + "\" title=\"Page 2\">"),
              std::string::npos);
    EXPECT_NE(manifest.find("<dwf:Resource dwf:role=\"descriptor\" dwf:mime=\"text/xml\" dwf:href=\"" + sections_[0] +
                            "\\descriptor.xml\" />"),
              std::string::npos);

    auto builder = newObject<DWFManifestBuilders::ManifestBuilder>();
    parseInto(manifest, builder);
    ASSERT_FALSE(builder->getManifest().isNull());
    const auto& sections = builder->getManifest()->getSections();
    ASSERT_EQ(sections->size(), 2u);
    EXPECT_EQ((*sections)[0]->getSectionName(), str(sections_[0]));
    EXPECT_EQ((*sections)[0]->getToc()->size(), 2u);
    EXPECT_TRUE(builder->getManifest()->validate());
}

class EPlotSectionManagerTest : public testsupport::TempDirTest {};

TEST_F(EPlotSectionManagerTest, SectionsAreRegisteredOnceAndLookedUpByName) {
    DWFEPlot::EPlotSectionManager manager(str("V"), str("N"), str("1"), str("V"), str("1"));
    DWFWriter::DwfWriter writer(str(workDir() + "p.dwf"), manager, DWFUtil::String(),
                                DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), DWFUtil::String(), 600);
    auto first = DWFEPlot::openPageSection(manager, writer, str("Page 1"), str("ID1"), str("Kestra"), str("Page 1"));
    auto second = DWFEPlot::openPageSection(manager, writer, str("Page 2"), DWFUtil::String(), str("Kestra"),
                                            str("Page 2"));
    const DWFUtil::String a = first->getSectionName(), b = second->getSectionName();
    // A section under a name already registered is not registered again.
    auto clash = DWFEPlot::openPageSection(manager, writer, str("Other"), DWFUtil::String(), str("X"), str("X"), a);
    EXPECT_EQ(manager.getSectionOrder(a), 1);
    EXPECT_EQ(manager.getSectionOrder(b), 2);
    EXPECT_EQ(manager.findSection(a)->getTitle(), "Page 1");
    EXPECT_EQ(manager.sectionSource(a)->getProvider(), "Kestra");
    EXPECT_EQ(manager.sectionSource(a)->getObjectId(), "ID1");
    EXPECT_TRUE(manager.findSection(str("dwf.ePlot_unknown")).isNull());
    EXPECT_TRUE(manager.sectionSource(str("dwf.ePlot_unknown")).isNull());

    manager.addDependency(b, a);
    manager.addDependency(b, str("dwf.ePlot_unknown"));
    manager.addInterface(str("ePlot"), str("ID"), str("urn:a"));
    manager.addInterface(str("again"), str("ID"), str("urn:b"));
    EXPECT_FALSE(manager.resourceAdded(str("dwf.ePlot_unknown"), str("x"), str("r"), str("m")));
    DWFUtil::String name;
    manager.makeResourceName(a, DWFUtil::String(), name);
    EXPECT_TRUE(std::regex_match(name.toUtf8(), std::regex("[0-9A-F]{32}")));
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
