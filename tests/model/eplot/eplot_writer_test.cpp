#include "model/eplot/eplot_page.h"

#include <gtest/gtest.h>

#include <string>

#include "model/eplot/eplot_font_resource.h"
#include "model/eplot/eplot_global.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/eplot/eplot_namespace.h"
#include "model/eplot/xml_object_content.h"
#include "model/manifest/document_reading.h"
#include "model/xml/new_object.h"
#include "support/temp_dir_test.h"

namespace {

using DWFEPlot::EPlotBookmark;
using DWFEPlot::EPlotFontResource;
using DWFEPlot::EPlotGlobal;
using DWFEPlot::EPlotGraphicResource;
using DWFEPlot::EPlotImageResource;
using DWFEPlot::EPlotNamespace;
using DWFEPlot::EPlotPage;
using DWFEPlot::EPlotProperty;
using DWFEPlot::EPlotSimpleProperty;
using DWFUtil::ObjectRef;
using DWFUtil::Vector;
using DWFXmlFramework::newObject;

template <typename T>
Vector<T> values(std::initializer_list<T> list) {
    Vector<T> result;
    for (const T& value : list) result.push_back(value);
    return result;
}

ObjectRef<EPlotPage> fullPage() {
    ObjectRef<EPlotPage> page = newObject<EPlotPage>();
    page->setPageName("0123456789ABCDEF0123456789ABCDEF");
    page->getProperties()->add(newObject<EPlotProperty>("Author", "KESTRA"));
    ObjectRef<EPlotSimpleProperty> scale = newObject<EPlotSimpleProperty>("Scale", "0.5");
    EXPECT_TRUE(scale->setType("double"));
    page->getProperties()->add(scale);

    const ObjectRef<DWFEPlot::EPlotPaper>& paper = page->getPaper();
    EXPECT_EQ(paper->setUnits("mm"), 0);
    EXPECT_EQ(paper->setWidth(297), 0);
    EXPECT_EQ(paper->setHeight(210), 0);
    EXPECT_EQ(paper->setClip(values<double>({0, 0, 297, 210})), 0);

    ObjectRef<EPlotGraphicResource> graphic = newObject<EPlotGraphicResource>();
    graphic->setRole("2d streaming graphics");
    graphic->setMime("application/x-w2d");
    graphic->setHref("S\\A.w2d");
    graphic->setTitle("tmp1");
    graphic->setSize(1234);
    EXPECT_EQ(graphic->setTransform(values<double>({0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1})), 0);
    EXPECT_EQ(graphic->setExtents(values<double>({0, 0, 297, 210})), 0);
    page->getResources()->add(graphic);

    ObjectRef<EPlotImageResource> image = newObject<EPlotImageResource>();
    image->setRole("raster overlay");
    image->setMime("image/png");
    image->setHref("S\\B.png");
    image->setSize(99);
    image->setParentResourceIndex(0);
    image->setInvertColors(false);
    image->setScanned(true);
    EXPECT_EQ(image->setOriginalExtents(values<double>({0, 0, 10, 10})), 0);
    image->setColorDepth(24);
    EXPECT_EQ(image->setScannedResolution(300), 0);
    page->getResources()->add(image);

    ObjectRef<EPlotFontResource> font = newObject<EPlotFontResource>();
    font->setRole("font");
    font->setMime("application/x-font");
    font->setHref("S\\C.ttf");
    font->setRequest(1);
    EXPECT_EQ(font->setPrivilege(2), 0);
    EXPECT_EQ(font->setCharacterCode("unicode"), 0);
    font->setCanonicalName("Arial");
    font->setLogfontName("Arial <Bold>");
    page->getResources()->add(font);

    page->addNamespace(newObject<EPlotNamespace>(), DWFEPlot::kEPlotPrefix);
    return page;
}

const char* const kFullPage =
    "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
    "xsi:schemaLocation=\"DWF-ePlot:1.1 DWF-ePlot.xsd\" version=\"1.1\" plotOrder=\"1\" "
    "name=\"0123456789ABCDEF0123456789ABCDEF\" color=\"128 128 128\">"
    "<ePlot:Properties><ePlot:Property name=\"Author\" value=\"KESTRA\" />"
    "<ePlot:SimpleProperty name=\"Scale\" type=\"double\" value=\"0.5\" /></ePlot:Properties>"
    "<ePlot:Paper units=\"mm\" width=\"297\" height=\"210\" clip=\"0 0 297 210\" color=\"255 255 255\" />"
    "<ePlot:Resources>"
    "<ePlot:GraphicResource role=\"2d streaming graphics\" mime=\"application/x-w2d\" href=\"S\\A.w2d\" "
    "title=\"tmp1\" size=\"1234\" transform=\"0.010000000000000000208166817117217 0 0 0 0 "
    "0.010000000000000000208166817117217 0 0 0 0 1 0 0 0 0 1\" extents=\"0 0 297 210\" />"
    "<ePlot:ImageResource role=\"raster overlay\" mime=\"image/png\" href=\"S\\B.png\" size=\"99\" "
    "transform=\"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\" parentResourceIndex=\"0\" invertColors=\"false\" "
    "scanned=\"true\" originalExtents=\"0 0 10 10\" colorDepth=\"24\" scannedResolution=\"300\" />"
    "<ePlot:FontResource role=\"font\" mime=\"application/x-font\" href=\"S\\C.ttf\" request=\"1\" "
    "privilege=\"editable\" characterCode=\"unicode\" canonicalName=\"Arial\" logfontName=\"Arial &lt;Bold&gt;\" />"
    "</ePlot:Resources></ePlot:Page>";

class EPlotWriterTest : public testsupport::TempDirTest {};

TEST_F(EPlotWriterTest, WritesThePageDescriptorInItsOrderAndXmllintAcceptsIt) {
    const ObjectRef<EPlotPage> page = fullPage();
    EXPECT_TRUE(page->validate());
    const std::string text = page->toXml().toUtf8();
    EXPECT_EQ(text, kFullPage);
    EXPECT_TRUE(modeltest::xmllintAccepts(workDir(), text));
}

TEST_F(EPlotWriterTest, NewPageWritesItsDefaultsAndAnEmptyResourceList) {
    ObjectRef<EPlotPage> page = newObject<EPlotPage>();
    const std::string name = page->getPageName().toUtf8();
    ASSERT_EQ(name.size(), 32u);
    EXPECT_EQ(name.find_first_not_of("0123456789ABCDEF"), std::string::npos);
    page->addNamespace(newObject<EPlotNamespace>(), "ePlot");
    const std::string text = page->toXml().toUtf8();
    // The paper has no size yet, so it is left out.
    EXPECT_EQ(text, "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" "
                    "xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
                    "xsi:schemaLocation=\"DWF-ePlot:1.1 DWF-ePlot.xsd\" version=\"1.1\" plotOrder=\"1\" name=\"" +
                        name + "\" color=\"128 128 128\"><ePlot:Resources /></ePlot:Page>");
    EXPECT_TRUE(modeltest::xmllintAccepts(workDir(), text));
}

ObjectRef<EPlotBookmark> bookmark(const char* name, const char* href) {
    ObjectRef<EPlotBookmark> mark = newObject<EPlotBookmark>();
    mark->setBookmarkName(name);
    mark->setHref(href);
    return mark;
}

TEST_F(EPlotWriterTest, WritesTheGlobalDescriptorWithItsBookmarkTree) {
    ObjectRef<EPlotGlobal> global = newObject<EPlotGlobal>();
    EXPECT_FALSE(global->validate());  // nothing in it yet
    global->getProperties()->add(newObject<EPlotProperty>("Title", "Plan"));
    ObjectRef<EPlotBookmark> first = bookmark("First", "#1");
    first->setBold(true);
    first->setItalic(false);  // false styles are not written
    first->setColor(values<int32_t>({255, 0, 0}));
    first->add(bookmark("Inner", "#2"));
    global->getBookmark()->add(first);
    global->getBookmark()->add(bookmark("", ""));  // no name: written without attributes
    global->addNamespace(newObject<EPlotNamespace>(), "ePlot");
    EXPECT_TRUE(global->validate());
    const std::string text = global->toXml().toUtf8();
    EXPECT_EQ(text, "<ePlot:Global xmlns:ePlot=\"DWF-ePlot:1.1\" "
                    "xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
                    "xsi:schemaLocation=\"DWF-ePlot:1.1 DWF-ePlot.xsd\" version=\"1.1\">"
                    "<ePlot:Properties><ePlot:Property name=\"Title\" value=\"Plan\" /></ePlot:Properties>"
                    "<ePlot:Bookmark><ePlot:Bookmark name=\"First\" color=\"255 0 0\" bold=\"true\" href=\"#1\">"
                    "<ePlot:Bookmark name=\"Inner\" href=\"#2\" /></ePlot:Bookmark><ePlot:Bookmark />"
                    "</ePlot:Bookmark></ePlot:Global>");
    EXPECT_TRUE(modeltest::xmllintAccepts(workDir(), text));
}

TEST_F(EPlotWriterTest, GlobalWithoutBookmarksHoldsOnlyPropertiesOrText) {
    ObjectRef<EPlotGlobal> global = newObject<EPlotGlobal>();
    global->setText("note");
    EXPECT_TRUE(global->validate());
    EXPECT_EQ(global->toXml().toUtf8(), "<Global version=\"1.1\">note</Global>");
    global->getBookmark()->setHref("#x");  // an href without name still writes no bookmark
    EXPECT_EQ(global->toXml().toUtf8(), "<Global version=\"1.1\">note</Global>");
    EXPECT_TRUE(modeltest::xmllintAccepts(workDir(), global->toXml().toUtf8()));
}

TEST(EPlotIdentifiers, TheInterfaceRecordCarriesThePublishedValues) {
    const ObjectRef<DWFManifest::Interface> ePlot = DWFEPlot::makeEPlotInterface();
    EXPECT_EQ(ePlot->toXml().toUtf8(),
              "<Interface objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" href=\"urn:dwf:ePlot\" />");
    EXPECT_STREQ(DWFEPlot::kEPlotSectionType, "dwf.ePlot");
    EXPECT_STREQ(DWFEPlot::kEPlotGlobalSectionType, "dwf.ePlotGlobal");
}

}  // namespace

namespace {

// An output that refuses every write, as a full disk would.
class RefusingOutput : public DWFUtil::IOHandler {
public:
    int32_t write(const DWFUtil::String&) override { return -2; }
};

TEST(XmlObjectContent, WritesTheObjectsXmlAndReportsARefusedWrite) {
    const ObjectRef<EPlotPage> page = fullPage();
    DWFUtil::StringIOHandler output;
    EXPECT_EQ(DWFEPlot::writeXmlObjectContent(*page, output), 1);
    DWFUtil::String text;
    output.getContents(text);
    EXPECT_EQ(text.toUtf8(), kFullPage);

    RefusingOutput refusing;
    EXPECT_EQ(DWFEPlot::writeXmlObjectContent(*page, refusing), -1);
}

}  // namespace
