#include "model/xml/xml_escape.h"

#include <cstdio>
#include <string_view>

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
int64_t referencedCharacter(std::u16string_view body) {
    unsigned base = 10;
    if (!body.empty() && body.front() == u'x') {
        base = 16;
        body.remove_prefix(1);
    }
    int64_t value = 0;
    for (const char16_t unit : body) {
        const int digit = digitValue(unit, base);
        if (digit < 0) return -1;
        if (value <= kLastCodePoint) value = value * base + digit;
    }
    return value > kLastCodePoint ? platform::kReplacementCharacter : value;
}

struct EntityForm {
    std::u16string_view text;
    char16_t unit;
    size_t minimumLeft;  // units from the `&` that must remain for the form to be tried
};

constexpr EntityForm kEntities[] = {
    {u"&lt;", u'<', 4}, {u"&gt;", u'>', 4}, {u"&amp;", u'&', 5}, {u"&apos;", u'\'', 5}, {u"&quot;", u'"', 5},
};

class Unescaper {
public:
    explicit Unescaper(std::u16string_view text) : text_(text) { out_.reserve(text.size()); }

    std::u16string run() {
        size_t pos = 0;
        while (pos < text_.size()) {
            if (text_[pos] != u'&') {
                out_ += text_[pos++];
            } else {
                pos = resolveAt(pos);
            }
        }
        return std::move(out_);
    }

private:
    // Resolves the reference at `pos` (an `&`) and answers where to go on.
    size_t resolveAt(size_t pos) {
        const size_t left = text_.size() - pos;
        if (left >= 4 && text_[pos + 1] == u'#') {
            const size_t end = semicolonFrom(pos + 2);
            if (end != std::u16string_view::npos) {
                const int64_t value = referencedCharacter(text_.substr(pos + 2, end - pos - 2));
                if (value >= 0) {
                    appendCharacter(static_cast<char32_t>(value));
                    return end + 1;
                }
            }
        } else if (left >= 4) {
            for (const EntityForm& entity : kEntities) {
                if (left >= entity.minimumLeft && text_.substr(pos, entity.text.size()) == entity.text) {
                    out_ += entity.unit;
                    return pos + entity.text.size();
                }
            }
        }
        out_ += u'&';
        return pos + 1;
    }

    // Other producers write a character beyond U+FFFF as two references to
    // its surrogates; they are kept as units so that they pair up again.
    void appendCharacter(char32_t value) {
        if (value >= 0xD800 && value <= 0xDFFF) {
            out_ += static_cast<char16_t>(value);
        } else {
            platform::appendUtf16(out_, value);
        }
    }

    // The next `;` at or after `from`; remembered, so that many unterminated
    // references cost one scan, not one scan each.
    size_t semicolonFrom(size_t from) {
        if (semicolon_ == std::u16string_view::npos || semicolon_ < from) {
            if (noneAfter_ <= from) return std::u16string_view::npos;
            semicolon_ = text_.find(u';', from);
            if (semicolon_ == std::u16string_view::npos) noneAfter_ = from;
        }
        return semicolon_;
    }

    std::u16string_view text_;
    std::u16string out_;
    size_t semicolon_ = std::u16string_view::npos;
    size_t noneAfter_ = std::u16string_view::npos;
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
    if (text.narrowValid() && text.find('&') < 0) return text;
    return DWFUtil::String::fromUtf16(
        Unescaper(std::u16string_view(text.wideChars(), text.wideLength())).run());
}

}  // namespace DWFXmlFramework
