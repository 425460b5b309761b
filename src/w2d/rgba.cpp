#include "w2d/rgba.h"

#include "w2d/record_reading.h"
#include "w2d/stream.h"

namespace {
WT_Result::Enum read_comma(WT_Stream& stream) {
    WT_CHECK(stream.eat_whitespace());
    uint8_t byte = 0;
    WT_CHECK(stream.read(byte));
    return byte == ',' ? WT_Result::Success : stream.refuse_byte(byte, "expected ','");
}
}  // namespace

WT_Result::Enum wt_write_rgba(WT_Stream& stream, const WT_RGBA32& color) {
    const uint8_t bytes[4] = {color.m_red, color.m_green, color.m_blue, color.m_alpha};
    return stream.write(sizeof bytes, bytes);
}

WT_Result::Enum wt_read_rgba(WT_Stream& stream, WT_RGBA32& color) {
    uint8_t bytes[4];
    WT_CHECK(stream.read(sizeof bytes, bytes));
    color = WT_RGBA32(bytes[0], bytes[1], bytes[2], bytes[3]);
    return WT_Result::Success;
}

WT_Result::Enum wt_write_ascii_rgba(WT_Stream& stream, const WT_RGBA32& color) {
    const uint8_t channels[4] = {color.m_red, color.m_green, color.m_blue, color.m_alpha};
    for (int index = 0; index < 4; ++index) {
        if (index > 0) WT_CHECK(stream.write(static_cast<uint8_t>(',')));
        WT_CHECK(stream.write_ascii(static_cast<uint32_t>(channels[index])));
    }
    return WT_Result::Success;
}

WT_Result::Enum wt_read_ascii_rgba(WT_Stream& stream, WT_RGBA32& color) {
    WT_CHECK(wt_read_unsigned(stream, color.m_red));
    WT_CHECK(read_comma(stream));
    WT_CHECK(wt_read_unsigned(stream, color.m_green));
    WT_CHECK(read_comma(stream));
    WT_CHECK(wt_read_unsigned(stream, color.m_blue));
    WT_CHECK(read_comma(stream));
    return wt_read_unsigned(stream, color.m_alpha);
}
