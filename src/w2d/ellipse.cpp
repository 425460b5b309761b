#include "w2d/ellipse.h"


#include "w2d/attribute_set.h"
#include "w2d/point_set.h"
#include "w2d/point_transform.h"
#include "w2d/stream.h"

namespace {
// A binary end angle of 0 closes the turn it starts.
uint32_t end_angle(uint16_t value) { return value == 0 ? WT_Ellipse::Full_Turn : value; }

WT_Result::Enum read_ascii_pair(WT_Stream& stream, uint32_t& first, uint32_t& second) {
    WT_CHECK(stream.read_ascii(first));
    uint8_t comma = 0;
    WT_CHECK(stream.read(comma));
    if (comma != ',') return stream.refuse_byte(comma, "expected ','");
    return stream.read_ascii(second);
}

WT_Result::Enum write_ascii_pair(WT_Stream& stream, uint32_t first, uint32_t second) {
    WT_CHECK(stream.write_ascii(first));
    WT_CHECK(stream.write(static_cast<uint8_t>(',')));
    return stream.write_ascii(second);
}

WT_Result::Enum write_relative(WT_Stream& stream, const WT_Logical_Point& point) {
    return stream.write_points_32r(1, &point);
}

WT_Result::Enum read_relative(WT_Stream& stream, bool wide, WT_Logical_Point& point) {
    std::vector<WT_Logical_Point> points;
    WT_CHECK(wide ? stream.read_points_32r(1, points) : stream.read_points_16r(1, points));
    point = points[0];
    return WT_Result::Success;
}
}  // namespace

WT_Result::Enum WT_Ellipse::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_Attribute_Set& desired = stream.desired_attributes();
    uint32_t mask = filled() ? WT_Filled_Ellipse::Attribute_Mask : WT_Outline_Ellipse::Attribute_Mask;
    if (desired.fill().filled() != filled() || stream.current_attributes().fill().filled() != filled()) {
        desired.set(WT_Fill(filled()));
        mask |= WT_Attribute_Set::Fill_Bit;
    }
    WT_CHECK(stream.sync_attributes(mask));
    return dump(stream);
}

WT_Result::Enum WT_Ellipse::dump(WT_Stream& stream) const {
    // An end beyond a full turn has no form its reader takes back.
    if (m_end > Full_Turn) return WT_Result::Write_Failed;
    const WT_Logical_Point centre = wt_transform_point(stream, m_centre);
    if (!stream.options().allow_binary_data()) return write_ascii(stream, centre);
    return write_binary(stream, centre);
}

WT_Result::Enum WT_Ellipse::write_ascii(WT_Stream& stream, const WT_Logical_Point& centre) const {
    WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
    if (is_circle()) {
        WT_CHECK(is_full() ? wt_write_token(stream, Ascii_Circle, " ") : wt_write_token(stream, Circle_Token, " "));
        WT_CHECK(stream.write_ascii(centre));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(m_major));
        if (is_full()) return WT_Result::Success;
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(write_ascii_pair(stream, (m_start + m_tilt) % Full_Turn, (m_end + m_tilt) % Full_Turn));
        return stream.write(static_cast<uint8_t>(')'));
    }
    const bool plain = is_full() && m_tilt == 0;
    WT_CHECK(plain ? wt_write_token(stream, Ascii_Ellipse, " ") : wt_write_token(stream, Ellipse_Token, " "));
    WT_CHECK(stream.write_ascii(centre));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(write_ascii_pair(stream, m_major, m_minor));
    if (plain) return WT_Result::Success;
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(write_ascii_pair(stream, m_start, m_end));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_tilt)));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Ellipse::write_binary(WT_Stream& stream, const WT_Logical_Point& centre) const {
    if (is_circle() && is_full()) {
        const WT_Logical_Point& current = stream.current_point();
        const bool fits = wt_fits_16(wt_wrapping_sub(centre.m_x, current.m_x)) &&
                          wt_fits_16(wt_wrapping_sub(centre.m_y, current.m_y)) && m_major <= UINT16_MAX;
        WT_CHECK(stream.write(fits ? Circle_16 : Circle_32));
        if (fits) {
            WT_CHECK(stream.write_points_16r(1, &centre));
            return stream.write(static_cast<uint16_t>(m_major));
        }
        WT_CHECK(write_relative(stream, centre));
        return stream.write(m_major);
    }
    if (is_circle()) {
        WT_CHECK(stream.write(Arc_32));
        WT_CHECK(write_relative(stream, centre));
        WT_CHECK(stream.write(m_major));
        WT_CHECK(stream.write(static_cast<uint16_t>(m_start + m_tilt)));
        return stream.write(static_cast<uint16_t>(m_end + m_tilt));
    }
    WT_CHECK(stream.write(Ellipse_32));
    WT_CHECK(write_relative(stream, centre));
    WT_CHECK(stream.write(m_major));
    WT_CHECK(stream.write(m_minor));
    WT_CHECK(stream.write(m_start));
    WT_CHECK(stream.write(static_cast<uint16_t>(m_end)));
    return stream.write(m_tilt);
}

WT_Result::Enum WT_Ellipse::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    m_start = 0;
    m_end = Full_Turn;
    m_tilt = 0;
    if (opcode.type() == WT_Opcode::Extended_ASCII) return read_named(opcode, stream);
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    const uint8_t byte = opcode.byte();
    if (byte == Ascii_Circle || byte == Ascii_Ellipse) return read_ascii(byte, stream);
    return read_binary(byte, stream);
}

WT_Result::Enum WT_Ellipse::read_ascii(uint8_t opcode, WT_Stream& stream) {
    WT_CHECK(stream.read_ascii(m_centre));
    if (opcode == Ascii_Circle) {
        WT_CHECK(stream.read_ascii(m_major));
        m_minor = m_major;
        return WT_Result::Success;
    }
    return read_ascii_pair(stream, m_major, m_minor);
}

WT_Result::Enum WT_Ellipse::read_named(const WT_Opcode& opcode, WT_Stream& stream) {
    const bool circle = opcode.is_named(Circle_Token);
    if (!circle && !opcode.is_named(Ellipse_Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read_ascii(m_centre));
    uint32_t start = 0;
    uint32_t tilt = 0;
    if (circle) {
        WT_CHECK(stream.read_ascii(m_major));
        m_minor = m_major;
        WT_CHECK(read_ascii_pair(stream, start, m_end));
    } else {
        WT_CHECK(read_ascii_pair(stream, m_major, m_minor));
        WT_CHECK(read_ascii_pair(stream, start, m_end));
        WT_CHECK(stream.read_ascii(tilt));
    }
    if (start >= Full_Turn || tilt >= Full_Turn || m_end > Full_Turn) {
        return stream.refuse(WT_Result::Corrupt_Data, "an angle beyond a full turn of %d", Full_Turn);
    }
    if (circle && m_end == 0) m_end = Full_Turn;
    m_start = static_cast<uint16_t>(start);
    m_tilt = static_cast<uint16_t>(tilt);
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Ellipse::read_binary(uint8_t opcode, WT_Stream& stream) {
    uint16_t start = 0;
    uint16_t end = 0;
    switch (opcode) {
        case Circle_16: {
            uint16_t radius = 0;
            WT_CHECK(read_relative(stream, false, m_centre));
            WT_CHECK(stream.read(radius));
            m_major = m_minor = radius;
            return WT_Result::Success;
        }
        case Circle_32:
            WT_CHECK(read_relative(stream, true, m_centre));
            WT_CHECK(stream.read(m_major));
            m_minor = m_major;
            return WT_Result::Success;
        case Arc_32:
            WT_CHECK(read_relative(stream, true, m_centre));
            WT_CHECK(stream.read(m_major));
            m_minor = m_major;
            WT_CHECK(stream.read(start));
            WT_CHECK(stream.read(end));
            m_start = start;
            m_end = end_angle(end);
            return WT_Result::Success;
        case Ellipse_32:
            WT_CHECK(read_relative(stream, true, m_centre));
            WT_CHECK(stream.read(m_major));
            WT_CHECK(stream.read(m_minor));
            WT_CHECK(stream.read(start));
            WT_CHECK(stream.read(end));
            WT_CHECK(stream.read(m_tilt));
            m_start = start;
            m_end = end_angle(end);
            return WT_Result::Success;
        default:
            return WT_Result::Wrong_Opcode;
    }
}

WT_Result::Enum WT_Filled_Ellipse::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Filled_Ellipse>(opcode, stream);
}

WT_Result::Enum WT_Filled_Ellipse::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_Outline_Ellipse::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Outline_Ellipse>(opcode, stream);
}

WT_Result::Enum WT_Outline_Ellipse::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }
