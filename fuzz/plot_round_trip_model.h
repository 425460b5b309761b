// The model of fuzz_plot_round_trip: a host's plot as a list of calls, and
// what the host must read back from the package the writer makes of it.
//
// The model has two halves, like the library: a writer that turns the calls
// into the records and drawables of each page stream, and a reader that
// turns those into operations the way getOperation and the getters hand them
// to the host. Numbers pass through the formats the records use ("%.3f",
// "%.2f", logical units); names go through the replacements the writer makes
// so that its reader cannot misparse them; everything else comes back as
// the host gave it. Nothing here calls the library.
#ifndef DWFPLOT_FUZZ_PLOT_ROUND_TRIP_MODEL_H
#define DWFPLOT_FUZZ_PLOT_ROUND_TRIP_MODEL_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "dwfplot/PlotFile.h"
#include "plot_round_trip_input.h"

namespace plotmodel {

using plotinput::kPenUp;

// Strings up to this length (the one string limit of the W2D writer and
// reader, 2^20 characters) always fit a page stream; longer ones may make the
// plot fail, never get lost on the way.
inline constexpr size_t kStringLimit = size_t{1} << 20;
// The writer's current pen before any setPen.
inline constexpr int32_t kNoPen = -1000;

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// --- host calls --------------------------------------------------------------

using Contours = std::vector<std::vector<PlottingPoint>>;

// A group option as the host composes it: number "name" first second.
struct GroupOption {
    int32_t number = 0;
    std::string name;
    int32_t first = 0;
    int32_t second = 0;

    std::string composed() const {
        return std::to_string(number) + " \"" + name + "\" " + std::to_string(first) + " " + std::to_string(second);
    }
};

struct OpenPage {
    // By composed string, which orders them as the writer's set does.
    std::map<std::string, GroupOption> options;
};
struct ClosePage {};
struct AddLine {
    double x = 0, y = 0;
    int penCode = kPenUp;
    std::string group;
};
struct AddPolygons {
    Contours polygons;
    int pen = 0;
    std::string group;
};
struct SetPen {
    int pen = 0;
};
struct AddSymbol {
    double x = 0, y = 0, scale = 1, angle = 0;
    bool filled = false;
    std::string name;
    Contours shape;
    std::string group;
};
struct AddText {
    double x = 0, y = 0;
    PlotFont font;
    double angle = 0;
    std::wstring line;
    int index = 1, count = 1;
    double width = 0, height = 0, descent = 0;
    std::string group;
};
struct AddTable {
    std::string table;
};
struct AddImage {
    double x = 0, y = 0, width = 0, height = 0;
    IMAGE image;
    bool encoderAccepts = true;
    std::string encoded;  // what our encoder hands the writer
    std::string group;
};
struct SetPenDetails {
    std::vector<PenDetail> pens;
};

using HostCall = std::variant<OpenPage, ClosePage, AddLine, AddPolygons, SetPen, AddSymbol, AddText, AddTable,
                              AddImage, SetPenDetails>;

struct OpenPlot {
    double pageWidth = 0, pageHeight = 0, xScale = 0, yScale = 0;
    std::string units, encoding, productName, productVersion;
};

struct Plot {
    SetPenDetails pens;
    OpenPlot open;
    std::vector<HostCall> calls;
};

// An image as the host's loader finds it: the file's extension and bytes.
struct LoadedImage {
    std::string extension;
    std::string bytes;
};

// --- the number formats of the records ----------------------------------------

inline std::string printedFixed(double value, int decimals) {
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// What a reader parses back from "%.<decimals>f".
inline double rounded(double value, int decimals) {
    return std::strtod(printedFixed(value, decimals).c_str(), nullptr);
}

// Plot units to logical units: "%.3f", parsed back, times 1000, truncated
// toward zero; a product outside 32 bits is -2147483648.
inline int32_t logical(double value) {
    const double product = rounded(value, 3) * 1000.0;
    if (!(product > -2147483649.0 && product < 2147483648.0)) return INT32_MIN;
    return static_cast<int32_t>(product);
}

inline PlottingPoint asRead(int32_t x, int32_t y) { return {x / 1000.0, y / 1000.0}; }

// A host string ends at its first zero byte, as the records' C strings do.
inline std::string upToZero(const std::string& text) { return text.substr(0, text.find('\0')); }
inline std::wstring upToZero(const std::wstring& text) { return text.substr(0, text.find(L'\0')); }

inline std::string replaced(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}
// The writer's documented replacements: a symbol name ends at a space, a
// quoted name at a double quote.
inline std::string symbolName(const std::string& name) { return replaced(upToZero(name), ' ', '_'); }
inline std::string quotedName(const std::string& name) { return replaced(upToZero(name), '"', '\''); }

// Host text as the page stream keeps it: code points that are no Unicode
// scalar value (surrogates, beyond U+10FFFF, negative) become U+FFFD.
inline std::wstring asStored(const std::wstring& line) {
    std::wstring out = upToZero(line);
    for (wchar_t& c : out) {
        const auto u = static_cast<uint32_t>(c);
        if (u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) c = 0xFFFD;
    }
    return out;
}

inline size_t utf16Length(const std::wstring& text) {
    size_t units = 0;
    for (wchar_t c : text) units += static_cast<uint32_t>(c) >= 0x10000 ? 2 : 1;
    return units;
}

inline bool blank(const std::wstring& line) { return line.find_first_not_of(L' ') == std::wstring::npos; }

// --- what the page streams hold -----------------------------------------------

// The records and drawables of one page stream, as far as the reader sees
// them, with every value already as the host will read it back.
namespace stream {
struct Pen {
    int32_t pen;
};
struct Group {
    std::string name;
};
struct Polyline {
    std::vector<PlottingPoint> points;
};
struct ContourSet {
    Contours contours;
};
struct Text {
    double x, y;
    PlotFont font;
    double angle;
    int32_t lineCount;
    std::string group;
};
struct TextLine {
    std::wstring text;
};
struct Symbol {
    double x, y, scale, angle;
    bool filled;
    int32_t contourCount;  // read into the record's line count
    std::string name, group;
};
struct EndSymbol {};
struct Table {
    std::string table;
};
struct Image {
    double x, y, height, width;
    LoadedImage content;
};
struct GroupOptions {
    std::string name;
    bool first, second;
};
using Item = std::variant<Pen, Group, Polyline, ContourSet, Text, TextLine, Symbol, EndSymbol, Table, Image,
                          GroupOptions>;
using Page = std::vector<Item>;
}  // namespace stream

// Everything the host can read back from a plot.
struct ExpectedPlot {
    std::vector<stream::Page> pages;
    double pageWidth = 1.0, pageHeight = 1.0;
    double xScale = 0, yScale = 0;
    std::string units, encoding;
    // A string beyond the limit was written: the plot may fail.
    bool mayFail = false;
    // Calls the writer makes to the host's encoder.
    size_t encodes = 0;
};

// --- the model's writer --------------------------------------------------------

// The host's calls as page stream content: which records and drawables each
// call writes, with the pending line, the current pen and the stored lines of
// an incomplete text carried between calls.
class WriterModel {
public:
    static ExpectedPlot expect(const Plot& plot) {
        WriterModel model;
        model.openPlot(plot.open);
        for (const HostCall& call : plot.calls) std::visit(model, call);
        model.closePlot();
        return std::move(model.plot_);
    }

    void operator()(const OpenPage& call) {
        if (pageOpen_) (*this)(ClosePage{});
        options_ = call.options;
        plot_.pages.emplace_back();
        pageOpen_ = true;
        // The paper is in tenths of plot units. One that refused a size is
        // not written, and the reader finds the page's paper without one.
        plot_.pageWidth = paperValid_ ? open_.pageWidth * 10 / 10 : 0.0;
        plot_.pageHeight = paperValid_ ? open_.pageHeight * 10 / 10 : 0.0;
        // A new page starts with the pen the last one ended with.
        if (currentPen_ >= 0) {
            const int32_t pen = currentPen_;
            currentPen_ = kNoPen;
            setPen(pen);
        }
    }

    void operator()(const ClosePage&) {
        if (!pageOpen_) return;
        writePendingLine();
        for (const auto& [composed, option] : options_) {
            emit(stream::GroupOptions{option.name, option.first == 1, option.second == 1});
        }
        pageOpen_ = false;
    }

    void operator()(const AddLine& call) {
        if (!pageOpen_) return;
        const Point point{logical(call.x), logical(call.y), call.group};
        if (call.penCode == kPenUp && !line_.empty()) {
            const Point& last = line_.back();
            if (last.x == point.x && last.y == point.y && last.group == point.group) return;
            writePendingLine();
        }
        line_.push_back(point);
    }

    void operator()(const AddPolygons& call) {
        if (!pageOpen_) return;
        writePendingLine();
        setPen(call.pen);
        // An empty contour draws nothing and has no place in a contour set.
        Contours contours;
        for (const auto& contour : call.polygons) {
            if (contour.empty()) continue;
            auto& ring = contours.emplace_back();
            for (const PlottingPoint& p : contour) ring.push_back(asRead(logical(p.x), logical(p.y)));
        }
        if (contours.empty()) return;
        emit(stream::Group{upToZero(call.group)});
        emit(stream::ContourSet{std::move(contours)});
    }

    void operator()(const SetPen& call) {
        if (pageOpen_) setPen(call.pen);
    }

    void operator()(const AddSymbol& call);
    void operator()(const AddText& call);

    void operator()(const AddTable& call) {
        // The line being built is not written first: it lands after the table.
        if (pageOpen_) emit(stream::Table{upToZero(call.table)});
    }

    void operator()(const AddImage& call) {
        if (!pageOpen_) return;
        writePendingLine();
        ++plot_.encodes;
        if (!call.encoderAccepts) return;
        emit(stream::Group{upToZero(call.group)});
        const int32_t x0 = logical(call.x);
        const int32_t y0 = logical(call.y);
        const int32_t x1 = logical(call.x + call.width);
        const int32_t y1 = logical(call.y + call.height);
        const int32_t kind = call.image.encoding;
        if (kind < 0 || kind > 4) return;
        // The extents are differences of 32-bit corners, wrapping around.
        const auto extent = [](int32_t high, int32_t low) {
            return static_cast<int32_t>(static_cast<uint32_t>(high) - static_cast<uint32_t>(low)) / 1000.0;
        };
        emit(stream::Image{x0 / 1000.0, y0 / 1000.0, extent(y1, y0), extent(x1, x0),
                           LoadedImage{kind == 0 ? "jpg" : "png", call.encoded}});
    }

    void operator()(const SetPenDetails&) {}

private:
    struct Point {
        int32_t x, y;
        std::string group;
    };

    void openPlot(const OpenPlot& open) {
        open_ = open;
        const bool inches = open.units == "I";
        plot_.xScale = scaleAsRead(inches ? open.xScale / 39.37 : open.xScale);
        plot_.yScale = scaleAsRead(inches ? open.yScale / 39.37 : open.yScale);
        plot_.units = open.units;
        plot_.encoding = open.encoding;
        // The paper refuses sizes of 0 or less (and no size is no paper).
        paperValid_ = open.pageWidth > 0 && open.pageHeight > 0;
    }

    void closePlot() {
        if (pageOpen_) (*this)(ClosePage{});
    }

    static double scaleAsRead(double scale) {
        char text[64];
        std::snprintf(text, sizeof text, "%.16g", scale);
        return std::strtod(text, nullptr);
    }

    void emit(stream::Item item) { plot_.pages.back().push_back(std::move(item)); }

    void setPen(int pen) {
        writePendingLine();
        if (pen == currentPen_) return;
        emit(stream::Pen{pen});
        currentPen_ = pen;
    }

    // Two or more points not all in one place make a line, in the group of
    // its first point.
    void writePendingLine() {
        const bool drawable = line_.size() >= 2 && std::any_of(line_.begin() + 1, line_.end(), [&](const Point& p) {
                                  return p.x != line_.front().x || p.y != line_.front().y;
                              });
        if (drawable) {
            std::vector<PlottingPoint> points;
            for (const Point& p : line_) points.push_back(asRead(p.x, p.y));
            emit(stream::Group{upToZero(line_.front().group)});
            emit(stream::Polyline{std::move(points)});
        }
        line_.clear();
    }

    ExpectedPlot plot_;
    OpenPlot open_;
    bool paperValid_ = false;
    bool pageOpen_ = false;
    std::map<std::string, GroupOption> options_;
    std::vector<Point> line_;
    int32_t currentPen_ = kNoPen;
    std::vector<std::wstring> textLines_;
};

inline void WriterModel::operator()(const AddText& call) {
    if (!pageOpen_) return;
    const std::wstring line = upToZero(call.line);
    if (call.count < 2 && blank(line)) return;
    textLines_.push_back(asStored(line));
    if (call.index != call.count) return;
    writePendingLine();
    PlotFont font;  // the reader's own: no style
    font.name = quotedName(call.font.name);
    font.height = rounded(call.font.height, 3);
    font.bold = call.font.bold;
    font.italic = call.font.italic;
    font.underline = call.font.underline;
    // The host reads a text back as all the lines it gave for it: the record
    // counts those, whatever the line numbers of the calls said.
    const auto lines = static_cast<int32_t>(textLines_.size());
    emit(stream::Text{rounded(call.x, 3), rounded(call.y, 3), font, rounded(call.angle, 3), lines,
                      upToZero(call.group)});
    if (call.font.name.size() > kStringLimit) plot_.mayFail = true;
    for (std::wstring& stored : textLines_) {
        if (utf16Length(stored) > kStringLimit) plot_.mayFail = true;
        emit(stream::TextLine{std::move(stored)});
    }
    textLines_.clear();
}

inline void WriterModel::operator()(const AddSymbol& call) {
    if (!pageOpen_) return;
    writePendingLine();
    const stream::Symbol symbol{rounded(call.x, 3),
                                rounded(call.y, 3),
                                rounded(call.scale, 2),
                                rounded(call.angle, 2),
                                call.filled,
                                static_cast<int32_t>(call.shape.size()),
                                symbolName(call.name),
                                quotedName(call.group)};
    // Its shape is drawn between the two records, and the reader skips it.
    emit(symbol);
    emit(stream::EndSymbol{});
}

// --- the model's reader ---------------------------------------------------------

// Replays the model's page streams the way getOperation does: one pending
// code and its data, a drawable held back behind the current pen, a pen
// change held back one call, group options reported twice, symbol bodies
// skipped, and the lines of a text read by getText itself.
class ReaderModel {
public:
    explicit ReaderModel(const std::vector<stream::Page>& pages) : pages_(pages) {
        record_.pending = PLT_PLOT_OPENED;
    }

    Plt_Plot_Operation_T getOperation() {
        if (record_.pending != PLT_NONE) return std::exchange(record_.pending, PLT_NONE);
        if (!pageOpen_) {
            if (page_ >= pages_.size()) return PLT_END_OF_PLOT;
            pageOpen_ = true;
            next_ = 0;
            return PLT_NEW_PAGE;
        }
        if (!readUntilOperation()) {
            pageOpen_ = false;
            ++page_;
            return PLT_NONE;
        }
        switch (record_.pending) {
            case PLT_LINE:
            case PLT_POLYGONS:
            case PLT_TEXT: return PLT_PEN;
            case PLT_SYMBOL:
                skipSymbolBody();
                return PLT_PEN;
            case PLT_IMAGE:
            case PLT_TABLE: return std::exchange(record_.pending, PLT_NONE);
            case PLT_GROUP_OPTIONS: return PLT_GROUP_OPTIONS;
            default: return PLT_NONE;
        }
    }

    // The getters, with the host's signatures; an image is its content.
    int getPen() const { return record_.pen; }

    void getLine(std::vector<PlottingPoint>& points) {
        points = std::exchange(record_.linePoints, {});
        if (!points.empty()) points.front().group = record_.group;
    }

    void getPolygons(Contours& polygons, int& pen, std::string& group) {
        polygons = std::exchange(record_.polygons, {});
        pen = record_.pen;
        group = record_.group;
    }
    void getPolygons(Contours& polygons, int& pen) {
        std::string group;
        getPolygons(polygons, pen, group);
    }

    void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled, std::string& name,
                   std::string& group) const {
        getSymbol(x, y, scale, angle, filled, name);
        group = record_.group;
    }
    void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled, std::string& name) const {
        x = record_.x;
        y = record_.y;
        scale = record_.scale;
        angle = record_.angle;
        filled = record_.filled;
        name = record_.symbolName;
    }

    // The lines are the next text objects of the stream, read here.
    const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle, std::string& group) {
        text_.clear();
        if (record_.lineCount == 0) {
            x = y = angle = 0;
            font = PlotFont();
            font.height = 0;
            return text_.c_str();
        }
        for (int32_t line = 0; line < record_.lineCount && readUntilDrawable(); ++line) {
            record_.drawableSeen = false;
            if (line > 0) text_ += L'\n';
            text_ += record_.textLine;
        }
        x = record_.x;
        y = record_.y;
        font = record_.font;
        angle = record_.angle;
        group = record_.group;
        return text_.c_str();
    }
    const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle) {
        std::string group;
        return getText(x, y, font, angle, group);
    }

    void getImage(double& x, double& y, double& height, double& width, std::optional<LoadedImage>* image,
                  std::string& group) const {
        getImage(x, y, height, width, image);
        group = record_.group;
    }
    void getImage(double& x, double& y, double& height, double& width, std::optional<LoadedImage>* image) const {
        x = record_.x;
        y = record_.y;
        height = record_.imageHeight;
        width = record_.imageWidth;
        *image = record_.image;
    }

    void getGroupInfo(std::string& name, bool& first, bool& second) const {
        name = record_.group;
        first = record_.groupFirst;
        second = record_.groupSecond;
    }

    void getTableString(std::string& table) const { table = record_.table; }

private:
    // The pending operation and its data, as the stream's records and
    // drawables leave them; every field keeps its value until overwritten.
    struct Record {
        Plt_Plot_Operation_T pending = PLT_NONE;
        int32_t pen = 0;
        std::vector<PlottingPoint> linePoints;
        Contours polygons;
        std::string symbolName;
        bool filled = false;
        std::wstring textLine;
        int32_t lineCount = 0;
        double x = 0, y = 0, angle = 0, scale = 0;
        PlotFont font;
        bool drawableSeen = false;
        std::optional<LoadedImage> image;
        double imageHeight = 0, imageWidth = 0;
        std::string group;
        bool groupFirst = false, groupSecond = false;
        std::string table;
    };

    const stream::Page& page() const { return pages_[page_]; }
    bool atEnd() const { return next_ >= page().size(); }

    bool readUntilOperation() {
        record_.pending = PLT_NONE;
        while (!atEnd()) {
            apply(page()[next_++], record_);
            if (record_.pending != PLT_NONE) return true;
        }
        return false;
    }

    bool readUntilDrawable() {
        while (!record_.drawableSeen) {
            if (!pageOpen_ || atEnd()) return false;
            apply(page()[next_++], record_);
        }
        return true;
    }

    void skipSymbolBody() {
        Record body;
        while (body.pending != PLT_SYMBOL && !atEnd()) apply(page()[next_++], body);
    }

    static void apply(const stream::Item& item, Record& r);

    const std::vector<stream::Page>& pages_;
    size_t page_ = 0;
    size_t next_ = 0;
    bool pageOpen_ = false;
    Record record_;
    std::wstring text_;
};

inline void ReaderModel::apply(const stream::Item& item, Record& r) {
    std::visit(Overloaded{
                   [&](const stream::Pen& pen) {
                       r.pending = PLT_PEN;
                       r.pen = pen.pen;
                   },
                   [&](const stream::Group& group) { r.group = group.name; },
                   [&](const stream::Polyline& line) {
                       r.pending = PLT_LINE;
                       r.linePoints = line.points;
                       r.drawableSeen = true;
                   },
                   [&](const stream::ContourSet& set) {
                       r.pending = PLT_POLYGONS;
                       r.polygons.insert(r.polygons.end(), set.contours.begin(), set.contours.end());
                   },
                   [&](const stream::Text& text) {
                       r.pending = PLT_TEXT;
                       r.x = text.x;
                       r.y = text.y;
                       r.font = text.font;
                       r.angle = text.angle;
                       r.lineCount = text.lineCount;
                       r.group = text.group;
                       r.symbolName.clear();
                       r.drawableSeen = false;
                   },
                   [&](const stream::TextLine& line) {
                       r.textLine = line.text;
                       r.drawableSeen = true;
                   },
                   [&](const stream::Symbol& symbol) {
                       r.pending = PLT_SYMBOL;
                       r.x = symbol.x;
                       r.y = symbol.y;
                       r.scale = symbol.scale;
                       r.angle = symbol.angle;
                       r.filled = symbol.filled;
                       r.lineCount = symbol.contourCount;
                       r.drawableSeen = false;
                       r.symbolName = symbol.name;
                       r.group = symbol.group;
                   },
                   [&](const stream::EndSymbol&) { r.pending = PLT_SYMBOL; },
                   [&](const stream::Table& table) {
                       r.pending = PLT_TABLE;
                       r.table = table.table;
                   },
                   [&](const stream::Image& image) {
                       r.pending = PLT_IMAGE;
                       r.image = image.content;
                       r.x = image.x;
                       r.y = image.y;
                       r.imageHeight = image.height;
                       r.imageWidth = image.width;
                   },
                   [&](const stream::GroupOptions& options) {
                       r.pending = PLT_GROUP_OPTIONS;
                       r.group = options.name;
                       r.groupFirst = options.first;
                       r.groupSecond = options.second;
                   },
               },
               item);
}

}  // namespace plotmodel

#endif  // DWFPLOT_FUZZ_PLOT_ROUND_TRIP_MODEL_H
