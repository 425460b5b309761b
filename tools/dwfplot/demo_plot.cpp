#include "dwfplot/demo_plot.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "dwfplot/image_codec.h"
#include "dwfplot/text_lines.h"

namespace dwfplot_tool {
namespace {

using Contour = std::vector<PlottingPoint>;
using Contours = std::vector<Contour>;

constexpr double kPageWidth = 29.7;  // A4 landscape, in plot units (centimetres)
constexpr double kPageHeight = 21.0;

Contour rectangle(double x, double y, double width, double height) {
    return {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}};
}

Contour circle(double cx, double cy, double radius, int points) {
    Contour contour;
    for (int i = 0; i < points; ++i) {
        const double t = 2 * std::numbers::pi * i / points;
        contour.emplace_back(cx + radius * std::cos(t), cy + radius * std::sin(t));
    }
    return contour;
}

Contour star(double cx, double cy, double outer, double inner) {
    Contour contour;
    for (int i = 0; i < 10; ++i) {
        const double t = std::numbers::pi / 2 + std::numbers::pi * i / 5;
        const double r = i % 2 == 0 ? outer : inner;
        contour.emplace_back(cx + r * std::cos(t), cy + r * std::sin(t));
    }
    return contour;
}

void polyline(PlotFileWriter& writer, const Contour& points, int pen, const std::string& group, bool closed) {
    writer.setPen(pen);
    for (size_t i = 0; i < points.size(); ++i) writer.addLine(points[i].x, points[i].y, i == 0 ? 3 : 2, group);
    if (closed && !points.empty()) writer.addLine(points.front().x, points.front().y, 2, group);
}

void text(PlotFileWriter& writer, double x, double y, double angle, double height, const std::vector<std::wstring>& lines,
          const std::string& group, bool bold = false) {
    PlotFont font;
    font.name = "Sans";
    font.height = height;
    font.bold = bold;
    addTextLines(writer, x, y, font, angle, lines, group);
}

void frame(PlotFileWriter& writer, const std::wstring& title) {
    polyline(writer, rectangle(1, 1, kPageWidth - 2, kPageHeight - 2), 0, "Frame", true);
    text(writer, 1.5, kPageHeight - 2.2, 0, 0.8, {title}, "Title", true);
}

void geometryPage(PlotFileWriter& writer) {
    writer.openPage({"1 \"Frame\" 1 0", "2 \"Roads\" 1 1", "3 \"Buildings\" 0 1"});
    frame(writer, L"Page 1: lines and polygons");
    polyline(writer, {{2, 3}, {8, 6}, {14, 4}, {20, 9}, {27, 7}}, 1, "Roads", false);
    polyline(writer, {{2, 12}, {10, 12}, {10, 17}}, 2, "Roads", false);
    // A block with a courtyard, and one with two courtyards.
    writer.addPolygons({rectangle(4, 8, 5, 3), rectangle(5.5, 9, 2, 1)}, 3, "Buildings");
    writer.addPolygons({rectangle(15, 11, 10, 5), rectangle(16, 12, 3, 3), rectangle(21, 12, 3, 3)}, 4,
                       "Buildings");
    writer.addPolygons({{{12, 14}, {14, 17.5}, {10, 17.5}}}, 5, "Buildings");
}

void annotationPage(PlotFileWriter& writer) {
    writer.openPage({"1 \"Labels\" 1 1"});
    frame(writer, L"Page 2: text, symbols and a table");
    text(writer, 4, 8, 30, 0.7, {L"A rotated text", L"of three lines", L"at 30\u00b0"}, "Labels");
    text(writer, 16, 15, 0, 0.5, {L"Symbols:"}, "Labels");
    writer.setPen(1);
    writer.addSymbol(17, 13, 1.0, 0, true, "dot", {circle(0, 0, 0.5, 36)}, "Symbols");
    writer.addSymbol(19, 13, 1.0, 0, false, "ring", {circle(0, 0, 0.5, 36)}, "Symbols");
    writer.setPen(3);
    writer.addSymbol(21, 13, 1.5, 15, true, "star", {star(0, 0, 0.5, 0.2)}, "Symbols");
    // An outline shape is drawn as given: the host closes its contour itself.
    Contour square = rectangle(-0.4, -0.4, 0.8, 0.8);
    square.push_back(square.front());
    writer.addSymbol(23, 13, 1.0, 45, false, "square", {square}, "Symbols");
    writer.addTable("Part|Quantity|Price\nBolt|12|0.40\nNut|12|0.10");
    text(writer, 16, 6, 0, 0.5, {L"Part  Quantity  Price", L"Bolt  12  0.40", L"Nut  12  0.10"}, "Table");
}

IMAGE* gradientImage(int width, int height, int channels, int32_t encoding) {
    IMAGE* image = newImage(width, height, channels, encoding);
    if (image == nullptr) return nullptr;
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            unsigned char* pixel = image->pixels + (static_cast<size_t>(row) * width + column) * channels;
            pixel[0] = static_cast<unsigned char>(255 * column / (width - 1));
            pixel[1] = static_cast<unsigned char>(255 * row / (height - 1));
            pixel[2] = static_cast<unsigned char>(((row / 8 + column / 8) % 2) * 200);
            if (channels == 4) pixel[3] = 255;
        }
    }
    return image;
}

void imagePage(PlotFileWriter& writer) {
    writer.openPage({});
    frame(writer, L"Page 3: images");
    IMAGE* png = gradientImage(64, 48, 4, kPngEncoding);
    IMAGE* jpeg = gradientImage(64, 64, 3, kJpegEncoding);
    if (png != nullptr) writer.addImage(3, 5, 10, 7.5, png, "Pictures");
    if (jpeg != nullptr) writer.addImage(16, 5, 8, 8, jpeg, "Pictures");
    text(writer, 3, 3.5, 0, 0.5, {L"PNG, 64 x 48"}, "Captions");
    text(writer, 16, 3.5, 0, 0.5, {L"JPEG, 64 x 64"}, "Captions");
    freeImage(png);
    freeImage(jpeg);
}

}  // namespace

bool writeDemoPlot(PlotFileWriter& writer, const std::string& fileName) {
    std::vector<PenDetail> pens = {{0, 0, 0, 0.35},   {200, 30, 30, 0.7},  {30, 140, 30, 0.5},
                                   {40, 80, 200, 0.25}, {230, 150, 20, 0.25}, {120, 120, 120, 0.18}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(fileName, kPageWidth, kPageHeight, 1.0, 1.0, "Centimeters", 0, "ISO8859_1",
                         "dwfplot demo", DWFPLOT_VERSION)) {
        return false;
    }
    // A write that fails (a full disk) is thrown from the closing calls; the
    // writer has then removed the unfinished package.
    try {
        geometryPage(writer);
        writer.closePage();
        annotationPage(writer);
        writer.closePage();
        imagePage(writer);
        writer.closePage();
        writer.closePlot();
    } catch (DWF::DwfResult::Enum) {
        return false;
    }
    return true;
}

}  // namespace dwfplot_tool
