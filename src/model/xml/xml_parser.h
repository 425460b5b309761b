// The byte-level, non-validating XML parser of the package documents. It
// reads the whole document into one buffer, walks it once with an explicit
// state machine (no recursion on nesting), keeps a tree of element nodes and
// reports elements and prefixed namespace declarations to a callback.
//
// Names, attribute values and texts of the nodes borrow the buffer, each
// ended in place with a 0 once the markup around it is read (the way
// pugixml parses in place): a document is held once while it is parsed, and
// only what the callback keeps is copied.
//
// Markup that starts with "<?" or "<!" (declarations, processing
// instructions, comments, document types) is skipped; CDATA content is taken
// as text. Entity and character references are not resolved here.
//
// Documents from other producers are bounded: more than 256 nested elements,
// 10,000 attributes on one element or 1,000,000 elements are refused with
// XmlParseError, so hostile input can neither exhaust the stack nor turn the
// step-wise container growth into quadratic work.
#ifndef DWFPLOT_MODEL_XML_XML_PARSER_H
#define DWFPLOT_MODEL_XML_XML_PARSER_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_input_stream.h"
#include "model/xml/xml_parser_callback.h"
#include "platform/failure.h"

namespace DWFUtil {

// An attribute as written in a start tag (XmlParser::Attribute).
struct XmlParserAttribute {
    String name;   // as written, with its prefix
    String value;  // raw: references unresolved
};

struct XmlNode {
    XmlNode* parent = nullptr;
    XmlNode* firstChild = nullptr;
    XmlNode* lastChild = nullptr;
    XmlNode* nextSibling = nullptr;
    XmlNode* previousSibling = nullptr;
    uint64_t start = 0;  // offset of the `<` of the start tag
    String name;
    String text;  // character data directly inside the element, concatenated
    Vector<XmlParserAttribute> attributes;
};

class XmlParser {
public:
    using Attribute = XmlParserAttribute;

    static constexpr uint32_t kMaximumDepth = 256;
    static constexpr uint32_t kMaximumAttributes = 10000;
    static constexpr uint32_t kMaximumElements = 1000000;
    static constexpr uint32_t kReadBlockSize = 65536;

    explicit XmlParser(IXmlParserCallback* callback = nullptr) : callback_(callback) {}
    XmlParser(const XmlParser&) = delete;
    XmlParser& operator=(const XmlParser&) = delete;

    void setCallback(IXmlParserCallback* callback) { callback_ = callback; }

    // Reads the whole stream and parses it. Null stream: InvalidArgument; a
    // failing read: the stream's negative result; a document larger than
    // `sizeLimit`: InvalidData; a parser that already holds a document:
    // NoPackageOpen. Otherwise Success or XmlParseError. Exceptions thrown by
    // the callback pass through. `expectedSize` (at most `sizeLimit`) is the
    // room made first: a document of that size is read without a copy.
    DWF::DwfResult::Enum parseStream(InputStream* stream, uint64_t sizeLimit = UINT64_MAX, uint64_t expectedSize = 0);
    // The same over bytes already in memory (copied into the parser's buffer).
    DWF::DwfResult::Enum parseBuffer(const char* data, size_t size);

    // The document element, or null; the tree lives as long as the parser.
    // Only a parser without a callback keeps the tree: with one, each element
    // is gone once its end is reported.
    const XmlNode* root() const { return root_; }
    // The elements read.
    uint32_t elementCount() const { return elements_; }
    // Where and why the document was refused: the byte of the document, the
    // element, what was wrong. Empty after a parse that succeeded.
    const platform::Failure& failure() const { return failure_; }

private:
    DWF::DwfResult::Enum parseHeldBuffer();

    IXmlParserCallback* callback_ = nullptr;
    bool holdsDocument_ = false;
    // The document and one 0 after it, so that every text in it can be ended in place.
    std::vector<char> buffer_;
    // Nodes live in blocks, so the tree is freed without walking it.
    std::deque<XmlNode> nodes_;
    XmlNode* root_ = nullptr;
    uint32_t elements_ = 0;
    platform::Failure failure_;
};


}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_XML_XML_PARSER_H
