#include "dwfplot/w2d_file.h"

#include <cstdio>

#include "platform/file.h"

namespace dwfplot_tool {

W2dFile::W2dFile(const std::string& path) {
    stream_.set_filename(path);
    stream_.set_file_mode(WT_Stream::File_Read);
    const platform::UniqueFd file = platform::openForReading(path);
    const int64_t bytes = file.valid() ? platform::fileSize(file.get()) : 0;
    size_ = bytes > 0 ? static_cast<uint64_t>(bytes) : 0;
}

W2dFile::~W2dFile() {
    if (stream_.file().valid()) stream_.close();
}

WT_Result::Enum W2dFile::open() { return stream_.open(); }

WT_Result::Enum W2dFile::next() {
    const WT_Result::Enum result = stream_.process_next_object();
    return result == WT_Result::Waiting_For_Data ? stream_.input_ended() : result;
}

uint64_t W2dFile::position() {
    std::FILE* file = stream_.file().get();
    if (file == nullptr) return size_;
    const long at = std::ftell(file);
    return at > 0 ? static_cast<uint64_t>(at) : 0;
}

std::string readFailureText(const platform::Failure& failure, WT_Result::Enum result) {
    const std::string name = wt_result_name(result);
    // Reading went well; what it was copied into did not take it.
    const bool output = result == WT_Result::Write_Failed || result == WT_Result::Close_Failed;
    if (output && !failure.failed()) return "cannot write the output (" + name + ")";
    if (!failure.failed()) return "the stream cannot be read (" + name + ")";
    return failure.describe() + " (" + name + ")";
}

}  // namespace dwfplot_tool
