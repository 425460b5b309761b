// The host's narrow strings are in the codeset of the process's LC_CTYPE
// locale, the stand-in for the active code page. An ASCII codeset (the C and
// POSIX locales) is taken as UTF-8, so plain programs get lossless text.
#ifndef DWFPLOT_PLATFORM_CODE_PAGE_H
#define DWFPLOT_PLATFORM_CODE_PAGE_H

#include <string>
#include <string_view>

namespace platform {

// The codeset name, read once per process ("UTF-8" for ASCII locales).
const std::string& activeCodeset();

// Narrow host text to UTF-16 and back. Never fails: bytes that do not decode
// become U+FFFD; characters the codeset cannot hold become '?'.
std::u16string activeCodePageToUtf16(std::string_view narrow);
std::string utf16ToActiveCodePage(std::u16string_view utf16);

// The same with an explicit codeset, for hosts and tests that know theirs.
std::u16string codesetToUtf16(std::string_view narrow, const std::string& codeset);
std::string utf16ToCodeset(std::u16string_view utf16, const std::string& codeset);

}  // namespace platform

#endif  // DWFPLOT_PLATFORM_CODE_PAGE_H
