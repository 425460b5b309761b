#include "model/xml/xml_parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "event_log.h"

namespace {

using DWF::DwfResult;
using DWFUtil::XmlParser;

struct ParseCase {
    const char* document;
    DwfResult::Enum result;
    const char* events;
};

std::string parse(const std::string& document, DwfResult::Enum* result = nullptr) {
    xmltest::EventLog events;
    XmlParser parser(&events);
    const DwfResult::Enum code = parser.parseBuffer(document.data(), document.size());
    if (result) *result = code;
    return events.log;
}

class ParseEvents : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseEvents, ReportsElementsAndMappingsInDocumentOrder) {
    DwfResult::Enum result = DwfResult::Success;
    EXPECT_EQ(parse(GetParam().document, &result), GetParam().events);
    EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, ParseEvents,
    testing::Values(
        ParseCase{"<a x='1'/>", DwfResult::Success, "<a x=[1]></a>"},
        ParseCase{"<a><b/></a>", DwfResult::Success, "<a><b></b></a>"},
        ParseCase{"<a>t1<b>in</b>t2</a>", DwfResult::Success, "<a><b></b 'in'></a 't1t2'>"},
        ParseCase{"<a v=\"x > 'y'\" w='say \"hi\"'/>", DwfResult::Success, "<a v=[x > 'y'] w=[say \"hi\"]></a>"},
        ParseCase{"<a  flag  b = 'c' />", DwfResult::Success, "<a flag=[] b=[c]></a>"},
        ParseCase{"<a>&lt;&#65;</a>", DwfResult::Success, "<a></a '&lt;&#65;'>"},
        ParseCase{"<dwf:M xmlns:dwf=\"U\" xsi:schemaLocation=\"U L\" xmlns:xsi=\"X\"/>", DwfResult::Success,
                  "{dwf|U|L}{xsi|X|}<dwf:M xmlns:dwf=[U] xsi:schemaLocation=[U L] xmlns:xsi=[X]></dwf:M>{/U}{/X}"},
        ParseCase{"<r xmlns='D' xmlns:p='P' xsi:schemaLocation=' Q  q\tP  p '/>", DwfResult::Success,
                  "{p|P|p}<r xmlns=[D] xmlns:p=[P] xsi:schemaLocation=[ Q  q\tP  p ]></r>{/P}"},
        ParseCase{"<r xmlns:p='P' xsi:schemaLocation='PX y'/>", DwfResult::Success,
                  "{p|P|}<r xmlns:p=[P] xsi:schemaLocation=[PX y]></r>{/P}"},
        ParseCase{"<a></ a >", DwfResult::Success, "<a></a>"},
        ParseCase{"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY e \"]>\">]><!-- <b> -->"
                  "<a><?pi x?><!-- c --><![CDATA[<x>]]></a>",
                  DwfResult::Success, "<a></a '<x>'>"},
        ParseCase{"text<a>x</a>tail", DwfResult::Success, "<a></a 'x'>"},
        ParseCase{"<a><b>", DwfResult::Success, "<a><b>"},
        ParseCase{"<a><b></a>", DwfResult::XmlParseError, "<a><b>"},
        ParseCase{"<a></a><b/>", DwfResult::XmlParseError, "<a></a>"},
        ParseCase{"</a>", DwfResult::XmlParseError, ""},
        ParseCase{"<a x='1", DwfResult::XmlParseError, ""},
        ParseCase{"<a x=1/>", DwfResult::XmlParseError, ""},
        ParseCase{"<a x", DwfResult::XmlParseError, ""},
        ParseCase{"<a", DwfResult::XmlParseError, ""},
        ParseCase{"<a>1 < 2</a>", DwfResult::XmlParseError, "<a>"},
        ParseCase{"<a><", DwfResult::XmlParseError, "<a>"},
        ParseCase{"<a></a", DwfResult::XmlParseError, "<a>"},
        ParseCase{"<a / >", DwfResult::XmlParseError, ""},
        ParseCase{"<a =''/>", DwfResult::XmlParseError, ""},
        ParseCase{"<a><!-- open", DwfResult::XmlParseError, "<a>"},
        ParseCase{"<a><![CDATA[open", DwfResult::XmlParseError, "<a>"},
        ParseCase{"<?pi", DwfResult::XmlParseError, ""},
        ParseCase{"<!DOCTYPE a [ \"x]>", DwfResult::XmlParseError, ""},
        ParseCase{"<!DOCTYPE a [ ]", DwfResult::XmlParseError, ""}));

TEST(XmlParser, BuildsTheNodeTreeWithPositions) {
    XmlParser parser;
    const std::string document = "<r> <a k='v'/><b>x<c/>y</b></r>";
    ASSERT_EQ(parser.parseBuffer(document.data(), document.size()), DwfResult::Success);
    const DWFUtil::XmlNode* root = parser.root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(parser.elementCount(), 4u);
    const DWFUtil::XmlNode* a = root->firstChild;
    const DWFUtil::XmlNode* b = root->lastChild;
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->nextSibling, b);
    EXPECT_EQ(b->previousSibling, a);
    EXPECT_EQ(a->parent, root);
    EXPECT_EQ(a->start, 4u);
    EXPECT_EQ(b->start, 14u);
    EXPECT_EQ(a->attributes.size(), 1u);
    EXPECT_TRUE(a->attributes[0].value == "v");
    EXPECT_EQ(b->text.toUtf8(), "xy");
    EXPECT_EQ(root->text.toUtf8(), " ");
    EXPECT_EQ(b->firstChild->name.toUtf8(), "c");
}

TEST(XmlParser, ParsesOneDocumentPerInstance) {
    XmlParser parser;
    EXPECT_EQ(parser.parseBuffer("<a/>", 4), DwfResult::Success);
    EXPECT_EQ(parser.parseBuffer("<a/>", 4), DwfResult::NoPackageOpen);
    EXPECT_EQ(parser.parseStream(nullptr), DwfResult::InvalidArgument);
}

// A stream that hands out its text in pieces of at most `piece` bytes and
// then answers `end`.
class PieceStream : public DWFUtil::InputStream {
public:
    PieceStream(std::string text, uint32_t piece, int64_t end = 0) : text_(std::move(text)), piece_(piece), end_(end) {}
    int64_t read(char* buffer, uint32_t size) override {
        const size_t count = std::min<size_t>({size, piece_, text_.size() - pos_});
        if (count == 0) return end_;
        std::memcpy(buffer, text_.data() + pos_, count);
        pos_ += count;
        return static_cast<int64_t>(count);
    }

private:
    std::string text_;
    uint32_t piece_;
    int64_t end_;
    size_t pos_ = 0;
};

TEST(XmlParser, ReadsStreamsInPiecesAndPassesOnTheirFailures) {
    const std::string document = "<a>" + std::string(200000, 'x') + "</a>";
    struct Case {
        uint32_t piece;
        int64_t end;
        uint64_t limit;
        DwfResult::Enum result;
    } cases[] = {
        {7, 0, UINT64_MAX, DwfResult::Success},
        {65536, 0, UINT64_MAX, DwfResult::Success},
        {65536, DwfResult::ArchiveEntryError, UINT64_MAX, DwfResult::ArchiveEntryError},
        {65536, INT64_MIN, UINT64_MAX, DwfResult::ReadFailed},
        {65536, 0, 100000, DwfResult::InvalidData},
        {65536, 0, document.size(), DwfResult::Success},
    };
    for (const Case& c : cases) {
        PieceStream stream(document, c.piece, c.end);
        XmlParser parser;
        EXPECT_EQ(parser.parseStream(&stream, c.limit), c.result) << c.piece << " " << c.limit;
        if (c.result == DwfResult::Success) {
            EXPECT_EQ(parser.root()->text.length(), 200000u);
        }
    }
}

TEST(XmlParser, RefusesNestingDeeperThan256WithoutRecursion) {
    for (const int depth : {256, 257, 10000, 200000}) {
        std::string document;
        for (int i = 0; i < depth; ++i) document += "<e>";
        for (int i = 0; i < depth; ++i) document += "</e>";
        XmlParser parser;
        EXPECT_EQ(parser.parseBuffer(document.data(), document.size()),
                  depth <= 256 ? DwfResult::Success : DwfResult::XmlParseError)
            << depth;
        EXPECT_EQ(parser.elementCount(), depth <= 256 ? static_cast<uint32_t>(depth) : 256u);
    }
}

TEST(XmlParser, RefusesTooManyAttributesOnOneElement) {
    for (const int count : {10000, 10001}) {
        std::string document = "<a";
        for (int i = 0; i < count; ++i) document += " a" + std::to_string(i) + "='" + std::to_string(i) + "'";
        document += "/>";
        xmltest::EventLog events;
        XmlParser parser(&events);
        EXPECT_EQ(parser.parseBuffer(document.data(), document.size()),
                  count <= 10000 ? DwfResult::Success : DwfResult::XmlParseError);
        if (count <= 10000) {
            EXPECT_TRUE(parser.root()->attributes[9999].value == "9999");
        }
    }
}

TEST(XmlParser, RefusesMoreThanAMillionElements) {
    for (const int count : {999999, 1000000}) {  // plus the root
        std::string document = "<r>";
        for (int i = 0; i < count; ++i) document += "<e/>";
        document += "</r>";
        XmlParser parser;
        EXPECT_EQ(parser.parseBuffer(document.data(), document.size()),
                  count < 1000000 ? DwfResult::Success : DwfResult::XmlParseError);
    }
}

TEST(XmlParser, TakesHugeTextInLinearTime) {
    // 100 MiB in one run, then the same split into runs by a million children.
    const std::string oneRun = "<a>" + std::string(100u << 20, 't') + "</a>";
    XmlParser first;
    ASSERT_EQ(first.parseBuffer(oneRun.data(), oneRun.size()), DwfResult::Success);
    EXPECT_EQ(first.root()->text.length(), 100u << 20);

    std::string runs = "<a>";
    for (int i = 0; i < 999000; ++i) runs += "tt<b/>";
    runs += "</a>";
    XmlParser second;
    ASSERT_EQ(second.parseBuffer(runs.data(), runs.size()), DwfResult::Success);
    EXPECT_EQ(second.root()->text.length(), 2u * 999000u);
}

}  // namespace
