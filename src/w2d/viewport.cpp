#include "w2d/viewport.h"

#include "w2d/attribute_helpers.h"
#include "w2d/framing.h"

WT_Result::Enum WT_Viewport::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    // No binary form exists; binary output resumes after the viewport.
    WT_Stream::Binary_Suspension ascii(stream);
    return write_ascii(stream);
}

WT_Result::Enum WT_Viewport::write_ascii(WT_Stream& stream) const {
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(stream.write(Token));
    // A name stands on its own too: its reader takes it without a contour.
    if (m_contours.contours() > 0 || !m_name.empty()) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(m_name.write(stream));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    }
    if (m_contours.contours() > 0) {
        WT_CHECK(m_contours.write_ascii(stream));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    }
    if (!(m_units == stream.current_attributes().viewport().units())) {
        WT_CHECK(stream.write_tab_level(5));
        WT_CHECK(m_units.write_ascii(stream));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Viewport::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    *this = WT_Viewport();
    // Units are written only when they change: without them, those of the
    // viewport in force go on.
    m_units = stream.current_attributes().viewport().units();
    for (;;) {
        WT_CHECK(stream.eat_whitespace());
        uint8_t next = 0;
        WT_CHECK(stream.peek(next));
        if (next != '(' && next != ')') {
            WT_CHECK(m_name.read(stream));
            continue;
        }
        WT_Optioncode option;
        WT_CHECK(option.read(stream));
        if (option.is_end_of_options()) return WT_Result::Success;
        if (option.is_named(WT_Contour_Set::Token)) {
            WT_CHECK(m_contours.read_ascii(stream));
        } else if (option.is_named(WT_Units::Token)) {
            WT_CHECK(m_units.read_body(stream));
        } else {
            WT_Extended_Skipper skipper(option);
            WT_CHECK(skipper.run(stream, nullptr));
        }
    }
}

WT_Result::Enum WT_Viewport::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().viewport(), WT_Attribute_Set::Viewport_Bit);
}

WT_Result::Enum WT_Viewport::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().viewport());
}

bool WT_Viewport::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
