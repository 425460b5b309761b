// Writes a ZIP container, optionally behind the 12-byte DWF header, in one
// forward pass: each entry's local header, its data, and at the end the
// central directory (kept in memory until then) and the end record. One
// entry is open at a time; the local header of each entry is rewritten with
// its final CRC and sizes when the entry closes.
#ifndef DWFPLOT_PACKAGE_ZIP_ARCHIVE_WRITER_H
#define DWFPLOT_PACKAGE_ZIP_ARCHIVE_WRITER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "package/zip/dos_time.h"
#include "package/zip/entry_output.h"
#include "package/zip/zip_records.h"
#include "platform/file.h"

namespace DWFZip {

// What a caller may say about an entry's file instead of taking the local
// time now and the default attributes.
struct ArchiveEntryFileInfo {
    ArchiveTime time;              // used when dosDateTime is 0
    uint32_t dosDateTime = 0;      // ready-made, date << 16 | time
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
};

class ArchiveWriter {
public:
    // Creates (truncates) the file, or with `append` adds after its present
    // content; writes the DWF header for a version of 600 or more. Null when
    // the file cannot be opened or the header not written.
    static std::unique_ptr<ArchiveWriter> create(std::u16string_view path, bool append,
                                                 int32_t dwfVersion);
    // Finishes the archive as close(nullptr) would, if that has not happened.
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    // Closes an entry still open, then starts one. A null name is written as
    // "-"; method 0 (stored) or 8 (deflated); a non-empty password encrypts.
    int32_t openEntry(const char* name, const ArchiveEntryFileInfo* info,
                      std::span<const uint8_t> localExtra, std::span<const uint8_t> centralExtra,
                      const char* comment, int32_t method, int32_t level, const char* password);
    int32_t writeEntry(const void* bytes, size_t count);
    int32_t closeEntry();
    // Closes an open entry, writes the central directory and end record and
    // closes the file; returns the first failure. Later calls are refused.
    int32_t close(const char* comment);

private:
    explicit ArchiveWriter(platform::UniqueFd file);

    int32_t startEntry(std::string_view name, const ArchiveEntryFileInfo* info,
                       std::span<const uint8_t> localExtra, std::span<const uint8_t> centralExtra,
                       std::string_view comment, uint16_t method, int32_t level,
                       std::string_view password);
    int32_t finishEntry();
    int32_t rewriteLocalSizes();
    int32_t writeDirectory(std::string_view comment);

    platform::UniqueFd file_;
    std::vector<uint8_t> directory_;
    uint32_t entryCount_ = 0;
    // The open entry: its central header, built at open and completed at
    // close, with name, extra field and comment behind it.
    std::unique_ptr<EntryOutput> entry_;
    CentralHeader entryHeader_;
    std::vector<uint8_t> entryTail_;
    uint64_t entryLocalPosition_ = 0;
};

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ARCHIVE_WRITER_H
