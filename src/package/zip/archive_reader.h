// Random access to the entries of a ZIP container, DWF header or other
// preceding bytes allowed. The whole central directory is checked when the
// archive opens: every record inside the directory, every entry's data
// inside the part of the file before the directory and apart from the other
// entries, no size that would need ZIP64 and none the data could not
// produce. One entry is current; one may be open for reading.
#ifndef DWFPLOT_PACKAGE_ZIP_ARCHIVE_READER_H
#define DWFPLOT_PACKAGE_ZIP_ARCHIVE_READER_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "package/zip/dos_time.h"
#include "package/zip/entry_index.h"
#include "package/zip/entry_input.h"
#include "package/zip/zip_records.h"
#include "platform/failure.h"
#include "platform/file.h"

namespace DWFZip {

// The current entry's central header, and where its bytes are in the file.
struct ArchiveEntryInfo {
    uint16_t versionMadeBy = 0;
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t dosDateTime = 0;  // date << 16 | time
    ArchiveTime time;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;  // the encryption header included
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint16_t diskNumberStart = 0;
    uint16_t internalAttributes = 0;
    uint32_t externalAttributes = 0;
    // Positions in the file, preceding bytes counted. The data starts after
    // the local header's own name and extra field (with the encryption
    // header, when there is one).
    uint64_t localHeaderPosition = 0;
    uint64_t dataPosition = 0;
};

class ArchiveReader {
public:
    // Null when the file cannot be read or is not an archive this reader
    // accepts, with why in `failure` when one is given; std::bad_alloc, not
    // null, when memory runs out, so that the caller does not report a
    // missing file. The first entry is current.
    static std::unique_ptr<ArchiveReader> open(std::u16string_view path, platform::Failure* failure = nullptr);
    ~ArchiveReader() = default;
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    int32_t firstEntry();
    int32_t nextEntry();
    // Case sensitivity 1 compares bytes; 0 and 2 fold ASCII letters. Leading
    // '/' and '\' are ignored and '/' matches '\'.
    // Answered from the directory read at open; among entries of the same
    // name the first in the directory is found.
    int32_t locateEntry(const char* name, int32_t caseSensitivity = 0);
    // Copies as much of name, extra field and comment as each buffer holds;
    // a buffer with room to spare gets a terminating zero.
    int32_t entryInfo(ArchiveEntryInfo* info, char* name, size_t nameSize, void* extra,
                      size_t extraSize, char* comment, size_t commentSize);
    int32_t openEntry(const char* password);
    // Bytes read (0 at the end of the entry) or a negative code.
    int32_t readEntry(void* buffer, uint32_t size);
    int32_t closeEntry();
    int32_t close();
    // The archive's descriptor; entries are read with pread, so its file
    // position is the caller's to use.
    int fileHandle() const { return file_.get(); }

    uint32_t entryCount() const { return entryCount_; }
    // Bytes in front of the archive proper that its offsets do not count.
    uint64_t precedingBytes() const { return shift_; }
    // Where and why the archive or an entry was last refused: the byte of
    // the file, the entry, what was wrong. Each entry operation starts it
    // afresh.
    const platform::Failure& failure() const { return failure_; }

private:
    ArchiveReader(platform::UniqueFd file, uint64_t fileSize);

    class DirectoryReader;

    int32_t readDirectory();
    int32_t checkEntries();
    int32_t readCentralHeader(DirectoryReader& directory, uint64_t position, CentralHeader& header);
    void makeCurrent(uint32_t index);
    int32_t locateData(LocalHeader& local, uint64_t& dataStart);
    int32_t copyField(uint64_t position, uint16_t length, void* buffer, size_t size) const;
    int32_t openCurrent(std::string_view password);
    uint64_t entryLimit(uint64_t localPosition) const;
    int32_t refuse(int32_t code, uint64_t offset, std::string_view entry, const char* text);
    int32_t refuseCurrent(int32_t code, uint64_t offset, const char* text);

    platform::UniqueFd file_;
    uint64_t fileSize_;
    uint64_t directoryStart_ = 0;
    uint64_t directoryEnd_ = 0;
    uint64_t shift_ = 0;
    uint32_t entryCount_ = 0;
    // Local header positions in file order: an entry's bytes end before the
    // next one begins.
    std::vector<uint64_t> localPositions_;
    EntryIndex index_;

    bool hasCurrent_ = false;
    uint32_t currentIndex_ = 0;
    uint64_t currentPosition_ = 0;
    CentralHeader current_;
    std::unique_ptr<EntryInput> entry_;
    platform::Failure failure_;
};

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ARCHIVE_READER_H
