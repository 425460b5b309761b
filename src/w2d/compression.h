// The zlib compressor and decompressor of compressed stream sections, both
// primed with the stream's own dictionary.
#ifndef DWFPLOT_W2D_COMPRESSION_H
#define DWFPLOT_W2D_COMPRESSION_H

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/zlib_stream.h"
#include "w2d/byte_buffer.h"
#include "w2d/result.h"

// The 13,523-byte table of byte runs frequent in streams.
std::string_view wt_compression_dictionary();
// zlib is primed with this many bytes of it.
inline constexpr size_t WT_Zlib_Dictionary_Size = 11476;

using WT_Output_Sink = std::function<WT_Result::Enum(const uint8_t* bytes, size_t count)>;

class WT_Compressor {
public:
    WT_Compressor() = default;
    WT_Compressor(const WT_Compressor&) = delete;
    WT_Compressor& operator=(const WT_Compressor&) = delete;

    WT_Result::Enum start();
    WT_Result::Enum write(const uint8_t* bytes, size_t count, const WT_Output_Sink& sink);
    // Ends the zlib stream and hands over the rest of the output.
    WT_Result::Enum finish(const WT_Output_Sink& sink);

private:
    WT_Result::Enum run(int flush, const WT_Output_Sink& sink);

    platform::DeflateStream m_zlib;
};

class WT_Decompressor {
public:
    WT_Decompressor() = default;
    WT_Decompressor(const WT_Decompressor&) = delete;
    WT_Decompressor& operator=(const WT_Decompressor&) = delete;

    WT_Result::Enum start();
    // Inflates from `input`, appending up to about `wanted` bytes to `output`;
    // `consumed` tells how much input was used. Decompression_Ended when the
    // zlib stream is complete (input after it is not consumed).
    WT_Result::Enum inflate(const uint8_t* input, size_t size, size_t& consumed, WT_Byte_Buffer& output,
                            size_t wanted);

private:
    platform::InflateStream m_zlib;
};

#endif  // DWFPLOT_W2D_COMPRESSION_H
