// The points of a polyline or polygon, and the forms in which both write
// and read them: ASCII letter, 32-bit relative and 16-bit relative opcode.
#ifndef DWFPLOT_W2D_POINT_SET_H
#define DWFPLOT_W2D_POINT_SET_H

#include <cstdint>
#include <functional>
#include <vector>

#include "w2d/logical_point.h"
#include "w2d/result.h"

class WT_Opcode;
class WT_Stream;

class WT_Point_Set {
public:
    // Above this many points (the largest count encoding) only the ASCII
    // form can hold a set.
    static constexpr uint32_t Maximum_Binary_Count = 65791;
    // The point-set forms: a polygon, or with the fill off a polyline.
    static constexpr uint8_t Ascii_Point_Set_Opcode = 'P';
    static constexpr uint8_t Point_Set_Opcode_32 = 'p';
    static constexpr uint8_t Point_Set_Opcode_16 = 0x10;

    WT_Point_Set() = default;
    // The set keeps its own copy.
    explicit WT_Point_Set(std::vector<WT_Logical_Point> points) : m_points(std::move(points)) {}
    WT_Point_Set(int32_t count, const WT_Logical_Point* points);

    int32_t count() const { return static_cast<int32_t>(m_points.size()); }
    const std::vector<WT_Logical_Point>& points() const { return m_points; }
    bool operator==(const WT_Point_Set&) const = default;

protected:
    // The point-set form with the three opcodes of the kind.
    WT_Result::Enum write_point_set(WT_Stream& stream, uint8_t asciiOpcode, uint8_t opcode32, uint8_t opcode16) const;
    // Count and points after one of the three opcodes; Wrong_Opcode for any
    // other opcode.
    WT_Result::Enum read_point_set(const WT_Opcode& opcode, WT_Stream& stream, uint8_t asciiOpcode, uint8_t opcode32,
                                   uint8_t opcode16);

    std::vector<WT_Logical_Point> m_points;
};

// Whether a value fits a 16-bit signed field.
inline bool wt_fits_16(int32_t value) { return value >= INT16_MIN && value <= INT16_MAX; }

// Writes relative points of a point set or contour set: with `opcode16` when
// the differences fit 16 bits (after a set-origin opcode when only the first
// does not and there are at least three points), else with `opcode32`.
// `counts` writes what stands between the opcode and the points.
WT_Result::Enum wt_write_relative_points(WT_Stream& stream, const std::vector<WT_Logical_Point>& points,
                                         uint8_t opcode16, uint8_t opcode32,
                                         const std::function<WT_Result::Enum()>& counts);

// Reads `count` absolute ASCII points, appending them as they arrive.
WT_Result::Enum wt_read_ascii_points(WT_Stream& stream, int64_t count, std::vector<WT_Logical_Point>& points);

#endif  // DWFPLOT_W2D_POINT_SET_H
