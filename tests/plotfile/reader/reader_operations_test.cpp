// Replaying hand-made page streams: the order of the operations, the data of
// every getter, images through the host's loader, and streams that end early
// or break.
#include <gtest/gtest.h>

#include <tuple>
#include <unistd.h>

#include "reader_fixture.h"
#include "reader_inputs.h"

namespace {

using readertest::Codes;
using readertest::W2dBytes;

class ReaderOperations : public readertest::ReaderFixture {
protected:
    // Opens a plot of one page per stream.
    DWFPlotFileReader& open(const std::vector<std::string>& pages, ImageLoadCallback load = loadImage,
                            bool keepLoader = false) {
        const std::string path = workDir() + "plot" + std::to_string(++plots_) + ".dwf";
        readertest::writePackage(path, readertest::plotPackage(pages));
        return openFile(path, load, keepLoader);
    }

    int plots_ = 0;
};


TEST_F(ReaderOperations, PolylineWithoutRecords) {
    auto& reader = open({W2dBytes().polyline({{1500, -250}, {2000, 3000}, {-1, 0}}).finished()});
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_LINE}));
    std::vector<PlottingPoint> line{PlottingPoint(9, 9, "stale")};
    reader.getLine(line);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].x, 1.5);
    EXPECT_EQ(line[0].y, -0.25);
    EXPECT_EQ(line[1].x, 2.0);
    EXPECT_EQ(line[1].y, 3.0);
    EXPECT_EQ(line[2].x, -0.001);
    EXPECT_EQ(line[0].group, "");
    reader.getLine(line);
    EXPECT_TRUE(line.empty()) << "getLine empties the points";
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
    EXPECT_EQ(reader.getOperation(), PLT_END_OF_PLOT);
}

TEST_F(ReaderOperations, PenIsHeldBackAndPrecedesEveryDrawable) {
    auto& reader = open({W2dBytes().pen(7).polyline({{0, 0}, {1, 1}}).pen(-2).contours({{{0, 0}, {5, 0}, {5, 5}}})
                             .finished()});
    EXPECT_EQ(rest(2), (Codes{PLT_NEW_PAGE, PLT_NONE}));
    EXPECT_EQ(reader.getOperation(), PLT_PEN);
    EXPECT_EQ(reader.getPen(), 7);
    EXPECT_EQ(reader.getOperation(), PLT_PEN);
    EXPECT_EQ(reader.getPen(), 7);
    EXPECT_EQ(rest(5), (Codes{PLT_LINE, PLT_NONE, PLT_PEN, PLT_PEN, PLT_POLYGONS}));
    std::vector<std::vector<PlottingPoint>> polygons;
    int pen = 0;
    reader.getPolygons(polygons, pen);
    EXPECT_EQ(pen, -2);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].size(), 3u);
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
}

TEST_F(ReaderOperations, GroupGoesOnTheFirstPointAndCarriesOver) {
    auto& reader = open({W2dBytes().record("Group", "Roads").polyline({{0, 0}, {1000, 0}})
                             .polyline({{5000, 0}, {6000, 0}}).record("Group", "").contours({{{0, 0}, {1, 0}, {1, 1}}})
                             .finished()});
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_LINE}));
    std::vector<PlottingPoint> line;
    reader.getLine(line);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].group, "Roads");
    EXPECT_EQ(line[1].group, "");
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_LINE}));
    reader.getLine(line);
    EXPECT_EQ(line.at(0).group, "Roads");
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_POLYGONS}));
    std::vector<std::vector<PlottingPoint>> polygons;
    int pen = 0;
    std::string group = "stale";
    reader.getPolygons(polygons, pen, group);
    EXPECT_EQ(group, "");
}

TEST_F(ReaderOperations, ContourSetsReadTogetherComeBackTogether) {
    auto& reader = open({W2dBytes().contours({{{0, 0}, {4000, 0}, {4000, 4000}}, {{1000, 1000}, {2000, 1000}, {2000, 2000}}})
                             .contours({{{-500, 0}, {0, 500}, {500, 0}, {0, -500}}})
                             .finished()});
    EXPECT_EQ(rest(5), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_POLYGONS, PLT_PEN, PLT_POLYGONS}));
    std::vector<std::vector<PlottingPoint>> polygons;
    int pen = 1;
    std::string group;
    reader.getPolygons(polygons, pen, group);
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_EQ(polygons[0].size(), 3u);
    EXPECT_EQ(polygons[1][2].x, 2.0);
    EXPECT_EQ(polygons[1][2].y, 2.0);
    EXPECT_EQ(polygons[2][0].x, -0.5);
    EXPECT_EQ(pen, 0);
    reader.getPolygons(polygons, pen);
    EXPECT_TRUE(polygons.empty());
}

TEST_F(ReaderOperations, ThreeLineTextWithEmptyMiddleLine) {
    auto& reader = open({W2dBytes().record("Text", "1.250 -2.000 0.350 \"Arial Narrow\" 1 0 1 30.000 3 Labels")
                             .text({100, 100}, "first line").text({100, 200}, "")
                             .unicodeText({100, 300}, u"dritte \u03a9 \U0001F600")
                             .polyline({{0, 0}, {1, 1}})
                             .finished()});
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_TEXT}));
    double x = 0, y = 0, angle = 0;
    PlotFont font;
    std::string group;
    const std::wstring text = reader.getText(x, y, font, angle, group);
    EXPECT_EQ(text, L"first line\n\ndritte \u03a9 \U0001F600");
    EXPECT_EQ(x, 1.25);
    EXPECT_EQ(y, -2.0);
    EXPECT_EQ(angle, 30.0);
    EXPECT_EQ(font.name, "Arial Narrow");
    EXPECT_EQ(font.height, 0.35);
    EXPECT_TRUE(font.bold);
    EXPECT_FALSE(font.italic);
    EXPECT_TRUE(font.underline);
    EXPECT_EQ(group, "Labels");
    // The text objects were taken by getText; the polyline follows.
    EXPECT_EQ(rest(3), (Codes{PLT_PEN, PLT_LINE, PLT_NONE}));
}

TEST_F(ReaderOperations, TextBeforeAnyTextRecord) {
    auto& reader = open({W2dBytes().polyline({{0, 0}, {1, 1}}).finished()});
    double x = 5, y = 5, angle = 5;
    PlotFont font;
    font.name = "Mine";
    std::string group = "kept";
    EXPECT_EQ(std::wstring(reader.getText(x, y, font, angle, group)), L"");
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(angle, 0.0);
    EXPECT_EQ(font.name, "Default");
    EXPECT_EQ(font.height, 0.0);
    EXPECT_EQ(group, "kept");
}

TEST_F(ReaderOperations, TextWhoseLinesAreMissingEndsWithTheStream) {
    auto& reader = open({W2dBytes().record("Text", "0.000 0.000 0.180 \"Arial\" 0 0 0 0.000 3 ").text({0, 0}, "only")
                             .finished(),
                         W2dBytes().polyline({{0, 0}, {1, 1}}).finished()});
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_TEXT}));
    double x = 0, y = 0, angle = 0;
    PlotFont font;
    EXPECT_EQ(std::wstring(reader.getText(x, y, font, angle)), L"only");
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_NEW_PAGE, PLT_PEN, PLT_LINE, PLT_NONE, PLT_END_OF_PLOT}));
}

TEST_F(ReaderOperations, SymbolBodyIsSkippedAndReportedOnce) {
    const std::string body = W2dBytes().pen(9).record("Group", "inside").polyline({{0, 0}, {10, 10}})
                                 .contours({{{0, 0}, {1, 0}, {1, 1}}}).fill(true).circle({5, 5}, 20).fill(false)
                                 .image(12, {0, 0}, {10, 10}, "PNGDATA").polyline({{5, 5}, {0, 0}}).bytes().substr(12);
    auto& reader = open({W2dBytes().pen(2).record("Symbol", "1.500 2.250 1.50 45.00 1 3 Valve \"Pipes\"").raw(body)
                             .record("EndSymbol", "").record("EndSymbol", "").polyline({{0, 0}, {3000, 0}})
                             .finished()});
    EXPECT_EQ(rest(4), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_PEN}));
    EXPECT_EQ(reader.getOperation(), PLT_SYMBOL);
    double x = 0, y = 0, scale = 0, angle = 0;
    bool filled = false;
    std::string name, group;
    reader.getSymbol(x, y, scale, angle, filled, name, group);
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, 2.25);
    EXPECT_EQ(scale, 1.5);
    EXPECT_EQ(angle, 45.0);
    EXPECT_TRUE(filled);
    EXPECT_EQ(name, "Valve");
    EXPECT_EQ(group, "Pipes");
    // The second closing record stands alone and reports nothing.
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_LINE}));
    EXPECT_EQ(reader.getPen(), 2) << "the pen inside the body is dropped";
    std::vector<PlottingPoint> line;
    reader.getLine(line);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[1].x, 3.0);
    EXPECT_EQ(line[0].group, "Pipes");
    EXPECT_TRUE(loads().empty()) << "an image of a symbol body is not loaded";
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
}

TEST_F(ReaderOperations, SymbolWithoutClosingRecordEndsWithTheStream) {
    auto& reader = open({W2dBytes().record("Symbol", "0.000 0.000 1.00 0.00 0 1 Dot \"\"").polyline({{0, 0}, {1, 1}})
                             .finished()});
    EXPECT_EQ(rest(), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_SYMBOL, PLT_NONE, PLT_END_OF_PLOT}));
    double x = 0, y = 0, scale = 0, angle = 0;
    bool filled = true;
    std::string name;
    reader.getSymbol(x, y, scale, angle, filled, name);
    EXPECT_EQ(name, "Dot");
    EXPECT_FALSE(filled);
}

// Another producer may end the record at the name: the symbol has no group,
// and its body is skipped like any other.
TEST_F(ReaderOperations, SymbolRecordEndingAtItsNameHasNoGroup) {
    auto& reader = open({W2dBytes().record("Group", "Earlier").record("Symbol", "1.500 2.250 1.50 45.00 1.0 1 Valve")
                             .polyline({{0, 0}, {1, 1}}).record("EndSymbol", "").finished()});
    EXPECT_EQ(rest(), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_SYMBOL, PLT_NONE, PLT_END_OF_PLOT}));
    double x = 0, y = 0, scale = 0, angle = 0;
    bool filled = false;
    std::string name, group = "untouched";
    reader.getSymbol(x, y, scale, angle, filled, name, group);
    EXPECT_EQ(std::make_tuple(name, group, filled), std::make_tuple(std::string("Valve"), std::string(), true));
}

TEST_F(ReaderOperations, GroupOptionsAreReportedTwiceAndTablesOnce) {
    auto& reader = open({W2dBytes().record("GroupOptions", "3 \"Roads and rails\" 1 0").record("Table", "a|b\nc|d")
                             .finished()});
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_GROUP_OPTIONS, PLT_GROUP_OPTIONS}));
    std::string name;
    bool first = false, second = true;
    reader.getGroupInfo(name, first, second);
    EXPECT_EQ(name, "Roads and rails");
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(reader.getOperation(), PLT_TABLE);
    std::string table;
    reader.getTableString(table);
    EXPECT_EQ(table, "a|b\nc|d");
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
}

TEST_F(ReaderOperations, LongRecordsSurviveWhole) {
    const std::string group(5000, 'g');
    const std::string table(70000, 't');
    const std::string symbol(300, 's');
    auto& reader = open({W2dBytes().record("Group", group).polyline({{0, 0}, {1, 1}}).record("Table", table)
                             .record("Symbol", "0.000 0.000 1.00 0.00 0 0 " + symbol + " \"" + group + "\"")
                             .record("EndSymbol", "").finished()});
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_LINE}));
    std::vector<PlottingPoint> line;
    reader.getLine(line);
    EXPECT_EQ(line.at(0).group, group);
    EXPECT_EQ(reader.getOperation(), PLT_TABLE);
    std::string text;
    reader.getTableString(text);
    EXPECT_EQ(text, table);
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_SYMBOL}));
    double x, y, scale, angle;
    bool filled;
    std::string name, symbolGroup;
    reader.getSymbol(x, y, scale, angle, filled, name, symbolGroup);
    EXPECT_EQ(name, symbol);
    EXPECT_EQ(symbolGroup, group);
}

TEST_F(ReaderOperations, RecordsThatDoNotParseAreIgnored) {
    auto& reader = open({W2dBytes().userData("Pen", std::string("\x05\x00", 2)).record("Text", "garbage")
                             .record("GroupOptions", "no quotes").record("Symbol", "1 2").record("Unknown", "x")
                             .userData("pen", std::string(4, '\x01')).polyline({{0, 0}, {1, 1}})
                             .finished()});
    EXPECT_EQ(rest(), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_LINE, PLT_NONE, PLT_END_OF_PLOT}));
    EXPECT_EQ(reader.getPen(), 0);
}

TEST_F(ReaderOperations, ImagesGoThroughTheLoaderAndAreRemoved) {
    auto& reader = open({W2dBytes().record("Group", "Photos").image(12, {1000, 2000}, {5000, 3000}, "PNG bytes")
                             .image(8, {0, 0}, {0, 0}, "JPEG bytes").image(9, {-1000, -1000}, {0, 0}, "G4")
                             .finished()});
    struct Expected {
        const char* extension;
        const char* bytes;
        double x, y, height, width;
    };
    const Expected expected[] = {{".png", "PNG bytes", 1, 2, 1, 4}, {".jpg", "JPEG bytes", 0, 0, 0, 0},
                                 {".tif", "G4", -1, -1, 1, 1}};
    EXPECT_EQ(reader.getOperation(), PLT_NEW_PAGE);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(expected[i].extension);
        ASSERT_EQ(reader.getOperation(), PLT_IMAGE);
        ASSERT_EQ(loads().size(), i + 1);
        const std::string& path = loads()[i].path;
        EXPECT_EQ(path.substr(0, 2), "./");
        EXPECT_EQ(path.find('/', 2), std::string::npos);
        EXPECT_EQ(path.substr(path.size() - 4), expected[i].extension);
        EXPECT_EQ(loads()[i].bytes, expected[i].bytes);
        EXPECT_FALSE(testsupport::listTree(cwd_).size() > 0) << "the file is removed after loading";
        double x, y, height, width;
        IMAGE* image = nullptr;
        std::string group;
        reader.getImage(x, y, height, width, &image, group);
        EXPECT_EQ(image, images()[i].get());
        EXPECT_EQ(x, expected[i].x);
        EXPECT_EQ(y, expected[i].y);
        EXPECT_EQ(height, expected[i].height);
        EXPECT_EQ(width, expected[i].width);
        EXPECT_EQ(group, "Photos");
    }
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
}

TEST_F(ReaderOperations, WithoutLoaderImagesAreNull) {
    auto& reader = open({W2dBytes().image(12, {0, 0}, {1000, 1000}, "PNG").finished()}, nullptr);
    EXPECT_EQ(rest(2), (Codes{PLT_NEW_PAGE, PLT_IMAGE}));
    double x, y, height, width;
    IMAGE sentinel;
    IMAGE* image = &sentinel;
    reader.getImage(x, y, height, width, &image);
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(width, 1.0);
    EXPECT_TRUE(loads().empty());
}

TEST_F(ReaderOperations, TheLoaderIsTheProcessOne) {
    const std::string stream = W2dBytes().image(8, {0, 0}, {1000, 1000}, "JPEG").finished();
    open({stream}, nullptr);
    // The default constructor leaves the process's loader alone.
    const DWFPlotFileReader withLoader(loadImage);
    auto& reader = open({stream}, nullptr, true);
    EXPECT_EQ(rest(2), (Codes{PLT_NEW_PAGE, PLT_IMAGE}));
    double x, y, height, width;
    IMAGE* image = nullptr;
    reader.getImage(x, y, height, width, &image);
    ASSERT_EQ(loads().size(), 1u);
    EXPECT_EQ(image, images()[0].get());
    // The last reader given one decides, a null one included.
    const DWFPlotFileReader without(nullptr);
    EXPECT_EQ(rest(2), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
    open({stream}, nullptr, true);
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_IMAGE, PLT_NONE}));
    EXPECT_EQ(loads().size(), 1u);
}

TEST_F(ReaderOperations, BrokenPageEndsAndThePlotGoesOn) {
    const std::string whole = W2dBytes().pen(4).polyline({{0, 0}, {1000, 1000}}).finished();
    const std::string truncated = W2dBytes().pen(4).polyline({{0, 0}, {1000, 1000}}).bytes();
    const std::string cut = truncated.substr(0, truncated.size() - 3);
    const std::string corrupt = W2dBytes().raw("\x01\x01\x01").polyline({{0, 0}, {1, 1}}).finished();
    auto& reader = open({cut, corrupt, "not a stream", "", whole});
    EXPECT_EQ(rest(), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_NONE,  // cut inside the polyline
                             PLT_NEW_PAGE, PLT_NONE, PLT_NEW_PAGE, PLT_NONE, PLT_NEW_PAGE, PLT_NONE,
                             PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_PEN, PLT_LINE, PLT_NONE, PLT_END_OF_PLOT}));
    EXPECT_EQ(reader.position(), reader.size());
}

TEST_F(ReaderOperations, PageStreamThatCannotBeOpened) {
    auto& reader = open({W2dBytes().polyline({{0, 0}, {1, 1}}).finished()});
    std::vector<std::string> pages;
    reader.getPages(pages);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(::unlink(pages[0].c_str()), 0);
    EXPECT_EQ(rest(), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_END_OF_PLOT}));
}

}  // namespace
