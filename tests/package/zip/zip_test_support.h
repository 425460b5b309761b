// Helpers of the ZIP tests: little-endian fields, raw deflate, archives
// written byte by byte without the library, an independent copy of the
// traditional cipher, and running the Info-ZIP tools.
#ifndef DWFPLOT_TESTS_PACKAGE_ZIP_ZIP_TEST_SUPPORT_H
#define DWFPLOT_TESTS_PACKAGE_ZIP_ZIP_TEST_SUPPORT_H

#include <sys/wait.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "package/zip/archive_reader.h"
#include "platform/unicode.h"

namespace ziptest {

inline std::u16string wide(const std::string& path) { return platform::utf8ToUtf16(path); }

inline uint32_t get16(const std::string& s, size_t at) {
    return uint32_t{static_cast<uint8_t>(s.at(at))} | uint32_t{static_cast<uint8_t>(s.at(at + 1))} << 8;
}
inline uint32_t get32(const std::string& s, size_t at) { return get16(s, at) | get16(s, at + 2) << 16; }
inline void set16(std::string& s, size_t at, uint32_t v) {
    s.at(at) = static_cast<char>(v & 0xFF);
    s.at(at + 1) = static_cast<char>((v >> 8) & 0xFF);
}
inline void set32(std::string& s, size_t at, uint32_t v) {
    set16(s, at, v & 0xFFFF);
    set16(s, at + 2, v >> 16);
}
inline void add16(std::string& s, uint32_t v) { s.append(2, '\0'), set16(s, s.size() - 2, v); }
inline void add32(std::string& s, uint32_t v) { s.append(4, '\0'), set32(s, s.size() - 4, v); }

inline uint32_t crcOf(const std::string& s) {
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

// Raw deflate (no zlib wrapper) and its inverse, as ZIP entries hold them.
inline std::string rawDeflate(const std::string& in) {
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(in.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}
inline std::string rawInflate(const std::string& in, size_t size) {
    z_stream z{};
    inflateInit2(&z, -15);
    std::string out(size, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string("<inflate failed>");
}

// The traditional PKWARE cipher, written again here so that the library's
// copy is checked against something it does not share code with.
class Keys {
public:
    explicit Keys(const std::string& password) {
        for (char c : password) update(static_cast<uint8_t>(c));
    }
    std::string encrypt(std::string data) {
        for (char& c : data) {
            const uint8_t plain = static_cast<uint8_t>(c);
            c = static_cast<char>(plain ^ stream());
            update(plain);
        }
        return data;
    }
    std::string decrypt(std::string data) {
        for (char& c : data) {
            c = static_cast<char>(static_cast<uint8_t>(c) ^ stream());
            update(static_cast<uint8_t>(c));
        }
        return data;
    }

private:
    static uint32_t crcByte(uint32_t crc, uint8_t b) {
        crc ^= b;
        for (int i = 0; i < 8; ++i) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        return crc;
    }
    uint8_t stream() const {
        const uint32_t t = (k_[2] & 0xFFFF) | 2;
        return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
    }
    void update(uint8_t b) {
        k_[0] = crcByte(k_[0], b);
        k_[1] = (k_[1] + (k_[0] & 0xFF)) * 134775813u + 1;
        k_[2] = crcByte(k_[2], static_cast<uint8_t>(k_[1] >> 24));
    }
    uint32_t k_[3] = {305419896u, 591751049u, 878082192u};
};

// One entry of a hand-written archive.
struct RawEntry {
    std::string name;
    std::string content;
    uint16_t method = 8;
    std::string localExtra;
    std::string centralExtra;
    std::string password;  // non-empty: encrypted with a fixed header
};

// A hand-written archive and where its records are.
struct RawArchive {
    std::string bytes;
    std::vector<size_t> local;
    std::vector<size_t> central;
    size_t end = 0;
};

inline RawArchive buildArchive(const std::vector<RawEntry>& entries, const std::string& prefix = "") {
    RawArchive a;
    a.bytes = prefix;
    std::string directory;
    for (const RawEntry& e : entries) {
        std::string data = e.method == 8 ? rawDeflate(e.content) : e.content;
        const uint16_t flags = e.password.empty() ? 0 : 1;
        if (!e.password.empty()) {
            // The last header byte is the CRC's high byte: no data descriptor.
            std::string header = "0123456789A" + std::string(1, static_cast<char>(crcOf(e.content) >> 24));
            data = Keys(e.password).encrypt(header + data);
        }
        std::string fixed;  // the fields both headers share, from "version needed" on
        add16(fixed, 20), add16(fixed, flags), add16(fixed, e.method), add32(fixed, 0x58B16A5Au);
        add32(fixed, crcOf(e.content)), add32(fixed, static_cast<uint32_t>(data.size()));
        add32(fixed, static_cast<uint32_t>(e.content.size())), add16(fixed, static_cast<uint32_t>(e.name.size()));
        a.local.push_back(a.bytes.size());
        add32(directory, 0x02014B50), add16(directory, 20);
        directory += fixed;
        add16(directory, static_cast<uint32_t>(e.centralExtra.size())), add16(directory, 0), add16(directory, 0);
        add16(directory, 0), add32(directory, 0x20), add32(directory, static_cast<uint32_t>(a.local.back()));
        directory += e.name + e.centralExtra;
        add32(a.bytes, 0x04034B50);
        a.bytes += fixed;
        add16(a.bytes, static_cast<uint32_t>(e.localExtra.size()));
        a.bytes += e.name + e.localExtra + data;
    }
    const size_t directoryOffset = a.bytes.size();
    size_t at = directoryOffset;
    for (const RawEntry& e : entries) {
        a.central.push_back(at);
        at += 46 + e.name.size() + e.centralExtra.size();
    }
    a.bytes += directory;
    a.end = a.bytes.size();
    add32(a.bytes, 0x06054B50), add32(a.bytes, 0);
    add16(a.bytes, static_cast<uint32_t>(entries.size())), add16(a.bytes, static_cast<uint32_t>(entries.size()));
    add32(a.bytes, static_cast<uint32_t>(directory.size())), add32(a.bytes, static_cast<uint32_t>(directoryOffset));
    add16(a.bytes, 0);
    return a;
}

// Reads the open entry to its end; a negative code ends the text with "#code".
inline std::string readRest(DWFZip::ArchiveReader& reader, uint32_t piece = 1000) {
    std::string out;
    std::vector<char> buffer(piece);
    for (;;) {
        const int32_t n = reader.readEntry(buffer.data(), piece);
        if (n < 0) return out + "#" + std::to_string(n);
        if (n == 0) return out;
        out.append(buffer.data(), static_cast<size_t>(n));
    }
}

// Runs a shell command; its output (standard error included) and exit status.
inline std::string run(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        *status = -1;
        return out;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    const int rc = pclose(pipe);
    *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

// Equal bytes; on a difference only sizes and the first differing offset
// are reported, not kilobytes of binary.
inline ::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                         << ", first difference at " << at << ": \""
                                         << actual.substr(at, 24) << "\"";
}

// Content with repeats and variety, so that deflate has work to do.
inline std::string sampleContent(size_t size, uint32_t seed) {
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        s[i] = (i / 64) % 3 == 0 ? static_cast<char>('a' + i % 26) : static_cast<char>(seed >> 16);
    }
    return s;
}

}  // namespace ziptest

#endif  // DWFPLOT_TESTS_PACKAGE_ZIP_ZIP_TEST_SUPPORT_H
