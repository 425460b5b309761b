// What the page stream carries for lines, polygons, pens, images, texts, symbols and tables.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plot_writer_test_support.h"

namespace {

using namespace std::string_literals;
using plotwritertest::addLines;
using plotwritertest::Lines;
using plotwritertest::ring;
using WriterPageStream = plotwritertest::PlotWriterTest;

// From the host's calls to the bytes of the page stream inside the package.
TEST_F(WriterPageStream, RoadOfOneLineInBytes) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        // Pen 2's red is above 255: only its low 8 bits count.
        std::vector<PenDetail> pens = {{0, 0, 0, 0.25}, {255, 0, 0, 0.35}, {0x1A0, 128, 255, 0.5}};
        writer.setPenDetails(pens);
        ASSERT_TRUE(writer.openPlot(path, 21, 0.57, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({});
        writer.setPen(2);
        addLines(writer, {{1, 2, 3, "Roads"}, {3.5, 2, 2, "Roads"}, {3.5, 4.25, 2, "Roads"}, {1, 4.25, 2, "Roads"}});
        writer.closePage();
        writer.closePlot();
    }
    const auto streams = plotwritertest::pageStreams(path);
    ASSERT_EQ(streams.size(), 1u);
    const std::string expected =
        "(W2D V06.00)"
        // The page clip, pending since openPage, in ASCII; 0.57 x 10 / 0.01 truncates to 569.
        "\r\n(Viewport Clip (Contour 1 4 0,0 0,569 21000,569 21000,0) )"
        // "Pen" user data: size 16, opcode 354, the quoted word, 4 data bytes.
        "{\x10\x00\x00\x00\x62\x01'Pen'\x04\x00\x00\x00\x02\x00\x00\x00}"
        // "Group": the name of the line's first point and a zero byte.
        "{\x14\x00\x00\x00\x62\x01'Group'\x06\x00\x00\x00Roads\x00}"
        // What the polyline needs, in ascending bit order: colour, weight, style.
        "\x03\xA0\x80\xFF\xFF"
        "\x17\x32\x00\x00\x00"
        "(LineStyle (LineJoin round) (LineStartCap round) (LineEndCap round))"
        // One polyline of four points, 16-bit relative.
        "\x10\x04\xE8\x03\xD0\x07\xC4\x09\x00\x00\x00\x00\xCA\x08\x3C\xF6\x00\x00"
        "(EndOfDWF)\r\n"s;
    EXPECT_EQ(testsupport::hex(streams[0]), testsupport::hex(expected));
}

// Pages drawn with threePens(), decoded without the page's clip viewport.
TEST_F(WriterPageStream, DrawingsAndTheirObjects) {
    const std::vector<PlottingPoint> triangle = {{0, 0}, {4, 0}, {4, 4}};
    PlotFont courier;
    courier.name = "Courier New";
    courier.height = 2.5;
    courier.bold = true;
    const std::string table = std::string("T\x01 \"x\" (y)\n", 11) + std::string(3000, 'x') + "\t\xE9\"'";
    struct Case {
        const char* name;
        std::vector<plotwritertest::Move> moves;  // drawn first
        std::function<void(DWFPlotFileWriter&)> draw;
        Lines expected;
        std::set<std::string> options = {};
    } const cases[] = {
        // Later points' groups are not used.
        {"PenCodesSplitLinesAtEveryPenUp",
         {{0, 0, 3, "a"}, {1, 0, 2, "b"}, {1, 1, 2, "b"}, {5, 5, 3, "c"}, {6, 5, 2, "c"}}, nullptr,
         {"UserData Group 'a\\x00'", "Polyline 0,0 1000,0 1000,1000", "UserData Group 'c\\x00'",
          "Polyline 5000,5000 6000,5000"}},
        // 2.0004 is the same logical point as 2.
        {"LonePointsAndPointLikeLinesAreDropped",
         {{0, 0, 3, "lone"}, {2, 2, 3, "g"}, {2.0004, 2, 2, "g"}, {7, 7, 3, "g"}, {8, 7, 2, "g"}}, nullptr,
         {"UserData Group 'g\\x00'", "Polyline 7000,7000 8000,7000"}},
        // The pen-up at (1,0) matches the last point's group and continues; the one at (1,1) is in another group.
        {"PenUpAtTheLastPointContinuesOnlyWithinItsGroup",
         {{0, 0, 3, "g"}, {1, 0, 2, "x"}, {1, 0, 3, "x"}, {1, 1, 2, "g"}, {1, 1, 3, "h"}, {2, 2, 2, "h"}}, nullptr,
         {"UserData Group 'g\\x00'", "Polyline 0,0 1000,0 1000,1000", "UserData Group 'h\\x00'",
          "Polyline 1000,1000 2000,2000"}},
        // A contour set needs no fill switch and no line style; empty contours are left out.
        {"PolygonsWriteThePenGroupAndOneContourSet", {{0, 0, 3, "line"}, {1, 0, 2, "line"}},
         [&](DWFPlotFileWriter& w) {
             w.addPolygons({triangle, {{1, 1}, {2, 1}, {2, 2}, {1, 2}}}, 1, "area");
             w.addPolygons({}, 2, "none");
             w.addPolygons({{}, {}}, 2, "none");
             w.addPolygons({triangle, {}}, 1, "before");
             w.addPolygons({{}, triangle}, 1, "after");
         },
         {"UserData Group 'line\\x00'", "Polyline 0,0 1000,0", "UserData Pen '\\x01\\x00\\x00\\x00'",
          "UserData Group 'area\\x00'", "Color 255,0,0,255", "LineWeight 35",
          "Contours 3 4 : 0,0 4000,0 4000,4000 1000,1000 2000,1000 2000,2000 1000,2000",
          "UserData Pen '\\x02\\x00\\x00\\x00'", "UserData Pen '\\x01\\x00\\x00\\x00'", "UserData Group 'before\\x00'",
          "Contours 3 : 0,0 4000,0 4000,4000", "UserData Group 'after\\x00'", "Contours 3 : 0,0 4000,0 4000,4000"}},
        {"PensOutsideTheTableTakeEntryZero", {},
         [](DWFPlotFileWriter& w) {
             w.setPen(5);
             w.setPen(5);  // the current pen: nothing
             addLines(w, {{0, 0, 3, ""}, {1, 0, 2, ""}});
             w.setPen(-7);
             addLines(w, {{0, 1, 3, ""}, {1, 1, 2, ""}});
         },
         {"UserData Pen '\\x05\\x00\\x00\\x00'", "UserData Group '\\x00'", "Color 0,0,0,255", "LineWeight 25",
          "LineStyle defined=0x38 join=2 start=2 end=2", "Polyline 0,0 1000,0", "UserData Pen '\\xF9\\xFF\\xFF\\xFF'",
          "UserData Group '\\x00'", "Polyline 0,1000 1000,1000"}},
        // Weight 0: the round line style waits for a positive weight.
        {"ThinPensAndAnEmptyTable", {},
         [](DWFPlotFileWriter& w) {
             std::vector<PenDetail> thin = {{1, 2, 3, 0.005}}, none;
             w.setPenDetails(thin);
             w.setPen(0);
             addLines(w, {{0, 0, 3, ""}, {1, 0, 2, ""}});
             w.setPenDetails(none);
             w.setPen(3);
             addLines(w, {{0, 2, 3, ""}, {1, 2, 2, ""}});
         },
         {"UserData Pen '\\x00\\x00\\x00\\x00'", "UserData Group '\\x00'", "Color 1,2,3,255", "Polyline 0,0 1000,0",
          "UserData Pen '\\x03\\x00\\x00\\x00'", "UserData Group '\\x00'", "Color 0,0,0,255",
          "Polyline 0,2000 1000,2000"}},
        {"SampledCirclesBecomeEllipses", {},
         [](DWFPlotFileWriter& w) {
             w.addSymbol(10, 20, 1, 0, true, "Dot", {ring(36, 1, 1, 5)}, "g");
             w.addSymbol(10, 20, 2, 0, false, "Ring", {ring(36, 1, 1, 5)}, "g");
         },
         {"UserData Symbol '10.000 20.000 1.00 0.00 1 1 Dot \"g\"\\x00'", "Fill on",
          "FilledEllipse 11000,21000 5000,5000 0,65536 0", "UserData EndSymbol '\\x00'",
          "UserData Symbol '10.000 20.000 2.00 0.00 0 1 Ring \"g\"\\x00'", "Fill off",
          "OutlineEllipse 12000,22000 10000,10000 0,65536 0", "UserData EndSymbol '\\x00'"}},
        // Scale 1.004 is recorded and drawn as 1.00; 90 degrees turn x into y; a one-point contour is a dot.
        {"SymbolsAreDrawnWithTheirRecordedValues", {},
         [](DWFPlotFileWriter& w) {
             w.addSymbol(5, 5, 1.004, 0, false, "Big Tree", {{{0, 0}, {1, 0}}, {{0, 1}}}, "say \"hi\"");
             w.addSymbol(5, 5, 2, 90, true, "T", {{{0, 0}, {1, 0}, {1, 1}}}, "");
             w.addSymbol(1, 2, 1, 0, true, "Empty", {}, "g");
         },
         {"UserData Symbol '5.000 5.000 1.00 0.00 0 2 Big_Tree \"say 'hi'\"\\x00'", "UserData Group '\\x00'",
          "Polyline 5000,5000 6000,5000", "Fill on", "FilledEllipse 5000,6000 20,20 0,65536 0",
          "UserData EndSymbol '\\x00'", "UserData Symbol '5.000 5.000 2.00 90.00 1 1 T \"\"\\x00'",
          "Polygon 5000,5000 5000,7000 3000,7000", "UserData EndSymbol '\\x00'",
          "UserData Symbol '1.000 2.000 1.00 0.00 1 0 Empty \"g\"\\x00'", "UserData EndSymbol '\\x00'"}},
        // A blank line counts when it is one line of three.
        {"MultiLineTextIsWrittenAtItsLastLine", {},
         [&](DWFPlotFileWriter& w) {
             w.addLine(0, 0, 3, "g");
             w.addText(1, 9, courier, 0, L"one", 1, 3, 3, 1, 0, "t");
             w.addText(1, 8, courier, 0, L"   ", 2, 3, 3, 1, 0, "t");
             w.addLine(1, 1, 2, "g");
             w.addText(1, 7, courier, 0, L"Z\u00FCrich \U0001F600", 3, 3, 3, 1, 0, "the group");
         },
         {"UserData Group 'g\\x00'", "Polyline 0,0 1000,1000",
          "UserData Text '1.000 7.000 2.500 \"Courier New\" 1 0 0 0.000 3 the group\\x00'",
          "Font fields=0x431 name=Courier New height=2 style=1 rotation=0 widthscale=1024 flags=8192",
          "Text 1000,9000 'one' bounds 1000,9000 4000,9000 4000,10000 1000,10000",
          "Text 1000,8000 '   ' bounds 1000,8000 4000,8000 4000,9000 1000,9000",
          "Text 1000,7000 'Z\xC3\xBCrich \xF0\x9F\x98\x80' bounds 1000,7000 4000,7000 4000,8000 1000,8000"}},
        // A table does not write the line being built; group options follow the drawing in ascending byte order.
        {"TablesAndGroupOptionsKeepTheirBytes", {{0, 0, 3, "g"}, {1, 0, 2, "g"}},
         [&](DWFPlotFileWriter& w) { w.addTable(table); },
         {"UserData Table 'T\\x01 \"x\" (y)\\x0A" + std::string(3000, 'x') + "\\x09\\xE9\"'\\x00'",
          "UserData Group 'g\\x00'", "Polyline 0,0 1000,0", "UserData GroupOptions '1 \"A b\" 0 1\\x00'",
          "UserData GroupOptions '3 \"Roads\" 1 0\\x00'"},
         {"3 \"Roads\" 1 0", "1 \"A b\" 0 1"}},
        // The record counts the lines written, whatever indices the host gave: the reader takes that many text
        // objects for the text.
        {"TextRecordCountsTheLinesWritten", {},
         [](DWFPlotFileWriter& w) {
             w.addText(1, 1, PlotFont(), 0, L"only", 2, 2, 3, 1, 0, "");
             for (const wchar_t* line : {L"a", L"b"}) w.addText(1, 1, PlotFont(), 0, line, 1, 2, 3, 1, 0, "");
             w.addText(1, 1, PlotFont(), 0, L"c", 2, 2, 3, 1, 0, "");
         },
         {"UserData Text '1.000 1.000 0.180 \"Default\" 0 0 0 0.000 1 \\x00'",
          "Font fields=0x421 name=Default height=0 style=0 rotation=0 widthscale=1024 flags=8192",
          "Text 1000,1000 'only' bounds 1000,1000 4000,1000 4000,2000 1000,2000",
          "UserData Text '1.000 1.000 0.180 \"Default\" 0 0 0 0.000 3 \\x00'",
          "Text 1000,1000 'a' bounds 1000,1000 4000,1000 4000,2000 1000,2000",
          "Text 1000,1000 'b' bounds 1000,1000 4000,1000 4000,2000 1000,2000",
          "Text 1000,1000 'c' bounds 1000,1000 4000,1000 4000,2000 1000,2000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(drawPage(
                      [&](DWFPlotFileWriter& w) {
                          addLines(w, c.moves);
                          if (c.draw) c.draw(w);
                      },
                      c.options),
                  c.expected);
    }
}

TEST_F(WriterPageStream, TextBoundsReachBelowTheBaseline) {
    const Lines lines = drawPage([](DWFPlotFileWriter& w) {
        w.addText(1, 1, PlotFont(), 0, L"   ", 1, 1, 1, 1, 0, "blank");  // a blank one-line text: nothing
        w.addText(100, 50, PlotFont(), 0, L"A", 1, 1, 10, 2, 0.25, "");
        w.addText(0, 0, PlotFont(), 90, L"B", 1, 1, 10, 2, 0.25, "");
    });
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "UserData Text '100.000 50.000 0.180 \"Default\" 0 0 0 0.000 1 \\x00'");
    EXPECT_EQ(lines[2], "Text 100000,49500 'A' bounds 100000,49500 110000,49500 110000,51500 100000,51500");
    // Only the rotation changes: 90 x 182. The box turns with the text.
    EXPECT_EQ(lines[4].substr(0, 17), "Font fields=0x40 ");
    EXPECT_NE(lines[4].find(" rotation=16380 "), std::string::npos);
    EXPECT_EQ(lines[5], "Text 500,0 'B' bounds 500,0 500,10000 -1500,10000 -1500,0");
}

// Image callbacks that record what they were given.
struct ImageLog {
    int encoded = 0;
    std::vector<void*> released;
    int result = 1;
} imageLog;
char jpegBytes[] = "JPEGDATA";
char pngBytes[] = "\x89PNG";

int encodeImage(IMAGE* image, long& size, void*& data) {
    ++imageLog.encoded;
    data = image->encoding == 0 ? static_cast<void*>(jpegBytes) : static_cast<void*>(pngBytes);
    size = static_cast<long>(std::strlen(static_cast<char*>(data)));
    return imageLog.result;
}
void releaseImage(void* data) { imageLog.released.push_back(data); }

TEST_F(WriterPageStream, ImagesAndTheirIdentifiers) {
    imageLog = {};
    IMAGE jpeg{640, 480, 0, nullptr, 0}, skipped{640, 480, 0, nullptr, 7}, png{640, 480, 0, nullptr, 3};
    EXPECT_EQ(drawPage(
                  [&](DWFPlotFileWriter& w) {
                      w.addImage(1, 2, 3, 4, &jpeg, "photo");
                      w.addImage(0, 0, 1, 1, &skipped, "odd");  // uses up identifier 2
                      w.addImage(0.5, 0.25, 2, 2, &png, "");
                  },
                  {}, encodeImage, releaseImage),
              (Lines{"UserData Group 'photo\\x00'", "Image format=8 id=1 640x480 1000,2000 4000,6000 data='JPEGDATA'",
                     "UserData Group 'odd\\x00'", "UserData Group '\\x00'",
                     "Image format=12 id=3 640x480 500,250 2500,2250 data='\\x89PNG'"}));
    EXPECT_EQ(imageLog.encoded, 3);
    EXPECT_EQ(imageLog.released, (std::vector<void*>{jpegBytes, pngBytes, pngBytes}));

    // An encoder that declines: nothing written, nothing released; no encoder at all: nothing asked.
    imageLog = {};
    imageLog.result = 0;
    auto drawPhoto = [&](DWFPlotFileWriter& w) { w.addImage(1, 2, 3, 4, &jpeg, "photo"); };
    EXPECT_EQ(drawPage(drawPhoto, {}, encodeImage, releaseImage), Lines{});
    EXPECT_TRUE(imageLog.released.empty());
    imageLog = {};
    EXPECT_EQ(drawPage(drawPhoto), Lines{});
    EXPECT_EQ(imageLog.encoded, 0);
}

}  // namespace
