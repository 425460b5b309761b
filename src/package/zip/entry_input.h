// The data path of the entry an ArchiveReader has open: the entry's stored
// bytes read from the file in pieces of up to 16384 bytes, decrypted when the
// entry is encrypted, inflated or copied, and checked against the directory's
// CRC-32 once all of them have been read. Output never exceeds the size the
// directory gives, whatever the data would inflate to.
#ifndef DWFPLOT_PACKAGE_ZIP_ENTRY_INPUT_H
#define DWFPLOT_PACKAGE_ZIP_ENTRY_INPUT_H

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "package/zip/traditional_cipher.h"
#include "package/zip/zip_records.h"
#include "platform/zlib_stream.h"

namespace DWFZip {

// What an entry whose data ends before the size its directory record gives
// is told.
inline constexpr const char* kShortDataProblem = "the data ends before the size the directory gives";

class EntryInput {
public:
    explicit EntryInput(int fd);

    // `dataStart` is the first byte after the local header (the encryption
    // header, if any); the caller has checked that the entry's compressed
    // size lies inside the file from there.
    int32_t open(uint64_t dataStart, const CentralHeader& header, std::string_view password);
    // A count of bytes (0 at the end), or a negative code.
    int32_t read(uint8_t* out, uint32_t size);
    // ArchiveCrcMismatch when everything was read and the CRC-32 differs.
    int32_t close();
    // What the last failure of open, read or close met, and the byte of
    // the file the data had reached.
    const char* problem() const { return problem_; }
    uint64_t position() const { return position_; }

private:
    int32_t readStored(uint8_t* out, uint32_t size);
    int32_t readDeflated(uint8_t* out, uint32_t size);
    int32_t refill();
    int32_t fail(int32_t code, const char* problem) {
        problem_ = problem;
        return code;
    }

    int fd_;
    bool deflated_ = false;
    uint64_t position_ = 0;
    uint32_t compressedLeft_ = 0;
    uint32_t uncompressedLeft_ = 0;
    uint32_t expectedCrc_ = 0;
    uint32_t crc_ = 0;
    bool producedOutput_ = false;
    // The data ended before the size the directory gives.
    bool shortData_ = false;
    const char* problem_ = "";
    std::optional<TraditionalCipher> cipher_;
    platform::InflateStream inflate_;
    std::vector<uint8_t> input_;
};

}  // namespace DWFZip

#endif  // DWFPLOT_PACKAGE_ZIP_ENTRY_INPUT_H
