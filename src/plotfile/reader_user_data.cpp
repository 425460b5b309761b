#include "plotfile/reader_user_data.h"

#include "plotfile/records/user_data_records.h"

namespace DWFPlotReader {
namespace {

using DWFPlotRecords::RecordKind;

bool applyPen(OperationRecord& record, std::string_view payload) {
    const auto pen = DWFPlotRecords::parsePen(payload);
    if (!pen) return false;
    record.pending = PLT_PEN;
    record.pen = *pen;
    return true;
}

bool applyText(OperationRecord& record, std::string_view payload) {
    const auto text = DWFPlotRecords::parseText(payload);
    if (!text) return false;
    record.pending = PLT_TEXT;
    record.x = text->x;
    record.y = text->y;
    PlotFont font;
    font.height = text->height;
    font.name = text->fontName;
    font.bold = text->bold;
    font.italic = text->italic;
    font.underline = text->underline;
    record.font = font;
    record.angle = text->angle;
    record.lineCount = text->lineCount;
    record.group = text->group;
    record.symbolName.clear();
    record.drawableSeen = false;
    return true;
}

bool applySymbol(OperationRecord& record, std::string_view payload) {
    const auto symbol = DWFPlotRecords::parseSymbol(payload);
    if (!symbol) return false;
    record.pending = PLT_SYMBOL;
    record.x = symbol->x;
    record.y = symbol->y;
    record.scale = symbol->scale;
    record.angle = symbol->angle;
    record.filled = symbol->filled;
    // The contour count lands in the line count; it was read as 32 bits.
    record.lineCount = static_cast<int32_t>(symbol->contourCount);
    record.drawableSeen = false;
    record.symbolName = symbol->name;
    record.group = symbol->group;
    return true;
}

bool applyGroupOptions(OperationRecord& record, std::string_view payload) {
    const auto options = DWFPlotRecords::parseGroupOption(payload);
    if (!options) return false;
    record.pending = PLT_GROUP_OPTIONS;
    record.group = options->name;
    record.groupFirst = options->first;
    record.groupSecond = options->second;
    return true;
}

bool applyRecord(OperationRecord& record, RecordKind kind, std::string_view payload) {
    switch (kind) {
        case RecordKind::Pen: return applyPen(record, payload);
        case RecordKind::Group:
            record.group = DWFPlotRecords::parsePlainText(payload);
            return true;
        case RecordKind::Text: return applyText(record, payload);
        case RecordKind::Symbol: return applySymbol(record, payload);
        case RecordKind::EndSymbol:
            // It ends a body being skipped; anywhere else it would report the
            // last symbol a second time.
            if (!record.discarding) return false;
            record.pending = PLT_SYMBOL;
            return true;
        case RecordKind::Table:
            record.pending = PLT_TABLE;
            record.table = DWFPlotRecords::parsePlainText(payload);
            return true;
        case RecordKind::GroupOptions: return applyGroupOptions(record, payload);
    }
    return false;
}

}  // namespace

void applyUserData(OperationRecord& record, std::string_view description, std::string_view payload) {
    const auto kind = DWFPlotRecords::recordKind(description);
    if (!kind || !applyRecord(record, *kind, payload)) record.pending = PLT_NONE;
}

}  // namespace DWFPlotReader
