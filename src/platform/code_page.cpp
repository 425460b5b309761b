#include "platform/code_page.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <cstring>

#include "platform/unicode.h"

namespace platform {
namespace {

bool isUtf8(const std::string& codeset) {
    return codeset == "UTF-8" || codeset == "utf8" || codeset == "UTF8" || codeset == "utf-8";
}

bool isAscii(const std::string& codeset) {
    return codeset.empty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII" ||
           codeset == "US-ASCII" || codeset == "POSIX" || codeset == "C";
}

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (ok()) iconv_close(cd_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Runs iconv over the whole input. On an undecodable sequence `onInvalid`
// writes a substitute into the output and the input skips `skip` bytes.
template <typename OnInvalid>
std::string runIconv(IconvHandle& cd, std::string_view input, size_t skip, OnInvalid onInvalid) {
    std::string out;
    char buffer[4096];
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof buffer;
        const size_t r = iconv(cd.get(), &in, &inLeft, &o, &oLeft);
        out.append(buffer, static_cast<size_t>(o - buffer));
        if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
        onInvalid(out);
        const size_t step = inLeft < skip ? inLeft : skip;
        in += step;
        inLeft -= step;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    char* o = buffer;
    size_t oLeft = sizeof buffer;
    iconv(cd.get(), nullptr, nullptr, &o, &oLeft);  // flush any shift state
    out.append(buffer, static_cast<size_t>(o - buffer));
    return out;
}

std::u16string fromUtf16LeBytes(const std::string& bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    return out;
}

std::string toUtf16LeBytes(std::u16string_view text) {
    std::string bytes(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return bytes;
}

}  // namespace

const std::string& activeCodeset() {
    static const std::string codeset = [] {
        const char* name = nl_langinfo(CODESET);
        std::string value = name ? name : "";
        return isAscii(value) ? std::string("UTF-8") : value;
    }();
    return codeset;
}

std::u16string codesetToUtf16(std::string_view narrow, const std::string& codeset) {
    if (isUtf8(codeset) || isAscii(codeset)) return utf8ToUtf16(narrow);
    IconvHandle cd("UTF-16LE", codeset.c_str());
    if (!cd.ok()) return utf8ToUtf16(narrow);
    const std::string bytes = runIconv(cd, narrow, 1, [](std::string& out) {
        out += '\xFD';
        out += '\xFF';
    });
    // Lone surrogates from a lenient converter are mended here as well.
    return utf8ToUtf16(utf16ToUtf8(fromUtf16LeBytes(bytes)));
}

std::string utf16ToCodeset(std::u16string_view utf16, const std::string& codeset) {
    if (isUtf8(codeset) || isAscii(codeset)) return utf16ToUtf8(utf16);
    IconvHandle cd(codeset.c_str(), "UTF-16LE");
    if (!cd.ok()) return utf16ToUtf8(utf16);
    // Lone surrogates are replaced first so that iconv sees only whole characters.
    std::u16string clean;
    for (size_t pos = 0; pos < utf16.size();) appendUtf16(clean, decodeUtf16(utf16, pos));
    return runIconv(cd, toUtf16LeBytes(clean), 2, [](std::string& out) { out += '?'; });
}

std::u16string activeCodePageToUtf16(std::string_view narrow) {
    return codesetToUtf16(narrow, activeCodeset());
}

std::string utf16ToActiveCodePage(std::u16string_view utf16) {
    return utf16ToCodeset(utf16, activeCodeset());
}

}  // namespace platform
