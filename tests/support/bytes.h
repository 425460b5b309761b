// Bytes as the tests put them together and take them apart: little-endian fields, CRC and raw deflate as ZIP
// holds them, sample contents, and a comparison that says where two blobs differ rather than dumping them.
#ifndef DWFPLOT_TESTS_SUPPORT_BYTES_H
#define DWFPLOT_TESTS_SUPPORT_BYTES_H

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>

namespace testsupport {

// The low `size` bytes of `value`, least significant first.
std::string le(int64_t value, int size);
uint32_t get16(const std::string& bytes, size_t at);
uint32_t get32(const std::string& bytes, size_t at);
void set16(std::string& bytes, size_t at, uint32_t value);
void set32(std::string& bytes, size_t at, uint32_t value);

// A little-endian byte string built field by field.
class Bytes {
public:
    Bytes& u16(uint32_t value) { return raw(le(value, 2)); }
    Bytes& u32(uint32_t value) { return raw(le(value, 4)); }
    Bytes& raw(const std::string& bytes) {
        bytes_ += bytes;
        return *this;
    }
    const std::string& str() const { return bytes_; }
    operator const std::string&() const { return bytes_; }

private:
    std::string bytes_;
};

uint32_t crcOf(const std::string& bytes, uint32_t crc = 0);
// Raw deflate, as ZIP entries hold it. A full flush ends on a block that refers to nothing before it, so
// copies of it may follow each other.
std::string deflateRaw(const std::string& content, int flush = Z_FINISH);
// The inflated bytes, or "<inflate failed>".
std::string inflateRaw(const std::string& compressed, size_t size);

// `count` copies of `text` one after the other.
std::string repeat(const std::string& text, size_t count);
// Incompressible bytes: deflate keeps them in stored blocks.
std::string noise(size_t size, uint32_t seed);
// Runs of letters between noise, so that deflate has work to do.
std::string sampleContent(size_t size, uint32_t seed);

// Equal bytes; on a difference only the sizes and the first differing offset are reported.
::testing::AssertionResult sameBytes(const std::string& actual, const std::string& expected);

// Runs a shell command; its output (standard error included) and exit status; or only the status.
std::string runCommand(const std::string& command, int* status);
int exitStatus(const std::string& command);

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_BYTES_H
