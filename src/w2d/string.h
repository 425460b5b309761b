// A text value of the stream: absent, 8-bit text, or UTF-16 text, with its
// binary, hexadecimal and quoted forms.
#ifndef DWFPLOT_W2D_STRING_H
#define DWFPLOT_W2D_STRING_H

#include <string>
#include <string_view>

#include "w2d/result.h"

class WT_Stream;

class WT_String {
public:
    enum WT_Kind { None, Eight_Bit, UTF16 };

    // Longest string, in characters, that a stream writes and reads, in
    // every form. One limit for both sides: what the writer accepts, its
    // reader takes back. No real name or text line comes near it; reading
    // still only grows with the bytes that have arrived.
    static constexpr size_t Maximum_Length = size_t{1} << 20;

    WT_String() = default;
    WT_String(const char* text);  // NOLINT: a literal is a string value
    explicit WT_String(std::string_view eightBit);
    // Text that is all 7-bit ASCII is kept in the 8-bit form.
    explicit WT_String(std::u16string_view utf16);

    WT_Kind kind() const { return m_kind; }
    bool is_eight_bit() const { return m_kind != UTF16; }
    bool empty() const { return length() == 0; }
    size_t length() const { return m_kind == UTF16 ? m_unicode.size() : m_ascii.size(); }
    // The 8-bit characters (empty for UTF-16 text).
    const std::string& ascii() const { return m_ascii; }
    // The text as UTF-16; 8-bit characters widen one to one.
    std::u16string unicode() const;

    bool operator==(const WT_String& other) const;

    // Binary form when the stream writes binary data, else hexadecimal;
    // 8-bit text as a quoted string (always quoted with `forceQuotes`).
    // A string longer than Maximum_Length is refused with Write_Failed
    // before anything is written.
    WT_Result::Enum write(WT_Stream& stream, bool forceQuotes = false) const;
    WT_Result::Enum read(WT_Stream& stream);

private:
    WT_Result::Enum read_binary(WT_Stream& stream);
    WT_Result::Enum read_hexadecimal(WT_Stream& stream);

    WT_Kind m_kind = None;
    std::string m_ascii;
    std::u16string m_unicode;
};

#endif  // DWFPLOT_W2D_STRING_H
