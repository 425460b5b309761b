#include "w2d/string.h"

#include "w2d/stream.h"

WT_String::WT_String(const char* text) : WT_String(std::string_view(text == nullptr ? "" : text)) {}

WT_String::WT_String(std::string_view eightBit) : m_kind(Eight_Bit), m_ascii(eightBit) {}

WT_String::WT_String(std::u16string_view utf16) {
    bool seven_bit = true;
    for (const char16_t unit : utf16) seven_bit = seven_bit && unit >= 1 && unit < 0x80;
    if (!seven_bit) {
        m_kind = UTF16;
        m_unicode = utf16;
        return;
    }
    m_kind = Eight_Bit;
    m_ascii.reserve(utf16.size());
    for (const char16_t unit : utf16) m_ascii.push_back(static_cast<char>(unit));
}

std::u16string WT_String::unicode() const {
    if (m_kind == UTF16) return m_unicode;
    std::u16string wide;
    wide.reserve(m_ascii.size());
    for (const char c : m_ascii) wide.push_back(static_cast<char16_t>(static_cast<uint8_t>(c)));
    return wide;
}

bool WT_String::operator==(const WT_String& other) const {
    if (m_kind != UTF16 && other.m_kind != UTF16) return m_ascii == other.m_ascii;
    return unicode() == other.unicode();
}

WT_Result::Enum WT_String::write(WT_Stream& stream, bool forceQuotes) const {
    if (length() > Maximum_Length) return WT_Result::Write_Failed;
    if (m_kind != UTF16) return stream.write_quoted_string(m_ascii, forceQuotes);
    if (stream.options().allow_binary_data()) {
        WT_CHECK(stream.write(static_cast<uint8_t>('{')));
        WT_CHECK(stream.write(static_cast<uint32_t>(m_unicode.size())));
        for (const char16_t unit : m_unicode) WT_CHECK(stream.write(static_cast<uint16_t>(unit)));
        return stream.write(static_cast<uint8_t>('}'));
    }
    static constexpr char Digits[] = "0123456789ABCDEF";
    WT_CHECK(stream.write(static_cast<uint8_t>('"')));
    for (const char16_t unit : m_unicode) {
        const char text[4] = {Digits[(unit >> 12) & 0xF], Digits[(unit >> 8) & 0xF], Digits[(unit >> 4) & 0xF],
                              Digits[unit & 0xF]};
        WT_CHECK(stream.write(sizeof text, text));
    }
    return stream.write(static_cast<uint8_t>('"'));
}

WT_Result::Enum WT_String::read(WT_Stream& stream) {
    WT_CHECK(stream.eat_whitespace());
    uint8_t first = 0;
    WT_CHECK(stream.peek(first));
    if (first == '{') return read_binary(stream);
    if (first == '"') return read_hexadecimal(stream);
    std::string token;
    WT_CHECK(stream.read_ascii_token(Maximum_Length, token));
    *this = WT_String(std::string_view(token));
    return WT_Result::Success;
}

WT_Result::Enum WT_String::read_binary(WT_Stream& stream) {
    uint8_t byte = 0;
    uint32_t count = 0;
    WT_CHECK(stream.read(byte));
    WT_CHECK(stream.read(count));
    if (count > Maximum_Length) {
        return stream.refuse(WT_Result::Corrupt_Data, "a string of %u characters, more than %zu", count,
                             Maximum_Length);
    }
    std::u16string units;
    // Units are appended as they arrive: a count the input cannot back ends
    // in a read result before it costs memory.
    for (uint32_t index = 0; index < count; ++index) {
        uint16_t unit = 0;
        WT_CHECK(stream.read(unit));
        units.push_back(static_cast<char16_t>(unit));
    }
    WT_CHECK(stream.read(byte));
    if (byte != '}') return stream.refuse_byte(byte, "expected '}'");
    m_kind = UTF16;
    m_ascii.clear();
    m_unicode = std::move(units);
    return WT_Result::Success;
}

WT_Result::Enum WT_String::read_hexadecimal(WT_Stream& stream) {
    uint8_t byte = 0;
    WT_CHECK(stream.read(byte));
    std::u16string units;
    uint32_t unit = 0;
    size_t digits = 0;
    for (;;) {
        WT_CHECK(stream.read(byte));
        if (byte == '"') break;
        int nibble = -1;
        if (byte >= '0' && byte <= '9') nibble = byte - '0';
        if (byte >= 'A' && byte <= 'F') nibble = byte - 'A' + 10;
        if (byte >= 'a' && byte <= 'f') nibble = byte - 'a' + 10;
        if (nibble < 0 || digits >= 4 * Maximum_Length) return WT_Result::Corrupt_Data;
        unit = unit << 4 | static_cast<uint32_t>(nibble);
        if (++digits % 4 == 0) {
            units.push_back(static_cast<char16_t>(unit));
            unit = 0;
        }
    }
    if (digits % 4 != 0) return WT_Result::Corrupt_Data;
    m_kind = UTF16;
    m_ascii.clear();
    m_unicode = std::move(units);
    return WT_Result::Success;
}
