#include "w2d/point_transform.h"

#include <cmath>
#include <numbers>

#include "w2d/stream.h"

namespace {
int32_t clamped(double value) {
    if (!(value > -2147483648.0)) return INT32_MIN;
    if (value > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(std::llround(value));
}
}  // namespace

WT_Logical_Point wt_transform_point(const WT_Stream& stream, const WT_Logical_Point& point) {
    if (!stream.options().apply_transform()) return point;
    const WT_Transform& transform = stream.options().transform();
    double x = point.m_x;
    double y = point.m_y;
    if (transform.rotates()) {
        const double radians = transform.m_rotation * std::numbers::pi / 180.0;
        const double rotated_x = x * std::cos(radians) - y * std::sin(radians);
        y = x * std::sin(radians) + y * std::cos(radians);
        x = rotated_x;
    }
    x = x * transform.m_x_scale + transform.m_translate.m_x;
    y = y * transform.m_y_scale + transform.m_translate.m_y;
    return WT_Logical_Point(clamped(x), clamped(y));
}

std::vector<WT_Logical_Point> wt_output_points(const WT_Stream& stream, const std::vector<WT_Logical_Point>& points) {
    if (!stream.options().apply_transform()) return points;
    std::vector<WT_Logical_Point> result;
    result.reserve(points.size());
    for (const WT_Logical_Point& point : points) result.push_back(wt_transform_point(stream, point));
    return result;
}

const std::vector<WT_Logical_Point>& wt_output_points(const WT_Stream& stream,
                                                      const std::vector<WT_Logical_Point>& points,
                                                      std::vector<WT_Logical_Point>& scratch) {
    if (!stream.options().apply_transform()) return points;
    scratch = wt_output_points(stream, points);
    return scratch;
}
