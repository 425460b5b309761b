#include "plotfile/records/user_data_records.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/temp_dir_test.h"

namespace DWFPlotRecords {
namespace {

using namespace std::string_literals;

TEST(UserDataRecords, DescriptionWordsNameTheirRecordsExactly) {
    EXPECT_EQ(recordKind("Pen"), RecordKind::Pen);
    EXPECT_EQ(recordKind("Group"), RecordKind::Group);
    EXPECT_EQ(recordKind("Text"), RecordKind::Text);
    EXPECT_EQ(recordKind("Symbol"), RecordKind::Symbol);
    EXPECT_EQ(recordKind("EndSymbol"), RecordKind::EndSymbol);
    EXPECT_EQ(recordKind("Table"), RecordKind::Table);
    EXPECT_EQ(recordKind("GroupOptions"), RecordKind::GroupOptions);
    EXPECT_FALSE(recordKind("pen"));
    EXPECT_FALSE(recordKind("Groups"));
    EXPECT_FALSE(recordKind(""));
}

TEST(UserDataRecords, PenIsFourLittleEndianBytes) {
    struct Case {
        int32_t pen;
        std::string hex;
    } const cases[] = {{2, "02000000"}, {-1000, "18FCFFFF"}, {0x12345678, "78563412"},
                       {INT32_MIN, "00000080"}};
    for (const auto& c : cases) {
        const std::string payload = formatPen(c.pen);
        EXPECT_EQ(testsupport::hex(payload), c.hex);
        EXPECT_EQ(parsePen(payload), c.pen);
    }
    EXPECT_FALSE(parsePen("\x02\x00\x00"s));
    EXPECT_EQ(parsePen("\x05\x00\x00\x00\x09"s), 5);
}

TEST(UserDataRecords, PlainTextGetsOneZeroByte) {
    EXPECT_EQ(formatPlainText(""), "\0"s);
    EXPECT_EQ(formatPlainText("Roads"), "Roads\0"s);
    EXPECT_EQ(formatPlainText("a \"b\" (c)\n"), "a \"b\" (c)\n\0"s);
    // A host text ends at its first zero byte, as a C string does.
    EXPECT_EQ(formatPlainText("ab\0cd"s), "ab\0"s);
    EXPECT_EQ(formatEndSymbol(), "\0"s);
    EXPECT_EQ(parsePlainText("Roads\0junk"s), "Roads");
    EXPECT_EQ(parsePlainText("no terminator"), "no terminator");
    EXPECT_EQ(parsePlainText(""), "");
}

TEST(UserDataRecords, TextRecordBytes) {
    TextRecord text;
    text.x = 100;
    text.y = 50.5;
    text.height = 0.18;
    text.fontName = "Arial Narrow";
    text.bold = true;
    text.underline = true;
    text.angle = 90;
    text.lineCount = 3;
    text.group = "Labels \"north\" side";
    EXPECT_EQ(formatText(text),
              "100.000 50.500 0.180 \"Arial Narrow\" 1 0 1 90.000 3 Labels \"north\" side\0"s);

    const auto back = parseText(formatText(text));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, 100);
    EXPECT_EQ(back->y, 50.5);
    EXPECT_EQ(back->height, 0.18);
    EXPECT_EQ(back->fontName, "Arial Narrow");
    EXPECT_TRUE(back->bold);
    EXPECT_FALSE(back->italic);
    EXPECT_TRUE(back->underline);
    EXPECT_EQ(back->angle, 90);
    EXPECT_EQ(back->lineCount, 3);
    EXPECT_EQ(back->group, "Labels \"north\" side");
}

TEST(UserDataRecords, TextRecordMakesTheFontNameSafeAndKeepsAnEmptyGroup) {
    TextRecord text;
    text.fontName = "My \"Font\"";
    text.x = -2.0005;
    text.lineCount = 1;
    EXPECT_EQ(formatText(text), "-2.001 0.000 0.000 \"My 'Font'\" 0 0 0 0.000 1 \0"s);
    const auto back = parseText(formatText(text));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->fontName, "My 'Font'");
    EXPECT_EQ(back->group, "");
    EXPECT_EQ(back->x, -2.001);
}

TEST(UserDataRecords, SymbolRecordBytes) {
    SymbolRecord symbol;
    symbol.x = 12.3456;
    symbol.y = -7;
    symbol.scale = 1.004;
    symbol.angle = 45.126;
    symbol.filled = true;
    symbol.contourCount = 2;
    symbol.name = "Tree";
    symbol.group = "Park area";
    EXPECT_EQ(formatSymbol(symbol), "12.346 -7.000 1.00 45.13 1 2 Tree \"Park area\"\0"s);

    const auto back = parseSymbol(formatSymbol(symbol));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->x, 12.346);
    EXPECT_EQ(back->y, -7);
    EXPECT_EQ(back->scale, 1.0);
    EXPECT_EQ(back->angle, 45.13);
    EXPECT_TRUE(back->filled);
    EXPECT_EQ(back->contourCount, 2);
    EXPECT_EQ(back->name, "Tree");
    EXPECT_EQ(back->group, "Park area");
}

TEST(UserDataRecords, SymbolNamesThatWouldBreakTheRecordAreMadeSafe) {
    SymbolRecord symbol;
    symbol.name = "Big Tree\tOak";
    symbol.group = "say \"hi\"";
    // Only the space would end the name early; a tab reads back as it is.
    EXPECT_EQ(formatSymbol(symbol), "0.000 0.000 0.00 0.00 0 0 Big_Tree\tOak \"say 'hi'\"\0"s);
    const auto back = parseSymbol(formatSymbol(symbol));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "Big_Tree\tOak");
    EXPECT_EQ(back->group, "say 'hi'");

    // An empty name and an empty group keep their places.
    symbol.name.clear();
    symbol.group.clear();
    EXPECT_EQ(formatSymbol(symbol), "0.000 0.000 0.00 0.00 0 0  \"\"\0"s);
    const auto empty = parseSymbol(formatSymbol(symbol));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, "");
    EXPECT_EQ(empty->group, "");
}

TEST(UserDataRecords, GroupOptionsAsTheHostComposesThem) {
    struct Case {
        std::string payload;
        std::string name;
        bool first;
        bool second;
    } const cases[] = {
        {"3 \"Roads\" 1 0\0"s, "Roads", true, false},
        {"12 \"Two words\" 0 1\0"s, "Two words", false, true},
        {"0 \"\" 1 1"s, "", true, true},
        {"7 \"say \"hi\"\" 2 1\0"s, "say \"hi\"", false, true},  // only 1 is true
    };
    for (const auto& c : cases) {
        const auto record = parseGroupOption(c.payload);
        ASSERT_TRUE(record) << c.payload;
        EXPECT_EQ(record->name, c.name);
        EXPECT_EQ(record->first, c.first);
        EXPECT_EQ(record->second, c.second);
    }
}

// Flags are integers compared with 1, and integers are numbers truncated
// toward zero, as other producers may write them.
TEST(UserDataRecords, NumbersWrittenOtherwiseStillRead) {
    struct TextCase {
        std::string fields;  // bold italic underline angle lines
        bool bold, italic, underline;
        int lines;
    } const texts[] = {
        {"1 0 1 0.000 3", true, false, true, 3},
        {"2 -1 1.0 0 1.0", false, false, true, 1},
        {"0.9 1.5 0 0 2.9", false, true, false, 2},
        {"1 1 1 0 -2.5", true, true, true, -2},
        {"0 0 0 0 99999999999", false, false, false, INT32_MIN},
    };
    for (const auto& c : texts) {
        const auto record = parseText("1.000 2.000 3.000 \"Arial\" " + c.fields + " Labels");
        ASSERT_TRUE(record) << c.fields;
        EXPECT_EQ(std::make_tuple(record->bold, record->italic, record->underline, record->lineCount, record->group),
                  std::make_tuple(c.bold, c.italic, c.underline, c.lines, std::string("Labels")))
            << c.fields;
    }

    struct SymbolCase {
        std::string tail;  // filled contours name ["group"]
        bool filled;
        int64_t contours;
        std::string name, group;
    } const symbols[] = {
        {"1 2 Valve \"Pipes\"", true, 2, "Valve", "Pipes"},
        {"1 2 Valve", true, 2, "Valve", ""},  // the record may end at the name
        {"0.5 2.0 Valve", true, 2, "Valve", ""},
        {"0 -1 Dot \"\"", false, -1, "Dot", ""},
    };
    for (const auto& c : symbols) {
        const auto record = parseSymbol("1.000 2.000 1.00 0.00 " + c.tail);
        ASSERT_TRUE(record) << c.tail;
        EXPECT_EQ(std::make_tuple(record->filled, record->contourCount, record->name, record->group),
                  std::make_tuple(c.filled, c.contours, c.name, c.group))
            << c.tail;
    }

    const auto options = parseGroupOption("3.5 \"Roads\" 1.0 0.7"s);
    ASSERT_TRUE(options);
    EXPECT_EQ(std::make_tuple(options->name, options->first, options->second),
              std::make_tuple(std::string("Roads"), true, false));
}

TEST(UserDataRecords, MalformedRecordsAreRefused) {
    const std::string texts[] = {
        ""s,
        "1.000 2.000"s,
        "1.000 2.000 3.000 Arial 0 0 0 0.000 1 g"s,           // font not quoted
        "1.000 2.000 3.000 \"Arial 0 0 0 0.000 1 g"s,         // quote never closed
        "1.000 2.000 3.000 \"Arial\" 0 0 0 0.000 x g"s,       // count not a number
        "1.000  2.000 3.000 \"Arial\" 0 0 0 0.000 1 g"s,      // two spaces
        "1.000 2.000 3.000 \"Arial\" 0 0 0 0.000 1\0 g"s,     // ends at the zero byte... ok
    };
    for (std::size_t i = 0; i + 1 < std::size(texts); ++i) {
        EXPECT_FALSE(parseText(texts[i])) << i;
    }
    EXPECT_TRUE(parseText(texts[std::size(texts) - 1]));

    const std::string symbols[] = {
        ""s,
        "1.000 2.000 1.00 0.00 1 2 name g"s,        // group not quoted
        "1.000 2.000 1.00 0.00 1 2 name \"g"s,
        "1.000 2.000 1.00 0.00 1 x name \"g\""s,  // count not a number
    };
    for (const auto& s : symbols) {
        EXPECT_FALSE(parseSymbol(s)) << s;
    }

    const std::string options[] = {""s, "3 Roads 1 0"s, "\"Roads\" 1 0"s, "3 \"Roads\" 1"s,
                                   "3 \"Roads\" 1 0 5"s, "x \"Roads\" 1 0"s};
    for (const auto& s : options) {
        EXPECT_FALSE(parseGroupOption(s)) << s;
    }
}

}  // namespace
}  // namespace DWFPlotRecords
