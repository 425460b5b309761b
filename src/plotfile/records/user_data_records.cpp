#include "plotfile/records/user_data_records.h"

#include <charconv>

#include "plotfile/records/record_scanner.h"

namespace DWFPlotRecords {
namespace {

// Numbers are written through <charconv>, which gives "%.3f" and "%d" as the C
// locale has them: a host that set a locale with a decimal comma must still
// write records every reader can scan.
void appendFixed(std::string& out, double value, int decimals) {
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    out.append(text, written.ptr);
}

template <typename Integer>
void appendInteger(std::string& out, Integer value) {
    char text[24];
    const auto written = std::to_chars(text, text + sizeof text, value);
    out.append(text, written.ptr);
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

// The reader ends an unquoted name at a space, and only there.
bool isSpace(char c) { return c == ' '; }

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

std::string safeSymbolName(std::string_view name) { return replaced(name, isSpace, '_'); }

std::string safeQuotedName(std::string_view name) { return replaced(name, isDoubleQuote, '\''); }

std::string formatText(const TextRecord& record) {
    // x y height "font" bold italic underline angle lines group
    std::string payload;
    for (const double value : {record.x, record.y, record.height}) {
        appendFixed(payload, value, 3);
        payload += ' ';
    }
    payload += '"' + safeQuotedName(record.fontName) + "\" ";
    for (const bool flag : {record.bold, record.italic, record.underline}) {
        payload += flag ? "1 " : "0 ";
    }
    appendFixed(payload, record.angle, 3);
    payload += ' ';
    appendInteger(payload, record.lineCount);
    payload += ' ';
    payload += upToZero(record.group);
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
    const auto bold = font && in.space() ? in.flag() : std::nullopt;
    const auto italic = bold && in.space() ? in.flag() : std::nullopt;
    const auto underline = italic && in.space() ? in.flag() : std::nullopt;
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
    record.bold = *bold;
    record.italic = *italic;
    record.underline = *underline;
    record.angle = *angle;
    record.lineCount = *lines;
    record.group = in.rest();
    return record;
}

std::string formatSymbol(const SymbolRecord& record) {
    // x y scale angle filled contours name "group"
    std::string payload;
    appendFixed(payload, record.x, 3);
    payload += ' ';
    appendFixed(payload, record.y, 3);
    payload += ' ';
    appendFixed(payload, record.scale, 2);
    payload += ' ';
    appendFixed(payload, record.angle, 2);
    payload += record.filled ? " 1 " : " 0 ";
    appendInteger(payload, record.contourCount);
    payload += ' ' + safeSymbolName(record.name) + " \"" + safeQuotedName(record.group) + '"';
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
    const auto filled = angle && in.space() ? in.real() : std::nullopt;
    const auto contours = filled && in.space() ? in.integer() : std::nullopt;
    if (!contours || !in.space()) {
        return std::nullopt;
    }
    record.name = in.word();
    // A record that ends after the name has no group; one that goes on has
    // it quoted after one space.
    if (!in.atEnd()) {
        const auto group = in.space() ? in.quoted() : std::nullopt;
        if (!group) {
            return std::nullopt;
        }
        record.group = *group;
    }
    record.x = *x;
    record.y = *y;
    record.scale = *scale;
    record.angle = *angle;
    record.filled = *filled != 0;
    record.contourCount = *contours;
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
