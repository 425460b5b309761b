#include "support/bytes.h"

#include <sys/wait.h>

#include <cstdio>

namespace testsupport {

std::string le(int64_t value, int size) {
    std::string out;
    for (int at = 0; at < size; ++at) out.push_back(static_cast<char>((value >> (8 * at)) & 0xFF));
    return out;
}

uint32_t get16(const std::string& bytes, size_t at) {
    return uint32_t{static_cast<uint8_t>(bytes.at(at))} | uint32_t{static_cast<uint8_t>(bytes.at(at + 1))} << 8;
}

uint32_t get32(const std::string& bytes, size_t at) { return get16(bytes, at) | get16(bytes, at + 2) << 16; }

void set16(std::string& bytes, size_t at, uint32_t value) { bytes.replace(at, 2, le(value, 2)); }

void set32(std::string& bytes, size_t at, uint32_t value) { bytes.replace(at, 4, le(value, 4)); }

uint32_t crcOf(const std::string& bytes, uint32_t crc) {
    return static_cast<uint32_t>(
        crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

std::string deflateRaw(const std::string& content, int flush) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
    std::string out(deflateBound(&z, static_cast<uLong>(content.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    z.avail_in = static_cast<uInt>(content.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, flush);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return rc == Z_OK || rc == Z_STREAM_END ? out : std::string();
}

std::string inflateRaw(const std::string& compressed, size_t size) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return "<inflate failed>";
    std::string out(size, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    return rc == Z_STREAM_END ? out : std::string("<inflate failed>");
}

std::string repeat(const std::string& text, size_t count) {
    std::string out;
    out.reserve(text.size() * count);
    for (size_t i = 0; i < count; ++i) out += text;
    return out;
}

std::string noise(size_t size, uint32_t seed) {
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return out;
}

std::string sampleContent(size_t size, uint32_t seed) {
    std::string out = noise(size, seed);
    for (size_t i = 0; i < size; ++i) {
        if ((i / 64) % 3 == 0) out[i] = static_cast<char>('a' + i % 26);
    }
    return out;
}

::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
    return ::testing::AssertionFailure() << actual.size() << " bytes instead of " << expected.size()
                                         << ", first difference at " << at << ": \"" << actual.substr(at, 24)
                                         << "\"";
}

std::string runCommand(const std::string& command, int* status) {
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

int exitStatus(const std::string& command) {
    int status = -1;
    runCommand(command, &status);
    return status;
}

}  // namespace testsupport
