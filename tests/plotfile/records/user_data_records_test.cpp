#include "plotfile/records/user_data_records.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir_test.h"

namespace DWFPlotRecords {
namespace {

using namespace std::string_literals;

// A parsed record written out again: every field it read shows in one string.
template <auto parse, auto format>
std::string reparsed(const std::string& payload) {
    const auto record = parse(payload);
    return record ? format(*record) : "refused";
}
constexpr auto reparsedText = reparsed<parseText, formatText>;
constexpr auto reparsedSymbol = reparsed<parseSymbol, formatSymbol>;
std::string reparsedGroupOption(const std::string& payload) {
    const auto record = parseGroupOption(payload);
    return record ? record->name + "|" + std::to_string(record->first) + std::to_string(record->second) : "refused";
}

TEST(UserDataRecords, DescriptionWordsNameTheirRecordsExactly) {
    const std::pair<const char*, RecordKind> words[] = {
        {"Pen", RecordKind::Pen}, {"Group", RecordKind::Group}, {"Text", RecordKind::Text},
        {"Symbol", RecordKind::Symbol}, {"EndSymbol", RecordKind::EndSymbol}, {"Table", RecordKind::Table},
        {"GroupOptions", RecordKind::GroupOptions}};
    for (const auto& [word, kind] : words) EXPECT_EQ(recordKind(word), kind) << word;
    for (const char* word : {"pen", "Groups", ""}) EXPECT_FALSE(recordKind(word)) << word;
}

TEST(UserDataRecords, PenIsFourLittleEndianBytes) {
    const std::pair<int32_t, const char*> cases[] = {
        {2, "02000000"}, {-1000, "18FCFFFF"}, {0x12345678, "78563412"}, {INT32_MIN, "00000080"}};
    for (const auto& [pen, hex] : cases) {
        EXPECT_EQ(testsupport::hex(formatPen(pen)), hex);
        EXPECT_EQ(parsePen(formatPen(pen)), pen);
    }
    EXPECT_FALSE(parsePen("\x02\x00\x00"s));
    EXPECT_EQ(parsePen("\x05\x00\x00\x00\x09"s), 5);
}

TEST(UserDataRecords, PlainTextGetsOneZeroByte) {
    EXPECT_EQ(formatPlainText(""), "\0"s);
    EXPECT_EQ(formatPlainText("a \"b\" (c)\n"), "a \"b\" (c)\n\0"s);
    // A host text ends at its first zero byte, as a C string does.
    EXPECT_EQ(formatPlainText("ab\0cd"s), "ab\0"s);
    EXPECT_EQ(formatEndSymbol(), "\0"s);
    EXPECT_EQ(parsePlainText("Roads\0junk"s), "Roads");
    EXPECT_EQ(parsePlainText("no terminator"), "no terminator");
    EXPECT_EQ(parsePlainText(""), "");
}

// What formatText and formatSymbol write reads back whole.
TEST(UserDataRecords, RecordsAreFormattedWithSafeNamesAndReadBack) {
    const std::pair<TextRecord, std::string> texts[] = {
        {{100, 50.5, 0.18, "Arial Narrow", true, false, true, 90, 3, "Labels \"north\" side"},
         "100.000 50.500 0.180 \"Arial Narrow\" 1 0 1 90.000 3 Labels \"north\" side\0"s},
        {{-2.0005, 0, 0, "My \"Font\"", false, false, false, 0, 1, ""},
         "-2.001 0.000 0.000 \"My 'Font'\" 0 0 0 0.000 1 \0"s},
        {{0, 0, 0, "", false, true, false, 0, 0, "g\0tail"s}, "0.000 0.000 0.000 \"\" 0 1 0 0.000 0 g\0"s},
    };
    for (const auto& [record, payload] : texts) {
        EXPECT_EQ(formatText(record), payload);
        EXPECT_EQ(reparsedText(payload), payload);
    }
    // Only the space would end the name early; a tab reads back as it is.
    const std::pair<SymbolRecord, std::string> symbols[] = {
        {{12.3456, -7, 1.004, 45.126, true, 2, "Tree", "Park area"},
         "12.346 -7.000 1.00 45.13 1 2 Tree \"Park area\"\0"s},
        {{0, 0, 0, 0, false, 0, "Big Tree\tOak", "say \"hi\""},
         "0.000 0.000 0.00 0.00 0 0 Big_Tree\tOak \"say 'hi'\"\0"s},
        {{}, "0.000 0.000 0.00 0.00 0 0  \"\"\0"s},
    };
    for (const auto& [record, payload] : symbols) {
        EXPECT_EQ(formatSymbol(record), payload);
        EXPECT_EQ(reparsedSymbol(payload), payload);
    }
}

// Flags are integers compared with 1, and integers are numbers truncated toward zero, as other producers may
// write them. Fields are separated by exactly one space.
TEST(UserDataRecords, RecordsWrittenOtherwiseParse) {
    const std::string text = "1.000 2.000 3.000 \"Arial\" ";
    const std::pair<std::string, std::string> texts[] = {
        {text + "1 0 1 0.000 3 Labels", text + "1 0 1 0.000 3 Labels\0"s},
        {text + "2 -1 1.0 0 1.0 Labels", text + "0 0 1 0.000 1 Labels\0"s},
        {text + "0.9 1.5 0 0 2.9 Labels", text + "0 1 0 0.000 2 Labels\0"s},
        {text + "1 1 1 0 -2.5 Labels", text + "1 1 1 0.000 -2 Labels\0"s},
        {text + "0 0 0 0 99999999999 Labels", text + "0 0 0 0.000 -2147483648 Labels\0"s},
        {text + "0 0 0 0.000 1\0 g"s, text + "0 0 0 0.000 1 \0"s},  // ends at the zero byte
        {"", "refused"},
        {"1.000 2.000", "refused"},
        {"1.000 2.000 3.000 Arial 0 0 0 0.000 1 g", "refused"},       // font not quoted
        {"1.000 2.000 3.000 \"Arial 0 0 0 0.000 1 g", "refused"},     // quote never closed
        {text + "0 0 0 0.000 x g", "refused"},                        // count not a number
        {"1.000  2.000 3.000 \"Arial\" 0 0 0 0.000 1 g", "refused"},  // two spaces
    };
    for (const auto& [payload, expected] : texts) EXPECT_EQ(reparsedText(payload), expected) << payload;
    const std::string symbol = "1.000 2.000 1.00 0.00 ";
    const std::pair<std::string, std::string> symbols[] = {
        {symbol + "1 2 Valve", symbol + "1 2 Valve \"\"\0"s},  // the record may end at the name
        {symbol + "0.5 2.0 Valve", symbol + "1 2 Valve \"\"\0"s},
        {symbol + "0 -1 Dot \"\"", symbol + "0 -1 Dot \"\"\0"s},
        {"", "refused"},
        {symbol + "1 2 name g", "refused"},  // group not quoted
        {symbol + "1 2 name \"g", "refused"},
        {symbol + "1 x name \"g\"", "refused"},  // count not a number
    };
    for (const auto& [payload, expected] : symbols) EXPECT_EQ(reparsedSymbol(payload), expected) << payload;
}

// The name runs from the first double quote to the last; only 1 is true.
TEST(UserDataRecords, GroupOptionsAsTheHostComposesThem) {
    const std::pair<std::string, std::string> cases[] = {
        {"3 \"Roads\" 1 0\0"s, "Roads|10"}, {"12 \"Two words\" 0 1\0"s, "Two words|01"}, {"0 \"\" 1 1", "|11"},
        {"7 \"say \"hi\"\" 2 1\0"s, "say \"hi\"|01"}, {"3.5 \"Roads\" 1.0 0.7", "Roads|10"}, {"", "refused"},
        {"3 Roads 1 0", "refused"}, {"\"Roads\" 1 0", "refused"}, {"3 \"Roads\" 1", "refused"},
        {"3 \"Roads\" 1 0 5", "refused"}, {"x \"Roads\" 1 0", "refused"},
    };
    for (const auto& [payload, expected] : cases) EXPECT_EQ(reparsedGroupOption(payload), expected) << payload;
}

}  // namespace
}  // namespace DWFPlotRecords
