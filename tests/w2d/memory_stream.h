// Streams over memory for the tests: writes collect into a string, reads
// come from a string, optionally a few bytes per handler call.
#ifndef DWFPLOT_TESTS_W2D_MEMORY_STREAM_H
#define DWFPLOT_TESTS_W2D_MEMORY_STREAM_H

#include <algorithm>
#include <cstring>
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include "w2d/attribute_set.h"
#include "w2d/stream.h"

namespace w2dtest {

struct Memory {
    std::string bytes;
    size_t position = 0;
    size_t per_call = SIZE_MAX;  // bytes delivered per read call at most
    bool fail_writes = false;
};

inline WT_Result::Enum memory_open(WT_Stream&) { return WT_Result::Success; }
inline WT_Result::Enum memory_close(WT_Stream&) { return WT_Result::Success; }

inline WT_Result::Enum memory_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer) {
    auto* memory = static_cast<Memory*>(stream.client_data());
    bytesRead = 0;
    if (memory->position >= memory->bytes.size()) return WT_Result::End_Of_File;
    const size_t count =
        std::min({static_cast<size_t>(desired), memory->per_call, memory->bytes.size() - memory->position});
    std::memcpy(buffer, memory->bytes.data() + memory->position, count);
    memory->position += count;
    bytesRead = static_cast<int>(count);
    return WT_Result::Success;
}

inline WT_Result::Enum memory_write(WT_Stream& stream, int size, const void* data) {
    auto* memory = static_cast<Memory*>(stream.client_data());
    if (memory->fail_writes) return WT_Result::Write_Failed;
    memory->bytes.append(static_cast<const char*>(data), static_cast<size_t>(size));
    return WT_Result::Success;
}

inline void use_memory(WT_Stream& stream, Memory& memory) {
    stream.set_client_data(&memory);
    stream.set_open_action(memory_open);
    stream.set_close_action(memory_close);
    stream.set_read_action(memory_read);
    stream.set_write_action(memory_write);
}

// A stream opened for writing into memory; `body` writes objects. Returns
// everything written, header and trailer included.
inline std::string write_stream(const std::function<void(WT_Stream&)>& body,
                                const std::function<void(WT_Stream&)>& setup = {}) {
    Memory memory;
    WT_Stream stream;
    use_memory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Write);
    if (setup) setup(stream);
    if (stream.open() != WT_Result::Success) return "open failed";
    body(stream);
    if (stream.close() != WT_Result::Success) return "close failed";
    return memory.bytes;
}

// The bytes between the header and the trailer of a binary stream.
inline std::string body_of(const std::string& stream) {
    const size_t header = 12;
    const std::string trailer = "(EndOfDWF)\r\n";
    if (stream.size() < header + trailer.size()) return "<short>";
    return stream.substr(header, stream.size() - header - trailer.size());
}

// Processes objects until the stream ends or fails; calls `each` after every
// object read. Waiting_For_Data is answered by calling again.
inline WT_Result::Enum read_stream(const std::string& bytes, const std::function<void(WT_Stream&)>& each,
                                   size_t perCall = SIZE_MAX,
                                   const std::function<void(WT_Stream&)>& setup = {}) {
    Memory memory{bytes, 0, perCall};
    WT_Stream stream;
    use_memory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Read);
    if (setup) setup(stream);
    WT_Result::Enum result = stream.open();
    // Each call consumes bytes or fails, so the bound only guards the test.
    for (size_t calls = 0; result == WT_Result::Success && calls < 4 * bytes.size() + 16; ++calls) {
        result = stream.process_next_object();
        if (result == WT_Result::Waiting_For_Data && memory.position < memory.bytes.size()) {
            result = WT_Result::Success;
            continue;
        }
        if (result == WT_Result::Success && each) each(stream);
    }
    stream.close();
    return result;
}

// A copy of `bytes` with three bytes after the first `keep` replaced, driven
// by a linear congruential `seed`: deterministic mutations for robustness runs.
inline std::string mangled_copy(const std::string& bytes, size_t keep, uint32_t& seed) {
    std::string mangled = bytes;
    for (int edit = 0; edit < 3; ++edit) {
        seed = seed * 1103515245u + 12345u;
        const size_t at = keep + (seed >> 8) % (mangled.size() - keep);
        seed = seed * 1103515245u + 12345u;
        mangled[at] = static_cast<char>(seed >> 16);
    }
    return mangled;
}

}  // namespace w2dtest

#endif  // DWFPLOT_TESTS_W2D_MEMORY_STREAM_H
