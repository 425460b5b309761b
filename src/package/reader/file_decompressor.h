// The uncompressed content of one package entry, produced on demand from
// the package file: read from the entry's data position through a file
// descriptor of its own, decrypted when the entry is encrypted, inflated,
// and checked against the entry's CRC-32 at its end. Every byte produced is
// kept, so the entry's streams can each read from any position reached;
// the buffer grows with what the data actually yields, never with what the
// directory claims. A decompressor for one reader front to back keeps only
// what has not been read yet.
#ifndef DWFPLOT_PACKAGE_READER_FILE_DECOMPRESSOR_H
#define DWFPLOT_PACKAGE_READER_FILE_DECOMPRESSOR_H

#include <cstdint>
#include <string>
#include <vector>

#include "dwfplot/DwfResult.h"
#include "package/reader/archive_file_info.h"
#include "package/zip/entry_input.h"
#include "platform/failure.h"
#include "platform/file.h"

namespace DWFReader {

class CFileDecompressor {
public:
    // Opens the package file by itself; FileOpenFailed, ArchiveEntryError or
    // OutOfMemory are thrown when that or the entry's start fails.
    CFileDecompressor(const std::string& packagePath, const ArchiveFileInfo& info,
                      const std::string& password, bool keepContent = true);
    CFileDecompressor(const CFileDecompressor&) = delete;
    CFileDecompressor& operator=(const CFileDecompressor&) = delete;

    // Copies up to `size` bytes from `position` of the uncompressed content:
    // the count (0 at the end), or BadPassword / ArchiveEntryError. Without
    // kept content a position before what was read already is an error.
    int64_t readAt(uint64_t position, char* buffer, uint32_t size);

    uint32_t uncompressedSize() const { return size_; }
    // Where and why reading the entry failed: the byte of the package file
    // its data had reached, what was wrong.
    const platform::Failure& failure() const { return record_; }

private:
    // Produces content until `wanted` bytes are held or the entry ends.
    DWF::DwfResult::Enum produceUntil(uint64_t wanted);
    // `problem` when given, else what the entry's data path met.
    DWF::DwfResult::Enum failWith(int32_t archiveCode, const char* problem = nullptr);

    platform::UniqueFd file_;
    DWFZip::EntryInput input_;
    uint32_t size_;
    bool finished_ = false;
    DWF::DwfResult::Enum failure_ = DWF::DwfResult::Success;
    platform::Failure record_;
    bool keepContent_;
    uint64_t base_ = 0;  // where content_ starts in the entry
    std::vector<char> content_;
};

}  // namespace DWFReader

#endif  // DWFPLOT_PACKAGE_READER_FILE_DECOMPRESSOR_H
