#include "w2d/font_extension.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Font_Extension::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(m_logical.read(stream));
    WT_CHECK(m_canonical.read(stream));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Font_Extension::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(m_logical.write(stream, true));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(m_canonical.write(stream, true));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Font_Extension::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().font_extension(),
                              WT_Attribute_Set::Font_Extension_Bit);
}

WT_Result::Enum WT_Font_Extension::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().font_extension());
}

bool WT_Font_Extension::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
