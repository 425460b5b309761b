// One colour of the stream: four 8-bit channels.
#ifndef DWFPLOT_W2D_RGBA_H
#define DWFPLOT_W2D_RGBA_H

#include <cstdint>

#include "w2d/result.h"

class WT_Stream;

class WT_RGBA32 {
public:
    uint8_t m_red = 255;
    uint8_t m_green = 255;
    uint8_t m_blue = 255;
    uint8_t m_alpha = 255;

    constexpr WT_RGBA32() = default;
    constexpr WT_RGBA32(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha = 255)
        : m_red(red), m_green(green), m_blue(blue), m_alpha(alpha) {}

    bool operator==(const WT_RGBA32&) const = default;
};

// Binary: the four channels red, green, blue, alpha. ASCII: the same as
// decimals separated by commas.
WT_Result::Enum wt_write_rgba(WT_Stream& stream, const WT_RGBA32& color);
WT_Result::Enum wt_read_rgba(WT_Stream& stream, WT_RGBA32& color);
WT_Result::Enum wt_write_ascii_rgba(WT_Stream& stream, const WT_RGBA32& color);
WT_Result::Enum wt_read_ascii_rgba(WT_Stream& stream, WT_RGBA32& color);

#endif  // DWFPLOT_W2D_RGBA_H
