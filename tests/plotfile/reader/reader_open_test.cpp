// Probing and opening packages: our own, other producers', older and newer plot file versions, other file types
// and broken packages; the plot-wide values and the page list.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <functional>

#include "dwfplot/DWFPlotFile.h"
#include "plotfile/reader_host_messages.h"
#include "support/package_builder.h"
#include "support/plot_replay.h"
#include "support/temp_dir_test.h"
#include "support/w2d_bytes.h"

namespace {

using testsupport::Codes;
using testsupport::operations;
using testsupport::PackageLayout;
using testsupport::plotValues;
using testsupport::progress;
using testsupport::W2dBytes;
using Properties = std::vector<std::pair<std::string, std::string>>;

constexpr char kUntouched[] = "untouched";

std::string onePolyline() { return W2dBytes().polyline({{1500, -250}, {2000, 3000}}).finished(); }

// A package of this library's with one page, changed by `change`.
PackageLayout ours(const std::function<void(PackageLayout&)>& change = {}) {
    PackageLayout layout = testsupport::plotPackage({onePolyline()});
    if (change) change(layout);
    return layout;
}
PackageLayout withProperties(const Properties& properties) {
    return ours([&](PackageLayout& l) { l.properties = properties; });
}

using ReaderOpen = testsupport::TempDirTest;

TEST_F(ReaderOpen, ProbesAndOpensEveryKindOfInput) {
    using testsupport::plotProperties;
    const Properties markThen = {{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", "1.2"}, {"Author", "X"}};
    const Properties oldThen = {{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", "1.1"}, {"Author", "X"}};
    auto resources = [](std::vector<testsupport::ResourceSpec> r) {
        return ours([&](PackageLayout& l) { l.pages[0].resources = r; });
    };
    auto manifest = [](std::string xml) { return ours([&](PackageLayout& l) { l.manifestOverride = xml; }); };
    struct Case {
        const char* name;
        bool readable;
        const char* message;  // after canRead
        bool opens;
        PackageLayout layout;
        std::string raw = "";  // instead of the package: "w2d" or "dwf55" (a bare stream), "missing", "half" of it
    } const cases[] = {
        {"OurPackage", true, kUntouched, true, ours()},
        {"OtherProducer", false, PLT_NOT_A_KESTRA_GENERATED_FILE, true,
         withProperties({{"SourceProductName", "Other"}, {"Author", "A. N. Other"}})},
        {"MarkThenForeignProperty", false, PLT_NOT_A_KESTRA_GENERATED_FILE, true, withProperties(markThen)},
        {"Version10", false, PLT_OLD_FILE_FORMAT, true, withProperties(plotProperties("1.0"))},
        {"Version11", false, PLT_OLD_FILE_FORMAT, true, withProperties(plotProperties("1.1"))},
        {"Version13", false, PLT_NEW_FILE_FORMAT, true, withProperties(plotProperties("1.3"))},
        {"OldVersionThenForeignProperty", false, PLT_NOT_A_KESTRA_GENERATED_FILE, true, withProperties(oldThen)},
        {"Header601", false, PLT_NOT_A_KESTRA_GENERATED_FILE, true,
         ours([](PackageLayout& l) { l.headerVersion = 601; })},
        // Without a ZIP directory the package cannot even be opened.
        {"BareW2d", false, PLT_FILE_OPEN_ERROR, false, {}, "w2d"},
        {"OlderSingleStreamDwf", false, PLT_FILE_OPEN_ERROR, false, {}, "dwf55"},
        {"BareZip", false, PLT_NOT_A_KESTRA_GENERATED_FILE, false, ours([](PackageLayout& l) { l.headerVersion = 0; })},
        {"TwoStreamsOnAPage", true, kUntouched, false, resources({{"a.w2d"}, {"b.w2d"}})},
        {"StreamNotInContainer", true, kUntouched, false,
         resources({{"a.w2d", "2d streaming graphics", "GraphicResource", 0, false}})},
        {"PageWithoutStream", true, kUntouched, false, resources({{"a.png", "thumbnail"}})},
        {"NoInterface", true, kUntouched, false, ours([](PackageLayout& l) { l.interfaceIds.clear(); })},
        {"ForeignInterface", true, kUntouched, false, ours([](PackageLayout& l) {
             l.interfaceIds = {testsupport::kEPlotInterfaceId, "00000000-1111-2222-3333-444444444444"};
         })},
        {"MissingFile", false, PLT_FILE_OPEN_ERROR, false, {}, "missing"},
        {"TruncatedPackage", false, PLT_FILE_OPEN_ERROR, false, ours(), "half"},
        {"NoManifest", false, PLT_FILE_NOT_IN_DWF, false, ours([](PackageLayout& l) { l.withManifest = false; })},
        {"ManifestWithoutSections", false, PLT_BUILDING_XML_OBJECT_ERROR, false,
         manifest("<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\"><dwf:Properties/></dwf:Manifest>")},
        {"ManifestNotXml", false, PLT_INVALID_XML_CONTENT_ERROR, false,
         manifest("<dwf:Manifest version=\"6.0\"><dwf:Sections></dwf:Manifest>")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = workDir() + c.name + ".dwf";
        if (c.raw == "w2d" || c.raw == "dwf55") {
            testsupport::writeFile(path, c.raw == "w2d" ? onePolyline() : "(DWF V05.50)" + onePolyline().substr(12));
        } else if (c.raw != "missing") {
            testsupport::writePackage(path, c.layout);
            const std::string bytes = testsupport::readFile(path);
            if (c.raw == "half") testsupport::writeFile(path, bytes.substr(0, bytes.size() / 2));
        }
        DWFPlotFileReader reader;
        std::string message = kUntouched;
        EXPECT_EQ(reader.canRead(path, message), c.readable);
        EXPECT_EQ(message, c.message);
        std::vector<std::string> pages;
        reader.getPages(pages);
        EXPECT_TRUE(pages.empty()) << "canRead leaves no package open";
        ASSERT_EQ(reader.openPlot(path), c.opens);
        EXPECT_EQ(reader.getOperation(), c.opens ? PLT_PLOT_OPENED : PLT_END_OF_PLOT);
        reader.getPages(pages);
        EXPECT_EQ(pages.size(), c.opens ? 1u : 0u);
    }
}

TEST_F(ReaderOpen, PlotValuesPagesAndProgress) {
    const std::string first = W2dBytes().polyline({{0, 0}, {10, 10}}).finished();
    const std::string second = W2dBytes().pen(3).polyline({{5, 5}, {6, 6}, {7, 9}}).finished();
    PackageLayout layout = testsupport::plotPackage({first, second});
    // Stream z-orders do not reorder the pages.
    layout.pages[0].resources = {{"page.w2d", "2d streaming graphics", "GraphicResource", 7}};
    layout.pages[1].resources = {{"page.w2d", "2d streaming graphics", "GraphicResource", 3}};
    layout.pages[1].paperWidth = 4200;
    layout.pages[1].paperHeight = 2970;
    const std::string path = workDir() + "plot.dwf";
    testsupport::writePackage(path, layout);

    DWFPlotFileReader reader;
    ASSERT_TRUE(reader.openPlot(path));
    EXPECT_EQ(plotValues(reader), "420x297 2.5,0.125 mm UTF-8");  // the last page's paper
    std::vector<std::string> pages;
    reader.getPages(pages);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(testsupport::readFile(pages[0]), first);
    EXPECT_EQ(testsupport::readFile(pages[1]), second);
    EXPECT_EQ(reader.size(), static_cast<long>(first.size() + second.size()));

    EXPECT_EQ(reader.position(), 0);
    long last = 0;
    int pagesSeen = 0;
    Plt_Plot_Operation_T op;
    for (int call = 0; call < 50 && (op = reader.getOperation()) != PLT_END_OF_PLOT; ++call) {
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

// The values before any plot, and those a plot keeps when its properties are missing or do not parse.
TEST_F(ReaderOpen, ValuesBeforeAnyPlotAndPropertiesThatDoNotParse) {
    DWFPlotFileReader reader;
    EXPECT_EQ(plotValues(reader), "1x1 -1,-1 M ISO8859_1");
    EXPECT_EQ(progress(reader), "0 pages 0/0");
    // No plot: nothing to report, not even a page.
    EXPECT_EQ(operations(reader, 2), (Codes{PLT_END_OF_PLOT, PLT_END_OF_PLOT}));
    const std::string path = workDir() + "plot.dwf";
    testsupport::writePackage(path, withProperties({{"DwfToolkitVersion", "Read Only"}, {"XScale", "  7.5e-1 tail"},
                                                    {"YScale", "wide"}}));
    ASSERT_TRUE(reader.openPlot(path));
    // No Units property keeps the value.
    EXPECT_EQ(plotValues(reader), "297x210 0.75,0 M ISO8859_1");
}

TEST_F(ReaderOpen, SecondPlotStartsFromEmptyPages) {
    const std::string two = workDir() + "two.dwf", one = workDir() + "one.dwf";
    testsupport::writePackage(two, testsupport::plotPackage({onePolyline(), onePolyline()}));
    const std::string stream = W2dBytes().pen(1).polyline({{1, 1}, {2, 2}}).finished();
    testsupport::writePackage(one, testsupport::plotPackage({stream}));
    DWFPlotFileReader reader;
    ASSERT_TRUE(reader.openPlot(two));
    EXPECT_EQ(operations(reader, 2), (Codes{PLT_PLOT_OPENED, PLT_NEW_PAGE}));
    ASSERT_TRUE(reader.openPlot(one));
    EXPECT_EQ(progress(reader), "1 pages " + std::to_string(stream.size()) + "/0");
    EXPECT_EQ(operations(reader, 3), (Codes{PLT_PLOT_OPENED, PLT_NEW_PAGE, PLT_NONE}));  // the pen, held back
    EXPECT_EQ(reader.getPen(), 1);
    // A probe replaces the package: the plot is gone with it.
    std::string message;
    EXPECT_TRUE(reader.canRead(one, message));
    EXPECT_EQ(progress(reader), "0 pages 0/0");
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
    ASSERT_TRUE(reader.openPlot(one));
    // A failed open leaves no plot behind.
    EXPECT_FALSE(reader.openPlot(workDir() + "absent.dwf"));
    EXPECT_EQ(progress(reader), "0 pages 0/0");
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
}

// Opening holds no file per page: a plot of more pages than the process may open files replays whole.
TEST_F(ReaderOpen, MorePagesThanOpenFilesAllowed) {
    constexpr int kPages = 200;
    const std::string path = workDir() + "many.dwf";
    testsupport::writePackage(path, testsupport::plotPackage(std::vector<std::string>(kPages, onePolyline())));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit few = saved;
    few.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &few), 0);
    DWFPlotFileReader reader;
    const bool opened = reader.openPlot(path);
    int pages = 0;
    for (Plt_Plot_Operation_T op; opened && (op = reader.getOperation()) != PLT_END_OF_PLOT;) {
        pages += op == PLT_NEW_PAGE;
    }
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_TRUE(opened);
    EXPECT_EQ(pages, kPages);
}

TEST(ReaderHostMessages, EveryResultCodeHasItsText) {
    // Codes 0, -1, ..., -25.
    for (int32_t code = 0; code > -26; --code) {
        const auto result = static_cast<DWF::DwfResult::Enum>(code);
        EXPECT_STREQ(DWFPlotReader::hostMessage(result), testsupport::kHostMessages[-code]) << code;
    }
}

}  // namespace
