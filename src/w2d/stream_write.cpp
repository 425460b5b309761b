// The write primitives. Every byte goes through write(size, data), which
// routes it through the compressor of a compressed section when one is open.
#include <charconv>
#include <cmath>
#include <climits>
#include <cstring>

#include "w2d/compression.h"
#include "w2d/stream.h"

WT_Result::Enum WT_Stream::write_raw(size_t size, const void* data) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const size_t part = size > static_cast<size_t>(INT_MAX) ? static_cast<size_t>(INT_MAX) : size;
        WT_CHECK(m_write(*this, static_cast<int>(part), bytes));
        bytes += part;
        size -= part;
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::write(size_t size, const void* data) {
    if (!writing()) return WT_Result::Usage_Error;
    if (m_options.allow_data_compression() && !m_compressor && !m_compression_suspended)
        WT_CHECK(start_compression());
    if (!m_compressor) return write_raw(size, data);
    return m_compressor->write(static_cast<const uint8_t*>(data), size,
                               [this](const uint8_t* out, size_t count) { return write_raw(count, out); });
}

WT_Result::Enum WT_Stream::start_compression() {
    // Only the zlib method is written; the LZ method of old versions is not.
    if (m_options.target_version() < 39) return WT_Result::Usage_Error;
    auto compressor = std::make_unique<WT_Compressor>();
    WT_CHECK(compressor->start());
    const uint8_t marker[7] = {'{', 0, 0, 0, 0, 17, 0};
    WT_CHECK(write_raw(sizeof marker, marker));
    m_compressor = std::move(compressor);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::finish_compression() {
    if (!m_compressor) return WT_Result::Success;
    const std::unique_ptr<WT_Compressor> compressor = std::move(m_compressor);
    WT_CHECK(compressor->finish([this](const uint8_t* out, size_t count) { return write_raw(count, out); }));
    const uint8_t close = '}';
    return write_raw(1, &close);
}

WT_Result::Enum WT_Stream::set_data_compression(bool on) {
    m_options.set_allow_data_compression(on);
    if (on) return WT_Result::Success;
    return finish_compression();
}

WT_Result::Enum WT_Stream::write(uint8_t byte) { return write(1, &byte); }

WT_Result::Enum WT_Stream::write(uint16_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return write(sizeof bytes, bytes);
}

WT_Result::Enum WT_Stream::write(uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return write(sizeof bytes, bytes);
}

WT_Result::Enum WT_Stream::write_count(uint32_t count) {
    // One byte holds 1 to 255; zero announces 256 plus a 16-bit value.
    if (count == 0 || count > 65791) return WT_Result::Internal_Error;
    if (count < 256) return write(static_cast<uint8_t>(count));
    WT_CHECK(write(static_cast<uint8_t>(0)));
    return write(static_cast<uint16_t>(count - 256));
}

WT_Result::Enum WT_Stream::write_ascii(int32_t value) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return write(static_cast<size_t>(end - text), text);
}

WT_Result::Enum WT_Stream::write_ascii(uint32_t value) {
    char text[16];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return write(static_cast<size_t>(end - text), text);
}

WT_Result::Enum WT_Stream::write_ascii(double value) {
    // No reader takes "inf" or "nan" back as a number.
    if (!std::isfinite(value)) return WT_Result::Write_Failed;
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return write(static_cast<size_t>(end - text), text);
}

WT_Result::Enum WT_Stream::write_ascii(const WT_Logical_Point& point) {
    WT_CHECK(write_ascii(point.m_x));
    WT_CHECK(write(static_cast<uint8_t>(',')));
    return write_ascii(point.m_y);
}

WT_Result::Enum WT_Stream::write_ascii(size_t count, const WT_Logical_Point* points) {
    for (size_t index = 0; index < count; ++index) {
        if (index > 0 && index % 4 == 0) {
            WT_CHECK(write_tab_level(Drawable_Indent + 4));
        } else if (index > 0) {
            WT_CHECK(write(static_cast<uint8_t>(' ')));
        }
        WT_CHECK(write_ascii(points[index]));
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::write_hex(size_t size, const void* data) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const uint8_t*>(data);
    for (size_t index = 0; index < size; ++index) {
        if (index % 30 == 0) {
            WT_CHECK(write_tab_level());
            WT_CHECK(write(static_cast<uint8_t>('\t')));
        }
        const char pair[2] = {Digits[bytes[index] >> 4], Digits[bytes[index] & 0xF]};
        WT_CHECK(write(sizeof pair, pair));
    }
    return WT_Result::Success;
}

namespace {
// What a bare token cannot hold: a quote of either kind opens a quoted part
// on reading, whitespace ends the token, the rest are framing or escapes.
constexpr std::string_view Quoted_Characters(" '\"()\\{}\t\r\n\0", 12);

bool needs_quotes(std::string_view text) {
    return text.empty() || text.find_first_of(Quoted_Characters) != std::string_view::npos;
}
}  // namespace

WT_Result::Enum WT_Stream::write_quoted_string(std::string_view text, bool forceQuotes) {
    if (!forceQuotes && !needs_quotes(text)) return write(text);
    WT_CHECK(write(static_cast<uint8_t>('\'')));
    size_t start = 0;
    for (size_t index = 0; index < text.size(); ++index) {
        if (text[index] != '\'' && text[index] != '\\') continue;
        WT_CHECK(write(text.substr(start, index - start)));
        WT_CHECK(write(static_cast<uint8_t>('\\')));
        start = index;
    }
    WT_CHECK(write(text.substr(start)));
    return write(static_cast<uint8_t>('\''));
}

WT_Result::Enum WT_Stream::write_tab_level(int extra) {
    WT_CHECK(write("\r\n"));
    const int spaces = m_indentation + extra;
    for (int index = 0; index < spaces; ++index) WT_CHECK(write(static_cast<uint8_t>(' ')));
    return WT_Result::Success;
}

namespace {
// Points reach the output handler a few thousand bytes at a time rather than
// one coordinate per call: a page holds millions of them.
constexpr size_t Point_Chunk_Size = 4096;

template <class Coordinate>
uint8_t* put_coordinate(uint8_t* out, int32_t value) {
    // Little-endian low bytes: a 16-bit field keeps the value modulo 2^16.
    const auto bits = static_cast<uint32_t>(value);
    for (size_t byte = 0; byte < sizeof(Coordinate); ++byte) *out++ = static_cast<uint8_t>(bits >> (8 * byte));
    return out;
}

template <class Coordinate>
WT_Result::Enum write_relative_points(WT_Stream& stream, size_t count, const WT_Logical_Point* points) {
    constexpr size_t point_size = 2 * sizeof(Coordinate);
    uint8_t chunk[Point_Chunk_Size];
    WT_Logical_Point current = stream.current_point();
    size_t index = 0;
    while (index < count) {
        uint8_t* out = chunk;
        for (; index < count && out + point_size <= chunk + sizeof chunk; ++index) {
            out = put_coordinate<Coordinate>(out, wt_wrapping_sub(points[index].m_x, current.m_x));
            out = put_coordinate<Coordinate>(out, wt_wrapping_sub(points[index].m_y, current.m_y));
            current = points[index];
        }
        WT_CHECK(stream.write(static_cast<size_t>(out - chunk), chunk));
        // The current point follows what has reached the output.
        stream.set_current_point(current);
    }
    return WT_Result::Success;
}
}  // namespace

WT_Result::Enum WT_Stream::write_points_16r(size_t count, const WT_Logical_Point* points) {
    return write_relative_points<int16_t>(*this, count, points);
}

WT_Result::Enum WT_Stream::write_points_32r(size_t count, const WT_Logical_Point* points) {
    return write_relative_points<int32_t>(*this, count, points);
}
