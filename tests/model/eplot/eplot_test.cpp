#include "model/eplot/eplot_page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "model/eplot/eplot_global_builder.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/eplot/eplot_namespace.h"
#include "model/eplot/eplot_page_builder.h"
#include "model/eplot/xml_object_content.h"
#include "model/xml/xml_test_support.h"
#include "support/bytes.h"

namespace {

using namespace DWFEPlot;
using DWF::DwfResult;
using DWFUtil::ObjectRef;
using DWFUtil::Vector;
using DWFXmlFramework::newObject;
using xmltest::readWith;
using xmltest::thrownBy;

constexpr int32_t OK = DwfResult::Success;

// How an object writes itself, marked when it does not validate.
std::string described(const DWFXmlObjects::XmlObject& object) {
    return (object.validate() ? "" : "invalid ") + object.toXml().toUtf8();
}

ObjectRef<EPlotPage> readPage(const std::string& text, int32_t* result = nullptr) {
    return readWith<EPlotPageBuilder>(text, result)->getPage();
}

ObjectRef<EPlotGlobal> readGlobal(const std::string& text, int32_t* result = nullptr) {
    return readWith<EPlotGlobalBuilder>(text, result)->getGlobal();
}

// How a built object writes itself bound to the ePlot namespace; "null" for none.
template <typename T>
std::string rebuilt(const ObjectRef<T>& object) {
    if (object.isNull()) return "null";
    object->addNamespace(newObject<EPlotNamespace>(), kEPlotPrefix);
    return described(*object);
}

const std::string kDeclarations =
    " xmlns:ePlot=\"DWF-ePlot:1.1\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
    "xsi:schemaLocation=\"DWF-ePlot:1.1 DWF-ePlot.xsd\" version=\"1.1\"";

const std::string kFullPage =
    "<ePlot:Page" + kDeclarations + " plotOrder=\"1\" name=\"0123456789ABCDEF0123456789ABCDEF\" color=\"128 128 128\">"
    "<ePlot:Properties><ePlot:Property name=\"Author\" value=\"KESTRA\" /><ePlot:SimpleProperty name=\"Scale\" "
    "type=\"double\" value=\"0.5\" /></ePlot:Properties><ePlot:Paper units=\"mm\" width=\"297\" height=\"210\" "
    "clip=\"0 0 297 210\" color=\"255 255 255\" /><ePlot:Resources><ePlot:GraphicResource role=\"2d streaming "
    "graphics\" mime=\"application/x-w2d\" href=\"S\\A.w2d\" title=\"tmp1\" size=\"1234\" "
    "transform=\"0.010000000000000000208166817117217 0 0 0 0 0.010000000000000000208166817117217 0 0 0 0 1 0 0 0 0 1\" "
    "extents=\"0 0 297 210\" creationTime=\"1999-12-31T23:59:59:999\" /><ePlot:ImageResource role=\"raster overlay\" "
    "mime=\"image/png\" href=\"S\\B.png\" size=\"99\" transform=\"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\" "
    "parentResourceIndex=\"0\" invertColors=\"false\" scanned=\"true\" originalExtents=\"0 0 10 10\" colorDepth=\"24\" "
    "scannedResolution=\"300\" /><ePlot:FontResource role=\"font\" mime=\"application/x-font\" href=\"S\\C.ttf\" "
    "request=\"1\" privilege=\"editable\" characterCode=\"unicode\" canonicalName=\"Arial\" logfontName=\"Arial "
    "&lt;Bold&gt;\" /></ePlot:Resources></ePlot:Page>";

// An output that refuses every write, as a full disk would.
class RefusingOutput : public DWFUtil::IOHandler {
public:
    int32_t write(const DWFUtil::String&) override { return -2; }
};

class EPlotWriterTest : public testsupport::TempDirTest {};

TEST_F(EPlotWriterTest, ReadsAndWritesThePageDescriptorInItsOrder) {
    const ObjectRef<EPlotPage> page = readPage(kFullPage);
    EXPECT_EQ(rebuilt(page), kFullPage);
    EXPECT_TRUE(xmltest::xmllintAccepts(workDir(), kFullPage));
    DWFUtil::StringIOHandler output;
    DWFUtil::String text;
    EXPECT_TRUE(writeXmlObjectContent(*page, output) == 1 && output.getContents(text) == 1);
    EXPECT_EQ(text.toUtf8(), kFullPage);
    RefusingOutput refusing;
    EXPECT_EQ(writeXmlObjectContent(*page, refusing), -1);
    EXPECT_EQ(makeEPlotInterface()->toXml().toUtf8(),
              "<Interface objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" href=\"urn:dwf:ePlot\" />");
}

// A descriptor as another producer might write it: "P:" stands for the
// element prefix, "A:" for the prefix of some attributes.
std::string foreignPage(const std::string& p, const std::string& a, const std::string& declaration) {
    const std::string text =
        "<P:Page D version='1.1' name='P1' plotOrder='2' color='1 2 3'>\r\n\t<P:Paper units='in' A:width='11' "
        "height='8.5' clip='0 0 11 8.5' show='yes'/>\n\t<P:Properties><P:SimpleProperty name='a' value='1' type='int'/>"
        "<P:Property name='b' value='2' type='nonsense'/></P:Properties>\n\t<P:Resources>\n\t\t<P:GraphicResource "
        "A:role='2d streaming graphics' A:href='s\\g.w2d' transform='2 0 0 0 0 2 0 0 0 0 1 0 0 0 0 1' "
        "creationTime='2020-01-02T03:04:05:678' modificationTime='2020-01-02T03:04:05' orientation='alwaysDifferent' "
        "effectiveResolution='0'/>\n\t\t<P:ImageResource href='s\\i.png' scanned='yes' invertColors='true' "
        "originalExtents='1 2 3' scannedResolution='200' transform='1 2 3'/>\n\t\t<P:FontResource href='s\\f.ttf' "
        "request='3' privilege='secret' characterCode='glyphIdx' canonicalName='Mono' logfontName='Mono'/>\n\t\t"
        "<P:Resource href='s\\r.bin' size='12abc' orientation='decoupled'/>\n\t\t<P:Unknown href='s\\u'/>\n\t"
        "</P:Resources>\n</P:Page>";
    using xmltest::replaceAll;
    return replaceAll(replaceAll(replaceAll(text, "P:", p), "A:", a), " D ", " " + declaration + " ");
}

// Unknown words and values outside their rules are dropped; image flags count
// only as the word "true"; three values are no transform.
TEST(EPlotPageBuilder, AnyPrefixOrNoneBuildsTheSameObjects) {
    const std::string declare = "xmlns:ePlot='DWF-ePlot:1.1' xmlns:xsi='http://www.w3.org/2000/10/XMLSchema-instance' "
                                "xsi:schemaLocation='DWF-ePlot:1.1 DWF-ePlot.xsd'";
    const std::string documents[] = {foreignPage("ePlot:", "", declare), foreignPage("ePlot:", "ePlot:", declare),
                                     foreignPage("e:", "e:", "xmlns:e='DWF-ePlot:1.1'"),
                                     foreignPage("", "", "xmlns='DWF-ePlot:1.1'")};
    // The resources are not written with the page, as the font does not validate.
    const std::string page =
        "invalid <ePlot:Page" + kDeclarations + " plotOrder=\"2\" name=\"P1\" color=\"1 2 3\"><ePlot:Properties>"
        "<ePlot:SimpleProperty name=\"a\" type=\"int\" value=\"1\" /></ePlot:Properties><ePlot:Paper show=\"yes\" "
        "units=\"in\" width=\"11\" height=\"8.5\" clip=\"0 0 11 8.5\" color=\"255 255 255\" />\r\n\t\n\t\n\t\n"
        "</ePlot:Page>";
    const std::string resources =
        "<GraphicResource role=\"2d streaming graphics\" href=\"s\\g.w2d\" transform=\"2 0 0 0 0 2 0 0 0 0 1 0 0 0 0 "
        "1\" creationTime=\"2020-01-02T03:04:05:678\" orientation=\"alwaysDifferent\" />\n<ImageResource "
        "href=\"s\\i.png\" transform=\"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\" invertColors=\"true\" scanned=\"false\" "
        "scannedResolution=\"200\" />\ninvalid <FontResource href=\"s\\f.ttf\" request=\"3\" "
        "characterCode=\"glyphIdx\" canonicalName=\"Mono\" logfontName=\"Mono\" />\n<Resource href=\"s\\r.bin\" "
        "size=\"12\" />\n";
    for (const std::string& document : documents) {
        EXPECT_EQ(rebuilt(readPage(document)), page) << document;
        const ObjectRef<EPlotResources> read = readPage(document)->getResources();
        std::string written;
        for (uint32_t i = 0; i < read->size(); ++i) written += described(*(*read)[i]) + "\n";
        EXPECT_EQ(written, resources) << document;
    }
    const ObjectRef<EPlotPage> read = readPage(documents[0]);
    const auto* font = dynamic_cast<const EPlotFontResource*>((*read->getResources())[2].Object());
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->getCharacterCode() == 3 && thrownBy([font] { font->getPrivilege(); }) == DwfResult::InvalidData);
}

// Descriptors above version 2.1 are refused; a page is built only when the document ends with its resources.
TEST(EPlotPageBuilder, BuildsOnlyCompleteDescriptorsOfAKnownVersion) {
    const struct { const char* attributes; int32_t result; } versions[] = {
        {"version='1.1'", OK}, {"version='2.1'", OK}, {"version='2.2'", DwfResult::UnsupportedVersion},
        {"version='99'", DwfResult::UnsupportedVersion}, {"version='x'", OK}, {"", OK},
        {"xmlns:ePlot='DWF-ePlot:1.1' xsi:schemaLocation='DWF-ePlot:1.1 DWF-ePlot.xsd'", OK},
        {"xmlns:xmlns='U' xsi:schemaLocation='U DWF-ePlot:3.0'", DwfResult::UnsupportedVersion},
        {"xmlns:xmlns='U' xsi:schemaLocation='U DWF-ePlot:2.0'", OK}};
    for (const auto& c : versions) {
        int32_t page = 0;
        int32_t global = 0;
        const std::string attributes = c.attributes;
        const bool built = !readPage("<Page " + attributes + "><Resources/></Page>", &page).isNull();
        readGlobal("<Global " + attributes + "/>", &global);
        EXPECT_TRUE(built == (c.result == OK) && page == c.result && global == c.result) << attributes;
    }
    const struct { const char* document; int32_t result; } unbuilt[] = {
        {"<Page><Paper units='mm' width='1' height='1'/><Properties/></Page>", OK},
        {"<Page><Other><Resources/></Other></Page>", OK}, {"<Page><Paper><Resources/></Paper></Page>", OK},
        {"<Resources/>", OK}, {"<Page><Resources/>", OK}, {"<Page><Resources></Page>", DwfResult::XmlParseError},
        {"<Page version='1.1", DwfResult::XmlParseError}};
    for (const auto& c : unbuilt) {
        int32_t result = 0;
        EXPECT_TRUE(readPage(c.document, &result).isNull() && result == c.result) << c.document;
    }
    // Paper and properties are optional; the empty paper made with the page does not validate.
    EXPECT_TRUE(std::regex_match(newObject<EPlotPage>()->getPageName().toUtf8(), std::regex("[0-9A-F]{32}")));
    EXPECT_EQ(rebuilt(readPage("<Page name='x'><Resources/></Page>")),
              "<ePlot:Page" + kDeclarations + " plotOrder=\"1\" name=\"x\" color=\"128 128 128\"><ePlot:Resources />"
              "</ePlot:Page>");
}

// Bookmark styles are taken by their truth value and written only when true; a bookmark without name is written without
// attributes, or not at all when it has no children either.
TEST_F(EPlotWriterTest, ReadsAndWritesTheGlobalDescriptorWithItsBookmarkTree) {
    const std::string expected =
        "<ePlot:Global" + kDeclarations + "><ePlot:Properties><ePlot:Property name=\"Title\" value=\"Plan\" />"
        "</ePlot:Properties><ePlot:Bookmark><ePlot:Bookmark name=\"First\" color=\"255 0 0\" bold=\"true\" "
        "italic=\"true\" href=\"#1\"><ePlot:Bookmark name=\"Inner\" href=\"#2\" /></ePlot:Bookmark><ePlot:Bookmark />"
        "</ePlot:Bookmark></ePlot:Global>";
    EXPECT_EQ(rebuilt(readGlobal("<ePlot:Global xmlns:ePlot='DWF-ePlot:1.1' version='1.1'><ePlot:Properties>"
                                 "<ePlot:Property name='Title' value='Plan'/></ePlot:Properties><ePlot:Bookmark>"
                                 "<ePlot:Bookmark name='First' href='#1' color='255 0 0' bold='yes' italic='1' "
                                 "underline='Yes'><ePlot:Bookmark name='Inner' href='#2' bold='no'/></ePlot:Bookmark>"
                                 "<ePlot:Bookmark name='' href=''/></ePlot:Bookmark></ePlot:Global>")),
              expected);
    EXPECT_TRUE(xmltest::xmllintAccepts(workDir(), expected));
    EXPECT_EQ(rebuilt(readGlobal("<Global/>")), "invalid <ePlot:Global" + kDeclarations + " />");  // always built
    EXPECT_EQ(rebuilt(readGlobal("<Global><Bookmark href='#x'/>note</Global>")),
              "<ePlot:Global" + kDeclarations + ">note</ePlot:Global>");
}

template <typename T = double>
Vector<T> ones(uint32_t count) {
    Vector<T> result;
    for (uint32_t i = 0; i < count; ++i) result.push_back(1);
    return result;
}

TEST(EPlotSetters, TakeValuesWithinTheirRulesAndRefuseTheRest) {
    EPlotPaper paper;
    EPlotImageResource image;
    EPlotFontResource font;
    const int32_t refused[] = {
        paper.setWidth(0), paper.setWidth(-1), paper.setHeight(0), paper.setHeight(std::nan("")), paper.setUnits("cm"),
        paper.setClip(ones(3)), paper.setColor(ones<int32_t>(1)), image.setTransform(ones(15)),
        image.setTransform(ones(17)), image.setExtents(ones(5)), image.setClip(ones(0)),
        image.setOriginalExtents(ones(3)), image.setEffectiveResolution(0), image.setScannedResolution(-3),
        image.setOrientation(3), image.setOrientation("AlwaysInSync"), font.setPrivilege(5),
        font.setPrivilege("NoEmbedding"), font.setCharacterCode(0)};
    for (const int32_t& result : refused) EXPECT_EQ(result, DwfResult::InvalidArgument) << "call " << &result - refused;
    Vector<double> clip;
    EXPECT_TRUE(paper.getClip(clip) == DwfResult::ValueNotSet && image.getOrientation() == 4);
    EXPECT_THROW(font.getCharacterCode(), DwfResult::Enum);

    const int32_t accepted[] = {paper.setUnits("mm"), paper.setUnits("in"), paper.setWidth(0.5), paper.setHeight(2),
                                paper.setClip(ones(4)), image.setOrientation(1), image.setEffectiveResolution(1),
                                font.setPrivilege(2), font.setCharacterCode(1), font.setPrivilege("noEmbedding")};
    for (const int32_t& result : accepted) EXPECT_EQ(result, OK) << "call " << &result - accepted;
    EXPECT_TRUE(image.getOrientation() == 1 && font.getPrivilege() == 4);
    EXPECT_EQ(described(paper),
              "<Paper units=\"in\" width=\"0.5\" height=\"2\" clip=\"1 1 1 1\" color=\"255 255 255\" />");
    EXPECT_EQ(described(image),
              "<ImageResource transform=\"1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1\" orientation=\"alwaysInSync\" "
              "effectiveResolution=\"1\" />");
    EXPECT_EQ(described(font), "invalid <FontResource privilege=\"noEmbedding\" characterCode=\"unicode\" />");
    // Resource times need the millisecond form.
    const struct { const char* text; bool accepted; } cases[] = {
        {"2020-01-02T03:04:05:678", true},  {"0000-12-31T23:59:59:999", true},  {"2020-01-02T03:04:05", false},
        {"2020-01-02T03:04:05.678", false}, {"2020-13-02T03:04:05:678", false}, {"2020-00-02T03:04:05:678", false},
        {"2020-01-32T03:04:05:678", false}, {"2020-01-00T03:04:05:678", false}, {"2020-01-02T24:04:05:678", false},
        {"2020-01-02T03:60:05:678", false}, {"2020-01-02T03:04:60:678", false}, {"2020-01-02 03:04:05:678", false},
        {"2020-01-02T03:04:05:67x", false}, {"2020-01-02T03:04:05:6789", false}, {"-020-01-02T03:04:05:678", false},
        {"", false}};
    for (const auto& c : cases) {
        EPlotGraphicResource resource;
        EXPECT_TRUE((resource.setCreationTime(c.text) == OK) == c.accepted &&
                    (resource.setModificationTime(c.text) == OK) == c.accepted) << c.text;
        EXPECT_EQ(resource.getCreationTime(), c.accepted ? c.text : "") << c.text;
    }
    // A read paper checks its lists and size.
    const std::string longClip = testsupport::repeat("1 ", 2000);
    const std::string sized = "units='mm' width='1' height='2'";
    const struct { std::string attributes; bool valid; } papers[] = {
        // The minimum is inclusive; an unknown word is not taken.
        {sized, true}, {"units='mm' width='0' height='2'", true}, {"units='mm' width='-1' height='2'", false},
        {"units='mm' width='nan' height='2'", false}, {"width='1' height='2'", false}, {"units='mm' height='2'", false},
        {sized + " clip='0 0 1 2'", true}, {sized + " clip='0 0 1'", false}, {sized + " clip='0 -1 1 2'", false},
        {sized + " color='1 2'", false}, {sized + " show='maybe'", true}, {sized + " clip='" + longClip + "'", false}};
    for (const auto& c : papers) {
        const ObjectRef<EPlotPage> page = readPage("<Page><Paper " + c.attributes + "/><Resources/></Page>");
        ASSERT_FALSE(page.isNull());
        EXPECT_EQ(page->getPaper()->validate(), c.valid) << c.attributes;
    }
    Vector<double> values;  // an overlong list reads as invalid data
    EXPECT_EQ(readPage("<Page><Paper clip='" + longClip + "'/><Resources/></Page>")->getPaper()->getClip(values),
              DwfResult::InvalidData);
}

}  // namespace
