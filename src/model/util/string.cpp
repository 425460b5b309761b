#include "model/util/string.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "model/util/allocation.h"
#include "platform/unicode.h"

namespace DWFUtil {
namespace {

template <typename C>
uint32_t textLength(const C* text) {
    if (!text) return 0;
    const C* end = text;
    while (*end) ++end;
    const auto length = static_cast<uint64_t>(end - text);
    if (length > 0xFFFFFFFEu) throwOutOfMemory();
    return static_cast<uint32_t>(length);
}

template <typename C>
C* copyText(const C* text, uint32_t length) {
    C* buffer = allocateArray<C>(uint64_t{length} + 1);
    if (length) std::memcpy(buffer, text, length * sizeof(C));
    buffer[length] = 0;
    return buffer;
}

template <typename C>
bool unitsEqual(const C* a, const C* b, uint32_t count) {
    return count == 0 || std::memcmp(a, b, count * sizeof(C)) == 0;
}

// Narrow text orders its bytes as signed 8-bit values (0x80..0xFF before
// ASCII); wide text orders its units unsigned.
int unitOrder(char a, char b) {
    const auto sa = static_cast<signed char>(a);
    const auto sb = static_cast<signed char>(b);
    return sa < sb ? -1 : (sa > sb ? 1 : 0);
}
int unitOrder(char16_t a, char16_t b) { return a < b ? -1 : (a > b ? 1 : 0); }

template <typename C>
bool lexicographicLess(std::basic_string_view<C> a, std::basic_string_view<C> b) {
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        const int order = unitOrder(a[i], b[i]);
        if (order != 0) return order < 0;
    }
    return a.size() < b.size();
}

template <typename C>
int32_t findUnits(std::basic_string_view<C> hay, std::basic_string_view<C> needle, uint32_t start) {
    if (hay.size() < needle.size() + start) return -1;
    for (size_t i = start; i + needle.size() <= hay.size(); ++i) {
        if (unitsEqual(hay.data() + i, needle.data(), static_cast<uint32_t>(needle.size()))) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

template <typename C>
int32_t findLastUnits(std::basic_string_view<C> hay, std::basic_string_view<C> needle) {
    if (needle.size() > hay.size()) return -1;
    for (size_t i = hay.size() - needle.size() + 1; i-- > 0;) {
        if (unitsEqual(hay.data() + i, needle.data(), static_cast<uint32_t>(needle.size()))) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

template <typename C>
String concatenate(std::basic_string_view<C> a, std::basic_string_view<C> b) {
    const uint64_t total = uint64_t{a.size()} + b.size();
    if (total > 0xFFFFFFFEu) throwOutOfMemory();
    // Owned at once: the string made from it may run out of memory too.
    const std::unique_ptr<C[]> buffer(allocateArray<C>(total + 1));
    std::memcpy(buffer.get(), a.data(), a.size() * sizeof(C));
    std::memcpy(buffer.get() + a.size(), b.data(), b.size() * sizeof(C));
    buffer[total] = 0;
    return String(buffer.get(), 0, static_cast<uint32_t>(total));
}

}  // namespace

String::String(const char* text, bool copy) {
    const uint32_t length = textLength(text);
    if (length == 0) return;
    if (copy) {
        adoptNarrow(text, length);
    } else {
        narrow_ = const_cast<char*>(text);
        narrowValid_ = true;
        narrowLength_ = length_ = length;
    }
}

String::String(const char16_t* text, bool copy) {
    const uint32_t length = textLength(text);
    if (length == 0) return;
    if (copy) {
        adoptWide(text, length);
    } else {
        wide_ = const_cast<char16_t*>(text);
        wideValid_ = true;
        wideLength_ = length_ = length;
    }
}

String::String(const char* buffer, uint32_t start, uint32_t length) {
    if (buffer && length) adoptNarrow(buffer + start, length);
}

String::String(const char16_t* buffer, uint32_t start, uint32_t length) {
    if (buffer && length) adoptWide(buffer + start, length);
}

String::String(const String& other) { copyFrom(other); }

String::String(String&& other) noexcept {
    const bool ownsAll = (!other.narrowValid_ || other.ownsNarrow_) && (!other.wideValid_ || other.ownsWide_);
    if (!ownsAll) {
        // A borrowed buffer must not outlive its lender inside a stored string.
        try {
            copyFrom(other);
        } catch (...) {
            // Out of memory while taking over a borrowed buffer: stay empty.
        }
        return;
    }
    std::swap(wide_, other.wide_);
    std::swap(narrow_, other.narrow_);
    std::swap(narrowValid_, other.narrowValid_);
    std::swap(wideValid_, other.wideValid_);
    std::swap(length_, other.length_);
    std::swap(ownsNarrow_, other.ownsNarrow_);
    std::swap(ownsWide_, other.ownsWide_);
    std::swap(narrowLength_, other.narrowLength_);
    std::swap(wideLength_, other.wideLength_);
}

String::~String() { release(); }

String& String::operator=(const String& other) {
    if (this != &other) {
        String copy(other);  // the target keeps its text if the copy throws
        *this = std::move(copy);
    }
    return *this;
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) {
        release();
        new (this) String(std::move(other));
    }
    return *this;
}

String String::fromUtf8(std::string_view text) {
    if (text.size() > 0xFFFFFFFEu) throwOutOfMemory();
    return String(text.data(), 0, static_cast<uint32_t>(text.size()));
}

String String::fromUtf16(std::u16string_view text) {
    if (text.size() > 0xFFFFFFFEu) throwOutOfMemory();
    return String(text.data(), 0, static_cast<uint32_t>(text.size()));
}

void String::borrowUtf8(const char* text, uint32_t length) {
    release();
    if (length == 0) return;
    narrow_ = const_cast<char*>(text);
    narrowValid_ = true;
    narrowLength_ = length_ = length;
}

String String::adoptUtf8(char* text, uint32_t length) {
    String adopted;
    adopted.narrow_ = text;
    adopted.narrowValid_ = adopted.ownsNarrow_ = true;
    adopted.narrowLength_ = adopted.length_ = length;
    return adopted;  // owned buffers move by swapping, so no copy either way
}

void String::release() {
    if (ownsNarrow_) delete[] narrow_;
    if (ownsWide_) delete[] wide_;
    wide_ = nullptr;
    narrow_ = nullptr;
    narrowValid_ = wideValid_ = ownsNarrow_ = ownsWide_ = false;
    length_ = narrowLength_ = wideLength_ = 0;
}

void String::copyFrom(const String& other) {
    if (other.narrowValid_) {
        adoptNarrow(other.narrow_, other.narrowLength_);
    } else if (other.wideValid_) {
        adoptWide(other.wide_, other.wideLength_);
    }
}

void String::adoptNarrow(const char* text, uint32_t length) {
    narrow_ = copyText(text, length);
    narrowValid_ = ownsNarrow_ = true;
    narrowLength_ = length_ = length;
}

void String::adoptWide(const char16_t* text, uint32_t length) {
    wide_ = copyText(text, length);
    wideValid_ = ownsWide_ = true;
    wideLength_ = length_ = length;
}

const char* String::chars() const {
    if (narrowValid_) return narrow_;
    if (!wideValid_) return "";
    const std::string utf8 = platform::utf16ToUtf8(std::u16string_view(wide_, wideLength_));
    narrow_ = copyText(utf8.data(), static_cast<uint32_t>(utf8.size()));
    narrowLength_ = static_cast<uint32_t>(utf8.size());
    narrowValid_ = ownsNarrow_ = true;
    return narrow_;
}

const char16_t* String::wideChars() const {
    if (wideValid_) return wide_;
    if (!narrowValid_) return u"";
    const std::u16string utf16 = platform::utf8ToUtf16(std::string_view(narrow_, narrowLength_));
    wide_ = copyText(utf16.data(), static_cast<uint32_t>(utf16.size()));
    wideLength_ = static_cast<uint32_t>(utf16.size());
    wideValid_ = ownsWide_ = true;
    return wide_;
}

uint32_t String::narrowLength() const {
    chars();
    return narrowLength_;
}

uint32_t String::wideLength() const {
    wideChars();
    return wideLength_;
}

std::string_view String::narrowView() const {
    const char* text = chars();
    return std::string_view(text, narrowLength_);
}

std::u16string_view String::wideView() const {
    const char16_t* text = wideChars();
    return std::u16string_view(text, wideLength_);
}

bool String::operator==(const String& other) const {
    if (length_ == 0 && other.length_ == 0) return true;
    if (other.narrowValid_) return narrowView() == other.narrowView();
    return wideView() == other.wideView();
}

bool String::operator==(const char* text) const { return *this == String(text, false); }

bool String::operator==(const char16_t* text) const { return *this == String(text, false); }

bool String::operator<(const String& other) const {
    if (length_ == 0) return other.length_ != 0;
    if (other.narrowValid_) return lexicographicLess(narrowView(), other.narrowView());
    return lexicographicLess(wideView(), other.wideView());
}

int String::compare(const String& other) const {
    if (*this < other) return -1;
    return *this == other ? 0 : 1;
}

String String::operator+(const String& other) const {
    if (length_ == 0) return other;
    if (other.length_ == 0) return *this;
    if (other.narrowValid_) return concatenate(narrowView(), other.narrowView());
    return concatenate(wideView(), other.wideView());
}

String String::operator+(char c) const { return *this + String(&c, 0, 1); }
String String::operator+(char16_t c) const { return *this + String(&c, 0, 1); }
String String::operator+(const char* text) const { return *this + String(text, false); }
String String::operator+(const char16_t* text) const { return *this + String(text, false); }

String& String::operator+=(const String& other) { return *this = *this + other; }
String& String::operator+=(char c) { return *this = *this + c; }
String& String::operator+=(char16_t c) { return *this = *this + c; }
String& String::operator+=(const char* text) { return *this = *this + text; }
String& String::operator+=(const char16_t* text) { return *this = *this + text; }

int32_t String::find(const String& needle, uint32_t start) const {
    if (needle.narrowValid_) return findUnits(narrowView(), needle.narrowView(), start);
    return findUnits(wideView(), needle.wideView(), start);
}

int32_t String::find(char c, uint32_t start) const { return find(String(&c, 0, 1), start); }
int32_t String::find(char16_t c, uint32_t start) const { return find(String(&c, 0, 1), start); }
int32_t String::find(const char* text, uint32_t start) const { return find(String(text, false), start); }
int32_t String::find(const char16_t* text, uint32_t start) const {
    return find(String(text, false), start);
}

int32_t String::findLast(const String& needle) const {
    if (needle.length_ == 0) return static_cast<int32_t>(length_);
    if (needle.narrowValid_) return findLastUnits(narrowView(), needle.narrowView());
    return findLastUnits(wideView(), needle.wideView());
}

int32_t String::findLast(char c) const { return findLast(String(&c, 0, 1)); }
int32_t String::findLast(char16_t c) const { return findLast(String(&c, 0, 1)); }
int32_t String::findLast(const char* text) const { return findLast(String(text, false)); }
int32_t String::findLast(const char16_t* text) const { return findLast(String(text, false)); }

bool String::matchesAt(const char* text, uint32_t offset, uint32_t count) const {
    if (uint64_t{offset} + count > narrowLength()) return false;
    return count == 0 || (text && unitsEqual(narrow_ + offset, text, count));
}

bool String::matchesAt(const char16_t* text, uint32_t offset, uint32_t count) const {
    if (uint64_t{offset} + count > wideLength()) return false;
    return count == 0 || (text && unitsEqual(wide_ + offset, text, count));
}

String String::substring(uint32_t start, uint32_t count) const {
    const bool narrow = narrowValid_;
    const uint32_t length = narrow ? narrowLength_ : wideLength_;
    if (start >= length) return String();
    if (count > length - start) count = length - start;
    return narrow ? String(narrow_, start, count) : String(wide_, start, count);
}

}  // namespace DWFUtil
