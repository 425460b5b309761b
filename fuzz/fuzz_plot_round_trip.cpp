// A host's plot, written by DWFPlotFileWriter and replayed by
// DWFPlotFileReader, must come back as the host drew it.
//
// The fuzz bytes decode into the calls of a host (plot_round_trip_input.h):
// the pen table, openPlot, pages with group options, lines, polygons, pens,
// symbols, multi-line texts, tables and images. The calls go to the writer,
// which writes a package into the fuzz workspace, and to the model
// (plot_round_trip_model.h), which says what the host must read back. The
// reader then replays the package, and every operation and every getter's
// answer is compared with the model's. The first difference is printed
// (operation index, expected, actual, and the calls that made the plot) and
// the run aborts.
//
// A text line or font name beyond the W2D string limit may fail the plot:
// closePlot then throws, no package is left, and nothing is replayed. Any
// other throw, a refused openPlot or a package that does not open is a
// finding too.
//
// The process runs in the C.UTF-8 locale (set once in LLVMFuzzerInitialize):
// narrow host strings are UTF-8, so every character has a place in them and
// no text is narrowed to '?'.
#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iterator>
#include <map>
#include <numbers>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unistd.h>
#include <utility>
#include <variant>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "fuzz_workspace.h"
#include "plot_round_trip_input.h"
#include "plot_round_trip_model.h"

namespace {

using namespace plotmodel;
using plotinput::ByteSource;
using plotinput::Call;
using plotinput::kPenDown;

// --- limits ------------------------------------------------------------------

// One input stays a few milliseconds: a bounded number of calls, pages and
// points. Long strings are the exception, and they are rare.
constexpr size_t kMaxCalls = 48;
constexpr size_t kMaxPages = 6;
constexpr size_t kMaxPoints = 48;
constexpr size_t kMaxContours = 6;
constexpr size_t kMaxShapeContours = 4;
constexpr size_t kMaxPens = 8;
constexpr size_t kMaxOptions = 4;
constexpr size_t kMaxTextLines = 4;
// A symbol contour of this many points or more may be taken for a circle.
constexpr size_t kFewestCirclePoints = 21;

[[noreturn]] void broken(const std::string& what) {
    std::fprintf(stderr, "plot round trip: %s\n", what.c_str());
    std::abort();
}

// PLOT_ROUND_TRIP_TRACE set: every operation compared is printed.
bool tracing = false;

// --- decoding the fuzz bytes into calls --------------------------------------

// The host's sequence: the pen table, openPlot, then pages and drawing calls
// in any order the bytes say, closePlot at the end. Drawing between pages is
// allowed (the writer ignores it); setPen is left to the pages, where the
// pen it sets is not in doubt.
class PlotDecoder {
public:
    explicit PlotDecoder(ByteSource& in) : in_(in) {}

    Plot decode() {
        Plot plot;
        plot.pens = penDetails();
        plot.open = openPlot();
        for (size_t calls = 0; calls < kMaxCalls && !in_.exhausted(); ++calls) {
            decodeCall(static_cast<Call>(in_.u8() % static_cast<uint8_t>(Call::Count)), plot.calls);
        }
        return plot;
    }

private:
    void decodeCall(Call kind, std::vector<HostCall>& calls) {
        switch (kind) {
            case Call::OpenPage:
                if (pages_ < kMaxPages) {
                    ++pages_;
                    pageOpen_ = true;
                    calls.push_back(openPage());
                }
                break;
            case Call::ClosePage:
                pageOpen_ = false;
                calls.push_back(ClosePage{});
                break;
            case Call::AddLine: calls.push_back(addLine()); break;
            case Call::LineRun: lineRun(calls); break;
            case Call::AddPolygons: calls.push_back(addPolygons()); break;
            case Call::SetPen: {
                const int pen = in_.number();
                if (pageOpen_) calls.push_back(SetPen{pen});
                break;
            }
            case Call::AddSymbol: calls.push_back(addSymbol()); break;
            case Call::AddText: calls.push_back(addText()); break;
            case Call::TextBlock: textBlock(calls); break;
            case Call::AddTable: calls.push_back(AddTable{in_.text(plotinput::kNamePieces)}); break;
            case Call::AddImage: calls.push_back(addImage()); break;
            case Call::SetPenDetails: calls.push_back(penDetails()); break;
            case Call::Count: break;
        }
    }

    SetPenDetails penDetails() {
        SetPenDetails details;
        const size_t count = in_.u8() % (kMaxPens + 1);
        for (size_t i = 0; i < count; ++i) {
            const int32_t red = in_.i16();
            const int32_t green = in_.i16();
            const int32_t blue = in_.i16();
            details.pens.emplace_back(red, green, blue, in_.real());
        }
        return details;
    }

    // Page sizes are finite: an infinite paper has no size to write.
    double pageSize() {
        const double size = in_.real();
        return std::isinf(size) ? 1.0 : size;
    }

    // Labels stay short: the manifest is not what this target is about.
    OpenPlot openPlot() {
        OpenPlot open;
        open.pageWidth = pageSize();
        open.pageHeight = pageSize();
        open.xScale = in_.real();
        open.yScale = in_.real();
        open.units = in_.text(plotinput::kLabelPieces, false);
        open.encoding = in_.text(plotinput::kLabelPieces, false);
        open.productName = in_.text(plotinput::kLabelPieces, false);
        open.productVersion = in_.text(plotinput::kLabelPieces, false);
        return open;
    }

    OpenPage openPage() {
        OpenPage page;
        const size_t count = in_.u8() % (kMaxOptions + 1);
        for (size_t i = 0; i < count; ++i) {
            GroupOption option;
            option.number = in_.number();
            option.name = in_.text(plotinput::kOptionNamePieces);
            option.first = in_.optionFlag();
            option.second = in_.optionFlag();
            page.options.emplace(option.composed(), option);
        }
        return page;
    }

    PlottingPoint point() {
        const double x = in_.real();
        return {x, in_.real()};
    }

    AddLine addLine() {
        AddLine line;
        line.x = in_.real();
        line.y = in_.real();
        line.penCode = in_.penCode();
        line.group = in_.text(plotinput::kNamePieces);
        return line;
    }

    // One pen-up point and the rest drawn, all in one group.
    void lineRun(std::vector<HostCall>& calls) {
        const std::string group = in_.text(plotinput::kNamePieces);
        const size_t count = 2 + in_.u8() % (kMaxPoints - 1);
        for (size_t i = 0; i < count; ++i) {
            const PlottingPoint p = point();
            calls.push_back(AddLine{p.x, p.y, i == 0 ? kPenUp : kPenDown, group});
        }
    }

    std::vector<PlottingPoint> points(size_t count) {
        std::vector<PlottingPoint> contour;
        for (size_t i = 0; i < count; ++i) contour.push_back(point());
        return contour;
    }

    AddPolygons addPolygons() {
        AddPolygons polygons;
        const size_t count = in_.u8() % (kMaxContours + 1);
        for (size_t i = 0; i < count; ++i) polygons.polygons.push_back(points(in_.u8() % 10));
        polygons.pen = in_.number();
        polygons.group = in_.text(plotinput::kNamePieces);
        return polygons;
    }

    // `count` points on a circle, as a host samples one.
    static std::vector<PlottingPoint> circle(double cx, double cy, double radius, size_t count) {
        std::vector<PlottingPoint> contour;
        for (size_t i = 0; i < count; ++i) {
            const double a = 2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(count);
            contour.emplace_back(cx + radius * std::cos(a), cy + radius * std::sin(a));
        }
        return contour;
    }

    std::vector<PlottingPoint> shapeContour() {
        switch (in_.u8() % 3) {
            case 0: {
                const size_t count = kFewestCirclePoints + in_.u8() % 44;
                const PlottingPoint centre = point();
                return circle(centre.x, centre.y, in_.real(), count);
            }
            case 1: {
                // One short of a circle: a polygon or a polyline.
                const PlottingPoint centre = point();
                return circle(centre.x, centre.y, in_.real(), kFewestCirclePoints - 1);
            }
            default: return points(in_.u8() % 9);
        }
    }

    AddSymbol addSymbol() {
        AddSymbol symbol;
        symbol.x = in_.real();
        symbol.y = in_.real();
        symbol.scale = in_.real();
        symbol.angle = in_.real();
        symbol.filled = in_.flag();
        symbol.name = in_.text(plotinput::kNamePieces);
        const size_t count = in_.u8() % (kMaxShapeContours + 1);
        for (size_t i = 0; i < count; ++i) symbol.shape.push_back(shapeContour());
        symbol.group = in_.text(plotinput::kNamePieces);
        return symbol;
    }

    PlotFont font() {
        PlotFont font;
        font.name = in_.text(plotinput::kNamePieces);
        font.height = in_.real();
        const uint8_t style = in_.u8();
        font.bold = (style & 1) != 0;
        font.italic = (style & 2) != 0;
        font.underline = (style & 4) != 0;
        font.style = (style & 8) ? "host style" : "";
        return font;
    }

    AddText addText() {
        AddText text;
        text.x = in_.real();
        text.y = in_.real();
        text.font = font();
        text.angle = in_.real();
        text.line = in_.wide();
        text.index = in_.lineNumber();
        text.count = in_.lineNumber();
        text.width = in_.real();
        text.height = in_.real();
        text.descent = in_.real();
        text.group = in_.text(plotinput::kNamePieces);
        return text;
    }

    // A text as a host writes it: lines 1 to n of n, one below the other.
    void textBlock(std::vector<HostCall>& calls) {
        AddText text;
        const int count = 1 + in_.u8() % static_cast<int>(kMaxTextLines);
        text.x = in_.real();
        text.y = in_.real();
        text.font = font();
        text.angle = in_.real();
        text.width = in_.real();
        text.height = in_.real();
        text.descent = in_.real();
        text.group = in_.text(plotinput::kNamePieces);
        text.count = count;
        for (int index = 1; index <= count; ++index) {
            text.index = index;
            text.line = in_.wide();
            calls.push_back(text);
            text.y -= text.height;
        }
    }

    AddImage addImage() {
        AddImage image;
        image.x = in_.real();
        image.y = in_.real();
        image.width = in_.real();
        image.height = in_.real();
        image.image.width = in_.i16();
        image.image.height = in_.i16();
        image.image.encoding = in_.imageKind();
        const std::optional<size_t> size = in_.encodedSize();
        image.encoderAccepts = size.has_value();
        // Bytes that tell the images apart, of the length the answer says.
        std::string bytes = "#" + std::to_string(++images_) + std::string("\0\xFF\x89PNG", 6);
        bytes.resize(size.value_or(0), 'x');
        image.encoded = bytes;
        image.group = in_.text(plotinput::kNamePieces);
        return image;
    }

    ByteSource& in_;
    size_t pages_ = 0;
    bool pageOpen_ = false;
    size_t images_ = 0;
};

// --- the host's image callbacks ----------------------------------------------

// The writer's encoder and releaser: every buffer handed out must come back
// exactly once.
struct EncoderLog {
    const AddImage* current = nullptr;
    size_t encodes = 0;
    std::vector<void*> outstanding;
};
EncoderLog encoderLog;

int encodeImage(IMAGE* image, long& size, void*& data) {
    ++encoderLog.encodes;
    const AddImage* call = encoderLog.current;
    if (call == nullptr || image != &call->image) broken("the encoder got an image the host did not pass");
    if (!call->encoderAccepts) return 0;
    data = std::malloc(std::max<size_t>(call->encoded.size(), 1));
    std::memcpy(data, call->encoded.data(), call->encoded.size());
    size = static_cast<long>(call->encoded.size());
    encoderLog.outstanding.push_back(data);
    return 1;
}

void releaseImage(void* data) {
    auto& out = encoderLog.outstanding;
    const auto found = std::find(out.begin(), out.end(), data);
    if (found == out.end()) broken("released a buffer the encoder did not hand out (or twice)");
    out.erase(found);
    std::free(data);
}

// The reader's loader: the file must be in the current directory while the
// call lasts. What it held is kept with the IMAGE made for it.
std::deque<IMAGE> loadedImages;
std::map<const IMAGE*, LoadedImage> loadedContents;

IMAGE* loadImage(const char* path) {
    const std::string name = path == nullptr ? std::string() : path;
    if (name.rfind("./", 0) != 0) broken("image outside the current directory: " + name);
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) broken("image file missing during the load callback: " + name);
    LoadedImage loaded;
    char buffer[256];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) loaded.bytes.append(buffer, n);
    std::fclose(file);
    const size_t dot = name.rfind('.');
    loaded.extension = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    IMAGE& image = loadedImages.emplace_back();
    image.width = static_cast<int32_t>(loaded.bytes.size());
    loadedContents[&image] = loaded;
    return &image;
}

// --- getter answers as text, for comparing and printing -----------------------

// The shortest text that reads back as the same double: equal texts, equal
// values.
std::string number(double value) {
    if (std::isnan(value)) return "nan";
    if (value == 0) return "0";  // -0 and 0 are one value to the host
    char text[40];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// Printable ASCII as it is, everything else as a hexadecimal escape.
void appendEscaped(std::string& out, uint32_t value, const char* open, const char* close) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[8];
    size_t count = 0;
    do {
        digits[count++] = kDigits[value & 0xF];
        value >>= 4;
    } while (value != 0 || count < 2);
    out += open;
    while (count > 0) out += digits[--count];
    out += close;
}

std::string quoted(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
            out += c;
        } else {
            appendEscaped(out, u, "\\x", "");
        }
    }
    return out + "\"";
}

std::string quoted(std::wstring_view text) {
    std::string out = "L\"";
    for (const wchar_t c : text) {
        const auto u = static_cast<uint32_t>(c);
        if (u >= 0x20 && u < 0x7F && c != L'"' && c != L'\\') {
            out += static_cast<char>(c);
        } else {
            appendEscaped(out, u, "\\u{", "}");
        }
    }
    return out + "\"";
}

std::string describe(const std::vector<PlottingPoint>& points) {
    std::string out = "[";
    for (const PlottingPoint& p : points) {
        out += "(" + number(p.x) + "," + number(p.y) + (p.group.empty() ? "" : "," + quoted(p.group)) + ")";
    }
    return out + "]";
}

std::string describe(const Contours& contours) {
    std::string out = "{";
    for (const auto& contour : contours) out += describe(contour);
    return out + "}";
}

std::string describe(const PlotFont& font) {
    return "font(" + quoted(font.name) + " " + number(font.height) + " style=" + quoted(font.style) +
           (font.bold ? " bold" : "") + (font.italic ? " italic" : "") + (font.underline ? " underline" : "") + ")";
}

std::string describe(const std::optional<LoadedImage>& image) {
    if (!image) return "no image";
    return "image(" + image->extension + " " + quoted(image->bytes) + ")";
}

std::string flag(bool value) { return value ? "1" : "0"; }

const char* operationName(Plt_Plot_Operation_T code) {
    static constexpr const char* kNames[] = {"PLT_NEW_PAGE", "PLT_PLOT_OPENED", "PLT_PEN",   "PLT_SYMBOL",
                                             "PLT_TEXT",     "PLT_LINE",        "PLT_POLYGONS", "PLT_END_OF_PLOT",
                                             "PLT_NONE",     "PLT_IMAGE",       "PLT_GROUP_OPTIONS", "PLT_TABLE"};
    const auto index = static_cast<size_t>(code);
    return index < std::size(kNames) ? kNames[index] : "(not an operation)";
}

// A getter's out-argument the reader must not touch.
constexpr char kUntouched[] = "(untouched)";

std::optional<LoadedImage> contentOf(const IMAGE* image) {
    if (image == nullptr) return std::nullopt;
    const auto found = loadedContents.find(image);
    if (found == loadedContents.end()) broken("getImage gave an IMAGE the loader did not make");
    return found->second;
}
std::optional<LoadedImage> contentOf(const std::optional<LoadedImage>& image) { return image; }

// What an image getter hands out: the loader's IMAGE, or the model's content.
IMAGE* noImage(DWFPlotFileReader&) { return nullptr; }
std::optional<LoadedImage> noImage(ReaderModel&) { return std::nullopt; }

// What the host gets from the getter that belongs to `code`, asked through
// the overload with or without the group; the same questions for the reader
// and for the model.
template <class Reader>
std::string fetch(Reader& reader, Plt_Plot_Operation_T code, bool withGroup) {
    std::string group = kUntouched;
    const auto named = [&] { return withGroup ? " group=" + quoted(group) : std::string(); };
    double x = 0, y = 0, a = 0, b = 0;
    switch (code) {
        case PLT_PEN: return "pen=" + std::to_string(reader.getPen());
        case PLT_LINE: {
            std::vector<PlottingPoint> points;
            reader.getLine(points);
            return describe(points);
        }
        case PLT_POLYGONS: {
            Contours polygons;
            int pen = 0;
            if (withGroup) reader.getPolygons(polygons, pen, group);
            else reader.getPolygons(polygons, pen);
            return describe(polygons) + " pen=" + std::to_string(pen) + named();
        }
        case PLT_TEXT: {
            PlotFont font;
            const wchar_t* text = withGroup ? reader.getText(x, y, font, a, group) : reader.getText(x, y, font, a);
            if (text == nullptr) broken("getText gave no text");
            return quoted(std::wstring_view(text)) + " at " + number(x) + "," + number(y) + " " + describe(font) +
                   " angle=" + number(a) + named();
        }
        case PLT_SYMBOL: {
            bool filled = false;
            std::string name;
            if (withGroup) reader.getSymbol(x, y, a, b, filled, name, group);
            else reader.getSymbol(x, y, a, b, filled, name);
            return quoted(name) + " at " + number(x) + "," + number(y) + " scale=" + number(a) +
                   " angle=" + number(b) + " filled=" + flag(filled) + named();
        }
        case PLT_IMAGE: {
            auto image = noImage(reader);
            if (withGroup) reader.getImage(x, y, a, b, &image, group);
            else reader.getImage(x, y, a, b, &image);
            return describe(contentOf(image)) + " at " + number(x) + "," + number(y) + " height=" + number(a) +
                   " width=" + number(b) + named();
        }
        case PLT_GROUP_OPTIONS: {
            bool first = false, second = false;
            reader.getGroupInfo(group, first, second);
            return quoted(group) + " " + flag(first) + " " + flag(second);
        }
        case PLT_TABLE: {
            std::string table;
            reader.getTableString(table);
            return quoted(table);
        }
        default: return {};
    }
}

// --- the calls, for the report of a difference ----------------------------------

std::string shortened(std::string text) {
    constexpr size_t kShown = 80;
    if (text.size() <= kShown) return text;
    return text.substr(0, kShown) + "...(" + std::to_string(text.size()) + " bytes)";
}

std::string describe(const HostCall& call) {
    return std::visit(
        Overloaded{
            [](const OpenPage& c) {
                std::string out = "openPage {";
                for (const auto& [composed, option] : c.options) out += " " + shortened(quoted(composed));
                return out + " }";
            },
            [](const ClosePage&) { return std::string("closePage"); },
            [](const AddLine& c) {
                return "addLine " + number(c.x) + " " + number(c.y) + " code=" + std::to_string(c.penCode) + " " +
                       shortened(quoted(c.group));
            },
            [](const AddPolygons& c) {
                return "addPolygons " + shortened(describe(c.polygons)) + " pen=" + std::to_string(c.pen) + " " +
                       shortened(quoted(c.group));
            },
            [](const SetPen& c) { return "setPen " + std::to_string(c.pen); },
            [](const AddSymbol& c) {
                return "addSymbol " + number(c.x) + " " + number(c.y) + " scale=" + number(c.scale) +
                       " angle=" + number(c.angle) + " filled=" + flag(c.filled) + " " + shortened(quoted(c.name)) +
                       " contours=" + std::to_string(c.shape.size()) + " " + shortened(quoted(c.group));
            },
            [](const AddText& c) {
                return "addText " + number(c.x) + " " + number(c.y) + " " + shortened(describe(c.font)) +
                       " angle=" + number(c.angle) + " " + shortened(quoted(c.line)) + " " + std::to_string(c.index) +
                       "/" + std::to_string(c.count) + " " + shortened(quoted(c.group));
            },
            [](const AddTable& c) { return "addTable " + shortened(quoted(c.table)); },
            [](const AddImage& c) {
                return "addImage " + number(c.x) + " " + number(c.y) + " " + number(c.width) + "x" +
                       number(c.height) + " kind=" + std::to_string(c.image.encoding) +
                       (c.encoderAccepts ? " encoded=" + quoted(c.encoded) : " declined") + " " +
                       shortened(quoted(c.group));
            },
            [](const SetPenDetails& c) { return "setPenDetails (" + std::to_string(c.pens.size()) + " pens)"; },
        },
        call);
}

const Plot* currentPlot = nullptr;

void printCalls() {
    if (currentPlot == nullptr) return;
    const OpenPlot& o = currentPlot->open;
    std::fprintf(stderr, "the calls: openPlot %s x %s scales %s %s units %s encoding %s\n", number(o.pageWidth).c_str(),
                 number(o.pageHeight).c_str(), number(o.xScale).c_str(), number(o.yScale).c_str(),
                 shortened(quoted(o.units)).c_str(), shortened(quoted(o.encoding)).c_str());
    for (const HostCall& call : currentPlot->calls) std::fprintf(stderr, "  %s\n", describe(call).c_str());
    std::fprintf(stderr, "  closePlot\n");
}

// Prints both sides from a little before their first difference on.
[[noreturn]] void differ(const std::string& where, const std::string& expected, const std::string& actual) {
    size_t first = 0;
    while (first < expected.size() && first < actual.size() && expected[first] == actual[first]) ++first;
    const size_t from = first > 60 ? first - 60 : 0;
    const auto window = [&](const std::string& text) {
        std::string shown = text.substr(std::min(from, text.size()), 240);
        return (from > 0 ? "..." : "") + shown + (from + 240 < text.size() ? "..." : "");
    };
    std::fprintf(stderr, "plot round trip: %s differs\n  expected: %s\n  actual:   %s\n", where.c_str(),
                 window(expected).c_str(), window(actual).c_str());
    printCalls();
    std::abort();
}

// --- writing -----------------------------------------------------------------------

// Makes the host's calls on a real writer. False when closePlot reported
// that the plot could not be written.
class HostWriter {
public:
    explicit HostWriter(DWFPlotFileWriter& writer) : writer_(writer) {}

    void operator()(const OpenPage& call) {
        std::set<std::string> options;
        for (const auto& entry : call.options) options.insert(entry.first);
        writer_.openPage(options);
    }
    void operator()(const ClosePage&) { writer_.closePage(); }
    void operator()(const AddLine& c) { writer_.addLine(c.x, c.y, c.penCode, c.group); }
    void operator()(const AddPolygons& c) { writer_.addPolygons(c.polygons, c.pen, c.group); }
    void operator()(const SetPen& c) { writer_.setPen(c.pen); }
    void operator()(const AddSymbol& c) {
        writer_.addSymbol(c.x, c.y, c.scale, c.angle, c.filled, c.name, c.shape, c.group);
    }
    void operator()(const AddText& c) {
        writer_.addText(c.x, c.y, c.font, c.angle, c.line.c_str(), c.index, c.count, c.width, c.height, c.descent,
                        c.group);
    }
    void operator()(const AddTable& c) { writer_.addTable(c.table); }
    void operator()(const AddImage& c) {
        encoderLog.current = &c;
        // The writer hands the IMAGE to our encoder and reads three fields.
        writer_.addImage(c.x, c.y, c.width, c.height, const_cast<IMAGE*>(&c.image), c.group);
        encoderLog.current = nullptr;
    }
    void operator()(const SetPenDetails& c) {
        std::vector<PenDetail> pens = c.pens;
        writer_.setPenDetails(pens);
    }

private:
    DWFPlotFileWriter& writer_;
};

bool writePlot(const Plot& plot, const std::string& path) {
    DWFPlotFileWriter writer(encodeImage, releaseImage);
    HostWriter host(writer);
    host(plot.pens);
    const OpenPlot& o = plot.open;
    if (!writer.openPlot(path, o.pageWidth, o.pageHeight, o.xScale, o.yScale, o.units, 0, o.encoding, o.productName,
                         o.productVersion)) {
        printCalls();
        broken("openPlot refused the plot");
    }
    size_t index = 0;
    try {
        for (; index < plot.calls.size(); ++index) std::visit(host, plot.calls[index]);
    } catch (DWF::DwfResult::Enum code) {
        printCalls();
        broken(describe(plot.calls[index]) + " threw " + std::to_string(code));
    }
    try {
        writer.closePlot();
    } catch (DWF::DwfResult::Enum) {
        return false;
    }
    return true;
}

void checkImageCallbacks(const ExpectedPlot& expected) {
    if (encoderLog.encodes != expected.encodes) {
        differ("the number of encoder calls", std::to_string(expected.encodes), std::to_string(encoderLog.encodes));
    }
    if (!encoderLog.outstanding.empty()) broken("an encoded image buffer was never released");
}

// --- reading back -------------------------------------------------------------------

void comparePlotValues(DWFPlotFileReader& reader, const ExpectedPlot& expected) {
    std::vector<std::string> pages;
    reader.getPages(pages);
    if (pages.size() != expected.pages.size()) {
        differ("the page count", std::to_string(expected.pages.size()), std::to_string(pages.size()));
    }
    double width = 0, height = 0, xScale = 0, yScale = 0;
    reader.getPageSize(width, height);
    reader.getPlotScale(xScale, yScale);
    std::string units;
    reader.getPlotUnits(units);
    const std::string want = number(expected.pageWidth) + " x " + number(expected.pageHeight) + " scales " +
                             number(expected.xScale) + " " + number(expected.yScale) + " units " +
                             quoted(expected.units) + " encoding " + quoted(expected.encoding);
    const std::string got = number(width) + " x " + number(height) + " scales " + number(xScale) + " " +
                            number(yScale) + " units " + quoted(units) + " encoding " + quoted(reader.getEncoding());
    if (want != got) differ("the plot's size, scales, units and encoding", want, got);
}

// A manifest lists one section per page, and one without sections builds
// nothing: a plot of no pages is written, but no reader takes it.
void replayWithoutPages(const std::string& path) {
    DWFPlotFileReader reader(loadImage);
    std::string message = kUntouched;
    if (reader.canRead(path, message) || message != PLT_BUILDING_XML_OBJECT_ERROR) {
        differ("canRead of a plot without pages", PLT_BUILDING_XML_OBJECT_ERROR, message);
    }
    if (reader.openPlot(path)) differ("openPlot of a plot without pages", "false", "true");
    if (reader.getOperation() != PLT_END_OF_PLOT) broken("a plot that did not open went on");
}

void replay(const std::string& path, const ExpectedPlot& expected) {
    if (expected.pages.empty()) {
        replayWithoutPages(path);
        return;
    }
    DWFPlotFileReader reader(loadImage);
    std::string message = kUntouched;
    if (!reader.canRead(path, message) || message != kUntouched) differ("canRead", kUntouched, message);
    if (!reader.openPlot(path)) differ("openPlot", "true", "false");
    comparePlotValues(reader, expected);
    ReaderModel model(expected.pages);
    for (size_t index = 0;; ++index) {
        const std::string where = "operation #" + std::to_string(index);
        const Plt_Plot_Operation_T want = model.getOperation();
        const Plt_Plot_Operation_T got = reader.getOperation();
        if (want != got) differ(where, operationName(want), operationName(got));
        const bool withGroup = index % 2 == 0;
        const std::string wantData = fetch(model, want, withGroup);
        const std::string gotData = fetch(reader, got, withGroup);
        if (wantData != gotData) {
            differ(where + " (" + operationName(want) + ")", wantData, gotData);
        }
        if (tracing) std::fprintf(stderr, "#%zu %s %s\n", index, operationName(got), shortened(gotData).c_str());
        const long position = reader.position();
        if (position < 0 || position > reader.size()) broken("position outside the plot's size");
        if (want == PLT_END_OF_PLOT) break;
    }
    if (reader.getOperation() != PLT_END_OF_PLOT) broken("an ended plot went on");
    if (reader.position() != reader.size()) broken("the position of an ended plot is not its size");
    reader.closePlot();
}

// Where the package goes: a name in the workspace's input directory, free.
std::string packagePath() {
    const std::string path = fuzz::writeInputFile(nullptr, 0, "round_trip.dwf");
    fuzz::removeInputFile(path);
    return path;
}

void runOne(const Plot& plot) {
    currentPlot = &plot;
    const ExpectedPlot expected = WriterModel::expect(plot);
    const std::string path = packagePath();
    const bool written = writePlot(plot, path);
    checkImageCallbacks(expected);
    if (written) {
        {
            const fuzz::InWorkDirectory inWork;
            replay(path, expected);
        }
        fuzz::removeInputFile(path);
    } else {
        if (tracing) std::fprintf(stderr, "closePlot threw: the plot failed, and may\n");
        if (!expected.mayFail) {
            printCalls();
            broken("closePlot threw for a plot without an overlong string");
        }
        if (access(path.c_str(), F_OK) == 0) broken("a plot that failed left its package behind");
    }
    currentPlot = nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Narrow host strings are UTF-8: every character has a place in them.
    if (std::setlocale(LC_ALL, "C.UTF-8") == nullptr) broken("the C.UTF-8 locale is missing");
    tracing = std::getenv("PLOT_ROUND_TRIP_TRACE") != nullptr;
    fuzz::enterWorkspace();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ByteSource in(data, size);
    const Plot plot = PlotDecoder(in).decode();
    runOne(plot);
    encoderLog = EncoderLog();
    loadedContents.clear();
    loadedImages.clear();
    fuzz::requireNothingLeft();
    return 0;
}
