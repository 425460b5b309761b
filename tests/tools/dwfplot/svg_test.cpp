#include <gtest/gtest.h>

#include <vector>

#include "dwfplot/image_codec.h"
#include "dwfplot/svg_command.h"
#include "dwfplot/svg_page.h"
#include "support/temp_dir_test.h"
#include "tool_test_support.h"

namespace {

class SvgRendering : public testsupport::TempDirTest {
protected:
    std::string renderSample() {
        const std::string path = workDir() + "/sample.w2d";
        tooltest::writeSampleStream(path, false);
        const tooltest::Run run = tooltest::runTool({"svg", path, "-o", workDir() + "/sample"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, workDir() + "/sample-page-1.svg\n");
        return workDir() + "/sample-page-1.svg";
    }
};

TEST_F(SvgRendering, DrawsWithTheAttributesInForce) {
    const std::string svg = testsupport::readFile(renderSample());
    const char* expected[] = {
        "viewBox=\"0 -8000 10000 8000\"",
        "width=\"100mm\" height=\"80mm\"",
        "<clipPath id=\"clip1\"><path clip-rule=\"evenodd\" d=\"M0 0 L10000 0 L10000 8000 L0 8000 Z \"/></clipPath>",
        "<g clip-path=\"url(#clip1)\">",
        "<polyline points=\"1000,1000 4000,1000 4000,3000\" fill=\"none\" stroke=\"#ff0000\" stroke-width=\"50\" "
        "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>",
        "<polygon points=\"6000,1000 9000,1000 9000,3000 6000,3000\" fill=\"#0000ff\" stroke=\"none\"/>",
        "<path fill-rule=\"evenodd\" d=\"M1000 5000 L4000 5000 L4000 7500 L1000 7500 Z M2000 6000 L3000 6000 L3000 "
        "7000 L2000 7000 Z\" fill=\"#008000\" stroke=\"none\"/>",
        "<ellipse cx=\"7500\" cy=\"6000\" rx=\"800\" ry=\"800\" fill=\"#008000\" stroke=\"none\"/>",
        "<path d=\"M8700 6000 L",
        "<text transform=\"translate(5200 4200) scale(1 -1) rotate(-45)\" y=\"-60\" font-family=\"Sans\" "
        "font-size=\"300\" textLength=\"1000\" lengthAdjust=\"spacingAndGlyphs\" fill=\"#008000\">Hi &lt;&amp;&gt;</text>",
        "<image preserveAspectRatio=\"none\" width=\"1000\" height=\"1000\" transform=\"translate(8000 4500) scale(1 "
        "-1)\" xlink:href=\"data:image/png;base64,iVBORw0KGgo",
    };
    for (const char* piece : expected) EXPECT_NE(svg.find(piece), std::string::npos) << piece << "\n" << svg;
    // The arc is an open quarter: it ends on the minor axis, above the centre.
    EXPECT_NE(svg.find("L7500 6900\" fill=\"none\" stroke=\"#008000\" stroke-width=\"50\""), std::string::npos) << svg;
}

TEST_F(SvgRendering, XmllintAcceptsTheDocument) {
    if (!tooltest::haveProgram("xmllint")) GTEST_SKIP() << "xmllint is not installed";
    std::string output;
    EXPECT_EQ(tooltest::runShell("xmllint --noout '" + renderSample() + "'", &output), 0) << output;
}

// Rasterised by a renderer we did not write: ink on the lines, the polygon,
// the solid part of the contour set and the circle; none beside the lines
// and none in the contour set's hole.
TEST_F(SvgRendering, RsvgRasterHasInkWhereThePageDoes) {
    if (!tooltest::haveProgram("rsvg-convert")) GTEST_SKIP() << "rsvg-convert (librsvg2-bin) is not installed";
    const std::string png = workDir() + "/sample.png";
    std::string output;
    ASSERT_EQ(tooltest::runShell("rsvg-convert -w 1000 -h 800 -o '" + png + "' '" + renderSample() + "'", &output), 0)
        << output;
    const std::string bytes = testsupport::readFile(png);
    IMAGE* image = dwfplot_tool::decodePng(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->width, 1000);
    ASSERT_EQ(image->height, 800);
    // Logical (x, y) is pixel (x / 10, (8000 - y) / 10).
    const auto inked = [image](int x, int y) {
        const unsigned char* p = image->pixels + (static_cast<size_t>((8000 - y) / 10) * 1000 + x / 10) * 4;
        return p[3] > 0 && (p[0] < 235 || p[1] < 235 || p[2] < 235);
    };
    const struct {
        const char* where;
        int x, y;
        bool ink;
    } probes[] = {
        {"polyline", 2500, 1000, true},        {"polyline corner", 4000, 2000, true},
        {"polygon", 7500, 2000, true},         {"contour set", 1500, 5500, true},
        {"circle", 7500, 6000, true},          {"hole", 2500, 6500, false},
        {"beside the line", 2500, 1500, false}, {"open paper", 4700, 2500, false},
        {"above the polygon", 7500, 3300, false},
    };
    for (const auto& probe : probes) EXPECT_EQ(inked(probe.x, probe.y), probe.ink) << probe.where;
    dwfplot_tool::freeImage(image);
}

TEST(SvgText, EscapesMarkupAndReplacesWhatXmlCannotHold) {
    EXPECT_EQ(dwfplot_tool::xmlText(std::u16string(u"a<b>&\"c\"")), "a&lt;b&gt;&amp;&quot;c&quot;");
    EXPECT_EQ(dwfplot_tool::xmlText(std::u16string(u"x\u0001y\u00e9")), "x\xEF\xBF\xBDy\xC3\xA9");
    EXPECT_EQ(dwfplot_tool::xmlText(std::u16string(1, char16_t{0xD800})), "\xEF\xBF\xBD");
    EXPECT_EQ(dwfplot_tool::svgNumber(1.50), "1.5");
    EXPECT_EQ(dwfplot_tool::svgNumber(-0.0001), "0");
    EXPECT_EQ(dwfplot_tool::svgNumber(2.0), "2");
}

TEST(SvgPrefix, DropsTheExtensionOfTheFileOnly) {
    EXPECT_EQ(dwfplot_tool::defaultPrefix("out/demo.dwf"), "out/demo");
    EXPECT_EQ(dwfplot_tool::defaultPrefix("a.dir/plot"), "a.dir/plot");
    EXPECT_EQ(dwfplot_tool::defaultPrefix("dir/.hidden"), "dir/.hidden");
}

}  // namespace
