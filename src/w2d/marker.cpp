#include "w2d/marker.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_Marker_Size::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    if (opcode.byte() == Opcode) return stream.read(m_size);
    if (opcode.byte() == Ascii_Opcode) return stream.read_ascii(m_size);
    return WT_Result::Wrong_Opcode;
}

WT_Result::Enum WT_Marker_Size::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (stream.options().allow_binary_data()) {
        WT_CHECK(stream.write(Opcode));
        return stream.write(m_size);
    }
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Ascii_Opcode, " "));
    return stream.write_ascii(m_size);
}

WT_Result::Enum WT_Marker_Size::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().marker_size(),
                              WT_Attribute_Set::Marker_Size_Bit);
}

WT_Result::Enum WT_Marker_Size::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().marker_size());
}

bool WT_Marker_Size::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }

WT_Result::Enum WT_Marker_Symbol::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() != WT_Opcode::Single_Byte || opcode.byte() != Ascii_Opcode) return WT_Result::Wrong_Opcode;
    return stream.read_ascii(m_symbol);
}

WT_Result::Enum WT_Marker_Symbol::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Ascii_Opcode, " "));
    return stream.write_ascii(m_symbol);
}

WT_Result::Enum WT_Marker_Symbol::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().marker_symbol(),
                              WT_Attribute_Set::Marker_Symbol_Bit);
}

WT_Result::Enum WT_Marker_Symbol::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().marker_symbol());
}

bool WT_Marker_Symbol::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
