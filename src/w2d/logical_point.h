// A point in stream (logical) units. All geometry of a W2D stream is in
// these integers.
#ifndef DWFPLOT_W2D_LOGICAL_POINT_H
#define DWFPLOT_W2D_LOGICAL_POINT_H

#include <cstdint>

class WT_Logical_Point {
public:
    int32_t m_x = 0;
    int32_t m_y = 0;

    WT_Logical_Point() = default;
    WT_Logical_Point(int32_t x, int32_t y) : m_x(x), m_y(y) {}

    bool operator==(const WT_Logical_Point&) const = default;
};

// The format's coordinate arithmetic is 32-bit and wraps around; computing it
// in unsigned arithmetic keeps that wrap-around defined.
inline int32_t wt_wrapping_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wt_wrapping_sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

#endif  // DWFPLOT_W2D_LOGICAL_POINT_H
