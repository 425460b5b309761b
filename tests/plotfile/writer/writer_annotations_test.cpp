// Texts, symbols and tables: their records and the objects that draw them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "plot_writer_test_support.h"

namespace {

using Lines = std::vector<std::string>;
using Shape = std::vector<std::vector<PlottingPoint>>;
using plotwritertest::PlotWriterTest;

class WriterAnnotations : public PlotWriterTest {};

std::vector<PlottingPoint> circle(int points, double cx, double cy, double radius) {
    std::vector<PlottingPoint> contour;
    for (int i = 0; i < points; ++i) {
        const double a = 2 * M_PI * i / points;
        contour.emplace_back(cx + radius * std::cos(a), cy + radius * std::sin(a));
    }
    return contour;
}

// Objects of one kind, by the start of their description.
size_t count(const Lines& lines, const std::string& start) {
    size_t n = 0;
    for (const auto& line : lines) n += line.rfind(start, 0) == 0 ? 1 : 0;
    return n;
}

TEST_F(WriterAnnotations, SampledCirclesBecomeEllipses) {
    const Lines filled = drawPage([](DWFPlotFileWriter& w) {
        w.addSymbol(10, 20, 1, 0, true, "Dot", {circle(36, 1, 1, 5)}, "g");
        w.addSymbol(10, 20, 2, 0, false, "Ring", {circle(36, 1, 1, 5)}, "g");
    });
    EXPECT_EQ(filled, (Lines{"UserData Symbol '10.000 20.000 1.00 0.00 1 1 Dot \"g\"\\x00'", "Fill on",
                             "FilledEllipse 11000,21000 5000,5000 0,65536 0", "UserData EndSymbol '\\x00'",
                             "UserData Symbol '10.000 20.000 2.00 0.00 0 1 Ring \"g\"\\x00'",
                             "Fill off", "OutlineEllipse 12000,22000 10000,10000 0,65536 0", "UserData EndSymbol '\\x00'"}));

    // Twenty points are too few to be taken for a circle.
    const Lines sampled = drawPage([](DWFPlotFileWriter& w) {
        w.addSymbol(10, 20, 1, 0, true, "Dot", {circle(20, 1, 1, 5)}, "g");
        w.addSymbol(10, 20, 1, 0, false, "Ring", {circle(20, 1, 1, 5)}, "g");
    });
    ASSERT_EQ(sampled.size(), 9u);
    EXPECT_EQ(sampled[2].rfind("Polygon 16000,21000 ", 0), 0u) << sampled[2];
    EXPECT_EQ(std::count(sampled[2].begin(), sampled[2].end(), ','), 20);
    EXPECT_EQ(sampled[5], "UserData Group '\\x00'");
    EXPECT_EQ(sampled[7].rfind("Polyline 16000,21000 ", 0), 0u) << sampled[7];
    EXPECT_EQ(std::count(sampled[7].begin(), sampled[7].end(), ','), 20);
    EXPECT_EQ(count(sampled, "Filled") + count(sampled, "Outline"), 0u);
}

TEST_F(WriterAnnotations, SymbolsAreDrawnWithTheirRecordedValues) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  // Scale 1.004 is recorded and drawn as 1.00; 90 degrees turn x into y.
                  w.addSymbol(5, 5, 1.004, 0, false, "Big Tree", {{{0, 0}, {1, 0}}, {{0, 1}}}, "say \"hi\"");
                  w.addSymbol(5, 5, 2, 90, true, "T", {{{0, 0}, {1, 0}, {1, 1}}}, "");
                  w.addSymbol(1, 2, 1, 0, true, "Empty", {}, "g");
              }),
              (Lines{"UserData Symbol '5.000 5.000 1.00 0.00 0 2 Big_Tree \"say 'hi'\"\\x00'",
                     "UserData Group '\\x00'", "Polyline 5000,5000 6000,5000", "Fill on",
                     "FilledEllipse 5000,6000 20,20 0,65536 0",  // a one-point contour is a dot
                     "UserData EndSymbol '\\x00'",
                     "UserData Symbol '5.000 5.000 2.00 90.00 1 1 T \"\"\\x00'",
                     "Polygon 5000,5000 5000,7000 3000,7000",
                     "UserData EndSymbol '\\x00'",
                     "UserData Symbol '1.000 2.000 1.00 0.00 1 0 Empty \"g\"\\x00'", "UserData EndSymbol '\\x00'"}));
}

TEST_F(WriterAnnotations, MultiLineTextIsWrittenAtItsLastLine) {
    PlotFont font;
    font.name = "Courier New";
    font.height = 2.5;
    font.bold = true;
    EXPECT_EQ(drawPage([&](DWFPlotFileWriter& w) {
                  w.addLine(0, 0, 3, "g");
                  w.addText(1, 9, font, 0, L"one", 1, 3, 3, 1, 0, "t");
                  w.addText(1, 8, font, 0, L"   ", 2, 3, 3, 1, 0, "t");  // blank, but one line of three
                  w.addLine(1, 1, 2, "g");
                  w.addText(1, 7, font, 0, L"Z\u00FCrich \U0001F600", 3, 3, 3, 1, 0, "the group");
              }),
              (Lines{"UserData Group 'g\\x00'", "Polyline 0,0 1000,1000",
                     "UserData Text '1.000 7.000 2.500 \"Courier New\" 1 0 0 0.000 3 the group\\x00'",
                     "Font fields=0x431 name=Courier New height=2 style=1 rotation=0 widthscale=1024 flags=8192",
                     "Text 1000,9000 'one' bounds 1000,9000 4000,9000 4000,10000 1000,10000",
                     "Text 1000,8000 '   ' bounds 1000,8000 4000,8000 4000,9000 1000,9000",
                     "Text 1000,7000 'Z\xC3\xBCrich \xF0\x9F\x98\x80' bounds 1000,7000 4000,7000 4000,8000 1000,8000"}));
}

// The record counts the lines written, whatever indices the host gave: the
// reader takes that many text objects for the text.
TEST_F(WriterAnnotations, TextRecordCountsTheLinesWritten) {
    const Lines lines = drawPage([](DWFPlotFileWriter& w) {
        w.addText(1, 1, PlotFont(), 0, L"only", 2, 2, 3, 1, 0, "");
        w.addText(1, 1, PlotFont(), 0, L"a", 1, 2, 3, 1, 0, "");
        w.addText(1, 1, PlotFont(), 0, L"b", 1, 2, 3, 1, 0, "");
        w.addText(1, 1, PlotFont(), 0, L"c", 2, 2, 3, 1, 0, "");
    });
    ASSERT_EQ(count(lines, "UserData Text"), 2u);
    EXPECT_EQ(lines[0], "UserData Text '1.000 1.000 0.180 \"Default\" 0 0 0 0.000 1 \\x00'");
    EXPECT_EQ(count(lines, "UserData Text '1.000 1.000 0.180 \"Default\" 0 0 0 0.000 3 "), 1u);
    EXPECT_EQ(count(lines, "Text "), 4u);
}

TEST_F(WriterAnnotations, TextBoundsReachBelowTheBaseline) {
    PlotFont font;
    const Lines lines = drawPage([&](DWFPlotFileWriter& w) {
        w.addText(1, 1, font, 0, L"   ", 1, 1, 1, 1, 0, "blank");  // a blank one-line text: nothing
        w.addText(100, 50, font, 0, L"A", 1, 1, 10, 2, 0.25, "");
        w.addText(0, 0, font, 90, L"B", 1, 1, 10, 2, 0.25, "");
    });
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "UserData Text '100.000 50.000 0.180 \"Default\" 0 0 0 0.000 1 \\x00'");
    EXPECT_EQ(lines[2], "Text 100000,49500 'A' bounds 100000,49500 110000,49500 110000,51500 100000,51500");
    // Only the rotation changes: 90 x 182. The box turns with the text.
    EXPECT_EQ(lines[4].substr(0, 17), "Font fields=0x40 ");
    EXPECT_NE(lines[4].find(" rotation=16380 "), std::string::npos);
    EXPECT_EQ(lines[5], "Text 500,0 'B' bounds 500,0 500,10000 -1500,10000 -1500,0");
}

TEST_F(WriterAnnotations, TablesAndGroupOptionsKeepTheirBytes) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer;
        ASSERT_TRUE(writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({"3 \"Roads\" 1 0", "1 \"A b\" 0 1"});
        writer.addTable(std::string(3000, 'x') + "\t\xE9\"'");
        writer.addLine(0, 0, 3, "g");
        writer.addLine(1, 0, 2, "g");
        writer.closePlot();
    }
    const auto streams = plotwritertest::pageStreams(path);
    ASSERT_EQ(streams.size(), 1u);
    const Lines lines = plotwritertest::decode(streams[0]);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], "UserData Table '" + std::string(3000, 'x') + "\\x09\\xE9\"'\\x00'");
    EXPECT_EQ(lines[3], "Polyline 0,0 1000,0");
    // In ascending byte order, after the line.
    EXPECT_EQ(lines[4], "UserData GroupOptions '1 \"A b\" 0 1\\x00'");
    EXPECT_EQ(lines[5], "UserData GroupOptions '3 \"Roads\" 1 0\\x00'");
    EXPECT_TRUE(plotwritertest::unzipAccepts(path));
}

}  // namespace
