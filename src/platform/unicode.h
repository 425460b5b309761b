// Conversions between the Unicode forms the library meets: UTF-8 (narrow
// text of the package layers), UTF-16 (all text content inside the library)
// and wchar_t (UTF-32 on Linux; the host's wide text). They never fail: bytes
// or units that do not decode, and lone surrogates, become U+FFFD.
#ifndef DWFPLOT_PLATFORM_UNICODE_H
#define DWFPLOT_PLATFORM_UNICODE_H

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::u16string utf8ToUtf16(std::string_view utf8);
std::string utf16ToUtf8(std::u16string_view utf16);
std::u16string wideToUtf16(std::wstring_view wide);
std::wstring utf16ToWide(std::u16string_view utf16);

// Appends one code point in UTF-8 / UTF-16; invalid code points (surrogates,
// values above U+10FFFF) are appended as U+FFFD.
void appendUtf8(std::string& out, char32_t codePoint);
void appendUtf16(std::u16string& out, char32_t codePoint);

// Decodes one code point starting at `pos` and advances `pos` past it;
// malformed input yields U+FFFD and advances by at least one unit.
char32_t decodeUtf8(std::string_view text, size_t& pos);
char32_t decodeUtf16(std::u16string_view text, size_t& pos);

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_UNICODE_H
