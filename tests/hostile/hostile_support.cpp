#include "hostile_support.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "dwfplot/DWFPlotFile.h"

namespace hostile {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string pointList(const std::vector<PlottingPoint>& points) {
    std::string out;
    for (const PlottingPoint& p : points) out += " " + number(p.x) + "," + number(p.y);
    return out;
}

// The host's loader: the image file must be where the reader said, in the
// working directory; the host keeps no image.
IMAGE* loadImage(const char* path) {
    if (path == nullptr || std::string(path).rfind("./", 0) != 0 || !std::filesystem::exists(path)) {
        ADD_FAILURE() << "image handed to the host is not a file in the working directory: "
                      << (path ? path : "(null)");
    }
    return nullptr;
}

std::string operationData(DWFPlotFileReader& reader, Plt_Plot_Operation_T op) {
    std::string group;
    switch (op) {
        case PLT_PEN: return std::to_string(reader.getPen());
        case PLT_LINE: {
            std::vector<PlottingPoint> points;
            reader.getLine(points);
            return (points.empty() ? std::string() : points.front().group) + pointList(points);
        }
        case PLT_POLYGONS: {
            std::vector<std::vector<PlottingPoint>> polygons;
            int pen = 0;
            reader.getPolygons(polygons, pen, group);
            std::string out = std::to_string(pen) + " " + group;
            for (const auto& polygon : polygons) out += " |" + pointList(polygon);
            return out;
        }
        case PLT_TEXT: {
            double x = 0, y = 0, angle = 0;
            PlotFont font;
            const wchar_t* text = reader.getText(x, y, font, angle, group);
            std::string out = number(x) + " " + number(y) + " " + font.name + " " + number(font.height) + " " +
                              number(angle) + " " + group + " ";
            for (; text != nullptr && *text != 0; ++text) out += std::to_string(static_cast<uint32_t>(*text)) + ".";
            return out;
        }
        case PLT_SYMBOL: {
            double x = 0, y = 0, scale = 0, angle = 0;
            bool filled = false;
            std::string name;
            reader.getSymbol(x, y, scale, angle, filled, name, group);
            return number(x) + " " + number(y) + " " + number(scale) + " " + number(angle) + " " +
                   std::to_string(filled) + " " + name + " " + group;
        }
        case PLT_IMAGE: {
            double x = 0, y = 0, height = 0, width = 0;
            IMAGE* image = nullptr;
            reader.getImage(x, y, height, width, &image, group);
            return number(x) + " " + number(y) + " " + number(height) + " " + number(width) + " " + group;
        }
        case PLT_GROUP_OPTIONS: {
            bool first = false, second = false;
            reader.getGroupInfo(group, first, second);
            return group + " " + std::to_string(first) + std::to_string(second);
        }
        case PLT_TABLE: {
            std::string table;
            reader.getTableString(table);
            return table;
        }
        default: return {};
    }
}

}  // namespace

void HostileTest::SetUp() {
    TempDirTest::SetUp();
    savedCwd_ = std::filesystem::current_path().string();
    runDir_ = workDir() + "run/";
    std::filesystem::create_directory(runDir_);
    ASSERT_EQ(::chdir(runDir_.c_str()), 0);
}

void HostileTest::TearDown() {
    ASSERT_EQ(::chdir(savedCwd_.c_str()), 0);
    const std::vector<std::string> left = testsupport::listTree(runDir_);
    EXPECT_TRUE(left.empty()) << "left behind in the working directory: " << ::testing::PrintToString(left);
    TempDirTest::TearDown();
}

void HostileTest::expectBoundedMemory() {
    if (kAddressSanitizer) return;
    rusage usage{};
    ASSERT_EQ(::getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, kResidentLimitKiB) << "peak resident size in KiB";
}

Replay replay(const std::string& path, size_t maxOperations) {
    Replay result;
    DWFPlotFileReader reader(loadImage);
    result.message = "untouched";
    result.readable = reader.canRead(path, result.message);
    result.opened = reader.openPlot(path);
    if (result.opened) {
        double width = 0, height = 0, xScale = 0, yScale = 0;
        std::string units;
        reader.getPageSize(width, height);
        reader.getPlotScale(xScale, yScale);
        reader.getPlotUnits(units);
        std::vector<std::string> pages;
        reader.getPages(pages);
        result.transcript = "plot " + number(width) + "x" + number(height) + " " + number(xScale) + " " +
                            number(yScale) + " " + units + " " + reader.getEncoding() + " pages " +
                            std::to_string(pages.size()) + " size " + std::to_string(reader.size()) + "\n";
    }
    while (result.operations < maxOperations) {
        const Plt_Plot_Operation_T op = reader.getOperation();
        ++result.operations;
        if (op == PLT_END_OF_PLOT) {
            // It stays ended.
            result.ended = reader.getOperation() == PLT_END_OF_PLOT;
            break;
        }
        result.transcript += std::to_string(op) + " " + operationData(reader, op) + "\n";
    }
    if (result.opened && result.ended && reader.position() != reader.size()) {
        result.transcript += "position " + std::to_string(reader.position()) + " of " +
                             std::to_string(reader.size()) + "\n";
    }
    reader.closePlot();
    return result;
}

bool isHostErrorName(const std::string& message) {
    static const std::set<std::string> names = {
        "PLT_NOT_A_KESTRA_GENERATED_FILE", "PLT_OLD_FILE_FORMAT",         "PLT_NEW_FILE_FORMAT",
        "PLT_CORRUPT_FILE_ERROR",          "PLT_BUILDING_XML_OBJECT_ERROR", "PLT_FILE_NOT_IN_DWF",
        "PLT_FILE_OPEN_ERROR",             "PLT_FILE_READ_ERROR",         "PLT_FILE_WRITE_ERROR",
        "PLT_INTERNAL_ERROR",              "PLT_INVALID_XML_CONTENT_ERROR", "PLT_OUT_OF_MEMORY_ERROR",
        "PLT_TEMP_FILE_ERROR",             "PLT_TOOLKIT_USAGE_ERROR",     "PLT_ZIPLIB_ERROR",
        "PLT_BAD_PASSWORD_ERROR",          "PLT_STREAM_IN_PROGRESS",      "PLT_USER_REQUESTED_ABORT",
        "PLT_UNSUPPORTED_FILE_TYPE_ERROR", "PLT_TEMP_PATH_ERROR",         "PLT_GENERAL_ERROR"};
    return names.count(message) != 0;
}

bool drawSmallPlot(const std::string& path, bool closePlot) {
    DWFPlotFileWriter writer;
    std::vector<PenDetail> pens = {{0, 0, 0, 0.25}, {255, 0, 0, 0.5}, {0, 128, 255, 1.0}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, 21, 29.7, 2.5, 0.125, "mm", 0, "UTF-8", "Hostile", "1.0")) return false;
    writer.openPage({"1 \"walls\" 1 0"});
    writer.setPen(1);
    writer.addLine(1, 1, 3, "walls");
    writer.addLine(5, 1, 2, "walls");
    writer.addLine(5, 4, 2, "walls");
    writer.addPolygons({{{2, 2}, {3, 2}, {3, 3}}, {{2.2, 2.2}, {2.8, 2.2}, {2.8, 2.8}}}, 2, "doors");
    PlotFont font;
    font.name = "Courier New";
    writer.addText(1, 9, font, 0, L"first line", 1, 2, 3, 1, 0, "notes");
    writer.addText(1, 8, font, 0, L"Z\u00FCrich", 2, 2, 3, 1, 0, "notes");
    writer.addTable("a|b|c");
    writer.closePage();
    writer.openPage({});
    writer.setPen(2);
    writer.addLine(0, 0, 3, "");
    writer.addLine(10, 10, 2, "");
    writer.closePage();
    // Without closePlot, destroying the writer finishes the package.
    if (closePlot) writer.closePlot();
    return true;
}

W2dBytes onePolyline() { return W2dBytes().polyline({{1, 2}, {3000, 4000}}); }

std::string operationsOf(const Replay& replay) {
    const size_t line = replay.transcript.find('\n');
    return line == std::string::npos ? std::string() : replay.transcript.substr(line + 1);
}

}  // namespace hostile
