// A set of closed contours (a polygon with holes): the point count of each
// contour and their points one after another. Here as the value a viewport
// clips with, in its ASCII form "(Contour" count, point counts, points ")".
#ifndef DWFPLOT_W2D_CONTOUR_SET_H
#define DWFPLOT_W2D_CONTOUR_SET_H

#include <cstdint>
#include <vector>

#include "w2d/logical_point.h"
#include "w2d/result.h"

class WT_Stream;

class WT_Contour_Set {
public:
    WT_Contour_Set() = default;
    // One contour of `points`.
    explicit WT_Contour_Set(std::vector<WT_Logical_Point> points);
    WT_Contour_Set(std::vector<int32_t> counts, std::vector<WT_Logical_Point> points);

    int32_t contours() const { return static_cast<int32_t>(m_counts.size()); }
    const std::vector<int32_t>& counts() const { return m_counts; }
    const std::vector<WT_Logical_Point>& points() const { return m_points; }
    int32_t total_points() const { return static_cast<int32_t>(m_points.size()); }

    bool operator==(const WT_Contour_Set&) const = default;

    // "(Contour " with absolute points, then ")".
    WT_Result::Enum write_ascii(WT_Stream& stream) const;
    // What follows the "(Contour" token, up to and including its ")".
    WT_Result::Enum read_ascii(WT_Stream& stream);

private:
    std::vector<int32_t> m_counts;
    std::vector<WT_Logical_Point> m_points;
};

#endif  // DWFPLOT_W2D_CONTOUR_SET_H
