#include "w2d/units.h"

#include "w2d/attribute_helpers.h"

namespace {
WT_Result::Enum expect(WT_Stream& stream, uint8_t wanted) {
    WT_CHECK(stream.eat_whitespace());
    uint8_t byte = 0;
    WT_CHECK(stream.read(byte));
    return byte == wanted ? WT_Result::Success : WT_Result::Corrupt_Data;
}
}  // namespace

WT_Units::WT_Units() : m_transform{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1} {}

WT_Result::Enum WT_Units::write_ascii(WT_Stream& stream) const {
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(m_units.write(stream, true));
    WT_CHECK(stream.write(" ("));
    for (size_t index = 0; index < m_transform.size(); ++index) {
        if (index > 0) WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(m_transform[index]));
    }
    return stream.write("))");
}

WT_Result::Enum WT_Units::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(stream.write_tab_level());
    return write_ascii(stream);
}

WT_Result::Enum WT_Units::read_body(WT_Stream& stream) {
    WT_CHECK(m_units.read(stream));
    WT_CHECK(expect(stream, '('));
    for (double& value : m_transform) WT_CHECK(stream.read_ascii(value));
    WT_CHECK(expect(stream, ')'));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Units::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    return read_body(stream);
}

WT_Result::Enum WT_Units::store(WT_Stream& stream) const {
    stream.current_attributes().units() = *this;
    return WT_Result::Success;
}

WT_Result::Enum WT_Units::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().units());
}

bool WT_Units::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
