#include "w2d/header.h"

#include "w2d/attribute_set.h"
#include "w2d/stream.h"

namespace {
bool is_digit(uint8_t byte) { return byte >= '0' && byte <= '9'; }
}  // namespace

WT_Result::Enum WT_DWF_Header::read_operands(const WT_Opcode&, WT_Stream& stream) {
    uint8_t text[6];
    WT_CHECK(stream.read(sizeof text, text));
    if (!is_digit(text[0]) || !is_digit(text[1]) || text[2] != '.' || !is_digit(text[3]) || !is_digit(text[4]) ||
        text[5] != ')')
        return WT_Result::Not_A_W2D_Stream;
    m_major = (text[0] - '0') * 10 + (text[1] - '0');
    m_minor = (text[3] - '0') * 10 + (text[4] - '0');
    // A "(DWF V" stream of version 6 or later lives inside a package and is
    // read as W2D from there.
    if (!m_w2d_prefix && version() >= 600) return WT_Result::Package_Stream;
    return WT_Result::Success;
}

WT_Result::Enum WT_DWF_Header::default_process(WT_Stream& stream) {
    WT_Attribute_Set& current = stream.current_attributes();
    current.set_version(m_major, m_minor);
    if (m_w2d_prefix) stream.options().set_w2d_header_seen(true);
    return WT_Result::Success;
}

WT_Result::Enum WT_DWF_Header::write(WT_Stream& stream) const { return write_header(stream); }

WT_Result::Enum WT_DWF_Header::write_header(WT_Stream& stream) {
    const int version = stream.options().target_version();
    if (version < 0 || version > 9999) return WT_Result::Usage_Error;
    const char text[] = {static_cast<char>('0' + version / 1000), static_cast<char>('0' + version / 100 % 10), '.',
                         static_cast<char>('0' + version / 10 % 10), static_cast<char>('0' + version % 10), ')'};
    WT_CHECK(stream.write(version >= 600 ? "(W2D V" : "(DWF V"));
    return stream.write(sizeof text, text);
}

WT_Result::Enum WT_End_Of_DWF::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_End_Of_DWF::default_process(WT_Stream&) { return WT_Result::End_Of_Stream; }

WT_Result::Enum WT_End_Of_DWF::write_trailer(WT_Stream& stream) {
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    return wt_write_token(stream, Token, ")\r\n");
}
