// W2D streams over memory for the fuzz targets and the seed generator: reads
// come from a byte range, optionally a few bytes per handler call; writes are
// collected, or only counted.
#ifndef DWFPLOT_FUZZ_W2D_MEMORY_STREAM_H
#define DWFPLOT_FUZZ_W2D_MEMORY_STREAM_H

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "w2d/stream.h"

namespace fuzz {

struct W2dMemory {
    const uint8_t* input = nullptr;
    size_t inputSize = 0;
    size_t position = 0;
    size_t perCall = SIZE_MAX;  // bytes delivered per read call at most
    bool keepOutput = true;     // false: writes are only counted
    std::string output;
    uint64_t written = 0;
};

inline WT_Result::Enum w2dMemoryOpen(WT_Stream&) { return WT_Result::Success; }
inline WT_Result::Enum w2dMemoryClose(WT_Stream&) { return WT_Result::Success; }

inline WT_Result::Enum w2dMemoryRead(WT_Stream& stream, int desired, int& bytesRead, void* buffer) {
    auto* memory = static_cast<W2dMemory*>(stream.client_data());
    bytesRead = 0;
    if (memory->position >= memory->inputSize) return WT_Result::End_Of_File;
    const size_t count = std::min({static_cast<size_t>(std::max(desired, 0)), memory->perCall,
                                   memory->inputSize - memory->position});
    if (count > 0) std::memcpy(buffer, memory->input + memory->position, count);
    memory->position += count;
    bytesRead = static_cast<int>(count);
    return WT_Result::Success;
}

inline WT_Result::Enum w2dMemoryWrite(WT_Stream& stream, int size, const void* data) {
    auto* memory = static_cast<W2dMemory*>(stream.client_data());
    if (size < 0) return WT_Result::Write_Failed;
    memory->written += static_cast<uint64_t>(size);
    if (memory->keepOutput) memory->output.append(static_cast<const char*>(data), static_cast<size_t>(size));
    return WT_Result::Success;
}

// Points the stream's handlers at `memory`, which must outlive the stream.
inline void useW2dMemory(WT_Stream& stream, W2dMemory& memory) {
    stream.set_client_data(&memory);
    stream.set_open_action(w2dMemoryOpen);
    stream.set_close_action(w2dMemoryClose);
    stream.set_read_action(w2dMemoryRead);
    stream.set_write_action(w2dMemoryWrite);
}

}  // namespace fuzz

#endif  // DWFPLOT_FUZZ_W2D_MEMORY_STREAM_H
