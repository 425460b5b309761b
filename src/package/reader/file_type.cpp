#include "package/reader/file_type.h"

#include <cstring>

namespace DWFReader {
namespace {

bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// "mm.nn)" at offset 6: the only form of version a header may carry.
bool readHeaderVersion(const uint8_t* header, int32_t& version) {
    const uint8_t* v = header + 6;
    if (!isDigit(v[0]) || !isDigit(v[1]) || v[2] != '.' || !isDigit(v[3]) || !isDigit(v[4]) ||
        v[5] != ')') {
        return false;
    }
    const int32_t major = (v[0] - '0') * 10 + (v[1] - '0');
    const int32_t minor = (v[3] - '0') * 10 + (v[4] - '0');
    version = major * 100 + minor;
    return true;
}

}  // namespace

DwfFileType classifyFileHeader(const uint8_t* header, size_t size, int32_t& version) {
    version = -1;
    if (header == nullptr || size < kFileHeaderSize) return UnknownType;
    const bool dwf = std::memcmp(header, "(DWF V", 6) == 0;
    const bool w2d = std::memcmp(header, "(W2D V", 6) == 0;
    if (dwf || w2d) {
        if (!readHeaderVersion(header, version)) {
            version = -1;
            return UnknownType;
        }
        if (dwf) return version >= 600 ? DwfPackage : LegacyDwf;
        return version >= 600 ? W2dStream : UnknownType;
    }
    static const uint8_t kLocalHeaderSignature[4] = {0x50, 0x4B, 0x03, 0x04};
    if (std::memcmp(header, kLocalHeaderSignature, 4) == 0) return ZipArchive;
    return UnknownType;
}

}  // namespace DWFReader
