#include "w2d/polyline.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "w2d/attribute_set.h"
#include "w2d/point_transform.h"
#include "w2d/stream.h"

WT_Result::Enum WT_Polyline::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    const uint8_t byte = opcode.byte();
    if (byte != Ascii_Line_Opcode && byte != Line_Opcode_32 && byte != Line_Opcode_16)
        return read_point_set(opcode, stream, Ascii_Point_Set_Opcode, Point_Set_Opcode_32, Point_Set_Opcode_16);
    m_points.clear();
    if (byte == Ascii_Line_Opcode) return wt_read_ascii_points(stream, 2, m_points);
    return byte == Line_Opcode_32 ? stream.read_points_32r(2, m_points) : stream.read_points_16r(2, m_points);
}

WT_Result::Enum WT_Polyline::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Polyline>(opcode, stream);
}

WT_Result::Enum WT_Polyline::prepare_write(WT_Stream& stream, bool& hold) const {
    WT_Attribute_Set& desired = stream.desired_attributes();
    // A point set read while the fill is on is a polygon to its reader,
    // whichever fill is desired; a line is never one.
    if (count() != 2 && (desired.fill().filled() || stream.current_attributes().fill().filled()))
        desired.set(WT_Fill(false));
    WT_CHECK(stream.sync_attributes(Attribute_Mask));
    // A line drawn with the fill on must stay a line: merged with another it
    // would become a point set, which a reader takes for a polygon.
    hold = !stream.current_attributes().fill().filled();
    return hold ? WT_Result::Success : stream.dump_delayed_drawable();
}

WT_Result::Enum WT_Polyline::write(WT_Stream& stream) const {
    bool hold = false;
    WT_CHECK(prepare_write(stream, hold));
    return hold ? stream.write_deferred(*this) : dump(stream);
}

WT_Result::Enum WT_Polyline::write_handing_over(WT_Stream& stream) {
    bool hold = false;
    WT_CHECK(prepare_write(stream, hold));
    if (!hold) return dump(stream);
    return stream.write_deferred(std::make_unique<WT_Polyline>(std::move(*this)));
}

WT_Result::Enum WT_Polyline::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_Polyline::dump(WT_Stream& stream) const {
    if (count() == 2) return dump_line(stream);
    return write_point_set(stream, Ascii_Point_Set_Opcode, Point_Set_Opcode_32, Point_Set_Opcode_16);
}

WT_Result::Enum WT_Polyline::dump_line(WT_Stream& stream) const {
    const WT_Logical_Point first = wt_transform_point(stream, m_points[0]);
    const WT_Logical_Point second = wt_transform_point(stream, m_points[1]);
    if (!stream.options().allow_binary_data()) {
        WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
        WT_CHECK(wt_write_token(stream, Ascii_Line_Opcode, " "));
        WT_CHECK(stream.write_ascii(first));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        return stream.write_ascii(second);
    }
    const WT_Logical_Point& current = stream.current_point();
    const bool fits = wt_fits_16(wt_wrapping_sub(first.m_x, current.m_x)) &&
                      wt_fits_16(wt_wrapping_sub(first.m_y, current.m_y)) &&
                      wt_fits_16(wt_wrapping_sub(second.m_x, first.m_x)) &&
                      wt_fits_16(wt_wrapping_sub(second.m_y, first.m_y));
    const WT_Logical_Point points[2] = {first, second};
    WT_CHECK(stream.write(fits ? Line_Opcode_16 : Line_Opcode_32));
    return fits ? stream.write_points_16r(2, points) : stream.write_points_32r(2, points);
}

bool WT_Polyline::merge(const WT_Drawable& following) {
    const auto* next = dynamic_cast<const WT_Polyline*>(&following);
    if (next == nullptr || m_points.empty() || next->m_points.empty()) return false;
    const std::vector<WT_Logical_Point>& b = next->m_points;
    std::vector<WT_Logical_Point> merged;
    const size_t needed = m_points.size() + b.size() - 1;
    merged.reserve(needed);
    if (m_points.front() == b.front()) {
        merged.insert(merged.end(), b.rbegin(), b.rend() - 1);
        merged.insert(merged.end(), m_points.begin(), m_points.end());
    } else if (m_points.back() == b.front()) {
        merged = m_points;
        merged.insert(merged.end(), b.begin() + 1, b.end());
    } else if (m_points.back() == b.back()) {
        merged = m_points;
        merged.insert(merged.end(), b.rbegin() + 1, b.rend());
    } else if (m_points.front() == b.back()) {
        merged.insert(merged.end(), b.begin(), b.end() - 1);
        merged.insert(merged.end(), m_points.begin(), m_points.end());
    } else {
        return false;
    }
    if (merged.size() != needed) throw WT_Result::Internal_Error;
    m_points = std::move(merged);
    return true;
}
