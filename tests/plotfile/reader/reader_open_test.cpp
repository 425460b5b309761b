// Probing and opening packages: our own, other producers', older and newer
// plot file versions, other file types and broken packages; the plot-wide
// values and the page list.
#include <gtest/gtest.h>

#include <functional>

#include "dwfplot/DWFPlotFile.h"
#include "platform/file.h"
#include "plotfile/reader_host_messages.h"
#include "reader_inputs.h"
#include "support/temp_dir_test.h"

namespace {

using readertest::PackageLayout;
using readertest::W2dBytes;

constexpr char kUntouched[] = "untouched";

std::string onePolyline() { return W2dBytes().polyline({{1500, -250}, {2000, 3000}}).finished(); }

PackageLayout ours() { return readertest::plotPackage({onePolyline()}); }

PackageLayout withProperties(std::vector<std::pair<std::string, std::string>> properties) {
    PackageLayout layout = ours();
    layout.properties = std::move(properties);
    return layout;
}

struct ProbeCase {
    const char* name;
    std::function<void(const std::string& path)> make;
    bool readable;
    const char* message;  // after canRead
    bool opens;
};

void package(const std::string& path, const PackageLayout& layout) { readertest::writePackage(path, layout); }

std::vector<ProbeCase> probeCases() {
    using readertest::plotProperties;
    auto with = [](PackageLayout layout) { return [layout](const std::string& path) { package(path, layout); }; };
    PackageLayout header601 = ours();
    header601.headerVersion = 601;
    PackageLayout bareZip = ours();
    bareZip.headerVersion = 0;
    PackageLayout twoStreams = ours();
    twoStreams.pages[0].resources = {{"a.w2d"}, {"b.w2d"}};
    PackageLayout absentStream = ours();
    absentStream.pages[0].resources = {{"a.w2d", "2d streaming graphics", "GraphicResource", 0, false}};
    PackageLayout noStream = ours();
    noStream.pages[0].resources = {{"a.png", "thumbnail"}};
    PackageLayout noInterface = ours();
    noInterface.interfaceIds.clear();
    PackageLayout foreignInterface = ours();
    foreignInterface.interfaceIds = {readertest::kEPlotInterfaceId, "00000000-1111-2222-3333-444444444444"};
    PackageLayout noManifest = ours();
    noManifest.withManifest = false;
    PackageLayout noSections = ours();
    noSections.manifestOverride = "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\"><dwf:Properties/>"
                                  "</dwf:Manifest>";
    PackageLayout badXml = ours();
    badXml.manifestOverride = "<dwf:Manifest version=\"6.0\"><dwf:Sections></dwf:Manifest>";
    auto truncated = [](const std::string& path) {
        package(path, ours());
        const std::string bytes = testsupport::readFile(path);
        testsupport::writeFile(path, bytes.substr(0, bytes.size() / 2));
    };
    auto bytes = [](std::string content) {
        return [content](const std::string& path) { testsupport::writeFile(path, content); };
    };
    return {
        {"OurPackage", with(ours()), true, kUntouched, true},
        {"OtherProducer", with(withProperties({{"SourceProductName", "Other"}, {"Author", "A. N. Other"}})), false,
         PLT_NOT_A_KESTRA_GENERATED_FILE, true},
        {"MarkThenForeignProperty",
         with(withProperties({{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", "1.2"}, {"Author", "X"}})),
         false, PLT_NOT_A_KESTRA_GENERATED_FILE, true},
        {"Version10", with(withProperties(plotProperties("1.0"))), false, PLT_OLD_FILE_FORMAT, true},
        {"Version11", with(withProperties(plotProperties("1.1"))), false, PLT_OLD_FILE_FORMAT, true},
        {"Version13", with(withProperties(plotProperties("1.3"))), false, PLT_NEW_FILE_FORMAT, true},
        {"OldVersionThenForeignProperty",
         with(withProperties({{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", "1.1"}, {"Author", "X"}})),
         false, PLT_NOT_A_KESTRA_GENERATED_FILE, true},
        {"Header601", with(header601), false, PLT_NOT_A_KESTRA_GENERATED_FILE, true},
        // Without a ZIP directory the package cannot even be opened.
        {"BareW2d", bytes(onePolyline()), false, PLT_FILE_OPEN_ERROR, false},
        {"OlderSingleStreamDwf", bytes("(DWF V05.50)" + onePolyline().substr(12)), false, PLT_FILE_OPEN_ERROR, false},
        {"BareZip", with(bareZip), false, PLT_NOT_A_KESTRA_GENERATED_FILE, false},
        {"TwoStreamsOnAPage", with(twoStreams), true, kUntouched, false},
        {"StreamNotInContainer", with(absentStream), true, kUntouched, false},
        {"PageWithoutStream", with(noStream), true, kUntouched, false},
        {"NoInterface", with(noInterface), true, kUntouched, false},
        {"ForeignInterface", with(foreignInterface), true, kUntouched, false},
        {"MissingFile", [](const std::string&) {}, false, PLT_FILE_OPEN_ERROR, false},
        {"TruncatedPackage", truncated, false, PLT_FILE_OPEN_ERROR, false},
        {"NoManifest", with(noManifest), false, PLT_FILE_NOT_IN_DWF, false},
        {"ManifestWithoutSections", with(noSections), false, PLT_BUILDING_XML_OBJECT_ERROR, false},
        {"ManifestNotXml", with(badXml), false, PLT_INVALID_XML_CONTENT_ERROR, false},
    };
}

class ReaderOpen : public testsupport::TempDirTest {
protected:
    std::string file(const std::string& name) const { return workDir() + name; }
};

TEST_F(ReaderOpen, ProbesAndOpensEveryKindOfInput) {
    for (const ProbeCase& probe : probeCases()) {
        SCOPED_TRACE(probe.name);
        const std::string path = file(std::string(probe.name) + ".dwf");
        probe.make(path);
        DWFPlotFileReader reader;
        std::string message = kUntouched;
        EXPECT_EQ(reader.canRead(path, message), probe.readable);
        EXPECT_EQ(message, probe.message);
        std::vector<std::string> pages;
        reader.getPages(pages);
        EXPECT_TRUE(pages.empty()) << "canRead leaves no package open";
        ASSERT_EQ(reader.openPlot(path), probe.opens);
        EXPECT_EQ(reader.getOperation(), probe.opens ? PLT_PLOT_OPENED : PLT_END_OF_PLOT);
        reader.getPages(pages);
        EXPECT_EQ(pages.size(), probe.opens ? 1u : 0u);
    }
}

TEST_F(ReaderOpen, ValuesBeforeAnyPlot) {
    DWFPlotFileReader reader;
    double width = 0, height = 0, xScale = 0, yScale = 0;
    reader.getPageSize(width, height);
    reader.getPlotScale(xScale, yScale);
    std::string units;
    reader.getPlotUnits(units);
    EXPECT_EQ(width, 1.0);
    EXPECT_EQ(height, 1.0);
    EXPECT_EQ(xScale, -1.0);
    EXPECT_EQ(yScale, -1.0);
    EXPECT_EQ(units, "M");
    EXPECT_EQ(reader.getEncoding(), "ISO8859_1");
    EXPECT_EQ(reader.size(), 0);
    EXPECT_EQ(reader.position(), 0);
    std::vector<std::string> pages{"stale"};
    reader.getPages(pages);
    EXPECT_TRUE(pages.empty());
    // No plot: nothing to report, not even a page.
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
}

TEST_F(ReaderOpen, PlotValuesPagesAndProgress) {
    const std::string first = W2dBytes().polyline({{0, 0}, {10, 10}}).finished();
    const std::string second = W2dBytes().pen(3).polyline({{5, 5}, {6, 6}, {7, 9}}).finished();
    PackageLayout layout = readertest::plotPackage({first, second});
    // Stream z-orders do not reorder the pages.
    layout.pages[0].resources = {{"page.w2d", "2d streaming graphics", "GraphicResource", 7}};
    layout.pages[1].resources = {{"page.w2d", "2d streaming graphics", "GraphicResource", 3}};
    layout.pages[1].paperWidth = 4200;
    layout.pages[1].paperHeight = 2970;
    const std::string path = file("plot.dwf");
    readertest::writePackage(path, layout);

    DWFPlotFileReader reader;
    ASSERT_TRUE(reader.openPlot(path));
    double width = 0, height = 0, xScale = 0, yScale = 0;
    reader.getPageSize(width, height);
    reader.getPlotScale(xScale, yScale);
    std::string units;
    reader.getPlotUnits(units);
    EXPECT_EQ(width, 420.0);  // the last page's paper
    EXPECT_EQ(height, 297.0);
    EXPECT_EQ(xScale, 2.5);
    EXPECT_EQ(yScale, 0.125);
    EXPECT_EQ(units, "mm");
    EXPECT_EQ(reader.getEncoding(), "UTF-8");

    std::vector<std::string> pages;
    reader.getPages(pages);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(testsupport::readFile(pages[0]), first);
    EXPECT_EQ(testsupport::readFile(pages[1]), second);
    EXPECT_EQ(reader.size(), static_cast<long>(first.size() + second.size()));

    EXPECT_EQ(reader.position(), 0);
    long last = 0;
    int pagesSeen = 0;
    for (int call = 0; call < 50; ++call) {
        const Plt_Plot_Operation_T op = reader.getOperation();
        if (op == PLT_END_OF_PLOT) break;
        if (op == PLT_NEW_PAGE && ++pagesSeen == 2) {
            EXPECT_EQ(reader.position(), static_cast<long>(first.size()));
        }
        EXPECT_GE(reader.position(), last);
        last = reader.position();
    }
    EXPECT_EQ(pagesSeen, 2);
    EXPECT_EQ(reader.position(), reader.size());
    reader.closePlot();
    reader.getPages(pages);
    EXPECT_EQ(pages.size(), 2u) << "closePlot keeps the package";
}

TEST_F(ReaderOpen, PropertiesThatDoNotParse) {
    PackageLayout layout = withProperties({{"DwfToolkitVersion", "Read Only"}, {"XScale", "  7.5e-1 tail"},
                                       {"YScale", "wide"}});
    const std::string path = file("plot.dwf");
    readertest::writePackage(path, layout);
    DWFPlotFileReader reader;
    ASSERT_TRUE(reader.openPlot(path));
    double xScale = 0, yScale = 0;
    reader.getPlotScale(xScale, yScale);
    EXPECT_EQ(xScale, 0.75);
    EXPECT_EQ(yScale, 0.0);
    std::string units;
    reader.getPlotUnits(units);
    EXPECT_EQ(units, "M") << "no Units property keeps the value";
    EXPECT_EQ(reader.getEncoding(), "ISO8859_1");
}

TEST_F(ReaderOpen, SecondPlotStartsFromEmptyPages) {
    const std::string two = file("two.dwf");
    const std::string one = file("one.dwf");
    readertest::writePackage(two, readertest::plotPackage({onePolyline(), onePolyline()}));
    const std::string stream = W2dBytes().pen(1).polyline({{1, 1}, {2, 2}}).finished();
    readertest::writePackage(one, readertest::plotPackage({stream}));
    DWFPlotFileReader reader;
    ASSERT_TRUE(reader.openPlot(two));
    EXPECT_EQ(reader.getOperation(), PLT_PLOT_OPENED);
    EXPECT_EQ(reader.getOperation(), PLT_NEW_PAGE);
    ASSERT_TRUE(reader.openPlot(one));
    std::vector<std::string> pages;
    reader.getPages(pages);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(reader.size(), static_cast<long>(stream.size()));
    EXPECT_EQ(reader.position(), 0);
    EXPECT_EQ(reader.getOperation(), PLT_PLOT_OPENED);
    EXPECT_EQ(reader.getOperation(), PLT_NEW_PAGE);
    EXPECT_EQ(reader.getOperation(), PLT_NONE);  // the pen, held back
    EXPECT_EQ(reader.getPen(), 1);
    // A probe replaces the package: the plot is gone with it.
    std::string message;
    EXPECT_TRUE(reader.canRead(one, message));
    reader.getPages(pages);
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
    ASSERT_TRUE(reader.openPlot(one));
    // A failed open leaves no plot behind.
    EXPECT_FALSE(reader.openPlot(file("absent.dwf")));
    reader.getPages(pages);
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(reader.size(), 0);
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
}

TEST(ReaderHostMessages, EveryResultCodeHasItsText) {
    const std::pair<int32_t, const char*> table[] = {
        {-1, PLT_CORRUPT_FILE_ERROR},        {-2, PLT_BUILDING_XML_OBJECT_ERROR}, {-3, PLT_FILE_NOT_IN_DWF},
        {-4, PLT_FILE_OPEN_ERROR},           {-5, PLT_FILE_READ_ERROR},           {-6, PLT_FILE_WRITE_ERROR},
        {-7, PLT_INTERNAL_ERROR},            {-8, PLT_GENERAL_ERROR},             {-9, PLT_INVALID_XML_CONTENT_ERROR},
        {-10, PLT_NOT_A_KESTRA_GENERATED_FILE}, {-11, PLT_NOT_A_KESTRA_GENERATED_FILE}, {-12, PLT_GENERAL_ERROR},
        {-13, PLT_OUT_OF_MEMORY_ERROR},      {-14, PLT_GENERAL_ERROR},            {-15, PLT_TEMP_FILE_ERROR},
        {-16, PLT_TOOLKIT_USAGE_ERROR},      {-17, PLT_ZIPLIB_ERROR},             {-18, PLT_BAD_PASSWORD_ERROR},
        {-19, PLT_GENERAL_ERROR},            {-21, PLT_STREAM_IN_PROGRESS},       {-22, PLT_USER_REQUESTED_ABORT},
        {-23, PLT_UNSUPPORTED_FILE_TYPE_ERROR}, {-24, PLT_TEMP_PATH_ERROR},       {-25, PLT_GENERAL_ERROR},
        {0, PLT_GENERAL_ERROR},
    };
    for (const auto& [code, text] : table) {
        EXPECT_STREQ(DWFPlotReader::hostMessage(static_cast<DWF::DwfResult::Enum>(code)), text) << code;
    }
}

}  // namespace
