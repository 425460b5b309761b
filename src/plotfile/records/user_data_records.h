// The user-data records through which plot content that W2D has no object
// for travels inside a page stream: the pen number, the group of a drawable,
// texts, symbols, tables and group options. Each record is one WT_UserData
// whose description word names the record and whose payload is laid out here.
// This header is the one definition of those layouts; the plot writer formats
// with it and the plot reader parses with it.
//
// Payloads are byte strings. Text payloads end with one zero byte that counts
// in the payload size; parsers stop at the first zero byte or at the end of
// the payload, whichever comes first, and never read beyond the payload.
// Numbers are decimal text with a point, whatever numeric locale the host
// has set: a file written under a comma locale must read anywhere.
#ifndef DWFPLOT_PLOTFILE_RECORDS_USER_DATA_RECORDS_H
#define DWFPLOT_PLOTFILE_RECORDS_USER_DATA_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace DWFPlotRecords {

// Description words of the records.
inline constexpr char PenDescription[] = "Pen";
inline constexpr char GroupDescription[] = "Group";
inline constexpr char TextDescription[] = "Text";
inline constexpr char SymbolDescription[] = "Symbol";
inline constexpr char EndSymbolDescription[] = "EndSymbol";
inline constexpr char TableDescription[] = "Table";
inline constexpr char GroupOptionsDescription[] = "GroupOptions";

enum class RecordKind { Pen, Group, Text, Symbol, EndSymbol, Table, GroupOptions };

// The record a description word names (exact, case-sensitive), if any.
std::optional<RecordKind> recordKind(std::string_view description);

// "Pen": the pen number as 4 bytes, 32-bit signed little-endian, no terminator.
std::string formatPen(int32_t pen);
// Needs at least 4 bytes; further bytes are ignored.
std::optional<int32_t> parsePen(std::string_view payload);

// "Group", "Table" and "GroupOptions" carry one text unchanged plus a zero
// byte. The text ends at its own first zero byte, as a C string would.
std::string formatPlainText(std::string_view text);
// The text up to the first zero byte (or the whole payload without one).
std::string parsePlainText(std::string_view payload);

// "EndSymbol": the single zero byte.
std::string formatEndSymbol();

// "Text": "%.3f %.3f %.3f \"%s\" %d %d %d %.3f %d %s" plus a zero byte.
struct TextRecord {
    double x = 0;
    double y = 0;
    double height = 0;      // PlotFont height
    std::string fontName;   // written between double quotes
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double angle = 0;       // degrees
    int lineCount = 0;
    std::string group;      // unquoted, to the end of the record
};
// A double quote inside the font name becomes an apostrophe, so that the
// name cannot end early; the group runs to the end and needs no change.
std::string formatText(const TextRecord& record);
std::optional<TextRecord> parseText(std::string_view payload);

// "Symbol": "%.3f %.3f %.2f %.2f %d %zu %s \"%s\"" plus a zero byte.
struct SymbolRecord {
    double x = 0;
    double y = 0;
    double scale = 0;            // two decimals
    double angle = 0;            // degrees, two decimals
    bool filled = false;
    int64_t contourCount = 0;     // read back as a 32-bit integer
    std::string name;            // unquoted, ends at the next space
    std::string group;           // written between double quotes
};
// A space inside the symbol name becomes "_" and a double quote inside the
// group an apostrophe, so that neither can end its field early.
std::string formatSymbol(const SymbolRecord& record);
std::optional<SymbolRecord> parseSymbol(std::string_view payload);

// "GroupOptions": composed by the host as a number, the group name between
// double quotes and two flags (for example: 3 "Roads" 1 0); the writer copies
// it unchanged (formatPlainText). A flag is true when its number is 1; the
// leading number is not kept.
struct GroupOptionRecord {
    std::string name;
    bool first = false;
    bool second = false;
};
std::optional<GroupOptionRecord> parseGroupOption(std::string_view payload);

// The names as the writer puts them into records.
std::string safeSymbolName(std::string_view name);
std::string safeQuotedName(std::string_view name);

}  // namespace DWFPlotRecords

#endif  // DWFPLOT_PLOTFILE_RECORDS_USER_DATA_RECORDS_H
