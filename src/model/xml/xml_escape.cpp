#include "model/xml/xml_escape.h"

#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "model/util/allocation.h"
#include "platform/unicode.h"

namespace DWFXmlFramework {
namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void appendReference(std::string& out, char32_t value) {
    char buffer[16];
    const int length = value < 256 ? std::snprintf(buffer, sizeof buffer, "&#x%02X;", static_cast<unsigned>(value))
                                   : std::snprintf(buffer, sizeof buffer, "&#%u;", static_cast<unsigned>(value));
    out.append(buffer, static_cast<size_t>(length));
}

// Whether `unit` has an entity form, which it then appends.
bool appendEntity(std::string& out, char16_t unit, bool forAttribute) {
    switch (unit) {
        case u'&': out += "&amp;"; return true;
        case u'<': out += "&lt;"; return true;
        case u'>': out += "&gt;"; return true;
        case u'"':
            if (!forAttribute) return false;
            out += "&quot;";
            return true;
        case u'\'':
            if (!forAttribute) return false;
            out += "&apos;";
            return true;
        default: return false;
    }
}

int digitValue(char16_t unit, unsigned base) {
    if (unit >= u'0' && unit <= u'9') return unit - u'0';
    if (base == 16 && unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
    if (base == 16 && unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
    return -1;
}

// The character a numeric reference body (`x4a`, `65`) stands for, or -1
// when the body holds something other than digits. An empty number is 0;
// values beyond Unicode become U+FFFD.
template <typename C>
int64_t referencedCharacter(std::basic_string_view<C> body) {
    unsigned base = 10;
    if (!body.empty() && body.front() == C('x')) {
        base = 16;
        body.remove_prefix(1);
    }
    int64_t value = 0;
    for (const C unit : body) {
        // Units beyond ASCII are no digit; a negative char must not become one.
        const int digit = static_cast<unsigned>(unit) < 128 ? digitValue(static_cast<char16_t>(unit), base) : -1;
        if (digit < 0) return -1;
        if (value <= kLastCodePoint) value = value * base + digit;
    }
    return value > kLastCodePoint ? platform::kReplacementCharacter : value;
}

struct EntityForm {
    std::string_view text;
    char unit;
    size_t minimumLeft;  // units from the `&` that must remain for the form to be tried
};

constexpr EntityForm kEntities[] = {
    {"&lt;", '<', 4}, {"&gt;", '>', 4}, {"&amp;", '&', 5}, {"&apos;", '\'', 5}, {"&quot;", '"', 5},
};

template <typename C>
bool spells(std::basic_string_view<C> text, size_t pos, std::string_view ascii) {
    if (text.size() - pos < ascii.size()) return false;
    for (size_t i = 0; i < ascii.size(); ++i) {
        if (text[pos + i] != C(ascii[i])) return false;
    }
    return true;
}

// UTF-16 output: a reference to a surrogate is kept as that unit, so that
// the two references other producers write for a character beyond U+FFFF
// pair up again.
class WideOutput {
public:
    explicit WideOutput(size_t size) { out_.reserve(size); }
    void unit(char16_t unit) { out_ += unit; }
    void character(char32_t value) {
        if (value >= 0xD800 && value <= 0xDFFF) {
            out_ += static_cast<char16_t>(value);
        } else {
            platform::appendUtf16(out_, value);
        }
    }
    DWFUtil::String finish() { return DWFUtil::String::fromUtf16(out_); }

private:
    std::u16string out_;
};

// UTF-8 output, written into one buffer of the input's size and handed to
// the result as it is: no reference is shorter than the UTF-8 of what it
// stands for, so a document's text is not held twice over while it is
// resolved. A high surrogate waits for the low one that pairs with it;
// alone, either becomes U+FFFD, as it would in UTF-8 anyway.
class NarrowOutput {
public:
    explicit NarrowOutput(size_t size) : out_(DWFUtil::allocateArray<char>(uint64_t{size} + 1)) {}
    ~NarrowOutput() { delete[] out_; }
    NarrowOutput(const NarrowOutput&) = delete;
    NarrowOutput& operator=(const NarrowOutput&) = delete;

    void unit(char unit) {
        flushHigh();
        out_[used_++] = unit;
    }
    void character(char32_t value) {
        if (high_ != 0 && value >= 0xDC00 && value <= 0xDFFF) {
            value = 0x10000 + ((high_ - 0xD800) << 10) + (value - 0xDC00);
            high_ = 0;
        }
        flushHigh();
        if (value >= 0xD800 && value <= 0xDBFF) {
            high_ = value;
            return;
        }
        std::string utf8;
        platform::appendUtf8(utf8, value);
        std::memcpy(out_ + used_, utf8.data(), utf8.size());
        used_ += utf8.size();
    }
    DWFUtil::String finish() {
        flushHigh();
        out_[used_] = '\0';
        char* text = std::exchange(out_, nullptr);
        return DWFUtil::String::adoptUtf8(text, static_cast<uint32_t>(used_));
    }

private:
    void flushHigh() {
        if (high_ == 0) return;
        high_ = 0;
        character(platform::kReplacementCharacter);
    }

    char* out_;
    size_t used_ = 0;
    char32_t high_ = 0;
};

template <typename C, typename Output>
class Unescaper {
public:
    explicit Unescaper(std::basic_string_view<C> text) : text_(text), out_(text.size()) {}

    DWFUtil::String run() {
        size_t pos = 0;
        while (pos < text_.size()) {
            const size_t amp = text_.find(C('&'), pos);
            const size_t end = amp == std::basic_string_view<C>::npos ? text_.size() : amp;
            for (; pos < end; ++pos) out_.unit(text_[pos]);
            if (pos < text_.size()) pos = resolveAt(pos);
        }
        return out_.finish();
    }

private:
    // Resolves the reference at `pos` (an `&`) and answers where to go on.
    size_t resolveAt(size_t pos) {
        const size_t left = text_.size() - pos;
        if (left >= 4 && text_[pos + 1] == C('#')) {
            const size_t end = semicolonFrom(pos + 2);
            if (end != npos) {
                const int64_t value = referencedCharacter(text_.substr(pos + 2, end - pos - 2));
                if (value >= 0) {
                    out_.character(static_cast<char32_t>(value));
                    return end + 1;
                }
            }
        } else if (left >= 4) {
            for (const EntityForm& entity : kEntities) {
                if (left >= entity.minimumLeft && spells(text_, pos, entity.text)) {
                    out_.unit(static_cast<C>(entity.unit));
                    return pos + entity.text.size();
                }
            }
        }
        out_.unit(C('&'));
        return pos + 1;
    }

    // The next `;` at or after `from`; remembered, so that many unterminated
    // references cost one scan, not one scan each.
    size_t semicolonFrom(size_t from) {
        if (semicolon_ == npos || semicolon_ < from) {
            if (noneAfter_ <= from) return npos;
            semicolon_ = text_.find(C(';'), from);
            if (semicolon_ == npos) noneAfter_ = from;
        }
        return semicolon_;
    }

    static constexpr size_t npos = std::basic_string_view<C>::npos;

    std::basic_string_view<C> text_;
    Output out_;
    size_t semicolon_ = npos;
    size_t noneAfter_ = npos;
};

}  // namespace

void appendXmlEscaped(std::string& out, const DWFUtil::String& text, bool forAttribute) {
    const char16_t* units = text.wideChars();
    const uint32_t length = text.wideLength();
    for (uint32_t i = 0; i < length; ++i) {
        const char16_t unit = units[i];
        if (unit >= 32 && unit <= 127) {
            if (!appendEntity(out, unit, forAttribute)) out += static_cast<char>(unit);
        } else if (isHighSurrogate(unit) && i + 1 < length && isLowSurrogate(units[i + 1])) {
            // One reference to the code point: references to surrogates are not characters.
            appendReference(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (isHighSurrogate(unit) || isLowSurrogate(unit)) {
            appendReference(out, platform::kReplacementCharacter);
        } else {
            appendReference(out, unit);
        }
    }
}

DWFUtil::String xmlEscape(const DWFUtil::String& text, bool forAttribute) {
    std::string out;
    appendXmlEscaped(out, text, forAttribute);
    return DWFUtil::String::fromUtf8(out);
}

DWFUtil::String xmlUnescape(const DWFUtil::String& text) {
    if (text.empty()) return text;
    if (text.narrowValid()) {
        const std::string_view narrow(text.chars(), text.narrowLength());
        if (narrow.find('&') == std::string_view::npos) return text;
        return Unescaper<char, NarrowOutput>(narrow).run();
    }
    return Unescaper<char16_t, WideOutput>(std::u16string_view(text.wideChars(), text.wideLength())).run();
}

}  // namespace DWFXmlFramework
