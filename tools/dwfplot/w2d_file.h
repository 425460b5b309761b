// A W2D stream read from a file object by object, with the bytes read so
// far for progress reports.
#ifndef DWFPLOT_TOOL_W2D_FILE_H
#define DWFPLOT_TOOL_W2D_FILE_H

#include <cstdint>
#include <string>

#include "w2d/stream.h"

namespace dwfplot_tool {

class W2dFile {
public:
    explicit W2dFile(const std::string& path);
    ~W2dFile();
    W2dFile(const W2dFile&) = delete;
    W2dFile& operator=(const W2dFile&) = delete;

    WT_Result::Enum open();
    // Reads and processes the next object (stream().current_object());
    // End_Of_Stream after the trailer. A stream that ends early fails with
    // Corrupt_Data rather than waiting for data that cannot come; the
    // stream's failure() tells where.
    WT_Result::Enum next();

    WT_Stream& stream() { return stream_; }
    uint64_t size() const { return size_; }
    uint64_t position();

private:
    WT_Stream stream_;
    uint64_t size_ = 0;
};

// Why a stream failed with `result`, for a person: where and what from the
// stream's failure record ("byte 18432, opcode 0x10: ..."), and the result;
// a write or close that failed without one is the output's.
std::string readFailureText(const platform::Failure& failure, WT_Result::Enum result);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_W2D_FILE_H
