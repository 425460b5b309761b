#include "w2d/pen_pattern.h"

#include "w2d/attribute_helpers.h"
#include "w2d/framing.h"

namespace {
// Opcode value, id and "}".
constexpr uint32_t Binary_Size = 2 + 4 + 1;
}

WT_Result::Enum WT_Pen_Pattern::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() == WT_Opcode::Extended_Binary && opcode.binary_value() == Binary_Opcode) {
        if (opcode.binary_size() < Binary_Size) return WT_Result::Corrupt_Data;
        WT_CHECK(stream.read(m_id));
        // A bitmap may follow the id; it is passed over up to the "}".
        WT_Opcode bitmap;
        bitmap.set_extended_binary(opcode.binary_size() - Binary_Size + 2, Binary_Opcode);
        WT_Extended_Skipper skipper(bitmap);
        WT_CHECK(skipper.run(stream, nullptr));
        uint8_t close = 0;
        WT_CHECK(stream.read(close));
        return close == '}' ? WT_Result::Success : WT_Result::Corrupt_Data;
    }
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(stream.read_ascii(m_id));
    WT_Extended_Skipper skipper(opcode);
    return skipper.run(stream, nullptr);
}

WT_Result::Enum WT_Pen_Pattern::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (stream.options().allow_binary_data()) {
        WT_CHECK(stream.write(static_cast<uint8_t>('{')));
        WT_CHECK(stream.write(Binary_Size));
        WT_CHECK(stream.write(Binary_Opcode));
        WT_CHECK(stream.write(m_id));
        return stream.write(static_cast<uint8_t>('}'));
    }
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(m_id));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Pen_Pattern::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().pen_pattern(),
                              WT_Attribute_Set::Pen_Pattern_Bit);
}

WT_Result::Enum WT_Pen_Pattern::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().pen_pattern());
}

bool WT_Pen_Pattern::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
