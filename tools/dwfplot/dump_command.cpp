#include "dwfplot/dump_command.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/command_line.h"
#include "dwfplot/commands.h"
#include "dwfplot/image_codec.h"
#include "platform/unicode.h"

namespace dwfplot_tool {
namespace {

const char* operationName(Plt_Plot_Operation_T operation) {
    switch (operation) {
        case PLT_NEW_PAGE: return "NEW_PAGE";
        case PLT_PLOT_OPENED: return "PLOT_OPENED";
        case PLT_PEN: return "PEN";
        case PLT_SYMBOL: return "SYMBOL";
        case PLT_TEXT: return "TEXT";
        case PLT_LINE: return "LINE";
        case PLT_POLYGONS: return "POLYGONS";
        case PLT_END_OF_PLOT: return "END_OF_PLOT";
        case PLT_NONE: return "NONE";
        case PLT_IMAGE: return "IMAGE";
        case PLT_GROUP_OPTIONS: return "GROUP_OPTIONS";
        case PLT_TABLE: return "TABLE";
    }
    return "UNKNOWN";
}

// 64-bit FNV-1a: a short, stable fingerprint of decoded pixels.
uint64_t fingerprint(const unsigned char* data, size_t size) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    return hash;
}

// One operation as named fields; the two formats print the same fields.
class Record {
public:
    explicit Record(const char* operation) { add("op", quoted(operation), operation); }

    void number(const char* name, double value) { add(name, exactNumber(value), exactNumber(value)); }
    void integer(const char* name, long long value) { add(name, std::to_string(value), std::to_string(value)); }
    void flag(const char* name, bool value) { add(name, value ? "true" : "false", value ? "1" : "0"); }
    void text(const char* name, const std::string& value) { add(name, quoted(value), quoted(value)); }
    void raw(const char* name, const std::string& json, const std::string& plain) { add(name, json, plain); }

    std::string line(DumpFormat format) const { return format == DumpFormat::Json ? "{" + json_ + "}" : plain_; }

private:
    void add(const char* name, const std::string& json, const std::string& plain) {
        if (!json_.empty()) json_ += ",";
        json_ += quoted(name) + ":" + json;
        if (plain_.empty()) {
            plain_ = plain;
            return;
        }
        plain_ += std::string(" ") + name + "=" + plain;
    }

    std::string json_;
    std::string plain_;
};

// A point list as JSON ([[x,y],...]) and as text ((x,y x,y ...)).
void pointLists(const std::vector<PlottingPoint>& points, std::string& json, std::string& plain) {
    json = "[";
    plain = "(";
    for (size_t i = 0; i < points.size(); ++i) {
        const std::string x = exactNumber(points[i].x);
        const std::string y = exactNumber(points[i].y);
        json += (i == 0 ? "[" : ",[") + x + "," + y + "]";
        plain += (i == 0 ? "" : " ") + x + "," + y;
    }
    json += "]";
    plain += ")";
}

void addPoints(Record& record, const char* name, const std::vector<PlottingPoint>& points) {
    std::string json, plain;
    pointLists(points, json, plain);
    record.raw(name, json, plain);
}

void addContours(Record& record, const std::vector<std::vector<PlottingPoint>>& polygons) {
    std::string json = "[";
    std::string plain = "[";
    for (size_t c = 0; c < polygons.size(); ++c) {
        std::string contourJson, contourPlain;
        pointLists(polygons[c], contourJson, contourPlain);
        json += (c == 0 ? "" : ",") + contourJson;
        plain += (c == 0 ? "" : " ") + contourPlain;
    }
    record.raw("contours", json + "]", plain + "]");
}

std::string wideToUtf8(const wchar_t* text) {
    if (text == nullptr) return {};
    return platform::utf16ToUtf8(platform::wideToUtf16(std::wstring_view(text)));
}

Record describe(Plt_Plot_Operation_T operation, DWFPlotFileReader& reader, int page) {
    Record record(operationName(operation));
    switch (operation) {
        case PLT_PLOT_OPENED: {
            double width = 0, height = 0, xScale = 0, yScale = 0;
            std::string units;
            reader.getPageSize(width, height);
            reader.getPlotScale(xScale, yScale);
            reader.getPlotUnits(units);
            record.number("width", width);
            record.number("height", height);
            record.number("xscale", xScale);
            record.number("yscale", yScale);
            record.text("units", units);
            record.text("encoding", reader.getEncoding());
            break;
        }
        case PLT_NEW_PAGE: record.integer("page", page); break;
        case PLT_PEN: record.integer("pen", reader.getPen()); break;
        case PLT_LINE: {
            std::vector<PlottingPoint> points;
            reader.getLine(points);
            record.text("group", points.empty() ? std::string() : points.front().group);
            addPoints(record, "points", points);
            break;
        }
        case PLT_POLYGONS: {
            std::vector<std::vector<PlottingPoint>> polygons;
            int pen = 0;
            std::string group;
            reader.getPolygons(polygons, pen, group);
            record.integer("pen", pen);
            record.text("group", group);
            addContours(record, polygons);
            break;
        }
        case PLT_SYMBOL: {
            double x = 0, y = 0, scale = 0, angle = 0;
            bool filled = false;
            std::string name, group;
            reader.getSymbol(x, y, scale, angle, filled, name, group);
            record.number("x", x);
            record.number("y", y);
            record.number("scale", scale);
            record.number("angle", angle);
            record.flag("filled", filled);
            record.text("name", name);
            record.text("group", group);
            break;
        }
        case PLT_TEXT: {
            double x = 0, y = 0, angle = 0;
            PlotFont font;
            std::string group;
            const std::string text = wideToUtf8(reader.getText(x, y, font, angle, group));
            record.number("x", x);
            record.number("y", y);
            record.text("font", font.name);
            record.number("height", font.height);
            record.flag("bold", font.bold);
            record.flag("italic", font.italic);
            record.flag("underline", font.underline);
            record.number("angle", angle);
            record.text("group", group);
            record.text("text", text);
            break;
        }
        case PLT_IMAGE: {
            double x = 0, y = 0, height = 0, width = 0;
            IMAGE* image = nullptr;
            std::string group;
            reader.getImage(x, y, height, width, &image, group);
            record.number("x", x);
            record.number("y", y);
            record.number("height", height);
            record.number("width", width);
            record.text("group", group);
            if (image != nullptr && image->pixels != nullptr) {
                record.integer("columns", image->width);
                record.integer("rows", image->height);
                record.integer("channels", image->channels);
                char hash[17];
                const size_t bytes = static_cast<size_t>(image->width) * static_cast<size_t>(image->height) *
                                     static_cast<size_t>(image->channels);
                std::snprintf(hash, sizeof hash, "%016llx",
                              static_cast<unsigned long long>(fingerprint(image->pixels, bytes)));
                record.text("pixels", hash);
            } else {
                record.raw("pixels", "null", "none");
            }
            freeImage(image);
            break;
        }
        case PLT_GROUP_OPTIONS: {
            std::string name;
            bool first = false, second = false;
            reader.getGroupInfo(name, first, second);
            record.text("name", name);
            record.flag("first", first);
            record.flag("second", second);
            break;
        }
        case PLT_TABLE: {
            std::string table;
            reader.getTableString(table);
            record.text("table", table);
            break;
        }
        default: break;
    }
    return record;
}

}  // namespace

std::string exactNumber(double value) {
    if (!std::isfinite(value)) return "0";
    if (value == 0) return "0";
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

bool dumpPlot(const std::string& fileName, DumpFormat format, std::ostream& out, ProgressBar& progress,
              std::string& error) {
    DWFPlotFileReader reader(loadImageCallback);
    std::string message;
    if (!reader.canRead(fileName, message)) {
        error = message.empty() ? "the plot reader refuses it" : message;
        return false;
    }
    if (!reader.openPlot(fileName)) {
        error = "the plot reader cannot open it";
        return false;
    }
    int page = 0;
    for (;;) {
        const Plt_Plot_Operation_T operation = reader.getOperation();
        if (operation == PLT_NEW_PAGE) ++page;
        out << describe(operation, reader, page).line(format) << "\n";
        if (!out) {
            error = "cannot write the output";
            return false;
        }
        progress.update(static_cast<uint64_t>(std::max(reader.position(), 0L)),
                        static_cast<uint64_t>(std::max(reader.size(), 0L)));
        if (operation == PLT_END_OF_PLOT) break;
    }
    progress.finish();
    reader.closePlot();
    return true;
}

int runDump(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    ProgressBar progress(context.err, context.terminal, "dump");
    std::string error;
    if (!dumpPlot(fileName, arguments.has("--json") ? DumpFormat::Json : DumpFormat::Text, context.out, progress,
                  error)) {
        progress.finish();
        context.err << "dwfplot dump: " << fileName << ": " << error << "\n";
        return ExitBadInput;
    }
    return ExitOk;
}

}  // namespace dwfplot_tool
