#include "model/xml/xml_parser.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/util/allocation.h"
#include "platform/failure.h"

namespace DWFUtil {
namespace {

using Result = DWF::DwfResult::Enum;
constexpr Result kOk = DWF::DwfResult::Success;
constexpr Result kMalformed = DWF::DwfResult::XmlParseError;

bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameStart(char c) { return isLetter(c) || c == ':' || c == '_'; }
bool isNameChar(char c) { return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

struct Span {
    size_t start = 0;
    size_t length = 0;
};

struct AttributeSpan {
    Span name;
    Span value;
};

// Character data of one open element. The first run is only remembered.
// When the elements are reported and dropped, later runs are moved up to
// the end of the first in the buffer, whose bytes in between nobody needs
// any more; a kept tree still borrows them, so there a second run starts a
// copy. Either way interleaved text costs linear time.
struct PendingText {
    Span firstRun;
    bool copied = false;
    std::string joined;

    void reset() {
        firstRun = Span();
        copied = false;
        joined.clear();
    }
};

constexpr std::string_view kXmlnsPrefix = "xmlns:";
constexpr std::string_view kSchemaLocation = "xsi:schemaLocation";

std::string_view view(const String& text) { return std::string_view(text.chars(), text.narrowLength()); }

// Grows the room of a read buffer that is full: twice the size (a read
// block at least), but never past one byte more than the size limit, which
// is enough to end a document at the limit with a 0. So such a document is
// held once, not in a buffer of twice its size. Only room is made: what is
// not read into is never touched.
void growReadBuffer(std::vector<char>& buffer, uint64_t sizeLimit, uint32_t block) {
    const uint64_t used = buffer.size();
    const uint64_t largest = sizeLimit == UINT64_MAX ? UINT64_MAX : sizeLimit + 1;
    const uint64_t target = std::max(used + 1, std::min(std::max(used * 2, used + block), largest));
    buffer.reserve(static_cast<size_t>(target));
}

// The location paired with `uri` in a schema-location value ("URI location
// URI location ..."), or empty.
String locationFor(std::string_view locations, std::string_view uri) {
    if (uri.empty()) return String();
    size_t pos = 0;
    auto nextToken = [&]() {
        while (pos < locations.size() && isWhiteSpace(locations[pos])) ++pos;
        const size_t start = pos;
        while (pos < locations.size() && !isWhiteSpace(locations[pos])) ++pos;
        return locations.substr(start, pos - start);
    };
    while (pos < locations.size()) {
        const std::string_view name = nextToken();
        const std::string_view location = nextToken();
        if (name == uri) return String::fromUtf8(location);
    }
    return String();
}

bool isNamespaceDeclaration(const XmlParserAttribute& attribute) {
    const std::string_view name = view(attribute.name);
    return name.size() > kXmlnsPrefix.size() && name.substr(0, kXmlnsPrefix.size()) == kXmlnsPrefix;
}

class Machine {
public:
    // `data` holds `size` bytes and a 0 after them.
    Machine(char* data, size_t size, std::deque<XmlNode>& nodes, XmlNode*& root, uint32_t& elements,
            IXmlParserCallback* callback, platform::Failure& failure)
        : data_(data),
          size_(size),
          nodes_(nodes),
          root_(root),
          elements_(elements),
          callback_(callback),
          failure_(failure) {}

    Result run() {
        while (true) {
            const void* found = pos_ < size_ ? std::memchr(data_ + pos_, '<', size_ - pos_) : nullptr;
            const size_t next = found ? static_cast<size_t>(static_cast<const char*>(found) - data_) : size_;
            addText(Span{pos_, next - pos_});
            if (!found) return kOk;  // open elements stay unreported
            tagStart_ = next;
            pos_ = next + 1;
            const Result result = markup();
            if (result != kOk) return result;
        }
    }

private:
    bool atEnd() const { return pos_ >= size_; }
    char peek() const { return data_[pos_]; }
    bool startsWith(std::string_view text) const {
        return size_ - pos_ >= text.size() && std::memcmp(data_ + pos_, text.data(), text.size()) == 0;
    }
    void skipWhiteSpace() {
        while (!atEnd() && isWhiteSpace(peek())) ++pos_;
    }
    Span readName() {
        const size_t start = pos_;
        if (!atEnd() && isNameStart(peek())) {
            ++pos_;
            while (!atEnd() && isNameChar(peek())) ++pos_;
        }
        return Span{start, pos_ - start};
    }
    std::string_view text(Span span) const { return std::string_view(data_ + span.start, span.length); }

    // XmlParseError, recorded with the byte where the check failed and the
    // element being read there (the tag's own, else the innermost open one).
    Result malformed(size_t at, std::string_view what) {
        std::string element;
        const std::string_view name = tagName_.length ? text(tagName_) : current_ ? view(current_->name) : "";
        if (!name.empty()) element.append("element <").append(name).append(">");
        failure_.record(kMalformed, at, element, what);
        return kMalformed;
    }
    Result malformed(std::string_view what) { return malformed(pos_, what); }

    // Ends the span with a 0 in place and lends it to `target`. Only done
    // once the markup around the span is read: the byte after it is a
    // delimiter (a quote, `=`, space, `/`, `>` or `<`) or the final 0.
    void lend(Span span, String& target) {
        if (span.length == 0) {
            target = String();
            return;
        }
        data_[span.start + span.length] = '\0';
        target.borrowUtf8(data_ + span.start, static_cast<uint32_t>(span.length));
    }

    // Moves past the next `terminator`; XmlParseError when the input ends first.
    Result skipPast(std::string_view terminator, Span* skipped = nullptr) {
        const size_t found = std::string_view(data_, size_).find(terminator, pos_);
        if (found == std::string_view::npos) {
            return malformed(tagStart_, "nothing closes it with \"" + std::string(terminator) + "\"");
        }
        if (skipped) *skipped = Span{pos_, found - pos_};
        pos_ = found + terminator.size();
        return kOk;
    }

    Result markup() {
        tagName_ = Span();
        if (atEnd()) return malformed(tagStart_, "the document ends after '<'");
        if (peek() == '/') return endTag();
        if (peek() == '?') return skipPast("?>");
        if (peek() == '!') return declaration();
        return startTag();
    }

    Result declaration() {
        if (startsWith("!--")) {
            pos_ += 3;
            return skipPast("-->");
        }
        if (startsWith("![CDATA[")) {
            pos_ += 8;
            Span content;
            const Result result = skipPast("]]>", &content);
            if (result == kOk) addText(content);
            return result;
        }
        return skipDeclaration();
    }

    // A document type or other `<!` declaration: up to the `>` that is
    // outside quotes and outside an internal subset in brackets.
    Result skipDeclaration() {
        size_t brackets = 0;
        while (!atEnd()) {
            const char c = data_[pos_++];
            if (c == '"' || c == '\'') {
                const void* close = std::memchr(data_ + pos_, c, size_ - pos_);
                if (!close) return malformed(pos_ - 1, "a quoted text in a declaration is not closed");
                pos_ = static_cast<size_t>(static_cast<const char*>(close) - data_) + 1;
            } else if (c == '[') {
                ++brackets;
            } else if (c == ']' && brackets > 0) {
                --brackets;
            } else if (c == '>' && brackets == 0) {
                return kOk;
            }
        }
        return malformed(tagStart_, "no '>' closes the declaration");
    }

    Result endTag() {
        ++pos_;
        skipWhiteSpace();
        const Span name = readName();
        // The text is made only for a failure: end tags are most of a document.
        const auto tag = [&](const char* what) { return "end tag </" + std::string(text(name)) + ">" + what; };
        if (!current_) return malformed(tagStart_, tag(" with no element open"));
        if (text(name) != view(current_->name)) return malformed(tagStart_, tag(" does not close it"));
        skipWhiteSpace();
        if (atEnd() || peek() != '>') return malformed(tag(" goes on after its name"));
        ++pos_;
        closeElement(current_);
        return kOk;
    }

    Result startTag() {
        const Span name = readName();
        if (name.length == 0) return malformed(tagStart_, "'<' is not followed by a name");
        tagName_ = name;
        if (sawRoot_ && !current_) return malformed(tagStart_, "a second document element");
        if (depth_ >= XmlParser::kMaximumDepth) {
            const std::string depth = std::to_string(XmlParser::kMaximumDepth);
            return malformed(tagStart_, "elements nest more than " + depth + " deep");
        }
        if (elements_ >= XmlParser::kMaximumElements) {
            return malformed(tagStart_, "more than " + std::to_string(XmlParser::kMaximumElements) + " elements");
        }
        bool empty = false;
        const Result result = readAttributes(empty);
        if (result != kOk) return result;
        XmlNode& node = openElement(name);
        reportStart(node);
        if (empty) closeElement(&node);
        return kOk;
    }

    Result readAttributes(bool& empty) {
        attributes_.clear();
        while (true) {
            skipWhiteSpace();
            if (atEnd()) return malformed("the document ends inside the start tag");
            if (peek() == '>') {
                ++pos_;
                return kOk;
            }
            if (peek() == '/') {
                if (!startsWith("/>")) return malformed("'/' in a start tag is not followed by '>'");
                pos_ += 2;
                empty = true;
                return kOk;
            }
            if (attributes_.size() >= XmlParser::kMaximumAttributes) {
                return malformed("more than " + std::to_string(XmlParser::kMaximumAttributes) + " attributes");
            }
            const Result result = readAttribute();
            if (result != kOk) return result;
        }
    }

    // name, or name = 'value' / "value"; a value runs to the same quote, so
    // it may hold the other quote and `>`.
    Result readAttribute() {
        AttributeSpan attribute;
        attribute.name = readName();
        if (attribute.name.length == 0) return malformed("expected an attribute name");
        skipWhiteSpace();
        if (!atEnd() && peek() == '=') {
            ++pos_;
            skipWhiteSpace();
            const auto value = [&](const char* what) {
                return "the value of " + std::string(text(attribute.name)) + what;
            };
            if (atEnd() || (peek() != '"' && peek() != '\'')) return malformed(value(" is not in quotes"));
            const char quote = data_[pos_++];
            const void* close = std::memchr(data_ + pos_, quote, size_ - pos_);
            if (!close) return malformed(pos_ - 1, value(" has no closing quote"));
            const auto end = static_cast<size_t>(static_cast<const char*>(close) - data_);
            attribute.value = Span{pos_, end - pos_};
            pos_ = end + 1;
        }
        attributes_.push_back(attribute);
        return kOk;
    }

    XmlNode& openElement(Span name) {
        nodes_.emplace_back();
        ++elements_;
        XmlNode& node = nodes_.back();
        node.start = tagStart_;
        lend(name, node.name);
        fillAttributes(node);
        node.parent = current_;
        if (!current_) {
            root_ = &node;
            sawRoot_ = true;
        } else if (callback_) {
            // Reported elements are not kept, so no links to them are made.
        } else if (!current_->lastChild) {
            current_->firstChild = current_->lastChild = &node;
        } else {
            node.previousSibling = current_->lastChild;
            current_->lastChild->nextSibling = &node;
            current_->lastChild = &node;
        }
        current_ = &node;
        if (pending_.size() <= depth_) pending_.emplace_back();
        pending_[depth_].reset();
        ++depth_;
        // One pending text per open element, the innermost last.
        assert(depth_ <= pending_.size() && depth_ <= XmlParser::kMaximumDepth);
        return node;
    }

    // Empty slots first, then the texts, with the room made once: an element
    // may carry thousands of attributes, and the slots must not move (a
    // moved borrowing string copies its text).
    void fillAttributes(XmlNode& node) {
        node.attributes.reserve(static_cast<uint32_t>(attributes_.size()));
        for (size_t i = 0; i < attributes_.size(); ++i) node.attributes.push_back(XmlParserAttribute());
        for (size_t i = 0; i < attributes_.size(); ++i) {
            const AttributeSpan& span = attributes_[i];
            XmlParserAttribute& attribute = node.attributes[static_cast<uint32_t>(i)];
            lend(span.name, attribute.name);
            lend(span.value, attribute.value);
        }
    }

    void reportStart(const XmlNode& node) {
        if (!callback_) return;
        std::string_view locations;
        for (const XmlParserAttribute& attribute : node.attributes) {
            if (view(attribute.name) == kSchemaLocation) {
                locations = view(attribute.value);
                break;
            }
        }
        for (const XmlParserAttribute& attribute : node.attributes) {
            if (!isNamespaceDeclaration(attribute)) continue;
            const String prefix = attribute.name.substring(static_cast<uint32_t>(kXmlnsPrefix.size()));
            callback_->startPrefixMapping(attribute.value, prefix, locationFor(locations, view(attribute.value)));
        }
        callback_->startElement(node);
    }

    void closeElement(XmlNode* node) {
        assert(depth_ > 0 && depth_ <= pending_.size() && node == current_);
        --depth_;
        takeText(pending_[depth_], node->text);
        current_ = node->parent;
        if (!callback_) return;
        callback_->endElement(*node);
        for (const XmlParserAttribute& attribute : node->attributes) {
            if (isNamespaceDeclaration(attribute)) callback_->endPrefixMapping(attribute.value);
        }
        // What was reported is in the callback's hands: the ended element, the
        // last one made, goes, so a document costs the elements still open
        // rather than all of them.
        if (node == root_) root_ = nullptr;
        // Children were dropped when they closed, so the ended element is the
        // last node made.
        assert(&nodes_.back() == node);
        nodes_.pop_back();
    }

    void addText(Span run) {
        if (!current_ || run.length == 0) return;
        assert(depth_ > 0 && depth_ <= pending_.size());
        PendingText& pending = pending_[depth_ - 1];
        if (pending.firstRun.length == 0 && !pending.copied) {
            pending.firstRun = run;
            return;
        }
        if (callback_) {
            std::memmove(data_ + pending.firstRun.start + pending.firstRun.length, data_ + run.start, run.length);
            pending.firstRun.length += run.length;
            return;
        }
        if (!pending.copied) {
            pending.joined.assign(text(pending.firstRun));
            pending.copied = true;
        }
        pending.joined.append(text(run));
    }

    void takeText(PendingText& pending, String& target) {
        if (pending.copied) {
            target = String::fromUtf8(pending.joined);
        } else if (pending.firstRun.length != 0) {
            lend(pending.firstRun, target);
        }
    }

    char* data_;
    size_t size_;
    size_t pos_ = 0;
    size_t tagStart_ = 0;
    std::deque<XmlNode>& nodes_;
    XmlNode*& root_;
    uint32_t& elements_;
    IXmlParserCallback* callback_;
    platform::Failure& failure_;
    // The name of the tag being read, while it is read.
    Span tagName_;
    bool sawRoot_ = false;
    XmlNode* current_ = nullptr;
    uint32_t depth_ = 0;
    std::vector<AttributeSpan> attributes_;
    std::vector<PendingText> pending_;
};

}  // namespace

DWF::DwfResult::Enum XmlParser::parseStream(InputStream* stream, uint64_t sizeLimit, uint64_t expectedSize) {
    if (!stream) return DWF::DwfResult::InvalidArgument;
    if (holdsDocument_) return DWF::DwfResult::NoPackageOpen;
    holdsDocument_ = true;
    std::vector<char> block;
    try {
        if (expectedSize > 0 && expectedSize <= sizeLimit) buffer_.reserve(static_cast<size_t>(expectedSize) + 1);
        block.resize(kReadBlockSize);
        while (true) {
            // Read through a block and appended, so that only what arrives is
            // touched; the room grows geometrically, so a document larger
            // than expected is copied a bounded number of times.
            const int64_t got = stream->read(block.data(), kReadBlockSize);
            if (got < 0) {
                return got >= INT32_MIN ? static_cast<DWF::DwfResult::Enum>(got) : DWF::DwfResult::ReadFailed;
            }
            if (got == 0) break;
            if (got > kReadBlockSize) return DWF::DwfResult::ReadFailed;
            if (buffer_.size() + static_cast<size_t>(got) > sizeLimit) {
                failure_.recordf(DWF::DwfResult::InvalidData, sizeLimit, "", "the document is larger than %llu bytes",
                                 static_cast<unsigned long long>(sizeLimit));
                return DWF::DwfResult::InvalidData;
            }
            if (buffer_.capacity() - buffer_.size() < static_cast<size_t>(got)) {
                growReadBuffer(buffer_, sizeLimit, kReadBlockSize);
            }
            buffer_.insert(buffer_.end(), block.data(), block.data() + got);
        }
        if (buffer_.size() == buffer_.capacity()) growReadBuffer(buffer_, sizeLimit, kReadBlockSize);
        buffer_.push_back('\0');
    } catch (const std::bad_alloc&) {
        return DWF::DwfResult::OutOfMemory;
    } catch (const std::length_error&) {
        return DWF::DwfResult::OutOfMemory;
    }
    block = std::vector<char>();
    return parseHeldBuffer();
}

DWF::DwfResult::Enum XmlParser::parseBuffer(const char* data, size_t size) {
    if (!data && size) return DWF::DwfResult::InvalidArgument;
    if (holdsDocument_) return DWF::DwfResult::NoPackageOpen;
    holdsDocument_ = true;
    try {
        buffer_.reserve(size + 1);
        buffer_.assign(data, data + size);
        buffer_.push_back('\0');
    } catch (const std::bad_alloc&) {
        return DWF::DwfResult::OutOfMemory;
    } catch (const std::length_error&) {
        return DWF::DwfResult::OutOfMemory;
    }
    return parseHeldBuffer();
}

DWF::DwfResult::Enum XmlParser::parseHeldBuffer() {
    // Names, values and texts are Strings with 32-bit lengths.
    const size_t size = buffer_.size() - 1;
    if (size > 0xFFFFFFFEu) return DWF::DwfResult::InvalidData;
    try {
        return Machine(buffer_.data(), size, nodes_, root_, elements_, callback_, failure_).run();
    } catch (const std::bad_alloc&) {
        return DWF::DwfResult::OutOfMemory;
    }
}

}  // namespace DWFUtil
