#include "w2d/merge_control.h"

#include "w2d/attribute_helpers.h"
#include "w2d/option.h"

namespace {
constexpr WT_Named_Value Names[] = {{"opaque", WT_Merge_Control::Opaque},
                                    {"merge", WT_Merge_Control::Merge},
                                    {"transparent", WT_Merge_Control::Transparent}};
}

WT_Result::Enum WT_Merge_Control::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    std::string token;
    WT_CHECK(stream.read_ascii_token(64, token));
    int value = 0;
    if (!wt_find_value(Names, token, value)) return WT_Result::Corrupt_Data;
    m_format = static_cast<WT_Merge_Format>(value);
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Merge_Control::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    const std::string_view name = wt_find_name(Names, m_format);
    if (name.empty()) return WT_Result::Internal_Error;
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_quoted_string(name, true));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Merge_Control::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().merge_control(),
                              WT_Attribute_Set::Merge_Control_Bit);
}

WT_Result::Enum WT_Merge_Control::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().merge_control());
}

bool WT_Merge_Control::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
