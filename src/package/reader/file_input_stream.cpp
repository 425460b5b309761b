#include "package/reader/file_input_stream.h"

#include "dwfplot/DwfResult.h"

namespace DWFUtil {

FileIStream::FileIStream(const std::string& path) : file_(platform::openForReading(path)) {
    if (!file_.valid()) throw DWF::DwfResult::FileOpenFailed;
}

int64_t FileIStream::read(char* buffer, uint32_t size) {
    if (buffer == nullptr) return DWF::DwfResult::InvalidArgument;
    const ssize_t count = platform::readUpTo(file_.get(), buffer, size);
    if (count < 0) return DWF::DwfResult::ReadFailed;
    return static_cast<int64_t>(count);
}

}  // namespace DWFUtil
