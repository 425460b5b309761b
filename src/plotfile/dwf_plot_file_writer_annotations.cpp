// Texts, symbols and tables: the "Text", "Symbol", "EndSymbol" and "Table"
// records with the W2D objects that draw them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/unicode.h"
#include "plotfile/dwf_plot_file_writer_imp.h"
#include "plotfile/logical_units.h"
#include "plotfile/records/user_data_records.h"
#include "plotfile/symbol_geometry.h"
#include "plotfile/text_bounds.h"
#include "w2d/ellipse.h"
#include "w2d/font.h"
#include "w2d/polygon.h"
#include "w2d/text.h"

namespace {

using DWFPlotUnits::toLogicalUnits;
using DWFPlotWriter::PagePoint;

WT_Logical_Point logicalPoint(const PagePoint& p) { return {toLogicalUnits(p.x), toLogicalUnits(p.y)}; }

// A W2D font rotation is in 1/65536 of a turn; 182 per degree is how plot
// files have always approximated it.
constexpr double kRotationPerDegree = 182.0;
constexpr uint16_t kNormalWidthScale = 1024;
constexpr int32_t kTextFontFlags = 8192;
// A one-point outline contour is drawn as a dot of this radius.
constexpr uint32_t kDotRadius = 20;

bool blank(std::wstring_view line) { return line.find_first_not_of(L' ') == std::wstring_view::npos; }

}  // namespace

void DWFPlotFileWriterImp::addText(double x, double y, const PlotFont& font, double angle, const wchar_t* line,
                                   int lineIndex, int lineCount, double width, double height,
                                   double descentFactor, const std::string& group) {
    if (!drawing()) {
        return;
    }
    const std::wstring_view text = line == nullptr ? std::wstring_view() : std::wstring_view(line);
    if (lineCount < 2 && blank(text)) {
        return;
    }
    textLines_.push_back({platform::wideToUtf16(text), x, y, group, width, height, descentFactor});
    if (lineIndex != lineCount) {
        return;
    }
    writePendingLine();
    setTextFont(font, angle);
    DWFPlotRecords::TextRecord record;
    record.x = x;
    record.y = y;
    record.height = font.height;
    record.fontName = font.name;
    record.bold = font.bold;
    record.italic = font.italic;
    record.underline = font.underline;
    record.angle = angle;
    // The lines actually stored, which the reader takes one text object
    // each for: a host that skipped or repeated a line index would otherwise
    // make it read past the text into what follows.
    record.lineCount = static_cast<int>(std::min<std::size_t>(textLines_.size(), INT32_MAX));
    record.group = group;
    writeRecord(DWFPlotRecords::TextDescription, DWFPlotRecords::formatText(record));
    writeTextLines(angle);
}

void DWFPlotFileWriterImp::setTextFont(const PlotFont& font, double angle) {
    WT_Font desired = stream_.desired_attributes().font();
    desired.set_name(WT_String(std::string_view(font.name)));
    // The height is the host's, not scaled to logical units.
    desired.set_height(DWFPlotUnits::truncateToInt32(font.height));
    desired.set_style(static_cast<uint8_t>((font.bold ? WT_Font::Bold : 0) | (font.italic ? WT_Font::Italic : 0) |
                                           (font.underline ? WT_Font::Underlined : 0)));
    const int32_t rotation = DWFPlotUnits::truncateToInt32(angle * kRotationPerDegree);
    desired.set_rotation(static_cast<uint16_t>(static_cast<uint32_t>(rotation) & 0xFFFFu));
    desired.set_width_scale(kNormalWidthScale);
    desired.set_flags(kTextFontFlags);
    stream_.desired_attributes().set(desired);
}

void DWFPlotFileWriterImp::writeTextLines(double angle) {
    for (const TextLine& line : textLines_) {
        const auto corners = DWFPlotWriter::textBounds(line.x, line.y, line.width, line.height,
                                                       line.descentFactor * line.height, angle);
        const WT_Text::WT_Bounds bounds = {logicalPoint(corners[0]), logicalPoint(corners[1]),
                                           logicalPoint(corners[2]), logicalPoint(corners[3])};
        WT_Text text(bounds[0], WT_String(std::u16string_view(line.text)));
        text.set_bounds(bounds);
        write(text);
    }
    textLines_.clear();
}

void DWFPlotFileWriterImp::addSymbol(double x, double y, double scale, double angle, bool filled,
                                     const std::string& name,
                                     const std::vector<std::vector<PlottingPoint>>& shape,
                                     const std::string& group) {
    if (!drawing()) {
        return;
    }
    writePendingLine();
    DWFPlotRecords::SymbolRecord record;
    record.x = x;
    record.y = y;
    record.scale = scale;
    record.angle = angle;
    record.filled = filled;
    record.contourCount = static_cast<int64_t>(shape.size());
    record.name = name;
    record.group = group;
    const std::string payload = DWFPlotRecords::formatSymbol(record);
    writeRecord(DWFPlotRecords::SymbolDescription, payload);
    // The shape is drawn with the rounded values the record carries, so that
    // a reader placing it again from the record lands on the same marks.
    const std::optional<DWFPlotRecords::SymbolRecord> rounded = DWFPlotRecords::parseSymbol(payload);
    const DWFPlotWriter::SymbolPlacement placement = rounded
        ? DWFPlotWriter::SymbolPlacement(rounded->x, rounded->y, rounded->scale, rounded->angle)
        : DWFPlotWriter::SymbolPlacement(x, y, scale, angle);
    for (const auto& contour : shape) {
        writeSymbolContour(contour, filled, placement);
    }
    writeRecord(DWFPlotRecords::EndSymbolDescription, DWFPlotRecords::formatEndSymbol());
}

void DWFPlotFileWriterImp::writeSymbolContour(const std::vector<PlottingPoint>& contour, bool filled,
                                              const DWFPlotWriter::SymbolPlacement& placement) {
    if (const auto circle = DWFPlotWriter::sampledCircle(contour)) {
        const WT_Logical_Point centre = logicalPoint(placement.map(circle->centre.x, circle->centre.y));
        // A negative scale mirrors the shape; the radius stays a length.
        const int32_t signedRadius = toLogicalUnits(circle->radius * placement.scale());
        const uint32_t radius = signedRadius < 0 ? 0u - static_cast<uint32_t>(signedRadius)
                                                 : static_cast<uint32_t>(signedRadius);
        if (filled) {
            write(WT_Filled_Ellipse(centre, radius, radius, 0, WT_Ellipse::Full_Turn, 0));
        } else {
            write(WT_Outline_Ellipse(centre, radius, radius, 0, WT_Ellipse::Full_Turn, 0));
        }
        return;
    }
    if (contour.empty()) {
        return;
    }
    std::vector<WT_Logical_Point> points;
    points.reserve(contour.size());
    for (const PlottingPoint& p : contour) {
        points.push_back(logicalPoint(placement.map(p.x, p.y)));
    }
    if (filled) {
        write(WT_Polygon(std::move(points)));
    } else if (points.size() == 1) {
        write(WT_Filled_Ellipse(points.front(), kDotRadius, kDotRadius, 0, WT_Ellipse::Full_Turn, 0));
    } else {
        // An outline goes through the line buffer, so that it is drawn like
        // any line: a "Group" record with no name and one polyline.
        for (const WT_Logical_Point& point : points) {
            pendingLine_.append(point, std::string());
        }
        writePendingLine();
    }
}

void DWFPlotFileWriterImp::addTable(const std::string& table) {
    // The line being built is not written first: it lands after the table.
    if (drawing()) {
        writeRecord(DWFPlotRecords::TableDescription, DWFPlotRecords::formatPlainText(table));
    }
}
