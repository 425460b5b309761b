#include "model/xml/xml_parser.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/bytes.h"
#include "xml_test_support.h"

// Every allocation of this test program goes through the operator new below,
// which notes the largest one while asked to.
namespace {

std::atomic<bool> watching{false};
std::atomic<size_t> largest{0};

void* allocate(size_t size) {
    if (watching.load(std::memory_order_relaxed)) {
        size_t seen = largest.load(std::memory_order_relaxed);
        while (size > seen && !largest.compare_exchange_weak(seen, size)) continue;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(size_t size) { return allocate(size); }
void* operator new[](size_t size) { return allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

namespace {

using DWF::DwfResult;
using DWFUtil::XmlParser;
using testsupport::repeat;
using xmltest::PieceStream;

constexpr DwfResult::Enum OK = DwfResult::Success;
constexpr DwfResult::Enum BAD = DwfResult::XmlParseError;

TEST(XmlParser, ReportsElementsInDocumentOrderAndBuildsTheNodeTree) {
    const struct { const char* document; DwfResult::Enum result; const char* events; } cases[] = {
        {"<a x='1'/>", OK, "<a x=[1]></a>"}, {"<a><b/></a>", OK, "<a><b></b></a>"},
        {"<a>t1<b>in</b>t2</a>", OK, "<a><b></b 'in'></a 't1t2'>"},
        {"<a v=\"x > 'y'\" w='say \"hi\"'/>", OK, "<a v=[x > 'y'] w=[say \"hi\"]></a>"},
        {"<a  flag  b = 'c' />", OK, "<a flag=[] b=[c]></a>"}, {"<a>&lt;&#65;</a>", OK, "<a></a '&lt;&#65;'>"},
        {"<dwf:M xmlns:dwf=\"U\" xsi:schemaLocation=\"U L\" xmlns:xsi=\"X\"/>", OK,
         "{dwf|U|L}{xsi|X|}<dwf:M xmlns:dwf=[U] xsi:schemaLocation=[U L] xmlns:xsi=[X]></dwf:M>{/U}{/X}"},
        {"<r xmlns='D' xmlns:p='P' xsi:schemaLocation=' Q  q\tP  p '/>", OK,
         "{p|P|p}<r xmlns=[D] xmlns:p=[P] xsi:schemaLocation=[ Q  q\tP  p ]></r>{/P}"},
        {"<r xmlns:p='P' xsi:schemaLocation='PX y'/>", OK, "{p|P|}<r xmlns:p=[P] xsi:schemaLocation=[PX y]></r>{/P}"},
        {"\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE a [<!ENTITY e \"]>\">]><!-- <b> -->"
         "<a><?pi x?><!-- c --><![CDATA[<x>]]></a>",
         OK, "<a></a '<x>'>"},
        {"<a></ a >", OK, "<a></a>"}, {"text<a>x</a>tail", OK, "<a></a 'x'>"}, {"<a><b>", OK, "<a><b>"},
        {"<a><b></a>", BAD, "<a><b>"}, {"<a></a><b/>", BAD, "<a></a>"}, {"</a>", BAD, ""}, {"<a x='1", BAD, ""},
        {"<a x=1/>", BAD, ""}, {"<a x", BAD, ""}, {"<a", BAD, ""}, {"<a>1 < 2</a>", BAD, "<a>"}, {"<a><", BAD, "<a>"},
        {"<a></a", BAD, "<a>"}, {"<a / >", BAD, ""}, {"<a =''/>", BAD, ""}, {"<a><!-- open", BAD, "<a>"},
        {"<a><![CDATA[open", BAD, "<a>"}, {"<?pi", BAD, ""}, {"<!DOCTYPE a [ \"x]>", BAD, ""},
        {"<!DOCTYPE a [ ]", BAD, ""}, {"<!DOCTYPE a SYSTEM \"a.dtd\"><a/>", OK, "<a></a>"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document);
        xmltest::EventLog events;
        XmlParser parser(&events);
        EXPECT_EQ(parser.parseBuffer(c.document, std::strlen(c.document)), c.result);
        EXPECT_EQ(events.log, c.events);
    }
    // The node tree with positions.
    XmlParser parser;
    const std::string document = "<r> <a k='v'/><b>x<c/>y</b></r>";
    ASSERT_EQ(parser.parseBuffer(document.data(), document.size()), OK);
    const DWFUtil::XmlNode* root = parser.root();
    ASSERT_NE(root, nullptr);
    const DWFUtil::XmlNode* a = root->firstChild;
    const DWFUtil::XmlNode* b = root->lastChild;
    ASSERT_TRUE(a && a->nextSibling == b && b->previousSibling == a && a->parent == root);
    EXPECT_EQ(std::to_string(parser.elementCount()) + " " + std::to_string(a->start) + " " + std::to_string(b->start) +
                  " " + std::to_string(a->attributes.size()),
              "4 4 14 1");
    EXPECT_EQ((a->attributes[0].value + "|" + b->text + "|" + root->text + "|" + b->firstChild->name).toUtf8(),
              "v|xy| |c");

    EXPECT_EQ(parser.parseBuffer("<a/>", 4), DwfResult::NoPackageOpen) << "one document per instance";
    EXPECT_EQ(XmlParser().parseStream(nullptr), DwfResult::InvalidArgument);
}

// Streams are read in pieces and their failures passed on; a document at the
// size limit is held in one buffer, not one of twice the limit.
TEST(XmlParser, ReadsStreamsInPiecesIntoOneBufferNoLargerThanTheLimit) {
    const uint64_t limit = uint64_t{4} << 20;
    constexpr uint64_t NONE = UINT64_MAX;
    const struct { uint64_t size; uint32_t piece; int64_t end; uint64_t limit; DwfResult::Enum result; } cases[] = {
        {200007, 7, 0, NONE, OK}, {200007, 65536, 0, NONE, OK}, {200007, 65536, 0, 200007, OK},
        {200007, 65536, DwfResult::ArchiveEntryError, NONE, DwfResult::ArchiveEntryError},
        {200007, 65536, INT64_MIN, NONE, DwfResult::ReadFailed}, {200007, 65536, 0, 100000, DwfResult::InvalidData},
        {limit - 1, UINT32_MAX, 0, limit, OK}, {limit, UINT32_MAX, 0, limit, OK},
        {limit - 65536 + 7, UINT32_MAX, 0, limit, OK}, {limit + 1, UINT32_MAX, 0, limit, DwfResult::InvalidData}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + " in pieces of " + std::to_string(c.piece) + ", limit " +
                     std::to_string(c.limit));
        PieceStream stream("<a>" + std::string(c.size - 7, 'x') + "</a>", c.piece, c.end);
        XmlParser parser;
        largest = 0;
        watching = true;
        EXPECT_EQ(parser.parseStream(&stream, c.limit), c.result);
        watching = false;
        EXPECT_LE(largest.load(), c.limit == NONE ? NONE : c.limit + 1);
        EXPECT_EQ(c.result == OK ? parser.root()->text.length() : c.size - 7, c.size - 7);
    }
}

// Nesting deeper than 256 is refused without recursion, and so are more than 10000 attributes on one element and more
// than a million elements; huge text, in one run or split by a million children, takes linear time.
TEST(XmlParser, RefusesDocumentsBeyondItsLimits) {
    const auto nested = [](int depth) { return repeat("<e>", depth) + repeat("</e>", depth); };
    std::string attributes;
    for (int i = 0; i < 10000; ++i) attributes += " a" + std::to_string(i) + "='" + std::to_string(i) + "'";
    const struct { std::string document; DwfResult::Enum result; uint32_t elements; size_t text; } cases[] = {
        {nested(256), OK, 256, 0}, {nested(257), BAD, 256, 0}, {nested(10000), BAD, 256, 0},
        {nested(200000), BAD, 256, 0}, {"<r>" + repeat("<e/>", 999999) + "</r>", OK, 1000000, 0},
        {"<r>" + repeat("<e/>", 1000000) + "</r>", BAD, 0, 0}, {"<a" + attributes + "/>", OK, 1, 0},
        {"<a" + attributes + " b=''/>", BAD, 0, 0}, {"<a>" + std::string(100u << 20, 't') + "</a>", OK, 1, 100u << 20},
        {"<a>" + repeat("tt<b/>", 999000) + "</a>", OK, 999001, 2u * 999000u}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.document.size());
        XmlParser parser;
        EXPECT_EQ(parser.parseBuffer(c.document.data(), c.document.size()), c.result);
        EXPECT_EQ(c.elements ? parser.elementCount() : 0u, c.elements);
        EXPECT_EQ(c.text ? parser.root()->text.length() : 0u, c.text);
    }
}

// A refused document tells the byte where the check failed, the element being read there and why.
TEST(XmlParser, RecordsWhereAndWhyADocumentIsRefused) {
    const struct { const char* document; const char* failure; } cases[] = {
        {"<a><b></a>", "byte 6, element <b>: end tag </a> does not close it"},
        {"</a>", "byte 0: end tag </a> with no element open"},
        {"<a x='1/>", "byte 5, element <a>: the value of x has no closing quote"},
        {"<a x=1/>", "byte 5, element <a>: the value of x is not in quotes"},
        {"<r><a/><a / ></r>", "byte 10, element <a>: '/' in a start tag is not followed by '>'"},
        {"<a></a><b/>", "byte 7, element <b>: a second document element"},
        {"<a>1 < 2</a>", "byte 5, element <a>: '<' is not followed by a name"},
        {"<a><!-- open", "byte 3, element <a>: nothing closes it with \"-->\""},
        {"<a/>", ""}};
    for (const auto& c : cases) {
        XmlParser parser;
        parser.parseBuffer(c.document, std::strlen(c.document));
        EXPECT_EQ(parser.failure().describe(), c.failure) << c.document;
        EXPECT_EQ(parser.failure().code(), *c.failure ? BAD : 0);
    }
}

}  // namespace
