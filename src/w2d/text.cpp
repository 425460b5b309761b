#include "w2d/text.h"

#include "w2d/attribute_set.h"
#include "w2d/framing.h"
#include "w2d/point_transform.h"
#include "w2d/stream.h"

namespace {
// Character positions from this stream version on.
constexpr int Char_Positions_Version = 600;

// Binary lists: count + 1, then each value + 1, so that an empty list and a
// position 0 fit the count encoding, which has no zero.
WT_Result::Enum write_binary_list(WT_Stream& stream, const std::vector<uint16_t>& values) {
    WT_CHECK(stream.write_count(static_cast<uint32_t>(values.size()) + 1));
    for (const uint16_t value : values) WT_CHECK(stream.write_count(uint32_t{value} + 1));
    return WT_Result::Success;
}

WT_Result::Enum read_binary_list(WT_Stream& stream, std::vector<uint16_t>& values) {
    values.clear();
    uint32_t count = 0;
    WT_CHECK(stream.read_count(count));
    for (uint32_t index = 1; index < count; ++index) {
        uint32_t value = 0;
        WT_CHECK(stream.read_count(value));
        if (value - 1 > UINT16_MAX) return stream.refuse(WT_Result::Corrupt_Data, "a position of %u", value);
        values.push_back(static_cast<uint16_t>(value - 1));
    }
    return WT_Result::Success;
}

// " (Name (count first,second...))", only for a list that has values.
WT_Result::Enum write_ascii_list(WT_Stream& stream, const char* name, const std::vector<uint16_t>& values) {
    if (values.empty()) return WT_Result::Success;
    WT_CHECK(stream.write(" ("));
    WT_CHECK(stream.write(name));
    WT_CHECK(stream.write(" ("));
    WT_CHECK(stream.write_ascii(static_cast<uint32_t>(values.size())));
    for (size_t index = 0; index < values.size(); ++index) {
        WT_CHECK(stream.write(static_cast<uint8_t>(index == 0 ? ' ' : ',')));
        WT_CHECK(stream.write_ascii(uint32_t{values[index]}));
    }
    return stream.write("))");
}

// What follows an ASCII list option name: "(count first,second...))".
WT_Result::Enum read_ascii_list(WT_Stream& stream, std::vector<uint16_t>& values) {
    values.clear();
    WT_CHECK(stream.eat_whitespace());
    uint8_t open = 0;
    WT_CHECK(stream.read(open));
    if (open != '(') return WT_Result::Corrupt_Data;
    uint32_t count = 0;
    WT_CHECK(stream.read_ascii(count));
    for (uint32_t index = 0; index < count; ++index) {
        if (index > 0) {
            WT_CHECK(stream.eat_whitespace());
            uint8_t comma = 0;
            WT_CHECK(stream.read(comma));
            if (comma != ',') return WT_Result::Corrupt_Data;
        }
        uint32_t value = 0;
        WT_CHECK(stream.read_ascii(value));
        if (value > UINT16_MAX) return stream.refuse(WT_Result::Corrupt_Data, "a position of %u", value);
        values.push_back(static_cast<uint16_t>(value));
    }
    WT_CHECK(stream.read_closing_parenthesis());
    return stream.read_closing_parenthesis();
}
}  // namespace

WT_Result::Enum WT_Text::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    // The font is compared with the current one even when not set anew.
    stream.desired_attributes().set_changed(WT_Attribute_Set::Font_Bit);
    WT_CHECK(stream.sync_attributes(Attribute_Mask));
    return dump(stream);
}

WT_Result::Enum WT_Text::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_Text::dump(WT_Stream& stream) const {
    // Older streams have no place for character positions.
    if (!m_char_positions.empty() && stream.version() < Char_Positions_Version) return WT_Result::Usage_Error;
    const WT_Logical_Point position = wt_transform_point(stream, m_position);
    std::optional<WT_Bounds> bounds = m_bounds;
    if (bounds)
        for (WT_Logical_Point& corner : *bounds) corner = wt_transform_point(stream, corner);
    if (stream.options().allow_binary_data()) return write_binary(stream, position, bounds);
    return write_ascii(stream, position, bounds);
}

WT_Result::Enum WT_Text::write_binary(WT_Stream& stream, const WT_Logical_Point& position,
                                      const std::optional<WT_Bounds>& bounds) const {
    // The binary options always carry the four corners.
    if (complex() && !bounds) return WT_Result::Usage_Error;
    WT_CHECK(stream.write(complex() ? Options_Opcode : Opcode));
    WT_CHECK(stream.write_points_32r(1, &position));
    WT_CHECK(m_string.write(stream, true));
    if (!complex()) return WT_Result::Success;
    WT_CHECK(write_binary_list(stream, m_overscore));
    WT_CHECK(write_binary_list(stream, m_underscore));
    WT_CHECK(stream.write_points_32r(bounds->size(), bounds->data()));
    if (stream.version() < Char_Positions_Version) return WT_Result::Success;
    return write_binary_list(stream, m_char_positions);
}

WT_Result::Enum WT_Text::write_ascii(WT_Stream& stream, const WT_Logical_Point& position,
                                     const std::optional<WT_Bounds>& bounds) const {
    WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(position));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(m_string.write(stream, true));
    WT_CHECK(write_ascii_list(stream, "Overscore", m_overscore));
    WT_CHECK(write_ascii_list(stream, "Underscore", m_underscore));
    if (bounds) {
        WT_CHECK(stream.write(" (Bounds"));
        for (const WT_Logical_Point& corner : *bounds) {
            WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
            WT_CHECK(stream.write_ascii(corner));
        }
        WT_CHECK(stream.write(static_cast<uint8_t>(')')));
    }
    if (stream.version() >= Char_Positions_Version) WT_CHECK(write_ascii_list(stream, "CharPos", m_char_positions));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Text::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    *this = WT_Text();
    if (opcode.is_named(Token)) return read_ascii(stream);
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    if (opcode.byte() == Opcode) return read_binary(false, stream);
    if (opcode.byte() == Options_Opcode) return read_binary(true, stream);
    return WT_Result::Wrong_Opcode;
}

WT_Result::Enum WT_Text::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Text>(opcode, stream);
}

WT_Result::Enum WT_Text::read_binary(bool complex, WT_Stream& stream) {
    std::vector<WT_Logical_Point> points;
    WT_CHECK(stream.read_points_32r(1, points));
    m_position = points[0];
    WT_CHECK(m_string.read(stream));
    if (!complex) return WT_Result::Success;
    WT_CHECK(read_binary_list(stream, m_overscore));
    WT_CHECK(read_binary_list(stream, m_underscore));
    WT_CHECK(stream.read_points_32r(4, points));
    m_bounds = WT_Bounds{points[0], points[1], points[2], points[3]};
    if (stream.version() < Char_Positions_Version) return WT_Result::Success;
    return read_binary_list(stream, m_char_positions);
}

WT_Result::Enum WT_Text::read_ascii(WT_Stream& stream) {
    WT_CHECK(stream.read_ascii(m_position));
    WT_CHECK(m_string.read(stream));
    for (;;) {
        WT_Optioncode option;
        WT_CHECK(option.read(stream));
        if (option.is_end_of_options()) return WT_Result::Success;
        if (option.is_named("(Overscore")) {
            WT_CHECK(read_ascii_list(stream, m_overscore));
        } else if (option.is_named("(Underscore")) {
            WT_CHECK(read_ascii_list(stream, m_underscore));
        } else if (option.is_named("(CharPos")) {
            WT_CHECK(read_ascii_list(stream, m_char_positions));
        } else if (option.is_named("(Bounds")) {
            WT_Bounds bounds;
            for (WT_Logical_Point& corner : bounds) WT_CHECK(stream.read_ascii(corner));
            WT_CHECK(stream.read_closing_parenthesis());
            m_bounds = bounds;
        } else {
            WT_Extended_Skipper skipper(option);
            WT_CHECK(skipper.run(stream, nullptr));
        }
    }
}
