#include "plotfile/records/user_data_records.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "plotfile/records/record_scanner.h"

namespace DWFPlotRecords {
namespace {

// printf into a string of the exact size; a buffer of its own per call, so
// that writers on different threads never share one.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void appendFormatted(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        out.append(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
}

// A C string ends at its first zero byte; the host's texts are taken that way.
std::string_view upToZero(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string replaced(std::string_view text, bool (*unsafe)(char), char replacement) {
    std::string result(upToZero(text));
    for (char& c : result) {
        if (unsafe(c)) {
            c = replacement;
        }
    }
    return result;
}

bool isWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDoubleQuote(char c) { return c == '"'; }

}  // namespace

std::optional<RecordKind> recordKind(std::string_view description) {
    static constexpr struct {
        const char* word;
        RecordKind kind;
    } kWords[] = {
        {PenDescription, RecordKind::Pen},
        {GroupDescription, RecordKind::Group},
        {TextDescription, RecordKind::Text},
        {SymbolDescription, RecordKind::Symbol},
        {EndSymbolDescription, RecordKind::EndSymbol},
        {TableDescription, RecordKind::Table},
        {GroupOptionsDescription, RecordKind::GroupOptions},
    };
    for (const auto& entry : kWords) {
        if (description == entry.word) {
            return entry.kind;
        }
    }
    return std::nullopt;
}

std::string formatPen(int32_t pen) {
    const auto bits = static_cast<uint32_t>(pen);
    std::string payload(4, '\0');
    for (int i = 0; i < 4; ++i) {
        payload[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    }
    return payload;
}

std::optional<int32_t> parsePen(std::string_view payload) {
    if (payload.size() < 4) {
        return std::nullopt;
    }
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) {
        bits = (bits << 8) | static_cast<unsigned char>(payload[static_cast<std::size_t>(i)]);
    }
    return static_cast<int32_t>(bits);
}

std::string formatPlainText(std::string_view text) {
    std::string payload(upToZero(text));
    payload.push_back('\0');
    return payload;
}

std::string parsePlainText(std::string_view payload) { return std::string(upToZero(payload)); }

std::string formatEndSymbol() { return std::string(1, '\0'); }

std::string safeSymbolName(std::string_view name) { return replaced(name, isWhitespace, '_'); }

std::string safeQuotedName(std::string_view name) { return replaced(name, isDoubleQuote, '\''); }

std::string formatText(const TextRecord& record) {
    std::string payload;
    appendFormatted(payload, "%.3f %.3f %.3f \"%s\" %d %d %d %.3f %d %s", record.x, record.y,
                    record.height, safeQuotedName(record.fontName).c_str(), record.bold ? 1 : 0,
                    record.italic ? 1 : 0, record.underline ? 1 : 0, record.angle,
                    record.lineCount, std::string(upToZero(record.group)).c_str());
    payload.push_back('\0');
    return payload;
}

std::optional<TextRecord> parseText(std::string_view payload) {
    RecordScanner in(payload);
    TextRecord record;
    const auto x = in.real();
    const auto y = x && in.space() ? in.real() : std::nullopt;
    const auto height = y && in.space() ? in.real() : std::nullopt;
    const auto font = height && in.space() ? in.quoted() : std::nullopt;
    const auto bold = font && in.space() ? in.integer() : std::nullopt;
    const auto italic = bold && in.space() ? in.integer() : std::nullopt;
    const auto underline = italic && in.space() ? in.integer() : std::nullopt;
    const auto angle = underline && in.space() ? in.real() : std::nullopt;
    const auto lines = angle && in.space() ? in.integer() : std::nullopt;
    // The group may be empty; the space before it is then the record's end.
    if (!lines || (!in.atEnd() && !in.space())) {
        return std::nullopt;
    }
    record.x = *x;
    record.y = *y;
    record.height = *height;
    record.fontName = *font;
    record.bold = *bold != 0;
    record.italic = *italic != 0;
    record.underline = *underline != 0;
    record.angle = *angle;
    record.lineCount = *lines;
    record.group = in.rest();
    return record;
}

std::string formatSymbol(const SymbolRecord& record) {
    std::string payload;
    appendFormatted(payload, "%.3f %.3f %.2f %.2f %d %zu %s \"%s\"", record.x, record.y,
                    record.scale, record.angle, record.filled ? 1 : 0, record.contourCount,
                    safeSymbolName(record.name).c_str(), safeQuotedName(record.group).c_str());
    payload.push_back('\0');
    return payload;
}

std::optional<SymbolRecord> parseSymbol(std::string_view payload) {
    RecordScanner in(payload);
    SymbolRecord record;
    const auto x = in.real();
    const auto y = x && in.space() ? in.real() : std::nullopt;
    const auto scale = y && in.space() ? in.real() : std::nullopt;
    const auto angle = scale && in.space() ? in.real() : std::nullopt;
    const auto filled = angle && in.space() ? in.integer() : std::nullopt;
    const auto contours = filled && in.space() ? in.count() : std::nullopt;
    if (!contours || !in.space()) {
        return std::nullopt;
    }
    record.name = in.word();
    const auto group = in.space() ? in.quoted() : std::nullopt;
    if (!group) {
        return std::nullopt;
    }
    record.x = *x;
    record.y = *y;
    record.scale = *scale;
    record.angle = *angle;
    record.filled = *filled != 0;
    record.contourCount = *contours;
    record.group = *group;
    return record;
}

std::optional<GroupOptionRecord> parseGroupOption(std::string_view payload) {
    // The host composes the name; a double quote inside it must not end it,
    // so the name runs from the first double quote to the last one.
    const std::string text = parsePlainText(payload);
    const std::size_t open = text.find('"');
    const std::size_t close = text.rfind('"');
    if (open == std::string::npos || close == open) {
        return std::nullopt;
    }
    RecordScanner leading(std::string_view(text).substr(0, open));
    if (!leading.integer() || !leading.space() || !leading.atEnd()) {
        return std::nullopt;
    }
    RecordScanner flags(std::string_view(text).substr(close + 1));
    const auto first = flags.space() ? flags.integer() : std::nullopt;
    const auto second = first && flags.space() ? flags.integer() : std::nullopt;
    if (!second || !flags.atEnd()) {
        return std::nullopt;
    }
    GroupOptionRecord record;
    record.name = text.substr(open + 1, close - open - 1);
    record.first = *first == 1;
    record.second = *second == 1;
    return record;
}

}  // namespace DWFPlotRecords
