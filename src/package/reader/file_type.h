// What the first 12 bytes of a file say it is: a DWF 6 package, a bare W2D
// stream, a single-stream DWF of an older edition, a plain ZIP archive, or
// something else.
#ifndef DWFPLOT_PACKAGE_READER_FILE_TYPE_H
#define DWFPLOT_PACKAGE_READER_FILE_TYPE_H

#include <cstddef>
#include <cstdint>

namespace DWFReader {

enum DwfFileType : int32_t {
    DwfPackage = 0,   // "(DWF Vmm.nn)", version 600 or more; the ZIP container follows
    W2dStream = 1,    // "(W2D Vmm.nn)", version 600 or more
    LegacyDwf = 2,    // "(DWF Vmm.nn)" below 600
    ZipArchive = 3,   // no DWF header, but a ZIP local header signature
    UnknownType = 4,  // anything else, a W2D header below 600 included
};

inline constexpr size_t kFileHeaderSize = 12;

// Classifies the first `size` bytes of a file (fewer than 12: unknown).
// `version` becomes major * 100 + minor where the header carries the two
// two-digit numbers, and -1 where it carries none.
DwfFileType classifyFileHeader(const uint8_t* header, size_t size, int32_t& version);

}  // namespace DWFReader

#endif  // DWFPLOT_PACKAGE_READER_FILE_TYPE_H
