#include "w2d/compression.h"

#include <algorithm>
#include <climits>

namespace {
constexpr int Level = 7;
constexpr int Memory_Level = 9;
constexpr size_t Output_Buffer = 8192;

WT_Result::Enum init_failure(int code) {
    return code == Z_MEM_ERROR ? WT_Result::Out_Of_Memory : WT_Result::Internal_Error;
}

const Bytef* dictionary_bytes() { return reinterpret_cast<const Bytef*>(wt_compression_dictionary().data()); }
}  // namespace

WT_Result::Enum WT_Compressor::start() {
    const int code = m_zlib.init(platform::ZlibFormat::Zlib, Level, Memory_Level);
    if (code != Z_OK) return init_failure(code);
    if (deflateSetDictionary(&m_zlib.get(), dictionary_bytes(), WT_Zlib_Dictionary_Size) != Z_OK)
        return WT_Result::Internal_Error;
    return WT_Result::Success;
}

WT_Result::Enum WT_Compressor::run(int flush, const WT_Output_Sink& sink) {
    uint8_t buffer[Output_Buffer];
    for (;;) {
        m_zlib.get().next_out = buffer;
        m_zlib.get().avail_out = sizeof buffer;
        const int code = deflate(&m_zlib.get(), flush);
        if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR) return WT_Result::Internal_Error;
        const size_t produced = sizeof buffer - m_zlib.get().avail_out;
        if (produced > 0) WT_CHECK(sink(buffer, produced));
        if (flush == Z_FINISH ? code == Z_STREAM_END : (m_zlib.get().avail_in == 0 && m_zlib.get().avail_out != 0))
            return WT_Result::Success;
    }
}

WT_Result::Enum WT_Compressor::write(const uint8_t* bytes, size_t count, const WT_Output_Sink& sink) {
    if (!m_zlib.active()) return WT_Result::Internal_Error;
    while (count > 0) {
        const uInt part = static_cast<uInt>(std::min<size_t>(count, UINT_MAX));
        m_zlib.get().next_in = const_cast<Bytef*>(bytes);
        m_zlib.get().avail_in = part;
        WT_CHECK(run(Z_NO_FLUSH, sink));
        bytes += part;
        count -= part;
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Compressor::finish(const WT_Output_Sink& sink) {
    if (!m_zlib.active()) return WT_Result::Internal_Error;
    m_zlib.get().next_in = nullptr;
    m_zlib.get().avail_in = 0;
    return run(Z_FINISH, sink);
}

WT_Result::Enum WT_Decompressor::start() {
    const int code = m_zlib.init(platform::ZlibFormat::Zlib);
    return code == Z_OK ? WT_Result::Success : init_failure(code);
}

WT_Result::Enum WT_Decompressor::inflate(const uint8_t* input, size_t size, size_t& consumed,
                                         WT_Byte_Buffer& output, size_t wanted) {
    consumed = 0;
    const size_t chunk = std::clamp<size_t>(wanted, 4096, 65536);
    const size_t before = output.size();
    output.resize(before + chunk);
    m_zlib.get().next_in = const_cast<Bytef*>(input);
    m_zlib.get().avail_in = static_cast<uInt>(std::min<size_t>(size, UINT_MAX));
    m_zlib.get().next_out = output.data() + before;
    m_zlib.get().avail_out = static_cast<uInt>(chunk);
    int code = ::inflate(&m_zlib.get(), Z_SYNC_FLUSH);
    if (code == Z_NEED_DICT) {
        if (inflateSetDictionary(&m_zlib.get(), dictionary_bytes(), WT_Zlib_Dictionary_Size) != Z_OK)
            code = Z_DATA_ERROR;
        else
            code = ::inflate(&m_zlib.get(), Z_SYNC_FLUSH);
    }
    consumed = static_cast<size_t>(m_zlib.get().next_in - input);
    output.resize(before + (chunk - m_zlib.get().avail_out));
    switch (code) {
        case Z_OK:
        case Z_BUF_ERROR:  // needs more input; the caller reads more
            return WT_Result::Success;
        case Z_STREAM_END:
            return WT_Result::Decompression_Ended;
        case Z_MEM_ERROR:
            return WT_Result::Out_Of_Memory;
        default:
            return WT_Result::Corrupt_Data;
    }
}
