#include "platform/unicode.h"

namespace platform {
namespace {

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool isValidCodePoint(char32_t c) { return c <= 0x10FFFF && !isSurrogate(c); }
bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the sequence a lead byte announces and the smallest code point
// that sequence may carry (anything smaller is an overlong form).
bool leadByteShape(unsigned char lead, size_t& length, char32_t& minimum, char32_t& bits) {
    if (lead < 0x80) { length = 1; minimum = 0; bits = lead; return true; }
    if ((lead & 0xE0) == 0xC0) { length = 2; minimum = 0x80; bits = lead & 0x1F; return true; }
    if ((lead & 0xF0) == 0xE0) { length = 3; minimum = 0x800; bits = lead & 0x0F; return true; }
    if ((lead & 0xF8) == 0xF0) { length = 4; minimum = 0x10000; bits = lead & 0x07; return true; }
    return false;
}

}  // namespace

char32_t decodeUtf8(std::string_view text, size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    size_t length = 0;
    char32_t minimum = 0;
    char32_t value = 0;
    if (!leadByteShape(lead, length, minimum, value)) {
        ++pos;
        return kReplacementCharacter;
    }
    size_t i = 1;
    for (; i < length; ++i) {
        if (pos + i >= text.size()) break;
        const auto b = static_cast<unsigned char>(text[pos + i]);
        if (!isContinuation(b)) break;
        value = (value << 6) | (b & 0x3F);
    }
    if (i < length) {
        // A truncated sequence is one replacement; what follows is decoded afresh.
        pos += i;
        return kReplacementCharacter;
    }
    pos += length;
    if (value < minimum || !isValidCodePoint(value)) return kReplacementCharacter;
    return value;
}

char32_t decodeUtf16(std::u16string_view text, size_t& pos) {
    const char32_t first = text[pos++];
    if (first < 0xD800 || first > 0xDFFF) return first;
    if (first >= 0xDC00 || pos >= text.size()) return kReplacementCharacter;
    const char32_t second = text[pos];
    if (second < 0xDC00 || second > 0xDFFF) return kReplacementCharacter;
    ++pos;
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

void appendUtf8(std::string& out, char32_t c) {
    if (!isValidCodePoint(c)) c = kReplacementCharacter;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void appendUtf16(std::u16string& out, char32_t c) {
    if (!isValidCodePoint(c)) c = kReplacementCharacter;
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

std::u16string utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) appendUtf16(out, decodeUtf8(utf8, pos));
    return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t pos = 0; pos < utf16.size();) appendUtf8(out, decodeUtf16(utf16, pos));
    return out;
}

std::u16string wideToUtf16(std::wstring_view wide) {
    std::u16string out;
    out.reserve(wide.size());
    for (wchar_t w : wide) appendUtf16(out, static_cast<char32_t>(w));
    return out;
}

std::wstring utf16ToWide(std::u16string_view utf16) {
    std::wstring out;
    out.reserve(utf16.size());
    for (size_t pos = 0; pos < utf16.size();) out += static_cast<wchar_t>(decodeUtf16(utf16, pos));
    return out;
}

}  // namespace platform
