#include "package/zip/entry_output.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

#include "package/zip/archive_result.h"
#include "package/zip/zip_records.h"
#include "platform/file.h"

namespace DWFZip {
namespace {

// The largest size a 32-bit field may hold without meaning "see ZIP64".
constexpr uint64_t kLargestSize = kZip64Marker - 1u;
// zlib counts input in uInt; feed it in slices it can count.
constexpr size_t kLargestSlice = 1u << 30;

}  // namespace

EntryOutput::EntryOutput(int fd) : fd_(fd) {}

int32_t EntryOutput::fail(int32_t code) {
    if (error_ == 0) error_ = code;
    return error_;
}

int32_t EntryOutput::start(uint16_t method, int32_t level, std::string_view password,
                           uint32_t dosDateTime) {
    method_ = method;
    buffer_.resize(kTransferBufferSize);
    if (!password.empty()) {
        cipher_.emplace(password);
        // The header passes through the buffer like data, so it is
        // encrypted first and counted into the compressed size.
        makeEncryptionHeader(buffer_.data(), dosDateTime);
        used_ = kEncryptionHeaderSize;
    }
    if (method_ == kMethodDeflated) {
        const int rc = deflate_.init(platform::ZlibFormat::Raw, level);
        if (rc != Z_OK) return fail(rc == Z_MEM_ERROR ? ArchiveNoMemory : rc);
    }
    return ArchiveOk;
}

int32_t EntryOutput::write(const uint8_t* bytes, size_t count) {
    if (error_ != 0) return error_;
    if (count > kLargestSize - uncompressedSize_) return fail(ArchiveBadFormat);
    while (count > 0) {
        const size_t slice = std::min(count, kLargestSlice);
        crc_ = static_cast<uint32_t>(crc32(crc_, bytes, static_cast<uInt>(slice)));
        uncompressedSize_ += slice;
        int32_t rc;
        if (method_ == kMethodDeflated) {
            z_stream& z = deflate_.get();
            z.next_in = const_cast<Bytef*>(bytes);  // zlib's API is not const-correct
            z.avail_in = static_cast<uInt>(slice);
            rc = deflateInto(Z_NO_FLUSH);
        } else {
            rc = copyIn(bytes, slice);
        }
        if (rc != ArchiveOk) return rc;
        bytes += slice;
        count -= slice;
    }
    return ArchiveOk;
}

int32_t EntryOutput::finish() {
    if (error_ != 0) return error_;
    if (method_ == kMethodDeflated) {
        deflate_.get().avail_in = 0;
        const int32_t rc = deflateInto(Z_FINISH);
        if (rc != ArchiveOk) return rc;
        deflate_.end();
    }
    if (used_ > 0) return flushBuffer();
    return ArchiveOk;
}

// Runs deflate until it has taken all input (or, finishing, until the
// stream ends), writing the buffer whenever it fills.
int32_t EntryOutput::deflateInto(int flush) {
    z_stream& z = deflate_.get();
    for (;;) {
        if (used_ == buffer_.size()) {
            const int32_t rc = flushBuffer();
            if (rc != ArchiveOk) return rc;
        }
        z.next_out = buffer_.data() + used_;
        z.avail_out = static_cast<uInt>(buffer_.size() - used_);
        const int rc = ::deflate(&z, flush);
        used_ = buffer_.size() - z.avail_out;
        if (rc == Z_STREAM_END) return ArchiveOk;
        if (rc != Z_OK && rc != Z_BUF_ERROR) return fail(rc);
        if (flush == Z_NO_FLUSH && z.avail_in == 0 && z.avail_out > 0) return ArchiveOk;
        // Room left yet no progress: deflate cannot go on.
        if (rc == Z_BUF_ERROR && z.avail_out > 0) return fail(rc);
    }
}

int32_t EntryOutput::copyIn(const uint8_t* bytes, size_t count) {
    while (count > 0) {
        if (used_ == buffer_.size()) {
            const int32_t rc = flushBuffer();
            if (rc != ArchiveOk) return rc;
        }
        const size_t step = std::min(count, buffer_.size() - used_);
        std::copy(bytes, bytes + step, buffer_.begin() + static_cast<ptrdiff_t>(used_));
        used_ += step;
        bytes += step;
        count -= step;
    }
    return ArchiveOk;
}

int32_t EntryOutput::flushBuffer() {
    if (used_ > kLargestSize - compressedSize_) return fail(ArchiveBadFormat);
    if (cipher_) cipher_->encrypt(buffer_.data(), used_);
    if (!platform::writeAll(fd_, buffer_.data(), used_)) return fail(ArchiveIoError);
    compressedSize_ += used_;
    used_ = 0;
    return ArchiveOk;
}

}  // namespace DWFZip
