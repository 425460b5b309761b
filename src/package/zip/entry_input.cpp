#include "package/zip/entry_input.h"

#include <zlib.h>

#include <algorithm>

#include "package/zip/archive_result.h"
#include "platform/file.h"

namespace DWFZip {
namespace {
constexpr const char* kUnreadable = "the data cannot be read from the file";
}  // namespace

EntryInput::EntryInput(int fd) : fd_(fd) {}

int32_t EntryInput::open(uint64_t dataStart, const CentralHeader& header,
                         std::string_view password) {
    deflated_ = header.method == kMethodDeflated;
    position_ = dataStart;
    compressedLeft_ = header.compressedSize;
    uncompressedLeft_ = header.uncompressedSize;
    expectedCrc_ = header.crc;
    if (header.flags & kFlagEncrypted) {
        if (compressedLeft_ < kEncryptionHeaderSize) return fail(ArchiveBadFormat, "no room for the encryption header");
        cipher_.emplace(password);
        // The check bytes are not compared: a wrong password shows as an
        // inflate failure or a CRC mismatch instead.
        uint8_t encryptionHeader[kEncryptionHeaderSize];
        if (!platform::readAt(fd_, encryptionHeader, sizeof encryptionHeader, position_)) {
            return fail(ArchiveIoError, "the encryption header cannot be read");
        }
        cipher_->decrypt(encryptionHeader, sizeof encryptionHeader);
        position_ += kEncryptionHeaderSize;
        compressedLeft_ -= kEncryptionHeaderSize;
    }
    if (deflated_) {
        const int rc = inflate_.init(platform::ZlibFormat::Raw);
        if (rc != Z_OK) return fail(rc == Z_MEM_ERROR ? ArchiveNoMemory : rc, "zlib cannot start inflating");
        input_.resize(kTransferBufferSize);
    }
    return 0;
}

int32_t EntryInput::read(uint8_t* out, uint32_t size) {
    const uint32_t wanted = std::min(size, uncompressedLeft_);
    if (shortData_) return fail(ArchiveBadFormat, kShortDataProblem);
    if (wanted == 0) return 0;
    const int32_t count = deflated_ ? readDeflated(out, wanted) : readStored(out, wanted);
    if (count > 0) {
        crc_ = static_cast<uint32_t>(crc32(crc_, out, static_cast<uInt>(count)));
        uncompressedLeft_ -= static_cast<uint32_t>(count);
        producedOutput_ = true;
    }
    // A short piece is handed over first; the next read reports the loss.
    if (count == 0 && shortData_) return fail(ArchiveBadFormat, kShortDataProblem);
    return count;
}

int32_t EntryInput::readStored(uint8_t* out, uint32_t size) {
    const uint32_t count = std::min(size, compressedLeft_);
    if (count < size) shortData_ = true;
    if (count == 0) return 0;
    if (!platform::readAt(fd_, out, count, position_)) return fail(ArchiveIoError, kUnreadable);
    if (cipher_) cipher_->decrypt(out, count);
    position_ += count;
    compressedLeft_ -= count;
    return static_cast<int32_t>(count);
}

int32_t EntryInput::readDeflated(uint8_t* out, uint32_t size) {
    z_stream& z = inflate_.get();
    z.next_out = out;
    z.avail_out = size;
    while (z.avail_out > 0) {
        if (z.avail_in == 0 && compressedLeft_ > 0) {
            const int32_t rc = refill();
            if (rc != 0) return rc;
        }
        const uInt roomBefore = z.avail_out;
        const uInt inputBefore = z.avail_in;
        const int rc = ::inflate(&z, Z_SYNC_FLUSH);
        const bool progress = z.avail_out != roomBefore || z.avail_in != inputBefore;
        if (rc == Z_STREAM_END) {
            if (z.avail_out > 0) shortData_ = true;
            break;
        }
        // Damage before the caller has had a byte of an encrypted entry is
        // what a wrong password looks like; what this call inflated so far
        // is garbage and never handed over.
        if (rc == Z_DATA_ERROR && cipher_ && !producedOutput_) {
            return fail(ArchiveBadPassword, "the data does not decrypt to deflated data: a wrong password");
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            return fail(rc < 0 ? rc : ArchiveBadFormat, "the deflated data is damaged");
        }
        // Input exhausted and nothing more comes out: the stream is cut.
        if (!progress) {
            shortData_ = true;
            break;
        }
    }
    return static_cast<int32_t>(size - z.avail_out);
}

int32_t EntryInput::refill() {
    const uint32_t count = std::min<uint32_t>(compressedLeft_, static_cast<uint32_t>(input_.size()));
    if (!platform::readAt(fd_, input_.data(), count, position_)) return fail(ArchiveIoError, kUnreadable);
    if (cipher_) cipher_->decrypt(input_.data(), count);
    position_ += count;
    compressedLeft_ -= count;
    z_stream& z = inflate_.get();
    z.next_in = input_.data();
    z.avail_in = count;
    return 0;
}

int32_t EntryInput::close() {
    if (uncompressedLeft_ == 0 && crc_ != expectedCrc_) {
        return fail(ArchiveCrcMismatch, "the data's CRC-32 differs from the directory's");
    }
    return 0;
}

}  // namespace DWFZip
