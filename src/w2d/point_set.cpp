#include "w2d/point_set.h"


#include "w2d/origin.h"
#include "w2d/point_transform.h"
#include "w2d/stream.h"

WT_Point_Set::WT_Point_Set(int32_t count, const WT_Logical_Point* points) {
    if (count < 0 || (count > 0 && points == nullptr)) throw WT_Result::Usage_Error;
    m_points.assign(points, points + count);
}

WT_Result::Enum wt_write_relative_points(WT_Stream& stream, const std::vector<WT_Logical_Point>& points,
                                         uint8_t opcode16, uint8_t opcode32,
                                         const std::function<WT_Result::Enum()>& counts) {
    bool rest_fits = true;
    for (size_t index = 1; index < points.size() && rest_fits; ++index) {
        rest_fits = wt_fits_16(wt_wrapping_sub(points[index].m_x, points[index - 1].m_x)) &&
                    wt_fits_16(wt_wrapping_sub(points[index].m_y, points[index - 1].m_y));
    }
    const WT_Logical_Point& current = stream.current_point();
    const bool first_fits = points.empty() || (wt_fits_16(wt_wrapping_sub(points[0].m_x, current.m_x)) &&
                                               wt_fits_16(wt_wrapping_sub(points[0].m_y, current.m_y)));
    if (!rest_fits || (!first_fits && points.size() < 3)) {
        WT_CHECK(stream.write(opcode32));
        WT_CHECK(counts());
        return stream.write_points_32r(points.size(), points.data());
    }
    // A far first point moves the origin instead of widening every point.
    if (!first_fits) WT_CHECK(WT_Origin(points[0]).write(stream));
    WT_CHECK(stream.write(opcode16));
    WT_CHECK(counts());
    return stream.write_points_16r(points.size(), points.data());
}

WT_Result::Enum wt_read_ascii_points(WT_Stream& stream, int64_t count, std::vector<WT_Logical_Point>& points) {
    for (int64_t index = 0; index < count; ++index) {
        WT_Logical_Point point;
        WT_CHECK(stream.read_ascii(point));
        points.push_back(point);
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Point_Set::write_point_set(WT_Stream& stream, uint8_t asciiOpcode, uint8_t opcode32,
                                              uint8_t opcode16) const {
    if (m_points.empty()) return WT_Result::Usage_Error;
    std::vector<WT_Logical_Point> transformed;
    const std::vector<WT_Logical_Point>& points = wt_output_points(stream, m_points, transformed);
    const auto count = static_cast<uint32_t>(points.size());
    if (!stream.options().allow_binary_data() || count > Maximum_Binary_Count) {
        WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
        WT_CHECK(stream.write(asciiOpcode));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(count));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        return stream.write_ascii(points.size(), points.data());
    }
    return wt_write_relative_points(stream, points, opcode16, opcode32, [&] { return stream.write_count(count); });
}

WT_Result::Enum WT_Point_Set::read_point_set(const WT_Opcode& opcode, WT_Stream& stream, uint8_t asciiOpcode,
                                             uint8_t opcode32, uint8_t opcode16) {
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    m_points.clear();
    if (opcode.byte() == asciiOpcode) {
        int32_t count = 0;
        WT_CHECK(stream.read_ascii(count));
        if (count < 1) return stream.refuse(WT_Result::Corrupt_Data, "a count of %d points", count);
        return wt_read_ascii_points(stream, count, m_points);
    }
    if (opcode.byte() != opcode32 && opcode.byte() != opcode16) return WT_Result::Wrong_Opcode;
    uint32_t count = 0;
    WT_CHECK(stream.read_count(count));
    if (opcode.byte() == opcode32) return stream.read_points_32r(count, m_points);
    return stream.read_points_16r(count, m_points);
}
