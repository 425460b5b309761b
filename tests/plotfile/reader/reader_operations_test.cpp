// Replaying page streams, hand-made or written by DWFPlotFileWriter: the order of the operations, the data of
// every getter, images through the host's loader, and streams that end early or break.
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <tuple>

// Its helpers write plots for the round trips.
#include "plotfile/writer/plot_writer_test_support.h"
#include "support/package_builder.h"
#include "support/plot_replay.h"
#include "support/w2d_bytes.h"

namespace {

using testsupport::Codes;
using testsupport::Lines;
using plotwritertest::addLines;
using testsupport::loadImage;
using testsupport::operations;
using testsupport::points;
using testsupport::shapes;
using testsupport::W2dBytes;

// A reader in a current directory of its own, where image files for the host's loader are made.
class ReaderFixture : public testsupport::PlotReaderTest {
protected:
    void TearDown() override {
        reader_.reset();
        PlotReaderTest::TearDown();
    }

    // Opens `path` in a new reader (with `load`, or by the default constructor with `keepLoader`) and checks
    // the opening report.
    DWFPlotFileReader& openFile(const std::string& path, ImageLoadCallback load = loadImage, bool keepLoader = false) {
        reader_.reset();
        reader_ = keepLoader ? std::make_unique<DWFPlotFileReader>() : std::make_unique<DWFPlotFileReader>(load);
        EXPECT_TRUE(reader_->openPlot(path));
        EXPECT_EQ(reader_->getOperation(), PLT_PLOT_OPENED);
        return *reader_;
    }
    // Opens a package of this library's with one page per stream.
    DWFPlotFileReader& open(const std::vector<std::string>& pages, ImageLoadCallback load = loadImage,
                            bool keepLoader = false) {
        const std::string path = workDir() + "plot" + std::to_string(++plots_) + ".dwf";
        testsupport::writePackage(path, testsupport::plotPackage(pages));
        return openFile(path, load, keepLoader);
    }

    Lines replay(size_t calls = 60) { return testsupport::replay(*reader_, calls); }

    std::unique_ptr<DWFPlotFileReader> reader_;

private:
    int plots_ = 0;
};

using ReaderOperations = ReaderFixture;

// The points and the pen stay until fetched, even after the end of the plot; the host's buffer, stale point and
// all, is emptied.
TEST_F(ReaderOperations, PolylineFetchedAfterTheFact) {
    auto& reader = open({W2dBytes().pen(2).polyline({{1500, -250}, {2000, 3000}, {-1, 0}}).finished()});
    EXPECT_EQ(operations(reader, 7),
              (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_PEN, PLT_LINE, PLT_NONE, PLT_END_OF_PLOT}));
    EXPECT_EQ(reader.getPen(), 2);
    std::vector<PlottingPoint> line{PlottingPoint(9, 9, "stale")};
    reader.getLine(line);
    EXPECT_EQ(points(line), " 1.5,-0.25 2,3 -0.001,0");
    reader.getLine(line);
    EXPECT_TRUE(line.empty());
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
}

// Streams another producer could write, each the one page of a plot, and what a host fetches from them.
TEST_F(ReaderOperations, HandMadeStreamsReplay) {
    const std::string group(5000, 'g'), table(70000, 't'), symbol(300, 's');
    const std::string body = W2dBytes().pen(9).record("Group", "inside").polyline({{0, 0}, {10, 10}})
                                 .contours({{{0, 0}, {1, 0}, {1, 1}}}).fill(true).circle({5, 5}, 20).fill(false)
                                 .image(12, {0, 0}, {10, 10}, "PNGDATA").polyline({{5, 5}, {0, 0}}).bytes().substr(12);
    const std::string whole = W2dBytes().pen(4).polyline({{0, 0}, {1000, 1000}}).bytes();
    const std::string cut = whole.substr(0, whole.size() - 3);
    struct Case {
        const char* name;
        std::vector<std::string> pages;
        Lines expected;
        ImageLoadCallback load = loadImage;
    } const cases[] = {
        {"PenIsHeldBackAndPrecedesEveryDrawable",
         {W2dBytes().pen(7).polyline({{0, 0}, {1, 1}}).pen(-2).contours({{{0, 0}, {5, 0}, {5, 5}}}).finished()},
         {"page", "none", "pen 7", "pen 7", "line 0,0 0.001,0.001", "none", "pen -2", "pen -2",
          "polygons -2 '': 0,0 0.005,0 0.005,0.005", "none"}},
        {"GroupGoesOnTheFirstPointAndCarriesOver",
         {W2dBytes().record("Group", "Roads").polyline({{0, 0}, {1000, 0}}).polyline({{5000, 0}, {6000, 0}})
             .record("Group", "").contours({{{0, 0}, {1, 0}, {1, 1}}}).finished()},
         {"page", "pen 0", "line 0,0'Roads' 1,0", "pen 0", "line 5,0'Roads' 6,0", "pen 0",
          "polygons 0 '': 0,0 0.001,0 0.001,0.001", "none"}},
        // The text objects are taken by getText; the polyline follows, in the text's group.
        {"ThreeLineTextWithEmptyMiddleLine",
         {W2dBytes().record("Text", "1.250 -2.000 0.350 \"Arial Narrow\" 1 0 1 30.000 3 Labels")
             .text({100, 100}, "first line").text({100, 200}, "").unicodeText({100, 300}, u"dritte \u03a9 \U0001F600")
             .polyline({{0, 0}, {1, 1}}).finished()},
         {"page", "pen 0",
          "text 1.25,-2 'Labels' Arial Narrow 0.35 bold underline 30: first line\n\ndritte \u03a9 \U0001F600", "pen 0",
          "line 0,0'Labels' 0.001,0.001", "none"}},
        {"TextWhoseLinesAreMissingEndsWithTheStream",
         {W2dBytes().record("Text", "0.000 0.000 0.180 \"Arial\" 0 0 0 0.000 3 ").text({0, 0}, "o").finished(),
          W2dBytes().polyline({{0, 0}, {1, 1}}).finished()},
         {"page", "pen 0", "text 0,0 '' Arial 0.18 0: o", "none", "page", "pen 0", "line 0,0 0.001,0.001", "none"}},
        // The pen, group and image inside the body are dropped; the second closing record reports nothing.
        {"SymbolBodyIsSkippedAndReportedOnce",
         {W2dBytes().pen(2).record("Symbol", "1.500 2.250 1.50 45.00 1 3 Valve \"Pipes\"").raw(body)
             .record("EndSymbol", "").record("EndSymbol", "").polyline({{0, 0}, {3000, 0}}).finished()},
         {"page", "none", "pen 2", "pen 2", "symbol 1.5,2.25 1.5 45 filled Valve 'Pipes'", "pen 2",
          "line 0,0'Pipes' 3,0", "none"}},
        {"SymbolWithoutClosingRecordEndsWithTheStream",
         {W2dBytes().record("Symbol", "0.000 0.000 1.00 0.00 0 1 Dot \"\"").polyline({{0, 0}, {1, 1}}).finished()},
         {"page", "pen 0", "symbol 0,0 1 0 Dot ''", "none"}},
        // Another producer may end the record at the name: the symbol has no group.
        {"SymbolRecordEndingAtItsNameHasNoGroup",
         {W2dBytes().record("Group", "Earlier").record("Symbol", "1.500 2.250 1.50 45.00 1.0 1 Valve")
             .polyline({{0, 0}, {1, 1}}).record("EndSymbol", "").finished()},
         {"page", "pen 0", "symbol 1.5,2.25 1.5 45 filled Valve ''", "none"}},
        {"GroupOptionsAreReportedTwiceAndTablesOnce",
         {W2dBytes().record("GroupOptions", "3 \"Roads and rails\" 1 0").record("Table", "a|b\nc|d").finished()},
         {"page", "options Roads and rails 1 0", "options Roads and rails 1 0", "table a|b\nc|d", "none"}},
        {"LongRecordsSurviveWhole",
         {W2dBytes().record("Group", group).polyline({{0, 0}, {1, 1}}).record("Table", table)
             .record("Symbol", "0.000 0.000 1.00 0.00 0 0 " + symbol + " \"" + group + "\"").record("EndSymbol", "")
             .finished()},
         {"page", "pen 0", "line 0,0'" + group + "' 0.001,0.001", "table " + table, "pen 0",
          "symbol 0,0 1 0 " + symbol + " '" + group + "'", "none"}},
        {"RecordsThatDoNotParseAreIgnored",
         {W2dBytes().userData("Pen", std::string("\x05\x00", 2)).record("Text", "garbage")
             .record("GroupOptions", "no quotes").record("Symbol", "1 2").record("Unknown", "x")
             .userData("pen", std::string(4, '\x01')).polyline({{0, 0}, {1, 1}}).finished()},
         {"page", "pen 0", "line 0,0 0.001,0.001", "none"}},
        // Each image file is made in the current directory, given to the loader and removed.
        {"ImagesGoThroughTheLoader",
         {W2dBytes().record("Group", "Photos").image(12, {1000, 2000}, {5000, 3000}, "PNG bytes")
             .image(8, {0, 0}, {0, 0}, "JPEG bytes").image(9, {-1000, -1000}, {0, 0}, "G4").finished()},
         {"page", "image 1,2 1x4 'Photos' #0 .png 'PNG bytes'", "image 0,0 0x0 'Photos' #1 .jpg 'JPEG bytes'",
          "image -1,-1 1x1 'Photos' #2 .tif 'G4'", "none"}},
        // A page cut inside the polyline, a corrupt one, one that is no stream, an empty one: each ends, the plot
        // goes on.
        {"BrokenPageEndsAndThePlotGoesOn",
         {cut, W2dBytes().raw("\x01\x01\x01").polyline({{0, 0}, {1, 1}}).finished(), "not a stream", "",
          W2dBytes().pen(4).polyline({{0, 0}, {1000, 1000}}).finished()},
         {"page", "none", "pen 4", "none", "page", "none", "page", "none", "page", "none", "page", "none", "pen 4",
          "pen 4", "line 0,0 1,1", "none"}},
        {"WithoutLoaderImagesAreNull", {W2dBytes().image(12, {0, 0}, {1000, 1000}, "PNG").finished()},
         {"page", "image 0,0 1x1 '' null", "none"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.pages, c.load);
        testsupport::loads().clear();
        EXPECT_EQ(replay(), c.expected);
        EXPECT_EQ(reader_->position(), reader_->size());
    }
}

// Polygons not yet taken gather until getPolygons takes them all.
TEST_F(ReaderOperations, ContourSetsReadTogetherComeBackTogether) {
    auto& reader = open({W2dBytes().contours({{{0, 0}, {4000, 0}, {4000, 4000}}, {{1000, 1000}, {2000, 1000},
                                                                                   {2000, 2000}}})
                             .contours({{{-500, 0}, {0, 500}, {500, 0}, {0, -500}}}).finished()});
    EXPECT_EQ(operations(reader, 5), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_POLYGONS, PLT_PEN, PLT_POLYGONS}));
    std::vector<std::vector<PlottingPoint>> polygons;
    int pen = 1;
    reader.getPolygons(polygons, pen);
    EXPECT_EQ(shapes(polygons), " 0,0 4,0 4,4 | 1,1 2,1 2,2 | -0.5,0 0,0.5 0.5,0 0,-0.5");
    EXPECT_EQ(pen, 0);
    reader.getPolygons(polygons, pen);
    EXPECT_TRUE(polygons.empty());
}

TEST_F(ReaderOperations, TextBeforeAnyTextRecord) {
    auto& reader = open({W2dBytes().polyline({{0, 0}, {1, 1}}).finished()});
    double x = 5, y = 5, angle = 5;
    PlotFont font;
    font.name = "Mine";
    std::string group = "kept";
    EXPECT_EQ(std::wstring(reader.getText(x, y, font, angle, group)), L"");
    EXPECT_EQ(std::make_tuple(x, y, angle, font.name, font.height, group),
              std::make_tuple(0.0, 0.0, 0.0, std::string("Default"), 0.0, std::string("kept")));
}

// The default constructor leaves the process's loader alone; the last reader given one decides, a null one
// included.
TEST_F(ReaderOperations, TheLoaderIsTheProcessOne) {
    const std::string stream = W2dBytes().image(8, {0, 0}, {1000, 1000}, "JPEG").finished();
    open({stream}, nullptr);
    const DWFPlotFileReader withLoader(loadImage);
    open({stream}, nullptr, true);
    EXPECT_EQ(replay(2), (Lines{"page", "image 0,0 1x1 '' #0 .jpg 'JPEG'"}));
    const DWFPlotFileReader without(nullptr);
    EXPECT_EQ(replay(), Lines{"none"});
    open({stream}, nullptr, true);
    EXPECT_EQ(replay(), (Lines{"page", "image 0,0 1x1 '' null", "none"}));
}

TEST_F(ReaderOperations, PageStreamThatCannotBeOpened) {
    auto& reader = open({W2dBytes().polyline({{0, 0}, {1, 1}}).finished()});
    std::vector<std::string> pages;
    reader.getPages(pages);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(::unlink(pages[0].c_str()), 0);
    EXPECT_EQ(operations(reader, 3), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_END_OF_PLOT}));
}

class ReaderRoundTrip : public ReaderFixture {
protected:
    std::string write(const std::function<void(DWFPlotFileWriter&)>& draw, const std::set<std::string>& options = {}) {
        const std::string path = workDir() + "roundtrip.dwf";
        DWFPlotFileWriter writer(testsupport::encodeImage, testsupport::releaseImage);
        std::vector<PenDetail> pens{{0, 0, 0, 0.1}, {255, 0, 0, 0.25}, {0, 255, 0, 0.35}, {0, 0, 255, 0.5}};
        writer.setPenDetails(pens);
        EXPECT_TRUE(writer.openPlot(path, 297, 210, 2.0, 0.5, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage(options);
        draw(writer);
        writer.closePage();
        writer.closePlot();
        return path;
    }
};

TEST_F(ReaderRoundTrip, EveryWriterCall) {
    const std::string path = write(
        [](DWFPlotFileWriter& writer) {
            writer.setPen(1);
            addLines(writer, {{0, 0, 3, "Roads"}, {10, 0, 2, "Roads"}, {10, 5, 2, "Roads"}, {20, 20, 3, "Rail"},
                              {25, 20, 2, "Rail"}});
            writer.addPolygons({{{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {{10, 10}, {20, 10}, {20, 20}}}, 2, "Parcels");
            PlotFont font;
            font.name = "Arial";
            font.height = 2.5;
            font.bold = true;
            writer.addText(100, 50, font, 0, L"First", 1, 3, 10, 2, 0.25, "Labels");
            writer.addText(100, 47, font, 0, L"", 2, 3, 10, 2, 0.25, "Labels");
            writer.addText(100, 44, font, 0, L"Th\u00efrd \u03a9", 3, 3, 10, 2, 0.25, "Labels");
            const auto circle = plotwritertest::ring(36, 0, 0, 5);
            writer.addSymbol(30, 40, 1.5, 90, true, "Valve", {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}, circle}, "Pipes");
            writer.addSymbol(35, 45, 2, 0, false, "Marker", {{{0, 0}, {3, 0}}, {{1, 1}}}, "Marks");
            writer.addTable("T1|T2\nA|B");
            writer.setPen(3);
            IMAGE png{40, 30, 0, nullptr, 1}, jpeg{8, 0, 0, nullptr, 0};
            writer.addImage(50, 60, 40, 30, &png, "Photos");
            writer.addImage(0, 0, 8, 6, &jpeg, "Snaps");
            addLines(writer, {{1, 1, 3, "End"}, {2, 2, 2, "End"}});
        },
        {"3 \"Roads\" 1 0", "7 \"Rail\" 0 1"});
    auto& reader = openFile(path);
    EXPECT_EQ(replay(), (Lines{"page", "none", "pen 1", "pen 1", "line 0,0'Roads' 10,0 10,5", "pen 1",
                               "line 20,20'Rail' 25,20", "none", "pen 2", "pen 2",
                               "polygons 2 'Parcels': 0,0 40,0 40,40 0,40 | 10,10 20,10 20,20", "pen 2",
                               "text 100,44 'Labels' Arial 2.5 bold 0: First\n\nTh\u00efrd \u03a9", "pen 2",
                               "symbol 30,40 1.5 90 filled Valve 'Pipes'", "pen 2", "symbol 35,45 2 0 Marker 'Marks'",
                               "table T1|T2\nA|B", "none", "pen 3", "image 50,60 30x40 'Photos' #0 .png 'PNG:40'",
                               "image 0,0 6x8 'Snaps' #1 .jpg 'JPEG:8'", "pen 3", "line 1,1'End' 2,2",
                               "options Roads 1 0", "options Roads 1 0", "options Rail 0 1", "options Rail 0 1",
                               "none"}));
    EXPECT_EQ(reader.position(), reader.size());
}

// A text line longer than any name or label, written with a drawable after it: the line comes back whole, and
// so does the rest of the page.
TEST_F(ReaderRoundTrip, LongTextLineRoundTripsWithWhatFollows) {
    const std::wstring ascii(70000, L'x'), wide(70000, L'\u00e9');
    openFile(write([&](DWFPlotFileWriter& writer) {
        writer.addText(1, 2, PlotFont(), 0, ascii.c_str(), 1, 2, 10, 2, 0.25, "Long");
        writer.addText(1, 1, PlotFont(), 0, wide.c_str(), 2, 2, 10, 2, 0.25, "Long");
        addLines(writer, {{0, 0, 3, "After"}, {1, 0, 2, "After"}});
    }));
    const std::string text = platform::utf16ToUtf8(platform::wideToUtf16(ascii + L"\n" + wide));
    EXPECT_EQ(replay(), (Lines{"page", "pen 0", "text 1,1 'Long' Default 0.18 0: " + text, "pen 0",
                               "line 0,0'After' 1,0", "none"}));
}

}  // namespace
