// Lines, polygons, images and pens as the page stream carries them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plot_writer_test_support.h"

namespace {

using Lines = std::vector<std::string>;
using plotwritertest::PlotWriterTest;

class WriterGeometry : public PlotWriterTest {};

TEST_F(WriterGeometry, PenCodesSplitLinesAtEveryPenUp) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  w.addLine(0, 0, 3, "a");
                  w.addLine(1, 0, 2, "b");  // later points' groups are not used
                  w.addLine(1, 1, 2, "b");
                  w.addLine(5, 5, 3, "c");
                  w.addLine(6, 5, 2, "c");
              }),
              (Lines{"UserData Group 'a\\x00'", "Polyline 0,0 1000,0 1000,1000", "UserData Group 'c\\x00'",
                     "Polyline 5000,5000 6000,5000"}));
}

TEST_F(WriterGeometry, LonePointsAndPointLikeLinesAreDropped) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  w.addLine(0, 0, 3, "lone");
                  w.addLine(2, 2, 3, "g");
                  w.addLine(2.0004, 2, 2, "g");  // the same logical point
                  w.addLine(7, 7, 3, "g");
                  w.addLine(8, 7, 2, "g");
              }),
              (Lines{"UserData Group 'g\\x00'", "Polyline 7000,7000 8000,7000"}));
}

TEST_F(WriterGeometry, PenUpAtTheLastPointContinuesOnlyWithinItsGroup) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  w.addLine(0, 0, 3, "g");
                  w.addLine(1, 0, 2, "g");
                  w.addLine(1, 0, 3, "g");  // continues
                  w.addLine(1, 1, 2, "g");
                  w.addLine(1, 1, 3, "h");  // same place, other group: a new line
                  w.addLine(2, 2, 2, "h");
              }),
              (Lines{"UserData Group 'g\\x00'", "Polyline 0,0 1000,0 1000,1000", "UserData Group 'h\\x00'",
                     "Polyline 1000,1000 2000,2000"}));
}

TEST_F(WriterGeometry, PolygonsWriteThePenGroupAndOneContourSet) {
    const std::vector<std::vector<PlottingPoint>> rings = {{{0, 0}, {4, 0}, {4, 4}}, {{1, 1}, {2, 1}, {2, 2}, {1, 2}}};
    EXPECT_EQ(drawPage([&](DWFPlotFileWriter& w) {
                  w.addLine(0, 0, 3, "line");
                  w.addLine(1, 0, 2, "line");
                  w.addPolygons(rings, 1, "area");
                  w.addPolygons({}, 2, "none");
                  w.addPolygons({{}, {}}, 2, "none");
              }),
              (Lines{"UserData Group 'line\\x00'", "Polyline 0,0 1000,0", "UserData Pen '\\x01\\x00\\x00\\x00'",
                     // A contour set needs no fill switch and no line style.
                     "UserData Group 'area\\x00'", "Color 255,0,0,255", "LineWeight 35",
                     "Contours 3 4 : 0,0 4000,0 4000,4000 1000,1000 2000,1000 2000,2000 1000,2000",
                     "UserData Pen '\\x02\\x00\\x00\\x00'"}));
}

TEST_F(WriterGeometry, AnEmptyContourBesideOthersIsLeftOutAndTheOthersKept) {
    const std::vector<PlottingPoint> triangle = {{0, 0}, {4, 0}, {4, 4}};
    EXPECT_EQ(drawPage([&](DWFPlotFileWriter& w) {
                  w.addPolygons({triangle, {}}, 1, "before");
                  w.addPolygons({{}, triangle}, 1, "after");
              }),
              (Lines{"UserData Pen '\\x01\\x00\\x00\\x00'", "UserData Group 'before\\x00'", "Color 255,0,0,255",
                     "LineWeight 35", "Contours 3 : 0,0 4000,0 4000,4000", "UserData Group 'after\\x00'",
                     "Contours 3 : 0,0 4000,0 4000,4000"}));
}

TEST_F(WriterGeometry, PensOutsideTheTableTakeEntryZero) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  w.setPen(5);
                  w.setPen(5);  // the current pen: nothing
                  w.addLine(0, 0, 3, "");
                  w.addLine(1, 0, 2, "");
                  w.setPen(-7);
                  w.addLine(0, 1, 3, "");
                  w.addLine(1, 1, 2, "");
              }),
              (Lines{"UserData Pen '\\x05\\x00\\x00\\x00'", "UserData Group '\\x00'", "Color 0,0,0,255",
                     "LineWeight 25", "LineStyle defined=0x38 join=2 start=2 end=2", "Polyline 0,0 1000,0",
                     "UserData Pen '\\xF9\\xFF\\xFF\\xFF'", "UserData Group '\\x00'", "Polyline 0,1000 1000,1000"}));
}

TEST_F(WriterGeometry, ThinPensAndAnEmptyTable) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  std::vector<PenDetail> thin = {{1, 2, 3, 0.005}};
                  w.setPenDetails(thin);
                  w.setPen(0);
                  w.addLine(0, 0, 3, "");
                  w.addLine(1, 0, 2, "");
                  std::vector<PenDetail> none;
                  w.setPenDetails(none);
                  w.setPen(3);
                  w.addLine(0, 2, 3, "");
                  w.addLine(1, 2, 2, "");
              }),
              // Weight 0: the round line style waits for a positive weight.
              (Lines{"UserData Pen '\\x00\\x00\\x00\\x00'", "UserData Group '\\x00'", "Color 1,2,3,255",
                     "Polyline 0,0 1000,0", "UserData Pen '\\x03\\x00\\x00\\x00'", "UserData Group '\\x00'",
                     "Color 0,0,0,255", "Polyline 0,2000 1000,2000"}));
}

TEST_F(WriterGeometry, TablesDoNotWriteTheLineBeingBuilt) {
    EXPECT_EQ(drawPage([](DWFPlotFileWriter& w) {
                  w.addLine(0, 0, 3, "g");
                  w.addLine(1, 0, 2, "g");
                  w.addTable(std::string("T\x01 \"x\" (y)\n", 11));
              }),
              (Lines{"UserData Table 'T\\x01 \"x\" (y)\\x0A\\x00'", "UserData Group 'g\\x00'",
                     "Polyline 0,0 1000,0"}));
}

// Image callbacks that record what they were given.
struct ImageLog {
    int encoded = 0;
    std::vector<void*> released;
    int result = 1;
};
ImageLog imageLog;
char jpegBytes[] = "JPEGDATA";
char pngBytes[] = "\x89PNG";

int encodeImage(IMAGE* image, long& size, void*& data) {
    ++imageLog.encoded;
    data = image->encoding == 0 ? static_cast<void*>(jpegBytes) : static_cast<void*>(pngBytes);
    size = static_cast<long>(std::strlen(static_cast<char*>(data)));
    return imageLog.result;
}
void releaseImage(void* data) { imageLog.released.push_back(data); }

TEST_F(WriterGeometry, ImagesAndTheirIdentifiers) {
    imageLog = {};
    IMAGE jpeg;
    jpeg.width = 640;
    jpeg.height = 480;
    jpeg.encoding = 0;
    IMAGE skipped = jpeg;
    skipped.encoding = 7;
    IMAGE png = jpeg;
    png.encoding = 3;
    EXPECT_EQ(drawPage(
                  [&](DWFPlotFileWriter& w) {
                      w.addImage(1, 2, 3, 4, &jpeg, "photo");
                      w.addImage(0, 0, 1, 1, &skipped, "odd");  // uses up identifier 2
                      w.addImage(0.5, 0.25, 2, 2, &png, "");
                  },
                  encodeImage, releaseImage),
              (Lines{"UserData Group 'photo\\x00'", "Image format=8 id=1 640x480 1000,2000 4000,6000 data='JPEGDATA'",
                     "UserData Group 'odd\\x00'", "UserData Group '\\x00'",
                     "Image format=12 id=3 640x480 500,250 2500,2250 data='\\x89PNG'"}));
    EXPECT_EQ(imageLog.encoded, 3);
    EXPECT_EQ(imageLog.released,
              (std::vector<void*>{jpegBytes, pngBytes, pngBytes}));

    // An encoder that declines: nothing written, nothing released; no
    // encoder at all: nothing asked.
    imageLog = {};
    imageLog.result = 0;
    EXPECT_EQ(drawPage([&](DWFPlotFileWriter& w) { w.addImage(1, 2, 3, 4, &jpeg, "photo"); }, encodeImage,
                       releaseImage),
              Lines{});
    EXPECT_TRUE(imageLog.released.empty());
    imageLog = {};
    EXPECT_EQ(drawPage([&](DWFPlotFileWriter& w) { w.addImage(1, 2, 3, 4, &jpeg, "photo"); }), Lines{});
    EXPECT_EQ(imageLog.encoded, 0);
}

}  // namespace
