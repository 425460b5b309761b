// The data path of the entry an ArchiveWriter has open: uncompressed bytes in,
// CRC-32 over them, stored or raw-deflated, optionally encrypted, out to the
// file through one 16384-byte buffer. The first failure sticks: later calls
// return it without writing anything.
#ifndef DWFPLOT_PACKAGE_ZIP_ENTRY_OUTPUT_H
#define DWFPLOT_PACKAGE_ZIP_ENTRY_OUTPUT_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "package/zip/traditional_cipher.h"
#include "platform/zlib_stream.h"

namespace DWFZip {

class EntryOutput {
public:
    explicit EntryOutput(int fd);

    // Prepares the entry; with a non-empty password the encryption header
    // goes out first. Returns ArchiveOk or the failure.
    int32_t start(uint16_t method, int32_t level, std::string_view password, uint32_t dosDateTime);
    int32_t write(const uint8_t* bytes, size_t count);
    // Flushes what the compressor still holds.
    int32_t finish();

    uint32_t crc() const { return crc_; }
    uint32_t compressedSize() const { return static_cast<uint32_t>(compressedSize_); }
    uint32_t uncompressedSize() const { return static_cast<uint32_t>(uncompressedSize_); }

private:
    int32_t fail(int32_t code);
    int32_t deflateInto(int flush);
    int32_t copyIn(const uint8_t* bytes, size_t count);
    int32_t flushBuffer();

    int fd_;
    uint16_t method_ = 0;
    std::vector<uint8_t> buffer_;
    size_t used_ = 0;
    platform::DeflateStream deflate_;
    std::optional<TraditionalCipher> cipher_;
    uint32_t crc_ = 0;
    uint64_t compressedSize_ = 0;
    uint64_t uncompressedSize_ = 0;
    int32_t error_ = 0;
};

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ENTRY_OUTPUT_H
