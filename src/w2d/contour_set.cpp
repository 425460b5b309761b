#include "w2d/contour_set.h"

#include <climits>
#include <numeric>

#include "w2d/attribute_set.h"
#include "w2d/point_set.h"
#include "w2d/point_transform.h"
#include "w2d/stream.h"

namespace {
constexpr const char* kTooManyPoints = "the contours hold more than 2^31 - 1 points";
}  // namespace

WT_Contour_Set::WT_Contour_Set(std::vector<WT_Logical_Point> points)
    : m_counts{static_cast<int32_t>(points.size())}, m_points(std::move(points)) {}

WT_Contour_Set::WT_Contour_Set(std::vector<int32_t> counts, std::vector<WT_Logical_Point> points)
    : m_counts(std::move(counts)), m_points(std::move(points)) {}

bool WT_Contour_Set::consistent() const {
    for (const int32_t count : m_counts)
        if (count < 1) return false;
    const int64_t needed = std::accumulate(m_counts.begin(), m_counts.end(), int64_t{0});
    return !m_counts.empty() && needed == static_cast<int64_t>(m_points.size());
}

WT_Result::Enum WT_Contour_Set::write_ascii(WT_Stream& stream) const {
    if (!consistent()) return WT_Result::Internal_Error;
    return write_ascii_points(stream, m_points);
}

WT_Result::Enum WT_Contour_Set::write_ascii_points(WT_Stream& stream, const std::vector<WT_Logical_Point>& points) const {
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(static_cast<int32_t>(m_counts.size())));
    for (const int32_t count : m_counts) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(count));
    }
    for (const WT_Logical_Point& point : points) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(point));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Contour_Set::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(stream.sync_attributes(Attribute_Mask));
    return dump(stream);
}

WT_Result::Enum WT_Contour_Set::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_Contour_Set::dump(WT_Stream& stream) const {
    if (!consistent()) return WT_Result::Internal_Error;
    std::vector<WT_Logical_Point> transformed;
    const std::vector<WT_Logical_Point>& points = wt_output_points(stream, m_points, transformed);
    if (!stream.options().allow_binary_data() || points.size() > Maximum_Binary_Count ||
        m_counts.size() > Maximum_Binary_Count) {
        WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
        return write_ascii_points(stream, points);
    }
    return wt_write_relative_points(stream, points, Opcode_16, Opcode_32, [&]() -> WT_Result::Enum {
        WT_CHECK(stream.write_count(static_cast<uint32_t>(m_counts.size())));
        for (const int32_t count : m_counts) WT_CHECK(stream.write_count(static_cast<uint32_t>(count)));
        return WT_Result::Success;
    });
}

WT_Result::Enum WT_Contour_Set::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.is_named(Token)) return read_ascii(stream);
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    if (opcode.byte() == Opcode_16) return read_binary(false, stream);
    if (opcode.byte() == Opcode_32) return read_binary(true, stream);
    return WT_Result::Wrong_Opcode;
}

WT_Result::Enum WT_Contour_Set::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Contour_Set>(opcode, stream);
}

WT_Result::Enum WT_Contour_Set::read_binary(bool wide, WT_Stream& stream) {
    uint32_t contours = 0;
    WT_CHECK(stream.read_count(contours));
    // Counts and points are appended as they are read, never reserved from
    // the counts a stream claims.
    std::vector<int32_t> counts;
    uint64_t total = 0;
    for (uint32_t index = 0; index < contours; ++index) {
        uint32_t count = 0;
        WT_CHECK(stream.read_count(count));
        total += count;
        counts.push_back(static_cast<int32_t>(count));
    }
    if (total > INT32_MAX) return stream.refuse(WT_Result::Corrupt_Data, "%s", kTooManyPoints);
    const auto points_total = static_cast<uint32_t>(total);
    std::vector<WT_Logical_Point> points;
    WT_CHECK(wide ? stream.read_points_32r(points_total, points) : stream.read_points_16r(points_total, points));
    m_counts = std::move(counts);
    m_points = std::move(points);
    return WT_Result::Success;
}

WT_Result::Enum WT_Contour_Set::read_ascii(WT_Stream& stream) {
    int32_t contours = 0;
    WT_CHECK(stream.read_ascii(contours));
    if (contours < 0) return stream.refuse(WT_Result::Corrupt_Data, "a count of %d contours", contours);
    std::vector<int32_t> counts;
    int64_t total = 0;
    for (int32_t index = 0; index < contours; ++index) {
        int32_t count = 0;
        WT_CHECK(stream.read_ascii(count));
        if (count < 1) return stream.refuse(WT_Result::Corrupt_Data, "a contour of %d points", count);
        total += count;
        if (total > INT32_MAX) return stream.refuse(WT_Result::Corrupt_Data, "%s", kTooManyPoints);
        counts.push_back(count);
    }
    std::vector<WT_Logical_Point> points;
    WT_CHECK(wt_read_ascii_points(stream, total, points));
    WT_CHECK(stream.read_closing_parenthesis());
    m_counts = std::move(counts);
    m_points = std::move(points);
    return WT_Result::Success;
}
