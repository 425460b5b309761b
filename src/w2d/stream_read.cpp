// The read-ahead queue and the read primitives. Bytes come from the input
// handler (or the decompressor) into the queue as they arrive; nothing is
// allocated for a count or size before the bytes behind it are there.
#include <algorithm>
#include <charconv>
#include <cstring>

#include "w2d/compression.h"
#include "w2d/stream.h"

namespace {
// The input handler is asked for pieces of this size, whatever the object
// being read needs right now: a call per few bytes would cost more than the
// reading.
constexpr size_t Request_Size = 65536;
// Room the read-ahead queue starts with: a few requests, so that it does not
// move its bytes while it grows to its working size.
constexpr size_t Initial_Capacity = 4 * Request_Size;

// No real of the format is longer; the bound keeps the scan finite.
constexpr size_t Longest_Real = 64;

bool is_whitespace(uint8_t byte) {
    return byte == 0x00 || byte == 0x09 || byte == 0x0A || byte == 0x0D || byte == 0x20;
}
bool is_digit(uint8_t byte) { return byte >= '0' && byte <= '9'; }
}  // namespace

void WT_Stream::compact() {
    const size_t keep = std::min(m_mark, m_ahead_pos);
    if (keep < Request_Size || keep * 2 < m_ahead.size()) return;
    m_ahead.erase(m_ahead.begin(), m_ahead.begin() + static_cast<std::ptrdiff_t>(keep));
    m_dropped += keep;
    m_ahead_pos -= keep;
    m_mark -= keep;
}

WT_Result::Enum WT_Stream::ensure(size_t needed) {
    if (available() >= needed) return WT_Result::Success;
    compact();
    while (available() < needed) {
        const WT_Result::Enum result = m_decompressor ? fill_from_decompressor(needed) : fill_from_handler(needed);
        // The rest of the input after a compressed section is plain again.
        if (result == WT_Result::Decompression_Ended) continue;
        if (result != WT_Result::Success) return result;
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::fill_from_handler(size_t needed) {
    const size_t want = Request_Size;
    const size_t before = m_ahead.size();
    if (m_ahead.capacity() < before + want)
        m_ahead.reserve(std::max({before + want, 2 * m_ahead.capacity(), Initial_Capacity}));
    m_ahead.resize(before + want);
    int got = 0;
    const WT_Result::Enum result = m_read(*this, static_cast<int>(want), got, m_ahead.data() + before);
    const size_t delivered = result == WT_Result::Success ? std::min(want, static_cast<size_t>(std::max(got, 0))) : 0;
    m_ahead.resize(before + delivered);
    if (result != WT_Result::Success) return result;
    if (m_drop_section_close && delivered > 0) {
        m_drop_section_close = false;
        if (m_ahead[before] == '}') m_ahead.erase(m_ahead.begin() + static_cast<std::ptrdiff_t>(before));
    }
    if (delivered < want && available() < needed) return WT_Result::Waiting_For_Data;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::fill_from_decompressor(size_t needed) {
    if (m_raw_pos == m_raw.size()) {
        m_raw.clear();
        m_raw_pos = 0;
        const size_t want = Request_Size;
        m_raw.resize(want);
        int got = 0;
        const WT_Result::Enum result = m_read(*this, static_cast<int>(want), got, m_raw.data());
        m_raw.resize(result == WT_Result::Success ? std::min(want, static_cast<size_t>(std::max(got, 0))) : 0);
        if (result != WT_Result::Success) return result;
        if (m_raw.empty()) return WT_Result::Waiting_For_Data;
    }
    size_t consumed = 0;
    const size_t before_output = m_ahead.size();
    const WT_Result::Enum result = m_decompressor->inflate(m_raw.data() + m_raw_pos, m_raw.size() - m_raw_pos,
                                                           consumed, m_ahead, needed - available());
    m_raw_pos += consumed;
    // Input was there; a call that neither took it nor produced anything
    // would repeat forever.
    if (result == WT_Result::Success && consumed == 0 && m_ahead.size() == before_output)
        return refuse(WT_Result::Corrupt_Data, "the compressed section does not inflate");
    if (result != WT_Result::Success && result != WT_Result::Decompression_Ended)
        return refuse(result, "zlib refuses the compressed section");
    if (result == WT_Result::Decompression_Ended) {
        // The input after the zlib data is plain again; its "}" closes the
        // section's framing and is no object of its own.
        auto rest = m_raw.begin() + static_cast<std::ptrdiff_t>(m_raw_pos);
        if (rest == m_raw.end()) {
            m_drop_section_close = true;
        } else if (*rest == '}') {
            ++rest;
        }
        m_ahead.insert(m_ahead.end(), rest, m_raw.end());
        m_raw.clear();
        m_raw_pos = 0;
        m_decompressor.reset();
    }
    return result;
}

WT_Result::Enum WT_Stream::start_decompression(bool zlib) {
    // Only the zlib method can be read; the LZ method of very old streams
    // ends the read cleanly.
    if (!zlib) return refuse(WT_Result::Unsupported_Format, "a section compressed with the LZ method");
    // Sections do not nest; a second marker inside one is not the format.
    if (m_decompressor) return refuse(WT_Result::Corrupt_Data, "a compressed section inside a compressed section");
    auto decompressor = std::make_unique<WT_Decompressor>();
    WT_CHECK(decompressor->start());
    // What was read ahead beyond the marker is compressed input.
    m_raw.assign(m_ahead.begin() + static_cast<std::ptrdiff_t>(m_ahead_pos), m_ahead.end());
    m_raw_pos = 0;
    m_ahead.resize(m_ahead_pos);
    m_decompressor = std::move(decompressor);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read(size_t size, void* buffer) {
    WT_CHECK(ensure(size));
    if (size > 0) std::memcpy(buffer, m_ahead.data() + m_ahead_pos, size);
    m_ahead_pos += size;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read_in_place(size_t item_size, size_t maximum, const uint8_t*& bytes, size_t& items) {
    items = 0;
    if (item_size == 0 || maximum == 0) return WT_Result::Success;
    WT_CHECK(ensure(item_size));
    items = std::min(maximum, available() / item_size);
    bytes = m_ahead.data() + m_ahead_pos;
    m_ahead_pos += items * item_size;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read(uint8_t& byte) { return read(1, &byte); }

// The failure is the byte just read: the record points at it, not past it.
WT_Result::Enum WT_Stream::refuse_byte(uint8_t byte, const char* expected) {
    put_back(1);
    return refuse(WT_Result::Corrupt_Data, "%s, found 0x%02X", expected, byte);
}

WT_Result::Enum WT_Stream::read(uint16_t& value) {
    uint8_t bytes[2];
    WT_CHECK(read(sizeof bytes, bytes));
    value = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read(int16_t& value) {
    uint16_t raw = 0;
    WT_CHECK(read(raw));
    value = static_cast<int16_t>(raw);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read(uint32_t& value) {
    uint8_t bytes[4];
    WT_CHECK(read(sizeof bytes, bytes));
    value = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
            static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read(int32_t& value) {
    uint32_t raw = 0;
    WT_CHECK(read(raw));
    value = static_cast<int32_t>(raw);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::peek(uint8_t& byte) {
    WT_CHECK(ensure(1));
    byte = m_ahead[m_ahead_pos];
    return WT_Result::Success;
}

void WT_Stream::put_back(size_t count) {
    // Only bytes of the object being read are still in the queue.
    const size_t readable_again = m_ahead_pos - std::min(m_mark, m_ahead_pos);
    m_ahead_pos -= std::min(count, readable_again);
}

WT_Result::Enum WT_Stream::read_available(size_t maximum, std::string& bytes) {
    WT_CHECK(ensure(1));
    const size_t count = std::min(maximum, available());
    bytes.assign(reinterpret_cast<const char*>(m_ahead.data() + m_ahead_pos), count);
    m_ahead_pos += count;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::eat_whitespace() {
    for (;;) {
        uint8_t byte = 0;
        WT_CHECK(peek(byte));
        if (!is_whitespace(byte)) return WT_Result::Success;
        ++m_ahead_pos;
    }
}

WT_Result::Enum WT_Stream::read_count(uint32_t& count) {
    uint8_t first = 0;
    WT_CHECK(read(first));
    if (first != 0) {
        count = first;
        return WT_Result::Success;
    }
    uint16_t extended = 0;
    WT_CHECK(read(extended));
    count = 256u + extended;
    return WT_Result::Success;
}

namespace {
// Digits accumulate in 64-bit unsigned arithmetic; the value wraps to 32 bits
// as the format's own readers do, without undefined behaviour.
WT_Result::Enum read_digits(WT_Stream& stream, uint64_t& value) {
    value = 0;
    int digits = 0;
    for (;;) {
        uint8_t byte = 0;
        const WT_Result::Enum result = stream.peek(byte);
        if (result != WT_Result::Success) return result;
        if (!is_digit(byte)) break;
        stream.read(byte);
        value = value * 10 + (byte - '0');
        ++digits;
    }
    if (digits > 0) return WT_Result::Success;
    uint8_t byte = 0;
    stream.peek(byte);
    return stream.refuse(WT_Result::Corrupt_Data, "expected a number, found 0x%02X", byte);
}
}  // namespace

WT_Result::Enum WT_Stream::read_ascii(int32_t& value) {
    WT_CHECK(eat_whitespace());
    uint8_t byte = 0;
    WT_CHECK(peek(byte));
    const bool negative = byte == '-';
    if (byte == '-' || byte == '+') {
        ++m_ahead_pos;
        WT_CHECK(eat_whitespace());
    }
    uint64_t magnitude = 0;
    WT_CHECK(read_digits(*this, magnitude));
    const uint32_t wrapped = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - wrapped : wrapped);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read_ascii(uint32_t& value) {
    WT_CHECK(eat_whitespace());
    uint64_t magnitude = 0;
    WT_CHECK(read_digits(*this, magnitude));
    value = static_cast<uint32_t>(magnitude);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read_ascii(double& value) {
    WT_CHECK(eat_whitespace());
    std::string text;
    for (;;) {
        uint8_t byte = 0;
        const WT_Result::Enum result = peek(byte);
        if (result != WT_Result::Success) return result;
        const bool part = is_digit(byte) || byte == '-' || byte == '+' || byte == '.' || byte == 'e' || byte == 'E';
        if (!part) break;
        if (text.size() >= Longest_Real) {
            return refuse(WT_Result::Corrupt_Data, "a real number longer than %zu characters", Longest_Real);
        }
        text.push_back(static_cast<char>(byte));
        ++m_ahead_pos;
    }
    const char* begin = text.data();
    if (!text.empty() && text.front() == '+') ++begin;
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return refuse(WT_Result::Corrupt_Data, "\"%s\" is not a real number", text.c_str());
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read_ascii(WT_Logical_Point& point) {
    WT_CHECK(read_ascii(point.m_x));
    uint8_t comma = 0;
    WT_CHECK(read(comma));
    if (comma != ',') return refuse_byte(comma, "expected ',' between x and y");
    return read_ascii(point.m_y);
}

WT_Result::Enum WT_Stream::read_ascii_token(size_t maximum, std::string& token, bool allowNesting) {
    token.clear();
    WT_CHECK(eat_whitespace());
    uint8_t quote = 0;
    bool started = false;
    bool quoted_from_start = false;
    for (;;) {
        uint8_t byte = 0;
        WT_CHECK(peek(byte));
        ++m_ahead_pos;
        const bool first = !started;
        started = true;
        if (quote == 0 && (is_whitespace(byte) || byte == ')')) {
            --m_ahead_pos;
            return WT_Result::Success;
        }
        if (quote == 0 && byte == '(' && !allowNesting) return refuse(WT_Result::Corrupt_Data, "'(' inside a token");
        if (byte == '\\') {
            // The escaped character is taken as it is, quote or not.
            WT_CHECK(peek(byte));
            ++m_ahead_pos;
        } else if (quote == 0 && (byte == '\'' || byte == '"')) {
            quote = byte;
            quoted_from_start = first;
            continue;
        } else if (quote != 0 && byte == quote) {
            quote = 0;
            // A token that is one quoted string ends with its quote, so a
            // binary field may follow it directly.
            if (quoted_from_start) return WT_Result::Success;
            continue;
        }
        if (token.size() >= maximum) return refuse(WT_Result::Corrupt_Data, "a token longer than %zu bytes", maximum);
        token.push_back(static_cast<char>(byte));
    }
}

WT_Result::Enum WT_Stream::read_hex(size_t size, void* buffer) {
    auto* out = static_cast<uint8_t*>(buffer);
    for (size_t index = 0; index < size; ++index) {
        WT_CHECK(eat_whitespace());
        uint8_t digits[2];
        WT_CHECK(read(2, digits));
        uint8_t value = 0;
        for (const uint8_t digit : digits) {
            int nibble = -1;
            if (is_digit(digit)) nibble = digit - '0';
            if (digit >= 'A' && digit <= 'F') nibble = digit - 'A' + 10;
            if (digit >= 'a' && digit <= 'f') nibble = digit - 'a' + 10;
            if (nibble < 0) return refuse(WT_Result::Corrupt_Data, "0x%02X is not a hexadecimal digit", digit);
            value = static_cast<uint8_t>(value << 4 | nibble);
        }
        out[index] = value;
    }
    return WT_Result::Success;
}

namespace {
// A little-endian signed field of the coordinate's width.
template <class Coordinate>
int32_t get_coordinate(const uint8_t* bytes) {
    uint32_t bits = 0;
    for (size_t byte = 0; byte < sizeof(Coordinate); ++byte) bits |= uint32_t{bytes[byte]} << (8 * byte);
    return static_cast<Coordinate>(bits);
}

template <class Coordinate>
WT_Result::Enum read_relative_points(WT_Stream& stream, uint32_t count, std::vector<WT_Logical_Point>& points) {
    constexpr size_t width = sizeof(Coordinate);
    points.clear();
    WT_Logical_Point current = stream.current_point();
    // An x whose y has not arrived yet.
    bool x_waiting = false;
    int32_t dx = 0;
    for (size_t left = size_t{count} * 2; left > 0;) {
        // Coordinates are taken as their bytes arrive, so a count larger than
        // the input ends in a read result, not in a large allocation, and an
        // input that comes in small pieces is not read again and again.
        const uint8_t* bytes = nullptr;
        size_t coordinates = 0;
        WT_CHECK(stream.read_in_place(width, left, bytes, coordinates));
        left -= coordinates;
        if (x_waiting) {
            current = WT_Logical_Point(wt_wrapping_add(current.m_x, dx),
                                       wt_wrapping_add(current.m_y, get_coordinate<Coordinate>(bytes)));
            points.push_back(current);
            bytes += width;
            --coordinates;
            x_waiting = false;
        }
        const size_t pairs = coordinates / 2;
        if (points.capacity() - points.size() < pairs)
            points.reserve(std::max(points.size() + pairs, 2 * points.size()));
        for (size_t pair = 0; pair < pairs; ++pair, bytes += 2 * width) {
            current = WT_Logical_Point(wt_wrapping_add(current.m_x, get_coordinate<Coordinate>(bytes)),
                                       wt_wrapping_add(current.m_y, get_coordinate<Coordinate>(bytes + width)));
            points.push_back(current);
        }
        if (coordinates % 2 != 0) {
            dx = get_coordinate<Coordinate>(bytes);
            x_waiting = true;
        }
    }
    stream.set_current_point(current);
    return WT_Result::Success;
}
}  // namespace

WT_Result::Enum WT_Stream::read_points_16r(uint32_t count, std::vector<WT_Logical_Point>& points) {
    return read_relative_points<int16_t>(*this, count, points);
}

WT_Result::Enum WT_Stream::read_points_32r(uint32_t count, std::vector<WT_Logical_Point>& points) {
    return read_relative_points<int32_t>(*this, count, points);
}

WT_Result::Enum WT_Stream::read_closing_parenthesis() {
    WT_CHECK(eat_whitespace());
    uint8_t byte = 0;
    WT_CHECK(read(byte));
    if (byte == ')') return WT_Result::Success;
    return refuse_byte(byte, "expected ')' to close the opcode");
}
