#include "package/reader/child_stream.h"

namespace DWFReader {

int64_t CChildStream::read(char* buffer, uint32_t size) {
    if (buffer == nullptr) return DWF::DwfResult::InvalidArgument;
    const int64_t count = decompressor_->readAt(position_, buffer, size);
    if (count > 0) position_ += static_cast<uint64_t>(count);
    return count;
}

}  // namespace DWFReader
