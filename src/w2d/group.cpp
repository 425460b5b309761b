#include "w2d/group.h"

#include "w2d/stream.h"

WT_Result::Enum WT_Group::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.is_named(End_Token)) {
        m_begin = false;
        m_path = WT_String();
        return stream.read_closing_parenthesis();
    }
    if (!opcode.is_named(Begin_Token)) return WT_Result::Wrong_Opcode;
    m_begin = true;
    WT_CHECK(m_path.read(stream));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Group::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(stream.write_tab_level());
    if (!m_begin) return wt_write_token(stream, End_Token, ")");
    WT_CHECK(wt_write_token(stream, Begin_Token, " "));
    WT_CHECK(m_path.write(stream));
    return stream.write(static_cast<uint8_t>(')'));
}
