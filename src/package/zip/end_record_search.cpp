#include "package/zip/end_record_search.h"

#include <algorithm>
#include <vector>

#include "package/zip/archive_result.h"
#include "package/zip/zip_records.h"
#include "platform/file.h"

namespace DWFZip {

int32_t findEndRecord(int fd, uint64_t fileSize, uint64_t& position) {
    if (fileSize < kEndRecordSize) return ArchiveBadFormat;
    const uint64_t span = std::min(fileSize, kEndRecordSearchSpan);
    const uint64_t start = fileSize - span;
    std::vector<uint8_t> tail(static_cast<size_t>(span));
    if (!platform::readAt(fd, tail.data(), tail.size(), start)) return ArchiveIoError;
    for (size_t i = tail.size() - 4 + 1; i-- > 0;) {
        if (tail[i] == 'P' && tail[i + 1] == 'K' && tail[i + 2] == 5 && tail[i + 3] == 6) {
            position = start + i;
            return ArchiveOk;
        }
    }
    return ArchiveBadFormat;
}

}  // namespace DWFZip
