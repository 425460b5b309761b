// Helpers of the package tests: library text, the code a call throws, and
// archives read back entry by entry through the ZIP reader.
#ifndef DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H
#define DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "model/util/string.h"
#include "package/zip/archive_reader.h"
#include "platform/unicode.h"

namespace packagetest {

inline DWFUtil::String str(const std::string& text) { return DWFUtil::String::fromUtf8(text); }
inline std::u16string wide(const std::string& path) { return platform::utf8ToUtf16(path); }

inline DWF::DwfResult::Enum thrownBy(const std::function<void()>& call) {
    try {
        call();
    } catch (DWF::DwfResult::Enum rc) {
        return rc;
    }
    return DWF::DwfResult::Success;
}

// Opens the current entry, reads it whole and closes it; a failure ends the
// text with "#open<code>", "#<code>" or "#close<code>".
inline std::string readCurrent(DWFZip::ArchiveReader& reader, const char* password = "", uint32_t piece = 1000) {
    const int32_t rc = reader.openEntry(password);
    if (rc != 0) return "#open" + std::to_string(rc);
    std::string out;
    std::vector<char> buffer(piece);
    int32_t n;
    while ((n = reader.readEntry(buffer.data(), piece)) > 0) out.append(buffer.data(), static_cast<size_t>(n));
    if (n < 0) out += "#" + std::to_string(n);
    const int32_t closed = reader.closeEntry();
    return closed == 0 ? out : out + "#close" + std::to_string(closed);
}

// The entry names of an archive in directory order, each followed by a space.
inline std::string entryNames(const std::string& path) {
    std::string names;
    auto reader = DWFZip::ArchiveReader::open(wide(path));
    EXPECT_TRUE(reader);
    for (int32_t rc = reader ? reader->firstEntry() : -1; rc == 0; rc = reader->nextEntry()) {
        char name[256] = {};
        reader->entryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
        names = names + name + " ";
    }
    return names;
}

// An entry read whole, "<missing>" when it is not there.
inline std::string entryContent(const std::string& path, const std::string& name, const char* password = "") {
    auto reader = DWFZip::ArchiveReader::open(wide(path));
    if (!reader || reader->locateEntry(name.c_str(), 1) != 0) return "<missing>";
    return readCurrent(*reader, password, 4096);
}

}  // namespace packagetest

#endif  // DWFPLOT_TESTS_PACKAGE_PACKAGE_TEST_SUPPORT_H
