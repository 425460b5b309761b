// The text type of the package and model layers. It holds up to two forms of
// the same text, UTF-8 (narrow) and UTF-16 (wide), and converts to the other
// form only when asked, caching the result: a string read in one form many
// times converts once. Borrowing constructors let comparisons and searches
// wrap a caller's buffer without copying; every stored string owns its
// buffers.
//
// Lengths are counted in the units of the form in use, so for ASCII text the
// two forms agree exactly, and for other text each operation uses the length
// of the form it compares.
#ifndef DWFPLOT_MODEL_UTIL_STRING_H
#define DWFPLOT_MODEL_UTIL_STRING_H

#include <cstdint>
#include <string>
#include <string_view>

namespace DWFUtil {

class String {
public:
    static constexpr uint32_t npos = 0xFFFFFFFFu;

    String() = default;
    // From null-terminated text; with `copy` clear the caller's buffer is
    // borrowed and must outlive the string.
    String(const char* text, bool copy = true);      // NOLINT: text converts implicitly
    String(const char16_t* text, bool copy = true);  // NOLINT
    // Copies exactly `length` units from `start` (single characters, substrings).
    String(const char* buffer, uint32_t start, uint32_t length);
    String(const char16_t* buffer, uint32_t start, uint32_t length);
    String(const String& other);
    String(String&& other) noexcept;
    ~String();

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;

    static String fromUtf8(std::string_view text);
    static String fromUtf16(std::u16string_view text);
    // Takes over `text`, an array of at least `length` + 1 units from
    // allocateArray with text[length] == 0: text built in place is not
    // copied once more.
    static String adoptUtf8(char* text, uint32_t length);

    // The narrow (UTF-8) and wide (UTF-16) forms; never null.
    const char* chars() const;
    const char16_t* wideChars() const;
    std::string toUtf8() const { return std::string(chars(), narrowLength()); }
    std::u16string toUtf16() const { return std::u16string(wideChars(), wideLength()); }

    // Makes this string wrap `length` units at `text` without copying them;
    // text[length] must be 0, and the text must outlive the string. A copy
    // or a move of it owns its own buffer, so only this string borrows.
    void borrowUtf8(const char* text, uint32_t length);

    // Units of the form the string was built from.
    uint32_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    bool narrowValid() const { return narrowValid_; }
    bool wideValid() const { return wideValid_; }
    uint32_t narrowLength() const;
    uint32_t wideLength() const;
    // Both forms as views, converting first where needed.
    std::string_view narrowView() const;
    std::u16string_view wideView() const;

    bool operator==(const String& other) const;
    bool operator==(const char* text) const;
    bool operator==(const char16_t* text) const;
    bool operator!=(const String& other) const { return !(*this == other); }
    bool operator!=(const char* text) const { return !(*this == text); }
    bool operator!=(const char16_t* text) const { return !(*this == text); }
    bool operator<(const String& other) const;
    int compare(const String& other) const;

    String operator+(const String& other) const;
    String operator+(char c) const;
    String operator+(char16_t c) const;
    String operator+(const char* text) const;
    String operator+(const char16_t* text) const;
    String& operator+=(const String& other);
    String& operator+=(char c);
    String& operator+=(char16_t c);
    String& operator+=(const char* text);
    String& operator+=(const char16_t* text);

    // Index of the first occurrence at or after `start`, or -1.
    int32_t find(const String& needle, uint32_t start = 0) const;
    int32_t find(char c, uint32_t start = 0) const;
    int32_t find(char16_t c, uint32_t start = 0) const;
    int32_t find(const char* text, uint32_t start = 0) const;
    int32_t find(const char16_t* text, uint32_t start = 0) const;
    // Index of the last occurrence, or -1; an empty needle gives the length.
    int32_t findLast(const String& needle) const;
    int32_t findLast(char c) const;
    int32_t findLast(char16_t c) const;
    int32_t findLast(const char* text) const;
    int32_t findLast(const char16_t* text) const;

    // Whether `count` units of `text` equal this string's units from `offset`.
    bool matchesAt(const char* text, uint32_t offset, uint32_t count) const;
    bool matchesAt(const char16_t* text, uint32_t offset, uint32_t count) const;

    // `count` units from `start`; npos or too large a count takes the rest.
    String substring(uint32_t start, uint32_t count = npos) const;

private:
    void release();
    void copyFrom(const String& other);
    void adoptNarrow(const char* text, uint32_t length);
    void adoptWide(const char16_t* text, uint32_t length);

    // The flags sit together after the lengths: a model holds many strings,
    // most of them empty, and this order leaves no padding.
    mutable char16_t* wide_ = nullptr;
    mutable char* narrow_ = nullptr;
    uint32_t length_ = 0;
    mutable uint32_t narrowLength_ = 0;
    mutable uint32_t wideLength_ = 0;
    mutable bool narrowValid_ = false;
    mutable bool wideValid_ = false;
    mutable bool ownsNarrow_ = false;
    mutable bool ownsWide_ = false;
};

}  // namespace DWFUtil

#endif  // DWFPLOT_MODEL_UTIL_STRING_H
