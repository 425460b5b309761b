#include "w2d/file_handlers.h"

#include <cstdio>

#include "w2d/stream.h"

namespace {
const char* open_mode(WT_Stream::WT_File_Mode mode) {
    switch (mode) {
        case WT_Stream::File_Read:
        case WT_Stream::Block_Read:
            return "rb";
        case WT_Stream::File_Write:
            // Text and binary mode are the same on this platform.
            return "wb";
        case WT_Stream::Block_Append:
            // Appending needs the existing trailer; truncating would lose it.
        case WT_Stream::Block_Write:
            return "r+b";
        case WT_Stream::File_Inactive:
            break;
    }
    return nullptr;
}
}  // namespace

WT_Result::Enum wt_default_open(WT_Stream& stream) {
    const char* mode = open_mode(stream.file_mode());
    if (mode == nullptr) return WT_Result::Open_Failed;
    std::FILE* file = std::fopen(stream.filename().c_str(), mode);
    if (file == nullptr) return WT_Result::Open_Failed;
    stream.file().reset(file);
    // Written streams reach the disk in large pieces: with the usual buffer of
    // a few kilobytes, a page of millions of points costs a system call per
    // few kilobytes. Reads already ask for large pieces.
    if (stream.file_mode() == WT_Stream::File_Write) {
        if (char* buffer = stream.file_buffer()) std::setvbuf(file, buffer, _IOFBF, WT_Stream::File_Buffer_Size);
    }
    return WT_Result::Success;
}

WT_Result::Enum wt_default_close(WT_Stream& stream) {
    if (!stream.file().valid()) return WT_Result::No_File_Open;
    // Buffered data is written by the close; its failure is a lost write.
    return stream.file().reset() ? WT_Result::Success : WT_Result::Write_Failed;
}

WT_Result::Enum wt_default_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer) {
    bytesRead = 0;
    std::FILE* file = stream.file().get();
    if (file == nullptr) return WT_Result::No_File_Open;
    if (desired <= 0) return WT_Result::Success;
    if (std::feof(file)) return WT_Result::End_Of_File;
    const size_t got = std::fread(buffer, 1, static_cast<size_t>(desired), file);
    bytesRead = static_cast<int>(got);
    if (got == 0) return std::feof(file) ? WT_Result::End_Of_File : WT_Result::Read_Failed;
    return WT_Result::Success;
}

WT_Result::Enum wt_default_seek(WT_Stream& stream, int distance, int& amountSeeked) {
    amountSeeked = 0;
    std::FILE* file = stream.file().get();
    if (file == nullptr || std::fseek(file, distance, SEEK_CUR) != 0) return WT_Result::End_Of_File;
    amountSeeked = distance;
    return WT_Result::Success;
}

WT_Result::Enum wt_default_end_seek(WT_Stream& stream) {
    std::FILE* file = stream.file().get();
    if (file == nullptr || std::fseek(file, 0, SEEK_END) != 0) return WT_Result::End_Of_File;
    return WT_Result::Success;
}

WT_Result::Enum wt_default_tell(WT_Stream& stream, uint64_t& position) {
    std::FILE* file = stream.file().get();
    if (file == nullptr) return WT_Result::End_Of_File;
    const long where = std::ftell(file);
    if (where < 0) return WT_Result::End_Of_File;
    position = static_cast<uint64_t>(where);
    return WT_Result::Success;
}

WT_Result::Enum wt_default_write(WT_Stream& stream, int size, const void* data) {
    std::FILE* file = stream.file().get();
    if (file == nullptr) return WT_Result::No_File_Open;
    if (size <= 0) return WT_Result::Success;
    return std::fwrite(data, 1, static_cast<size_t>(size), file) == static_cast<size_t>(size)
               ? WT_Result::Success
               : WT_Result::Write_Failed;
}
