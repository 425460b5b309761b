#include "support/plot_replay.h"

#include <unistd.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/unicode.h"

namespace testsupport {

std::string number(double value) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string points(const std::vector<PlottingPoint>& list) {
    std::string out;
    for (const auto& p : list) {
        out += " " + number(p.x) + "," + number(p.y) + (p.group.empty() ? "" : "'" + p.group + "'");
    }
    return out;
}

std::string shapes(const std::vector<std::vector<PlottingPoint>>& polygons) {
    std::string out;
    for (size_t p = 0; p < polygons.size(); ++p) out += (p > 0 ? " |" : "") + points(polygons[p]);
    return out;
}

int encodeImage(IMAGE* image, long& size, void*& data) {
    const std::string bytes = (image->encoding == 0 ? "JPEG:" : "PNG:") + std::to_string(image->width);
    data = std::malloc(bytes.size());
    std::memcpy(data, bytes.data(), bytes.size());
    size = static_cast<long>(bytes.size());
    return 1;
}

void releaseImage(void* data) { std::free(data); }

bool writeSamplePlot(const std::string& path, int n, bool closePlot) {
    DWFPlotFileWriter writer(encodeImage, releaseImage);
    std::vector<PenDetail> pens{{0, 0, 0, 0.25}, {255, 0, 0, 0.35}, {0, 0, 255, 0.5}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, 297, 210, 2.5, 0.125, "mm", 0, "UTF-8", "Kestra", "9.1")) return false;
    const double d = n;
    PlotFont font;
    font.name = "Courier New";
    for (int page = 0; page < 2; ++page) {
        writer.openPage({"3 \"Roads\" 1 0"});
        writer.setPen(1 + page);
        writer.addLine(d, 0, 3, "Roads");
        writer.addLine(d + 10, 5, 2, "Roads");
        writer.addPolygons({{{d, 0}, {40, 0}, {40, 40}}, {{10, d}, {20, 10}, {20, 20}}}, 2, "Parcels");
        const std::wstring text = L"Plot " + std::to_wstring(n) + L" \u03a9";
        writer.addText(100, 50 + d, font, 0, text.c_str(), 1, 2, 10, 2, 0.25, "Labels");
        writer.addText(100, 47 + d, font, 0, L"Z\u00FCrich", 2, 2, 10, 2, 0.25, "Labels");
        writer.addSymbol(30, 40, 1.5, 90, page == 0, "Valve" + std::to_string(n), {{{d, 0}, {1, 1}}}, "Pipes");
        writer.addTable("T|" + std::to_string(n) + "\nA|B");
        IMAGE png{40 + n, 30, 0, nullptr, 1}, jpeg{8, n, 0, nullptr, 0};
        writer.addImage(50, 60, 40, 30, &png, "Photos");
        writer.addImage(0, d, 8, 6, &jpeg, "Snaps");
        writer.closePage();
    }
    if (closePlot) writer.closePlot();
    return true;
}

std::vector<Load>& loads() {
    static thread_local std::vector<Load> all;
    return all;
}

// Image files are made in the current directory itself.
IMAGE* loadImage(const char* path) {
    const std::string name = path == nullptr ? "(null)" : path;
    EXPECT_TRUE(name.starts_with("./") && name.find('/', 2) == std::string::npos) << name;
    loads().push_back({name, readFile(name), std::make_unique<IMAGE>()});
    return loads().back().image.get();
}

std::string describe(DWFPlotFileReader& r, Plt_Plot_Operation_T op) {
    double x = 9, y = 9, a = 9, b = 9;
    std::string name = "~", group = "~";
    bool flag = true, second = true;
    switch (op) {
        case PLT_END_OF_PLOT: return "";
        case PLT_PLOT_OPENED: return "opened";
        case PLT_NEW_PAGE: return "page";
        case PLT_NONE: return "none";
        case PLT_PEN: return "pen " + std::to_string(r.getPen());
        case PLT_LINE: {
            std::vector<PlottingPoint> line;
            r.getLine(line);
            return "line" + points(line);
        }
        case PLT_POLYGONS: {
            std::vector<std::vector<PlottingPoint>> polygons;
            int pen = 0;
            r.getPolygons(polygons, pen, group);
            return "polygons " + std::to_string(pen) + " '" + group + "':" + shapes(polygons);
        }
        case PLT_TEXT: {
            PlotFont font;
            font.name = "~";
            const std::wstring text = r.getText(x, y, font, a, group);
            return "text " + number(x) + "," + number(y) + " '" + group + "' " + font.name + " " +
                   number(font.height) + (font.bold ? " bold" : "") + (font.italic ? " italic" : "") +
                   (font.underline ? " underline" : "") + " " + number(a) + ": " +
                   platform::utf16ToUtf8(platform::wideToUtf16(text));
        }
        case PLT_SYMBOL:
            r.getSymbol(x, y, a, b, flag, name, group);
            return "symbol " + number(x) + "," + number(y) + " " + number(a) + " " + number(b) +
                   (flag ? " filled " : " ") + name + " '" + group + "'";
        case PLT_TABLE: r.getTableString(name); return "table " + name;
        case PLT_GROUP_OPTIONS:
            r.getGroupInfo(name, flag, second);
            return "options " + name + " " + std::to_string(flag) + " " + std::to_string(second);
        case PLT_IMAGE: {
            static IMAGE untouched;
            IMAGE* image = &untouched;
            r.getImage(x, y, a, b, &image, group);
            std::string text = "image " + number(x) + "," + number(y) + " " + number(a) + "x" + number(b) + " '" +
                               group + "' " + (image == nullptr ? "null" : "");
            for (size_t n = 0; n < loads().size(); ++n) {
                if (loads()[n].image.get() == image) text += "#" + std::to_string(n);
            }
            return text;
        }
        default: return "other " + std::to_string(op);
    }
}

Lines replay(DWFPlotFileReader& reader, size_t calls, bool* ended) {
    Lines lines;
    if (ended != nullptr) *ended = false;
    for (size_t i = 0; i < calls; ++i) {
        const size_t loaded = loads().size();
        const Plt_Plot_Operation_T op = reader.getOperation();
        std::string line = describe(reader, op);
        if (line.empty()) {
            if (ended != nullptr) *ended = true;
            break;
        }
        if (loads().size() > loaded) {
            const Load& load = loads().back();
            line += " " + load.path.substr(load.path.size() - 4) + " '" + load.bytes + "'";
        }
        if (op == PLT_IMAGE && !listTree(".").empty()) line += " file left";
        lines.push_back(line);
    }
    return lines;
}

std::string plotValues(DWFPlotFileReader& reader) {
    double width = 0, height = 0, xScale = 0, yScale = 0;
    std::string units;
    reader.getPageSize(width, height);
    reader.getPlotScale(xScale, yScale);
    reader.getPlotUnits(units);
    return number(width) + "x" + number(height) + " " + number(xScale) + "," + number(yScale) + " " + units + " " +
           reader.getEncoding();
}

Codes operations(DWFPlotFileReader& reader, size_t n) {
    Codes codes;
    while (codes.size() < n) codes.push_back(reader.getOperation());
    return codes;
}

std::string progress(DWFPlotFileReader& reader) {
    std::vector<std::string> pages{"stale"};
    reader.getPages(pages);
    return std::to_string(pages.size()) + " pages " + std::to_string(reader.size()) + "/" +
           std::to_string(reader.position());
}

PackageReplay replayPackage(const std::string& path, size_t maxOperations) {
    PackageReplay result;
    loads().clear();
    DWFPlotFileReader reader(loadImage);
    result.message = "untouched";
    result.readable = reader.canRead(path, result.message);
    result.opened = reader.openPlot(path);
    if (result.opened) result.plot = plotValues(reader) + " " + progress(reader);
    result.operations = replay(reader, maxOperations, &result.ended);
    // It stays ended.
    result.ended = result.ended && reader.getOperation() == PLT_END_OF_PLOT;
    if (result.opened && result.ended && reader.position() != reader.size()) {
        result.operations.push_back("position " + progress(reader));
    }
    reader.closePlot();
    return result;
}

const char* const kHostMessages[26] = {
    PLT_GENERAL_ERROR, PLT_CORRUPT_FILE_ERROR, PLT_BUILDING_XML_OBJECT_ERROR, PLT_FILE_NOT_IN_DWF,
    PLT_FILE_OPEN_ERROR, PLT_FILE_READ_ERROR, PLT_FILE_WRITE_ERROR, PLT_INTERNAL_ERROR, PLT_GENERAL_ERROR,
    PLT_INVALID_XML_CONTENT_ERROR, PLT_NOT_A_KESTRA_GENERATED_FILE, PLT_NOT_A_KESTRA_GENERATED_FILE,
    PLT_GENERAL_ERROR, PLT_OUT_OF_MEMORY_ERROR, PLT_GENERAL_ERROR, PLT_TEMP_FILE_ERROR, PLT_TOOLKIT_USAGE_ERROR,
    PLT_ZIPLIB_ERROR, PLT_BAD_PASSWORD_ERROR, PLT_GENERAL_ERROR, PLT_GENERAL_ERROR, PLT_STREAM_IN_PROGRESS,
    PLT_USER_REQUESTED_ABORT, PLT_UNSUPPORTED_FILE_TYPE_ERROR, PLT_TEMP_PATH_ERROR, PLT_GENERAL_ERROR};

bool isHostErrorName(const std::string& message) {
    if (message == PLT_OLD_FILE_FORMAT || message == PLT_NEW_FILE_FORMAT) return true;
    for (const char* text : kHostMessages) {
        if (message == text) return true;
    }
    return false;
}

void PlotReaderTest::SetUp() {
    TempDirTest::SetUp();
    loads().clear();
    savedCwd_ = std::filesystem::current_path().string();
    runDir_ = workDir() + "run/";
    std::filesystem::create_directory(runDir_);
    ASSERT_EQ(::chdir(runDir_.c_str()), 0);
}

void PlotReaderTest::TearDown() {
    ASSERT_EQ(::chdir(savedCwd_.c_str()), 0);
    EXPECT_EQ(listTree(runDir_), Lines{}) << "left in the current directory";
    TempDirTest::TearDown();
}

}  // namespace testsupport
