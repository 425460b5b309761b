// Plots written by DWFPlotFileWriter read back as the host drew them. The
// expectations follow from the host calls made here.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <tuple>
#include <cstring>

#include "reader_fixture.h"

namespace {

using readertest::Codes;

constexpr double kPi = 3.141592653589793;

// The host's encoder: JPEG for kind 0, PNG otherwise, as marked bytes.
int encodeImage(IMAGE* image, long& size, void*& data) {
    const std::string bytes = (image->encoding == 0 ? "JPEG:" : "PNG:") + std::to_string(image->width);
    data = std::malloc(bytes.size());
    std::memcpy(data, bytes.data(), bytes.size());
    size = static_cast<long>(bytes.size());
    return 1;
}

void releaseImage(void* data) { std::free(data); }

class ReaderRoundTrip : public readertest::ReaderFixture {
protected:
    std::string write(const std::function<void(DWFPlotFileWriter&)>& draw, const std::set<std::string>& options = {}) {
        const std::string path = workDir() + "roundtrip.dwf";
        DWFPlotFileWriter writer(encodeImage, releaseImage);
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

TEST_F(ReaderRoundTrip, RoadOfOneLine) {
    const std::string path = write([](DWFPlotFileWriter& writer) {
        writer.setPen(2);
        writer.addLine(1.5, 1.25, 3, "Road");
        writer.addLine(2.5, 1.25, 2, "Road");
        writer.addLine(2.5, -2.125, 2, "Road");
        writer.addLine(3.75, -2.125, 2, "Road");
    });
    std::string message = "untouched";
    EXPECT_TRUE(DWFPlotFileReader().canRead(path, message));
    EXPECT_EQ(message, "untouched");
    auto& reader = openFile(path);
    EXPECT_EQ(rest(), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_PEN, PLT_LINE, PLT_NONE, PLT_END_OF_PLOT}));
    EXPECT_EQ(reader.getPen(), 2);
    // Fetched after the fact: the points stay until getLine takes them.
    std::vector<PlottingPoint> line;
    reader.getLine(line);
    const PlottingPoint expected[] = {{1.5, 1.25, "Road"}, {2.5, 1.25}, {2.5, -2.125}, {3.75, -2.125}};
    ASSERT_EQ(line.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(line[i].x, expected[i].x);
        EXPECT_EQ(line[i].y, expected[i].y);
        EXPECT_EQ(line[i].group, expected[i].group);
    }
    double xScale = 0, yScale = 0;
    reader.getPlotScale(xScale, yScale);
    EXPECT_EQ(xScale, 2.0);
    EXPECT_EQ(yScale, 0.5);
    std::string units;
    reader.getPlotUnits(units);
    EXPECT_EQ(units, "mm");
    EXPECT_EQ(reader.getEncoding(), "UTF-8");
    double width = 0, height = 0;
    reader.getPageSize(width, height);
    EXPECT_EQ(width, 297.0);
    EXPECT_EQ(height, 210.0);
}

TEST_F(ReaderRoundTrip, EveryWriterCall) {
    const std::string path = write(
        [](DWFPlotFileWriter& writer) {
            writer.setPen(1);
            writer.addLine(0, 0, 3, "Roads");
            writer.addLine(10, 0, 2, "Roads");
            writer.addLine(10, 5, 2, "Roads");
            writer.addLine(20, 20, 3, "Rail");
            writer.addLine(25, 20, 2, "Rail");
            writer.addPolygons({{{0, 0}, {40, 0}, {40, 40}, {0, 40}}, {{10, 10}, {20, 10}, {20, 20}}}, 2, "Parcels");
            PlotFont font;
            font.name = "Arial";
            font.height = 2.5;
            font.bold = true;
            writer.addText(100, 50, font, 0, L"First", 1, 3, 10, 2, 0.25, "Labels");
            writer.addText(100, 47, font, 0, L"", 2, 3, 10, 2, 0.25, "Labels");
            writer.addText(100, 44, font, 0, L"Th\u00efrd \u03a9", 3, 3, 10, 2, 0.25, "Labels");
            std::vector<PlottingPoint> circle;
            for (int i = 0; i < 36; ++i) circle.emplace_back(5 * std::cos(i * kPi / 18), 5 * std::sin(i * kPi / 18));
            writer.addSymbol(30, 40, 1.5, 90, true, "Valve", {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}, circle}, "Pipes");
            writer.addSymbol(35, 45, 2, 0, false, "Marker", {{{0, 0}, {3, 0}}, {{1, 1}}}, "Marks");
            writer.addTable("T1|T2\nA|B");
            writer.setPen(3);
            IMAGE png;
            png.width = 40;
            png.height = 30;
            png.encoding = 1;
            writer.addImage(50, 60, 40, 30, &png, "Photos");
            IMAGE jpeg;
            jpeg.width = 8;
            jpeg.encoding = 0;
            writer.addImage(0, 0, 8, 6, &jpeg, "Snaps");
            writer.addLine(1, 1, 3, "End");
            writer.addLine(2, 2, 2, "End");
        },
        {"3 \"Roads\" 1 0", "7 \"Rail\" 0 1"});
    auto& reader = openFile(path);
    std::vector<PlottingPoint> line;
    std::vector<std::vector<PlottingPoint>> polygons;
    int pen = 0;
    std::string group, name;
    double x = 0, y = 0, angle = 0, scale = 0, height = 0, width = 0;

    EXPECT_EQ(rest(5), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_PEN, PLT_LINE}));
    EXPECT_EQ(reader.getPen(), 1);
    reader.getLine(line);
    ASSERT_EQ(line.size(), 3u);
    EXPECT_EQ(line[0].group, "Roads");
    EXPECT_EQ(line[2].y, 5.0);
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_LINE}));
    reader.getLine(line);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[0].group, "Rail");
    EXPECT_EQ(line[1].x, 25.0);

    EXPECT_EQ(rest(4), (Codes{PLT_NONE, PLT_PEN, PLT_PEN, PLT_POLYGONS}));
    reader.getPolygons(polygons, pen, group);
    EXPECT_EQ(pen, 2);
    EXPECT_EQ(group, "Parcels");
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].size(), 4u);
    EXPECT_EQ(polygons[1].size(), 3u);
    EXPECT_EQ(polygons[1][1].x, 20.0);
    EXPECT_EQ(polygons[1][1].y, 10.0);

    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_TEXT}));
    PlotFont font;
    EXPECT_EQ(std::wstring(reader.getText(x, y, font, angle, group)), L"First\n\nTh\u00efrd \u03a9");
    EXPECT_EQ(x, 100.0);
    EXPECT_EQ(y, 44.0);
    EXPECT_EQ(font.name, "Arial");
    EXPECT_EQ(font.height, 2.5);
    EXPECT_TRUE(font.bold);
    EXPECT_EQ(group, "Labels");

    bool filled = false;
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_SYMBOL}));
    reader.getSymbol(x, y, scale, angle, filled, name, group);
    EXPECT_EQ(std::make_tuple(x, y, scale, angle, filled, name, group),
              std::make_tuple(30.0, 40.0, 1.5, 90.0, true, std::string("Valve"), std::string("Pipes")));
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_SYMBOL}));
    reader.getSymbol(x, y, scale, angle, filled, name);
    EXPECT_EQ(std::make_tuple(x, y, scale, angle, filled, name),
              std::make_tuple(35.0, 45.0, 2.0, 0.0, false, std::string("Marker")));

    EXPECT_EQ(reader.getOperation(), PLT_TABLE);
    std::string table;
    reader.getTableString(table);
    EXPECT_EQ(table, "T1|T2\nA|B");

    EXPECT_EQ(rest(3), (Codes{PLT_NONE, PLT_PEN, PLT_IMAGE}));
    EXPECT_EQ(reader.getPen(), 3);
    IMAGE* image = nullptr;
    reader.getImage(x, y, height, width, &image, group);
    ASSERT_EQ(loads().size(), 1u);
    EXPECT_EQ(image, images()[0].get());
    EXPECT_EQ(loads()[0].bytes, "PNG:40");
    EXPECT_EQ(loads()[0].path.substr(loads()[0].path.size() - 4), ".png");
    EXPECT_EQ(std::make_tuple(x, y, height, width, group), std::make_tuple(50.0, 60.0, 30.0, 40.0, std::string("Photos")));
    EXPECT_EQ(reader.getOperation(), PLT_IMAGE);
    reader.getImage(x, y, height, width, &image);
    ASSERT_EQ(loads().size(), 2u);
    EXPECT_EQ(loads()[1].bytes, "JPEG:8");
    EXPECT_EQ(loads()[1].path.substr(loads()[1].path.size() - 4), ".jpg");
    EXPECT_EQ(std::make_tuple(x, y, height, width), std::make_tuple(0.0, 0.0, 6.0, 8.0));

    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_LINE}));
    reader.getLine(line);
    EXPECT_EQ(line.at(0).group, "End");

    bool first = false, second = false;
    EXPECT_EQ(rest(2), (Codes{PLT_GROUP_OPTIONS, PLT_GROUP_OPTIONS}));
    reader.getGroupInfo(name, first, second);
    EXPECT_EQ(std::make_tuple(name, first, second), std::make_tuple(std::string("Roads"), true, false));
    EXPECT_EQ(rest(2), (Codes{PLT_GROUP_OPTIONS, PLT_GROUP_OPTIONS}));
    reader.getGroupInfo(name, first, second);
    EXPECT_EQ(std::make_tuple(name, first, second), std::make_tuple(std::string("Rail"), false, true));
    EXPECT_EQ(rest(), (Codes{PLT_NONE, PLT_END_OF_PLOT}));
    EXPECT_EQ(reader.position(), reader.size());
}

// A text line longer than any name or label, written with a drawable after
// it: the line comes back whole, and so does the rest of the page.
TEST_F(ReaderRoundTrip, LongTextLineRoundTripsWithWhatFollows) {
    const std::wstring ascii(70000, L'x');
    const std::wstring wide = std::wstring(70000, L'\u00e9');
    const std::string path = write([&](DWFPlotFileWriter& writer) {
        writer.addText(1, 2, PlotFont(), 0, ascii.c_str(), 1, 2, 10, 2, 0.25, "Long");
        writer.addText(1, 1, PlotFont(), 0, wide.c_str(), 2, 2, 10, 2, 0.25, "Long");
        writer.addLine(0, 0, 3, "After");
        writer.addLine(1, 0, 2, "After");
    });
    auto& reader = openFile(path);
    double x = 0, y = 0, angle = 0;
    PlotFont font;
    EXPECT_EQ(rest(3), (Codes{PLT_NEW_PAGE, PLT_PEN, PLT_TEXT}));
    EXPECT_EQ(std::wstring(reader.getText(x, y, font, angle)), ascii + L"\n" + wide);
    EXPECT_EQ(rest(2), (Codes{PLT_PEN, PLT_LINE}));
    std::vector<PlottingPoint> line;
    reader.getLine(line);
    EXPECT_EQ(line.at(0).group, "After");
}

TEST_F(ReaderRoundTrip, PolygonsKeepTheirContoursBesideAnEmptyOne) {
    const std::vector<PlottingPoint> triangle = {{0, 0}, {4, 0}, {4, 4}};
    const std::string path = write([&](DWFPlotFileWriter& writer) { writer.addPolygons({{}, triangle, {}}, 1, "Area"); });
    auto& reader = openFile(path);
    EXPECT_EQ(rest(5), (Codes{PLT_NEW_PAGE, PLT_NONE, PLT_PEN, PLT_PEN, PLT_POLYGONS}));
    std::vector<std::vector<PlottingPoint>> polygons;
    int pen = 0;
    std::string group;
    reader.getPolygons(polygons, pen, group);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].size(), 3u);
    EXPECT_EQ(group, "Area");
}

}  // namespace
