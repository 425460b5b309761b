#include "w2d/contour_set.h"

#include <numeric>

#include "w2d/stream.h"

WT_Contour_Set::WT_Contour_Set(std::vector<WT_Logical_Point> points)
    : m_counts{static_cast<int32_t>(points.size())}, m_points(std::move(points)) {}

WT_Contour_Set::WT_Contour_Set(std::vector<int32_t> counts, std::vector<WT_Logical_Point> points)
    : m_counts(std::move(counts)), m_points(std::move(points)) {}

WT_Result::Enum WT_Contour_Set::write_ascii(WT_Stream& stream) const {
    const int64_t needed = std::accumulate(m_counts.begin(), m_counts.end(), int64_t{0});
    if (needed != static_cast<int64_t>(m_points.size())) return WT_Result::Internal_Error;
    WT_CHECK(stream.write("(Contour "));
    WT_CHECK(stream.write_ascii(static_cast<int32_t>(m_counts.size())));
    for (const int32_t count : m_counts) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(count));
    }
    for (const WT_Logical_Point& point : m_points) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(point));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Contour_Set::read_ascii(WT_Stream& stream) {
    int32_t contours = 0;
    WT_CHECK(stream.read_ascii(contours));
    if (contours < 0) return WT_Result::Corrupt_Data;
    // Counts and points are appended as they are read, never reserved from
    // the counts a stream claims.
    std::vector<int32_t> counts;
    int64_t total = 0;
    for (int32_t index = 0; index < contours; ++index) {
        int32_t count = 0;
        WT_CHECK(stream.read_ascii(count));
        if (count < 1) return WT_Result::Corrupt_Data;
        total += count;
        if (total > INT32_MAX) return WT_Result::Corrupt_Data;
        counts.push_back(count);
    }
    std::vector<WT_Logical_Point> points;
    for (int64_t index = 0; index < total; ++index) {
        WT_Logical_Point point;
        WT_CHECK(stream.read_ascii(point));
        points.push_back(point);
    }
    WT_CHECK(stream.read_closing_parenthesis());
    m_counts = std::move(counts);
    m_points = std::move(points);
    return WT_Result::Success;
}
