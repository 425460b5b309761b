// Packages for the reader tests, made without the package writer: entries
// written one by one with the ZIP archive writer (behind any 12 bytes the
// test chooses), or by the Info-ZIP `zip` tool.
#ifndef DWFPLOT_TESTS_PACKAGE_READER_PACKAGE_FILES_H
#define DWFPLOT_TESTS_PACKAGE_READER_PACKAGE_FILES_H

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/util/string.h"
#include "package/zip/archive_writer.h"
#include "platform/unicode.h"
#include "support/temp_dir_test.h"

namespace readertest {

struct Entry {
    std::string name;
    std::string content;
    int32_t method = 8;
};

// A ZIP archive of `entries`; version 600 puts the DWF header in front.
inline void writeArchive(const std::string& path, const std::vector<Entry>& entries, int32_t version = 600,
                         const char* password = "") {
    auto writer = DWFZip::ArchiveWriter::create(platform::utf8ToUtf16(path), false, version);
    ASSERT_TRUE(writer);
    for (const Entry& e : entries) {
        ASSERT_EQ(writer->openEntry(e.name.c_str(), nullptr, {}, {}, nullptr, e.method, -1, password), 0);
        ASSERT_EQ(writer->writeEntry(e.content.data(), e.content.size()), 0);
        ASSERT_EQ(writer->closeEntry(), 0);
    }
    ASSERT_EQ(writer->close(nullptr), 0);
}

// An archive without DWF header, with `prefix` put in front of it later:
// its offsets do not count the prefix, as with a header added by another tool.
inline void writePrefixedArchive(const std::string& path, const std::string& prefix,
                                 const std::vector<Entry>& entries) {
    writeArchive(path, entries, 0);
    testsupport::writeFile(path, prefix + testsupport::readFile(path));
}

inline uint32_t get32(const std::string& s, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(s.at(at + i));
    return v;
}
inline void set32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.at(at + i) = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline DWFUtil::String str(const std::string& text) { return DWFUtil::String::fromUtf8(text); }

// Incompressible bytes: deflate keeps them in stored blocks.
inline std::string noise(size_t size, uint32_t seed) {
    std::string out(size, '\0');
    for (char& c : out) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 16);
    }
    return out;
}

}  // namespace readertest

#endif  // DWFPLOT_TESTS_PACKAGE_READER_PACKAGE_FILES_H
