#include "w2d/fill_pattern.h"

#include "w2d/attribute_helpers.h"
#include "w2d/option.h"

namespace {
// "None" names the absence of a pattern, so that a stream can return to it.
constexpr WT_Named_Value Names[] = {{"None", WT_Fill_Pattern::None},
                                    {"Checkerboard", WT_Fill_Pattern::Checkerboard},
                                    {"Crosshatch", WT_Fill_Pattern::Crosshatch},
                                    {"Diamonds", WT_Fill_Pattern::Diamonds},
                                    {"Horizontal Bars", WT_Fill_Pattern::Horizontal_Bars},
                                    {"Slant Left", WT_Fill_Pattern::Slant_Left},
                                    {"Slant Right", WT_Fill_Pattern::Slant_Right},
                                    {"Square Dots", WT_Fill_Pattern::Square_Dots},
                                    {"Vertical Bars", WT_Fill_Pattern::Vertical_Bars},
                                    {"User Defined", WT_Fill_Pattern::User_Defined}};
}  // namespace

WT_Result::Enum WT_Fill_Pattern::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    std::string token;
    WT_CHECK(stream.read_ascii_token(64, token));
    int value = 0;
    if (!wt_find_value(Names, token, value)) return WT_Result::Corrupt_Data;
    m_id = static_cast<WT_Pattern_ID>(value);
    m_scale = 1.0;
    WT_CHECK(stream.eat_whitespace());
    uint8_t next = 0;
    WT_CHECK(stream.peek(next));
    if (next == '(') {
        WT_Optioncode option;
        WT_CHECK(option.read(stream));
        if (!option.is_named("(FillPatternScale")) return WT_Result::Corrupt_Data;
        WT_CHECK(stream.read_ascii(m_scale));
        WT_CHECK(stream.read_closing_parenthesis());
    }
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Fill_Pattern::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    const std::string_view name = wt_find_name(Names, m_id);
    if (name.empty()) return WT_Result::Internal_Error;
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_quoted_string(name, true));
    if (m_scale != 1.0) {
        WT_CHECK(stream.write(" (FillPatternScale "));
        WT_CHECK(stream.write_ascii(m_scale));
        WT_CHECK(stream.write(static_cast<uint8_t>(')')));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Fill_Pattern::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().fill_pattern(),
                              WT_Attribute_Set::Fill_Pattern_Bit);
}

WT_Result::Enum WT_Fill_Pattern::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().fill_pattern());
}

bool WT_Fill_Pattern::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
