#include "model/eplot/eplot_page_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "model/eplot/eplot_global_builder.h"
#include "model/eplot/eplot_namespace.h"
#include "model/manifest/document_reading.h"
#include "model/xml/new_object.h"

namespace {

using DWF::DwfResult;
using DWFEPlot::EPlotFontResource;
using DWFEPlot::EPlotGlobal;
using DWFEPlot::EPlotGlobalBuilder;
using DWFEPlot::EPlotGraphicResource;
using DWFEPlot::EPlotImageResource;
using DWFEPlot::EPlotPage;
using DWFEPlot::EPlotPageBuilder;
using DWFEPlot::EPlotResource;
using DWFUtil::ObjectRef;
using DWFUtil::Vector;
using DWFXmlFramework::newObject;

ObjectRef<EPlotPage> buildPage(const std::string& text) {
    ObjectRef<EPlotPageBuilder> builder = newObject<EPlotPageBuilder>();
    EXPECT_EQ(modeltest::readDocument(text, builder), DwfResult::Success);
    return builder->getPage();
}

std::string transformText(const EPlotGraphicResource& resource) {
    Vector<double> transform;
    EXPECT_EQ(resource.getTransform(transform), 0);
    std::string text;
    for (const double value : transform) text += std::to_string(static_cast<int>(value * 100)) + " ";
    return text;
}

// A descriptor as another producer might write it; `p` is the element prefix
// with its colon, `a` the prefix of some attributes.
std::string foreignPage(const std::string& p, const std::string& a, const std::string& declaration) {
    return "<" + p + "Page " + declaration + " version='1.1' name='P1' plotOrder='2' color='1 2 3'>\r\n" +
           "\t<" + p + "Paper units='in' " + a + "width='11' height='8.5' clip='0 0 11 8.5' show='yes'/>\n" +
           "\t<" + p + "Properties><" + p + "SimpleProperty name='a' value='1' type='int'/>" +
           "<" + p + "Property name='b' value='2' type='nonsense'/></" + p + "Properties>\n" +
           "\t<" + p + "Resources>\n" +
           "\t\t<" + p + "GraphicResource " + a + "role='2d streaming graphics' " + a + "href='s\\g.w2d' " +
           "transform='2 0 0 0 0 2 0 0 0 0 1 0 0 0 0 1' creationTime='2020-01-02T03:04:05:678' " +
           "modificationTime='2020-01-02T03:04:05' orientation='alwaysDifferent' effectiveResolution='0'/>\n" +
           "\t\t<" + p + "ImageResource href='s\\i.png' scanned='yes' invertColors='true' " +
           "originalExtents='1 2 3' scannedResolution='200' transform='1 2 3'/>\n" +
           "\t\t<" + p + "FontResource href='s\\f.ttf' request='3' privilege='secret' characterCode='glyphIdx' " +
           "canonicalName='Mono' logfontName='Mono'/>\n" +
           "\t\t<" + p + "Resource href='s\\r.bin' size='12abc' orientation='decoupled'/>\n" +
           "\t\t<" + p + "Unknown href='s\\u'/>\n" +
           "\t</" + p + "Resources>\n" +
           "</" + p + "Page>";
}

void expectForeignPage(const ObjectRef<EPlotPage>& page) {
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page->getPageName(), "P1");
    EXPECT_EQ(page->getPlotOrder(), 2);
    const auto& paper = *page->getPaper();
    EXPECT_FALSE(paper.isMillimetres());
    EXPECT_EQ(paper.getWidth(), 11);
    EXPECT_EQ(paper.getHeight(), 8.5);
    EXPECT_TRUE(paper.getShow());
    ASSERT_EQ(page->getProperties()->size(), 1u);  // the property of an unknown type is dropped
    EXPECT_EQ((*page->getProperties())[0]->getPropertyName(), "a");

    const auto& resources = *page->getResources();
    ASSERT_EQ(resources.size(), 4u);
    const auto* graphic = dynamic_cast<const EPlotGraphicResource*>(resources[0].Object());
    ASSERT_NE(graphic, nullptr);
    EXPECT_STREQ(graphic->getResourceType(), "EPlotGraphicResource");
    EXPECT_EQ(graphic->getRole(), "2d streaming graphics");
    EXPECT_EQ(graphic->getHref(), "s\\g.w2d");
    EXPECT_EQ(transformText(*graphic), "200 0 0 0 0 200 0 0 0 0 100 0 0 0 0 100 ");
    EXPECT_EQ(graphic->getCreationTime(), "2020-01-02T03:04:05:678");
    EXPECT_EQ(graphic->getModificationTime(), "");  // the 19-character form is dropped
    EXPECT_EQ(graphic->getOrientation(), 2);
    EXPECT_EQ(graphic->getEffectiveResolution(), 0);

    const auto* image = dynamic_cast<const EPlotImageResource*>(resources[1].Object());
    ASSERT_NE(image, nullptr);
    EXPECT_STREQ(image->getResourceType(), "EPlotImageResource");
    EXPECT_FALSE(image->getScanned());  // "yes" is not the word "true"
    EXPECT_TRUE(image->getInvertColors());
    Vector<double> extents;
    EXPECT_EQ(image->getOriginalExtents(extents), DwfResult::ValueNotSet);  // three values were refused
    EXPECT_EQ(image->getScannedResolution(), 200);
    EXPECT_EQ(transformText(*image), "100 0 0 0 0 100 0 0 0 0 100 0 0 0 0 100 ");

    const auto* font = dynamic_cast<const EPlotFontResource*>(resources[2].Object());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->getRequest(), 3);
    EXPECT_EQ(font->getCharacterCode(), 3);
    EXPECT_THROW(font->getPrivilege(), DwfResult::Enum);
    EXPECT_FALSE(font->validate());

    EXPECT_STREQ(resources[3]->getResourceType(), "EPlotResource");
    EXPECT_EQ(resources[3]->getSize(), 12);
}

TEST(EPlotPageBuilder, AnyPrefixOrNoneBuildsTheSameObjects) {
    const std::string declare = "xmlns:ePlot='DWF-ePlot:1.1' xmlns:xsi='http://www.w3.org/2000/10/XMLSchema-instance' "
                                "xsi:schemaLocation='DWF-ePlot:1.1 DWF-ePlot.xsd'";
    expectForeignPage(buildPage(foreignPage("ePlot:", "", declare)));
    expectForeignPage(buildPage(foreignPage("ePlot:", "ePlot:", declare)));
    expectForeignPage(buildPage(foreignPage("e:", "e:", "xmlns:e='DWF-ePlot:1.1'")));
    expectForeignPage(buildPage(foreignPage("", "", "xmlns='DWF-ePlot:1.1'")));
}

TEST(EPlotPageBuilder, FontPrivilegeOutsideItsEnumerationReportsInvalidData) {
    const ObjectRef<EPlotPage> page =
        buildPage("<Page><Resources><FontResource privilege='secret'/></Resources></Page>");
    ASSERT_FALSE(page.isNull());
    const auto* font = dynamic_cast<const EPlotFontResource*>((*page->getResources())[0].Object());
    ASSERT_NE(font, nullptr);
    try {
        font->getPrivilege();
        ADD_FAILURE() << "no exception";
    } catch (DwfResult::Enum code) {
        EXPECT_EQ(code, DwfResult::InvalidData);
    }
}

TEST(EPlotPageBuilder, PaperAndPropertiesAreOptionalResourcesAreNot) {
    ObjectRef<EPlotPage> page = buildPage("<Page name='x'><Resources/></Page>");
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page->getPageName(), "x");
    EXPECT_EQ(page->getResources()->size(), 0u);
    EXPECT_FALSE(page->getPaper()->validate());  // the empty paper made with the page

    const char* const withoutResources[] = {
        "<Page><Paper units='mm' width='1' height='1'/><Properties/></Page>",
        "<Page><Other><Resources/></Other></Page>",
        "<Page><Paper><Resources/></Paper></Page>",
        "<Resources/>",
    };
    for (const char* text : withoutResources) EXPECT_TRUE(buildPage(text).isNull()) << text;
}

TEST(EPlotPageBuilder, MalformedOrUnfinishedDescriptorsBuildNoPage) {
    struct Case {
        const char* text;
        DwfResult::Enum result;
    };
    // A document that stops between elements parses, but its page never ends.
    for (const Case& c : {Case{"<Page><Resources></Page>", DwfResult::XmlParseError},
                          Case{"<Page><Resources/>", DwfResult::Success},
                          Case{"<Page version='1.1", DwfResult::XmlParseError}}) {
        ObjectRef<EPlotPageBuilder> builder = newObject<EPlotPageBuilder>();
        EXPECT_EQ(modeltest::readDocument(c.text, builder), c.result) << c.text;
        EXPECT_TRUE(builder->getPage().isNull());
    }
}

TEST(EPlotDescriptorVersion, DescriptorsAboveVersionTwoPointOneAreRefused) {
    struct Case {
        const char* attributes;
        int32_t result;
    };
    const Case cases[] = {
        {"version='1.1'", DwfResult::Success},
        {"version='2.1'", DwfResult::Success},
        {"version='2.2'", DwfResult::UnsupportedVersion},
        {"version='99'", DwfResult::UnsupportedVersion},
        {"version='x'", DwfResult::Success},
        {"", DwfResult::Success},
        {"xmlns:ePlot='DWF-ePlot:1.1' xsi:schemaLocation='DWF-ePlot:1.1 DWF-ePlot.xsd'", DwfResult::Success},
        {"xmlns:xmlns='U' xsi:schemaLocation='U DWF-ePlot:3.0'", DwfResult::UnsupportedVersion},
        {"xmlns:xmlns='U' xsi:schemaLocation='U DWF-ePlot:2.0'", DwfResult::Success},
    };
    for (const Case& c : cases) {
        ObjectRef<EPlotPageBuilder> page = newObject<EPlotPageBuilder>();
        EXPECT_EQ(modeltest::readingFailure(std::string("<Page ") + c.attributes + "><Resources/></Page>", page),
                  c.result)
            << c.attributes;
        EXPECT_EQ(page->getPage().isNull(), c.result != DwfResult::Success);
        ObjectRef<EPlotGlobalBuilder> global = newObject<EPlotGlobalBuilder>();
        EXPECT_EQ(modeltest::readingFailure(std::string("<Global ") + c.attributes + "/>", global), c.result)
            << c.attributes;
    }
}

TEST(EPlotGlobalBuilder, BuildsTheBookmarkTreeAndTakesStylesByTheirTruthValue) {
    ObjectRef<EPlotGlobalBuilder> builder = newObject<EPlotGlobalBuilder>();
    ASSERT_EQ(modeltest::readDocument(
                  "<ePlot:Global xmlns:ePlot='DWF-ePlot:1.1' version='1.1'>"
                  "<ePlot:Properties><ePlot:Property name='t' value='v'/></ePlot:Properties>"
                  "<ePlot:Bookmark><ePlot:Bookmark name='a' href='#a' bold='yes' italic='1' underline='Yes'>"
                  "<ePlot:Bookmark name='b' href='#b' bold='no'/></ePlot:Bookmark></ePlot:Bookmark></ePlot:Global>",
                  builder),
              DwfResult::Success);
    const ObjectRef<EPlotGlobal>& global = builder->getGlobal();
    ASSERT_FALSE(global.isNull());
    EXPECT_TRUE(global->validate());
    ASSERT_EQ(global->getBookmark()->size(), 1u);
    const auto& first = *(*global->getBookmark())[0];
    EXPECT_EQ(first.getBookmarkName(), "a");
    EXPECT_TRUE(first.getBold());
    EXPECT_TRUE(first.getItalic());
    EXPECT_FALSE(first.getUnderline());
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0]->getHref(), "#b");
    EXPECT_FALSE(first[0]->getBold());
    global->addNamespace(newObject<DWFEPlot::EPlotNamespace>(), "ePlot");

    ObjectRef<EPlotGlobalBuilder> empty = newObject<EPlotGlobalBuilder>();
    ASSERT_EQ(modeltest::readDocument("<Global/>", empty), DwfResult::Success);
    ASSERT_FALSE(empty->getGlobal().isNull());  // always built
    EXPECT_FALSE(empty->getGlobal()->validate());
}

// Image flags count only as the word "true"; bookmark styles by their truth value.
TEST(EPlotBuilders, BooleanWordsOfImagesAndBookmarks) {
    struct Case {
        const char* word;
        bool imageFlag;
        bool bookmarkStyle;
    };
    for (const Case& c : {Case{"true", true, true}, Case{"yes", false, true}, Case{"1", false, true},
                          Case{"false", false, false}, Case{"0", false, false}, Case{"TRUE", false, false}}) {
        const std::string word = c.word;
        const ObjectRef<EPlotPage> page = buildPage("<Page><Resources><ImageResource scanned='" + word +
                                                    "' invertColors='" + word + "'/><GraphicResource/></Resources></Page>");
        ASSERT_FALSE(page.isNull());
        const auto* image = dynamic_cast<const EPlotImageResource*>((*page->getResources())[0].Object());
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->getScanned(), c.imageFlag) << word;
        EXPECT_EQ(image->getInvertColors(), c.imageFlag) << word;
        const auto* graphic = dynamic_cast<const EPlotGraphicResource*>((*page->getResources())[1].Object());
        ASSERT_NE(graphic, nullptr);
        EXPECT_EQ(transformText(*graphic), "100 0 0 0 0 100 0 0 0 0 100 0 0 0 0 100 ");

        ObjectRef<EPlotGlobalBuilder> builder = newObject<EPlotGlobalBuilder>();
        ASSERT_EQ(modeltest::readDocument("<Global><Bookmark><Bookmark name='n' href='h' bold='" + word +
                                              "' underline='" + word + "'/></Bookmark></Global>",
                                          builder),
                  DwfResult::Success);
        const auto& mark = *(*builder->getGlobal()->getBookmark())[0];
        EXPECT_EQ(mark.getBold(), c.bookmarkStyle) << word;
        EXPECT_EQ(mark.getUnderline(), c.bookmarkStyle) << word;
    }
}

// A builder whose creation operation makes an object of the wrong class.
class MismatchedImageBuilder : public DWFEPlot::EPlotImageResourceBuilder {
public:
    using EPlotImageResourceBuilder::EPlotImageResourceBuilder;

protected:
    ObjectRef<EPlotResource> createResource() override { return newObject<EPlotGraphicResource>(); }
};

TEST(EPlotResourceBuilders, ObjectsOfAnotherClassFailTheBuild) {
    MismatchedImageBuilder builder(DWFXmlFramework::makeXmlName("ImageResource"));
    try {
        builder.build();
        ADD_FAILURE() << "no exception";
    } catch (DwfResult::Enum code) {
        EXPECT_EQ(code, DwfResult::XmlBuildFailed);
    }
}

TEST(EPlotPageBuilder, ReadsWhatThePageWrites) {
    ObjectRef<EPlotPage> written = newObject<EPlotPage>();
    written->getPaper()->setUnits("mm");
    written->getPaper()->setWidth(0.5);
    written->getPaper()->setHeight(0.25);
    ObjectRef<EPlotGraphicResource> graphic = newObject<EPlotGraphicResource>();
    graphic->setHref("g");
    graphic->setCreationTime("1999-12-31T23:59:59:999");
    written->getResources()->add(graphic);
    written->addNamespace(newObject<DWFEPlot::EPlotNamespace>(), "ePlot");

    const ObjectRef<EPlotPage> read = buildPage(written->toXml().toUtf8());
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read->getPageName(), written->getPageName());
    EXPECT_TRUE(read->getPaper()->isMillimetres());
    EXPECT_EQ(read->getPaper()->getWidth(), 0.5);
    Vector<int32_t> color;
    EXPECT_EQ(read->getPaper()->getColor(color), 0);
    EXPECT_EQ(color.size(), 3u);
    const auto* readGraphic = dynamic_cast<const EPlotGraphicResource*>((*read->getResources())[0].Object());
    ASSERT_NE(readGraphic, nullptr);
    EXPECT_EQ(readGraphic->getCreationTime(), "1999-12-31T23:59:59:999");
    EXPECT_EQ(transformText(*readGraphic), "100 0 0 0 0 100 0 0 0 0 100 0 0 0 0 100 ");
    EXPECT_TRUE(read->validate());
}

}  // namespace
