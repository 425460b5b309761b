// What the package reader knows about one entry of the package: its central
// header fields, its name and extra field, where its data lies in the file,
// and the decompressor its entry streams share.
#ifndef DWFPLOT_PACKAGE_READER_ARCHIVE_FILE_INFO_H
#define DWFPLOT_PACKAGE_READER_ARCHIVE_FILE_INFO_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace DWFReader {

class CFileDecompressor;

struct ArchiveFileInfo {
    uint16_t versionNeeded = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t time = 0;  // DOS time
    uint16_t date = 0;  // DOS date
    uint32_t crc = 0;
    uint32_t compressedSize = 0;  // the encryption header included
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    std::string name;  // as stored in the directory
    std::vector<uint8_t> extra;
    // Positions in the package file: the data (the encryption header, when
    // there is one) and the local header in front of it.
    uint64_t dataPosition = 0;
    uint64_t localHeaderPosition = 0;
    // Made with the entry's first stream and shared by all of them.
    std::shared_ptr<CFileDecompressor> decompressor;
};

}  // namespace DWFReader

#endif  // DWFPLOT_PACKAGE_READER_ARCHIVE_FILE_INFO_H
