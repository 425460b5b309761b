// Finding the end of central directory record, which sits behind the
// directory and before an archive comment of up to 65535 bytes.
#ifndef DWFPLOT_PACKAGE_ZIP_END_RECORD_SEARCH_H
#define DWFPLOT_PACKAGE_ZIP_END_RECORD_SEARCH_H

#include <cstdint>

namespace DWFZip {

// Bytes at the end of a file in which the record's signature is looked for.
inline constexpr uint64_t kEndRecordSearchSpan = 65535;

// The position of the signature nearest the end of the file among the last
// 65535 bytes. ArchiveOk, ArchiveBadFormat when there is none or the file is
// too short to hold a record, or ArchiveIoError.
int32_t findEndRecord(int fd, uint64_t fileSize, uint64_t& position);

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_END_RECORD_SEARCH_H
