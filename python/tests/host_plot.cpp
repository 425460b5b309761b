// A C++ host for the Python tests: `write FILE` draws the reference plot
// through DWFPlotFileWriter, and `read FILE` replays any plot through
// DWFPlotFileReader, printing each operation as a JSON object on a line of its
// own, with the same names as the Python module's operations.
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "dwfplot/image_codec.h"
#include "platform/unicode.h"

namespace {

using Contour = std::vector<PlottingPoint>;

std::string json(const std::string& text) {
    std::string quoted = "\"";
    for (const unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            quoted += escape;
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + "\"";
}

std::string json(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string json(bool value) { return value ? "true" : "false"; }

std::string json(const Contour& points) {
    std::string list = "[";
    for (size_t i = 0; i < points.size(); ++i) {
        list += (i == 0 ? "[" : ", [") + json(points[i].x) + ", " + json(points[i].y) + "]";
    }
    return list + "]";
}

std::string utf8(const std::wstring& text) {
    std::string bytes;
    for (const wchar_t c : text) platform::appendUtf8(bytes, static_cast<char32_t>(c));
    return bytes;
}

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

// The image file's bytes, kept in an IMAGE the replay frees.
struct ImageFile : IMAGE {
    std::string bytes;
};

IMAGE* loadImageFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    auto* image = new ImageFile;
    image->bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return image;
}

// Pixel (row, column) of the reference images, as the Python test makes them.
IMAGE* gradient(int width, int height, int channels) {
    IMAGE* image = dwfplot_tool::newImage(width, height, channels, dwfplot_tool::kPngEncoding);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            unsigned char* pixel = image->pixels + (row * width + column) * channels;
            for (int channel = 0; channel < channels; ++channel) {
                pixel[channel] = static_cast<unsigned char>((row * 37 + column * 11 + channel * 71) % 256);
            }
        }
    }
    return image;
}

void text(PlotFileWriter& writer, const PlotFont& font, double angle, const std::vector<std::pair<double, double>>& at,
          const std::vector<std::wstring>& lines, const std::string& group) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const double width = 0.55 * font.height * static_cast<double>(lines[i].size());
        writer.addText(at[i].first, at[i].second, font, angle, lines[i].c_str(), static_cast<int>(i + 1),
                       static_cast<int>(lines.size()), width, font.height, 0.2, group);
    }
}

// The same plot as reference_plot() in the Python tests.
int write(const std::string& path) {
    DWFPlotFileWriter writer(dwfplot_tool::encodeImageCallback, dwfplot_tool::releaseImageCallback);
    std::vector<PenDetail> pens{{0, 0, 0, 0.25}, {200, 30, 30, 0.5}, {30, 30, 200, 0.7}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, 42.0, 29.7, 2.5, 2.5, "Millimeters", 0, "UTF-8", "host", "1.0")) return 1;
    try {
        writer.openPage({"1 \"Roads\" 1 0", "2 \"Parcels\" 0 1"});
        writer.setPen(1);
        const Contour road{{1, 1}, {5.5, 2.25}, {9.125, 1}};
        for (size_t i = 0; i < road.size(); ++i) writer.addLine(road[i].x, road[i].y, i == 0 ? 3 : 2, "Roads");
        writer.setPen(2);
        writer.addLine(0.001, 0.002, 3, "");
        writer.addLine(30.5, 20.25, 2, "");
        writer.addPolygons({{{2, 2}, {12, 2}, {12, 8}, {2, 8}}, {{4, 4}, {6, 4}, {6, 6}}}, 2, "Parcels");
        PlotFont font;
        font.name = "Arial";
        font.height = 1.5;
        font.bold = true;
        font.underline = true;
        text(writer, font, 0, {{3, 20}, {3, 17.75}}, {L"Grüße aus Zürich", L"line two"}, "Labels");
        writer.closePage();

        writer.openPage({});
        writer.setPen(3);
        Contour circle;
        for (int i = 0; i < 36; ++i) circle.push_back({std::cos(i * 3.14159265358979 / 18), std::sin(i * 3.14159265358979 / 18)});
        writer.addSymbol(10, 10, 1.5, 30, true, "Valve", {circle}, "Pipes");
        writer.addSymbol(20, 10, 1, 0, false, "Box", {{{-1, -1}, {1, -1}, {1, 1}, {-1, 1}, {-1, -1}}}, "");
        writer.addTable("Part|Qty\nBolt|12");
        PlotFont plain;
        plain.italic = true;
        plain.height = 0.5;
        text(writer, plain, 90, {{25, 5}}, {L"sideways"}, "");
        IMAGE* rgb = gradient(5, 3, 3);
        IMAGE* rgba = gradient(2, 4, 4);
        writer.addImage(1, 2, 6, 4, rgb, "Photos");
        writer.addImage(8, 2, 2, 4, rgba, "");
        dwfplot_tool::freeImage(rgb);
        dwfplot_tool::freeImage(rgba);
        writer.closePage();
        writer.closePlot();
    } catch (const DWF::DwfResult::Enum code) {
        std::cerr << "write failed: " << code << "\n";
        return 1;
    }
    return 0;
}

std::string operation(DWFPlotFileReader& reader, Plt_Plot_Operation_T code) {
    double x = 0, y = 0, a = 0, b = 0;
    bool first = false, second = false;
    int pen = 0;
    std::string name, group;
    switch (code) {
        case PLT_NEW_PAGE: return R"({"kind": "page"})";
        case PLT_PEN: return R"({"kind": "pen", "pen": )" + std::to_string(reader.getPen()) + "}";
        case PLT_GROUP_OPTIONS:
            reader.getGroupInfo(name, first, second);
            return R"({"kind": "group_options", "name": )" + json(name) + ", \"first\": " + json(first) +
                   ", \"second\": " + json(second) + "}";
        case PLT_LINE: {
            Contour points;
            reader.getLine(points);
            return R"({"kind": "line", "points": )" + json(points) + ", \"group\": " +
                   json(points.empty() ? std::string() : points.front().group) + "}";
        }
        case PLT_POLYGONS: {
            std::vector<Contour> contours;
            reader.getPolygons(contours, pen, group);
            std::string list = "[";
            for (size_t i = 0; i < contours.size(); ++i) list += (i == 0 ? "" : ", ") + json(contours[i]);
            return R"({"kind": "polygons", "contours": )" + list + "], \"pen\": " + std::to_string(pen) +
                   ", \"group\": " + json(group) + "}";
        }
        case PLT_TEXT: {
            PlotFont font;
            const wchar_t* lines = reader.getText(x, y, font, a, group);
            return R"({"kind": "text", "x": )" + json(x) + ", \"y\": " + json(y) + ", \"text\": " +
                   json(utf8(lines == nullptr ? L"" : lines)) + ", \"angle\": " + json(a) + ", \"font\": [" +
                   json(font.name) + ", " + json(font.height) + ", " + json(font.bold) + ", " + json(font.italic) +
                   ", " + json(font.underline) + "], \"group\": " + json(group) + "}";
        }
        case PLT_SYMBOL: {
            double scale = 0;
            reader.getSymbol(x, y, scale, a, first, name, group);
            return R"({"kind": "symbol", "x": )" + json(x) + ", \"y\": " + json(y) + ", \"scale\": " + json(scale) +
                   ", \"angle\": " + json(a) + ", \"filled\": " + json(first) + ", \"name\": " + json(name) +
                   ", \"group\": " + json(group) + "}";
        }
        case PLT_TABLE:
            reader.getTableString(name);
            return R"({"kind": "table", "text": )" + json(name) + "}";
        case PLT_IMAGE: {
            IMAGE* image = nullptr;
            reader.getImage(x, y, a, b, &image, group);
            const std::string bytes = image == nullptr ? "" : static_cast<ImageFile*>(image)->bytes;
            delete static_cast<ImageFile*>(image);
            return R"({"kind": "image", "x": )" + json(x) + ", \"y\": " + json(y) + ", \"width\": " + json(b) +
                   ", \"height\": " + json(a) + ", \"group\": " + json(group) + ", \"data\": " + json(hex(bytes)) +
                   "}";
        }
        default: return "";
    }
}

int read(const std::string& path) {
    DWFPlotFileReader reader(loadImageFile);
    std::string message;
    if (!reader.canRead(path, message) || !reader.openPlot(path)) {
        std::cerr << message << "\n";
        return 1;
    }
    for (Plt_Plot_Operation_T code = reader.getOperation(); code != PLT_END_OF_PLOT; code = reader.getOperation()) {
        const std::string line = operation(reader, code);
        if (!line.empty()) std::cout << line << "\n";
    }
    reader.closePlot();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "write") return write(argv[2]);
    if (argc == 3 && std::string(argv[1]) == "read") return read(argv[2]);
    std::cerr << "usage: dwfplot_python_host write|read FILE\n";
    return 2;
}
