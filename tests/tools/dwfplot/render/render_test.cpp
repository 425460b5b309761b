// The viewer's backends against each other on a page that uses every drawable
// and attribute, and the SVG text of a small page against its golden.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "../tool_test_support.h"
#include "support/package_builder.h"
#include "w2d/color_map.h"
#include "w2d/dash_pattern.h"
#include "w2d/fill_pattern.h"
#include "w2d/layer.h"
#include "w2d/line_pattern.h"
#include "w2d/marker.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/url.h"
#include "w2d/visibility.h"

namespace {

using Points = std::vector<WT_Logical_Point>;
using tooltest::runTool;

class PageWriter {
public:
    explicit PageWriter(const std::string& path, int32_t width, int32_t height) {
        stream_.set_filename(path);
        stream_.set_file_mode(WT_Stream::File_Write);
        EXPECT_EQ(stream_.open(), WT_Result::Success);
        set(WT_Viewport("Clip", WT_Contour_Set(Points{{0, 0}, {width, 0}, {width, height}, {0, height}})));
    }
    ~PageWriter() { EXPECT_EQ(stream_.close(), WT_Result::Success); }

    template <typename Attribute>
    PageWriter& set(const Attribute& attribute) {
        stream_.desired_attributes().set(attribute);
        return *this;
    }
    PageWriter& style(WT_Line_Style::WT_Capstyle_ID cap, WT_Line_Style::WT_Joinstyle_ID join, double scale = 1) {
        WT_Line_Style style;
        style.set_line_start_cap(cap);
        style.set_line_end_cap(cap);
        style.set_line_join(join);
        style.set_pattern_scale(scale);
        return set(style);
    }
    PageWriter& font(int32_t height, uint16_t rotation, uint8_t style, uint16_t width, uint16_t oblique,
                     uint16_t spacing) {
        WT_Font font;
        font.set_name(WT_String("DejaVu Sans"));
        font.set_height(height);
        font.set_rotation(rotation);
        font.set_style(style);
        font.set_width_scale(width);
        font.set_oblique(oblique);
        font.set_spacing(spacing);
        return set(font);
    }
    PageWriter& draw(const WT_Object& object) {
        EXPECT_EQ(object.write(stream_), WT_Result::Success);
        return *this;
    }
    PageWriter& image(uint16_t format, uint16_t columns, uint16_t rows, std::vector<uint8_t> data, int32_t x,
                      std::optional<WT_Color_Map> map = std::nullopt) {
        const WT_Logical_Point low{x, 600}, high{x + 1200, 1800};
        if (format == WT_Image::PNG || format >= WT_Image::Group4) {
            return draw(WT_PNG_Group4_Image(rows, columns, format, 1, map, std::move(data), low, high));
        }
        return draw(WT_Image(rows, columns, format, 1, map, std::move(data), low, high));
    }

private:
    WT_Stream stream_;
};

constexpr uint16_t kSide = 48;

// kSide x kSide pixels of `channels` bytes each from `pixel(x, y, channel)`.
template <typename Pixel>
std::vector<uint8_t> pixels(int channels, Pixel pixel) {
    std::vector<uint8_t> bytes;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            for (int c = 0; c < channels; ++c) bytes.push_back(uint8_t(pixel(x, y, c)));
        }
    }
    return bytes;
}

std::vector<uint8_t> encoded(bool png) {
    std::vector<uint8_t> rgb = pixels(3, [](int x, int y, int c) { return c == 0 ? x * 5 : c == 1 ? y * 5 : 128; });
    IMAGE image{kSide, kSide, 3, rgb.data(), 0};
    std::vector<uint8_t> file;
    EXPECT_TRUE(png ? dwfplot_tool::encodePng(image, file) : dwfplot_tool::encodeJpeg(image, file));
    return file;
}

// Group 4 bits of a square whose left half is black. The first row is a
// horizontal-mode pair of runs (white 0, black 24) and a vertical code; each
// further row repeats the row above with three vertical codes; then the end
// of the block.
std::vector<uint8_t> halfBlackFax() {
    std::string bits = "001"
                       "00110101"
                       "00000010111"
                       "1";
    for (int row = 1; row < kSide; ++row) bits += "111";
    bits += "000000000001000000000001";
    std::vector<uint8_t> bytes((bits.size() + 7) / 8);
    for (size_t i = 0; i < bits.size(); ++i) bytes[i / 8] |= uint8_t((bits[i] - '0') << (7 - i % 8));
    return bytes;
}

// 20,000 x 14,000 units (200 x 140 mm): rows of line patterns, caps and joins;
// fills, patterns, holes and ellipses; markers, strips and texts; images.
void writeEveryDrawablePage(const std::string& path) {
    PageWriter page(path, 20000, 14000);
    const WT_Color_Map twoColours(std::vector<WT_RGBA32>{{240, 240, 200, 255}, {20, 60, 160, 255}});
    page.set(WT_Color(200, 30, 30)).set(WT_Line_Weight(0));
    for (int i = 0; i < 6; ++i) {
        const int32_t y = 13400 - 350 * i;
        page.set(WT_Line_Pattern(WT_Line_Pattern::WT_Pattern_ID(1 + 5 * i))).set(WT_Line_Weight(10 * i));
        page.draw(WT_Polyline(Points{{500, y}, {9500, y}}));
    }
    page.set(WT_Line_Pattern(WT_Line_Pattern::Solid)).set(WT_Dash_Pattern(100, {40, 20, 10, 20}));
    page.draw(WT_Polyline(Points{{500, 11200}, {9500, 11200}})).set(WT_Dash_Pattern());
    const WT_Line_Style::WT_Capstyle_ID caps[] = {WT_Line_Style::Butt_Cap, WT_Line_Style::Square_Cap,
                                                  WT_Line_Style::Round_Cap};
    const WT_Line_Style::WT_Joinstyle_ID joins[] = {WT_Line_Style::Miter_Join, WT_Line_Style::Bevel_Join,
                                                    WT_Line_Style::Round_Join};
    page.set(WT_Color(20, 120, 40)).set(WT_Line_Weight(250));
    for (int i = 0; i < 3; ++i) {
        const int32_t x = 10800 + 3000 * i;
        page.style(caps[i], joins[i]).draw(WT_Polyline(Points{{x, 11200}, {x + 1000, 13200}, {x + 2000, 11200}}));
    }
    page.set(WT_Layer(3, WT_String("Fills"))).set(WT_Color(30, 60, 200)).set(WT_Line_Weight(0));
    for (int i = 1; i <= 8; ++i) {
        const int32_t x = 500 + 1150 * (i - 1);
        page.set(WT_Fill_Pattern(WT_Fill_Pattern::WT_Pattern_ID(i), i % 2 + 2));
        page.draw(WT_Polygon(Points{{x, 8800}, {x + 1000, 8800}, {x + 1000, 10400}, {x, 10400}}));
    }
    page.set(WT_Fill_Pattern()).set(WT_Color(230, 150, 20, 200));
    page.draw(WT_Contour_Set(std::vector<int32_t>{4, 3}, Points{{9800, 8800}, {12000, 8800}, {12000, 10400},
                                                                 {9800, 10400}, {10300, 9000}, {11500, 9000}, {10900, 10100}}));
    page.set(WT_Visibility(false)).draw(WT_Polygon(Points{{0, 0}, {20000, 14000}, {20000, 0}})).set(WT_Visibility(true));
    page.set(WT_Layer(4, WT_String("Curves"))).set(WT_Color(120, 20, 140)).set(WT_Line_Weight(60));
    page.draw(WT_Filled_Ellipse({13000, 9600}, 700, 700));
    page.draw(WT_Outline_Ellipse({15200, 9600}, 1000, 500, 0, 0, 8192));
    page.draw(WT_Outline_Ellipse({17300, 9300}, 900, 900, 4096, 40960, 0));
    page.draw(WT_Filled_Ellipse({19000, 9300}, 800, 600, 0, 16384, 0));
    page.set(WT_Layer()).set(WT_URL({{1, WT_String("https://example.com/a'b"), WT_String("an example")}}));
    page.set(WT_Color(0, 0, 0)).set(WT_Line_Weight(30)).set(WT_Marker_Size(500));
    for (int symbol = 0; symbol < 8; ++symbol) {
        page.set(WT_Marker_Symbol(symbol)).draw(WT_Polymarker(Points{{600 + 800 * symbol, 7400}, {600 + 800 * symbol, 6600}}));
    }
    page.set(WT_URL()).set(WT_Color(0, 150, 150));
    page.draw(WT_Polytriangle(Points{{7000, 6200}, {7000, 7600}, {8200, 6200}, {8800, 7600}, {9600, 6200}}));
    page.set(WT_Color(20, 20, 20));
    page.font(500, 0, 0, 1024, 0, 1024).draw(WT_Text({10000, 7200}, WT_String("Plain text")));
    page.font(500, 0, WT_Font::Bold | WT_Font::Underlined, 1536, 0, 1024).draw(WT_Text({10000, 6300}, WT_String("Bold wide")));
    page.font(500, 0, WT_Font::Italic, 1024, 3000, 1400).draw(WT_Text({10000, 5400}, WT_String("Slanted spaced")));
    page.font(450, 8192, 0, 768, 0, 1024).draw(WT_Text({16500, 5000}, WT_String(std::u16string_view(u"Turned 45\u00B0 narrow"))));
    // Images of 48 pixels on 12 mm are finer than a screen pixel, so every rasteriser blends them alike.
    const auto checker = [](int x, int y, int) { return (x / 6 + y / 6) % 2; };
    page.image(WT_Image::RGB, kSide, kSide, pixels(3, [](int x, int y, int c) { return (x + y + c * 16) * 2; }), 300);
    page.image(WT_Image::RGBA, kSide, kSide, pixels(4, [](int x, int, int c) { return c == 3 ? x * 5 : c * 100; }), 1800);
    page.image(WT_Image::Mapped, kSide, kSide, pixels(1, checker), 3300, twoColours);
    page.image(WT_Image::Indexed, kSide, kSide, pixels(1, [](int x, int, int) { return 1 + x / 12; }), 4800);
    std::vector<uint8_t> bitonal(size_t(kSide) * kSide / 8);
    for (size_t i = 0; i < bitonal.size(); ++i) bitonal[i] = i / 6 % 12 < 6 ? 0xF0 : 0x0F;
    page.image(WT_Image::Bitonal_Mapped, kSide, kSide, bitonal, 6300, twoColours);
    page.image(WT_Image::JPEG, kSide, kSide, encoded(false), 7800);
    page.image(WT_Image::PNG, kSide, kSide, encoded(true), 9300);
    page.image(WT_Image::Group4, kSide, kSide, halfBlackFax(), 10800);
    page.image(WT_Image::Group4X_Mapped, kSide, kSide, halfBlackFax(), 12300, twoColours);
    page.image(WT_Image::Group3X_Mapped, 40, 30, {1, 2, 3}, 13800, twoColours);
}

std::unique_ptr<IMAGE, void (*)(IMAGE*)> loadPng(const std::string& path) {
    const std::string bytes = testsupport::readFile(path);
    return {dwfplot_tool::decodePng(std::vector<uint8_t>(bytes.begin(), bytes.end())), dwfplot_tool::freeImage};
}

// How far two renderings of a page differ, compared in blocks of 4 x 4 pixels so that anti-aliasing and a pixel's
// shift average out: the share of blocks whose mean colour differs, over the page and in the worst cell of a 16 x 10
// grid (a drawable lost or misplaced stands out in its cell), and the share of the page that is not white.
struct Agreement {
    double differing = 1;
    double worstCell = 1;
    double inked = 0;
};

Agreement compare(const std::string& ours, const std::string& theirs) {
    const auto a = loadPng(ours);
    const auto b = loadPng(theirs);
    if (!a || !b || std::abs(a->width - b->width) > 1 || std::abs(a->height - b->height) > 1) return {};
    constexpr int block = 4, columns = 16, rows = 10;
    const int32_t width = std::min(a->width, b->width) / block, height = std::min(a->height, b->height) / block;
    const auto mean = [](const IMAGE& image, int32_t bx, int32_t by, int c) {
        int sum = 0;
        for (int y = by * block; y < (by + 1) * block; ++y) {
            for (int x = bx * block; x < (bx + 1) * block; ++x) sum += image.pixels[(y * image.width + x) * image.channels + c];
        }
        return sum / (block * block);
    };
    std::vector<size_t> cells(columns * rows);
    size_t differing = 0, inked = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            int most = 0, darkest = 255;
            for (int c = 0; c < 3; ++c) {
                most = std::max(most, std::abs(mean(*a, x, y, c) - mean(*b, x, y, c)));
                darkest = std::min(darkest, mean(*a, x, y, c));
            }
            differing += most > 48;
            cells[size_t(y * rows / height * columns + x * columns / width)] += most > 48;
            inked += darkest < 224;
        }
    }
    const double blocks = double(width) * height;
    return {differing / blocks, double(*std::max_element(cells.begin(), cells.end())) * columns * rows / blocks,
            inked / blocks};
}

class Viewer : public testsupport::TempDirTest {};

// PNG from cairo, the SVG rasterised by librsvg and the PDF read by poppler
// show the same page: a backend that drops or misplaces a drawable differs
// from the others by far more than the edges of anti-aliasing. (librsvg
// smooths every image, and poppler widens lines to a pixel at least: the
// tolerances allow for that.)
TEST_F(Viewer, EveryBackendShowsTheSamePage) {
    if (!tooltest::haveProgram("rsvg-convert") || !tooltest::haveProgram("pdftocairo")) GTEST_SKIP() << "no rasterisers";
    const std::string dir = workDir();
    writeEveryDrawablePage(dir + "page.w2d");
    ASSERT_EQ(runTool({"png", dir + "page.w2d"}).status, 0);
    ASSERT_EQ(runTool({"svg", dir + "page.w2d"}).status, 0);
    ASSERT_EQ(runTool({"pdf", dir + "page.w2d"}).status, 0);
    const auto ours = loadPng(dir + "page-page-1.png");
    ASSERT_TRUE(ours);
    EXPECT_EQ(ours->width, 756);  // 200 mm at 96 dpi
    EXPECT_EQ(ours->height, 530);
    std::string output;
    ASSERT_EQ(tooltest::runShell("rsvg-convert -w 756 -h 530 -o " + dir + "svg.png " + dir + "page-page-1.svg", &output), 0)
        << output;
    ASSERT_EQ(tooltest::runShell("pdftocairo -r 96 -png -singlefile " + dir + "page.pdf " + dir + "pdf", &output), 0)
        << output;
    // The link the markers carry, as an annotation of the PDF page.
    EXPECT_NE(testsupport::readFile(dir + "page.pdf").find("/URI (https://example.com/a'b)"), std::string::npos);
    for (const std::string other : {"svg.png", "pdf.png"}) {
        const Agreement agreement = compare(dir + "page-page-1.png", dir + other);
        EXPECT_LT(agreement.differing, 0.015) << other;
        EXPECT_LT(agreement.worstCell, 0.15) << other;
        EXPECT_GT(agreement.inked, 0.08) << other;
    }
}

// A viewport, a layer, a link, a dashed line, a pattern fill, markers, a
// triangle strip, a hidden polygon and a group 3X placeholder, as SVG text.
TEST_F(Viewer, SvgOfASmallPageMatchesItsGolden) {
    const std::string dir = workDir();
    {
        PageWriter page(dir + "small.w2d", 4000, 3000);
        page.set(WT_Color(0, 0, 255)).set(WT_Line_Weight(20)).set(WT_Line_Pattern(WT_Line_Pattern::Dash_Dot));
        page.style(WT_Line_Style::Square_Cap, WT_Line_Style::Bevel_Join, 2).set(WT_Layer(2, WT_String("A & B")));
        page.draw(WT_Polyline(Points{{100, 100}, {1900, 100}, {1900, 900}}));
        page.set(WT_Fill_Pattern(WT_Fill_Pattern::Slant_Right, 2)).set(WT_URL({{0, WT_String("https://x.org/?a=1&b=2"), WT_String("x")}}));
        page.draw(WT_Polygon(Points{{2000, 100}, {3000, 100}, {3000, 900}}));
        page.set(WT_Visibility(false)).draw(WT_Polygon(Points{{0, 0}, {10, 0}, {10, 10}})).set(WT_Visibility(true));
        page.set(WT_Layer()).set(WT_URL()).set(WT_Marker_Symbol(2)).set(WT_Marker_Size(200));
        page.draw(WT_Polymarker(Points{{500, 1500}})).draw(WT_Polytriangle(Points{{1000, 1200}, {1000, 1800}, {1600, 1200}, {1700, 1900}}));
        page.set(WT_Marker_Symbol(3)).draw(WT_Polymarker(Points{{800, 2500}}));
        // Pixels finer than a screen pixel are blended, not drawn as squares.
        page.draw(WT_PNG_Group4_Image(4, 4, WT_Image::PNG, 2, std::nullopt, tooltest::greyPng(), {2600, 2600}, {2602, 2602}));
        page.set(WT_Viewport("Half", WT_Contour_Set(Points{{0, 0}, {2000, 0}, {2000, 3000}, {0, 3000}})));
        page.image(WT_Image::Group3X_Mapped, 64, 48, {0}, 2200, WT_Color_Map(std::vector<WT_RGBA32>{{0, 0, 0, 255}}));
    }
    ASSERT_EQ(runTool({"svg", dir + "small.w2d"}).status, 0);
    EXPECT_EQ(testsupport::readFile(dir + "small-page-1.svg"), tooltest::dataFile("small_svg.golden"));
    // Without a viewport a page shows what it draws; a flat drawing still has a unit of height.
    for (const auto& [line, size] : {std::pair{"100,200 900,700", "8mm\" height=\"5mm\" viewBox=\"100 -700 800 500\""},
                                     std::pair{"100,200 900,200", "8mm\" height=\"0.01mm\" viewBox=\"100 -201 800 1\""}}) {
        testsupport::writeFile(dir + "bare.w2d", std::string("(W2D V06.00)\n   L ") + line + "\n(EndOfDWF)");
        ASSERT_EQ(runTool({"svg", dir + "bare.w2d"}).status, 0);
        EXPECT_NE(testsupport::readFile(dir + "bare-page-1.svg").find(std::string(" width=\"") + size), std::string::npos);
    }
}

// A PDF that cannot be written whole is not left behind: a full disk (files capped at 8 KiB), a missing directory.
TEST_F(Viewer, APdfThatCannotBeWrittenIsRemoved) {
    const std::string dir = workDir();
    writeEveryDrawablePage(dir + "page.w2d");
    std::string output;
    const std::string tool = "trap '' XFSZ; ulimit -f 8; exec '" DWFPLOT_TOOL_PATH "' pdf " + dir + "page.w2d -o ";
    EXPECT_EQ(tooltest::runShell(tool + dir + "capped.pdf", &output), 1);
    EXPECT_NE(output.find("cannot write " + dir + "capped.pdf"), std::string::npos) << output;
    EXPECT_EQ(tooltest::runShell(tool + dir + "missing/page.pdf", &output), 1);
    EXPECT_NE(output.find("cannot write " + dir + "missing/page.pdf"), std::string::npos) << output;
    EXPECT_EQ(testsupport::listTree(dir), std::vector<std::string>{dir + "page.w2d"});
}

// The demo's three A4 landscape pages become a three-page PDF of that size; a page on 4 x 3.2 inch paper whose
// stream maps 10,000 units onto the 4 inches has that size, whatever its viewport.
TEST_F(Viewer, PdfPagesHaveTheSizeOfTheirPaper) {
    if (!tooltest::haveProgram("pdfinfo")) GTEST_SKIP() << "no pdfinfo";
    const std::string dir = workDir();
    ASSERT_EQ(runTool({"demo", "-o", dir}).status, 0);
    tooltest::writeSampleStream(dir + "sample.w2d", false);
    testsupport::PackageLayout layout = testsupport::plotPackage({testsupport::readFile(dir + "sample.w2d")});
    layout.pages[0].paperUnits = "in";
    layout.pages[0].paperWidth = 4;
    layout.pages[0].paperHeight = 3.2;
    layout.pages[0].resources = {{"page.w2d"}};
    layout.pages[0].resources[0].transform = "0.0004 0 0 0 0 0.0004 0 0 0 0 1 0 0 0 0 1";
    testsupport::writePackage(dir + "inches.dwf", layout);
    const std::pair<std::string, std::string> expected[] = {
        {"demo", "Pages:           3\nEncrypted:       no\nPage size:       841.89 x 595.276 pts (A4)"},
        {"inches", "Pages:           1\nEncrypted:       no\nPage size:       288 x 230.4 pts"}};
    for (const auto& [name, info] : expected) {
        const auto run = runTool({"pdf", dir + name + ".dwf"});
        ASSERT_EQ(run.status, 0) << run.err;
        std::string output;
        ASSERT_EQ(tooltest::runShell("pdfinfo " + dir + name + ".pdf", &output), 0) << output;
        EXPECT_NE(output.find(info), std::string::npos) << output;
    }
}

}  // namespace
