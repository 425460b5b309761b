// Result codes of the ZIP container components. Operations return these (or,
// for a failure inside zlib, zlib's own negative code); readEntry returns a
// byte count when it succeeds.
#ifndef DWFPLOT_PACKAGE_ZIP_ARCHIVE_RESULT_H
#define DWFPLOT_PACKAGE_ZIP_ARCHIVE_RESULT_H

#include <cstdint>

namespace DWFZip {

enum ArchiveResult : int32_t {
    ArchiveOk = 0,
    ArchiveIoError = -1,
    ArchiveEndOfList = -100,
    ArchiveBadParameter = -102,
    ArchiveBadFormat = -103,
    ArchiveNoMemory = -104,
    ArchiveCrcMismatch = -105,
    ArchiveBadPassword = -106,
};

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ARCHIVE_RESULT_H
