#include "w2d/code_page.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Code_Page::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read_ascii(m_page));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Code_Page::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(m_page));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Code_Page::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().code_page(), WT_Attribute_Set::Code_Page_Bit);
}

WT_Result::Enum WT_Code_Page::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().code_page());
}

bool WT_Code_Page::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
