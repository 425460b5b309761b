#include "w2d/line_weight.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Line_Weight::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() == WT_Opcode::Single_Byte && opcode.byte() == Opcode) return stream.read(m_weight);
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read_ascii(m_weight));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Line_Weight::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    // Streams below version 37 know only the ASCII form.
    if (stream.options().allow_binary_data() && stream.options().target_version() >= 37) {
        WT_CHECK(stream.write(Opcode));
        return stream.write(m_weight);
    }
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(m_weight));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Line_Weight::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().line_weight(),
                              WT_Attribute_Set::Line_Weight_Bit);
}

WT_Result::Enum WT_Line_Weight::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().line_weight());
}

bool WT_Line_Weight::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
