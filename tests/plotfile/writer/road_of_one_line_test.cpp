// One line on one page, from the host's calls to the bytes of the page
// stream inside the package.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "plot_writer_test_support.h"
#include "support/temp_dir_test.h"

namespace {

using namespace std::string_literals;
using plotwritertest::decode;

class RoadOfOneLine : public testsupport::TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        path_ = workDir() + "road.dwf";
        DWFPlotFileWriter writer;
        // Pen 2's red is above 255: only its low 8 bits count.
        std::vector<PenDetail> pens = {{0, 0, 0, 0.25}, {255, 0, 0, 0.35}, {0x1A0, 128, 255, 0.5}};
        writer.setPenDetails(pens);
        ASSERT_TRUE(writer.openPlot(path_, 21, 0.57, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({});
        writer.setPen(2);
        writer.addLine(1.0, 2.0, 3, "Roads");
        writer.addLine(3.5, 2.0, 2, "Roads");
        writer.addLine(3.5, 4.25, 2, "Roads");
        writer.addLine(1.0, 4.25, 2, "Roads");
        writer.closePage();
        writer.closePlot();
    }
    std::string path_;
};

TEST_F(RoadOfOneLine, PageStreamBytes) {
    const auto entries = plotwritertest::readPackage(path_);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_TRUE(std::regex_match(entries[0].name, std::regex("dwf\\.ePlot_[0-9A-F]{32}\\\\[0-9A-F]{32}\\.w2d")));
    EXPECT_EQ(entries[1].name, entries[0].name.substr(0, 43) + "descriptor.xml");
    EXPECT_EQ(entries[2].name, "manifest.xml");
    EXPECT_TRUE(plotwritertest::unzipAccepts(path_));

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
    EXPECT_EQ(testsupport::hex(entries[0].content), testsupport::hex(expected));
}

TEST_F(RoadOfOneLine, DecodedByOurW2DReader) {
    const auto streams = plotwritertest::pageStreams(path_);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(decode(streams[0]),
              (std::vector<std::string>{
                  "Viewport Clip contours=1 0,0 0,569 21000,569 21000,0",
                  "UserData Pen '\\x02\\x00\\x00\\x00'",
                  "UserData Group 'Roads\\x00'",
                  "Color 160,128,255,255",
                  "LineWeight 50",
                  "LineStyle defined=0x38 join=2 start=2 end=2",
                  "Polyline 1000,2000 3500,2000 3500,4250 1000,4250",
              }));
}

}  // namespace
