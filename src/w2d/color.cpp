#include "w2d/color.h"

#include "w2d/attribute_helpers.h"
#include "w2d/color_map.h"

WT_Color::WT_Color(int index, const WT_Color_Map& map) : m_index(index) {
    if (index >= 0 && index < map.size()) m_rgba = map.color(index);
}

WT_Result::Enum WT_Color::set_from_map(int index, WT_Stream& stream) {
    const WT_Color_Map& map = stream.current_attributes().color_map();
    // An index the map does not have names no colour at all.
    if (index < 0 || index >= map.size()) {
        return stream.refuse(WT_Result::Corrupt_Data, "colour %d is not in the map of %d", index, map.size());
    }
    m_index = index;
    m_rgba = map.color(index);
    return WT_Result::Success;
}

WT_Result::Enum WT_Color::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    m_mode = No_Mapping;
    m_index = -1;
    if (opcode.type() == WT_Opcode::Extended_ASCII) {
        if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
        WT_CHECK(wt_read_ascii_rgba(stream, m_rgba));
        return stream.read_closing_parenthesis();
    }
    if (opcode.type() != WT_Opcode::Single_Byte) return WT_Result::Wrong_Opcode;
    switch (opcode.byte()) {
        case RGBA_Opcode:
            return wt_read_rgba(stream, m_rgba);
        case Index_Opcode: {
            uint8_t index = 0;
            WT_CHECK(stream.read(index));
            return set_from_map(index, stream);
        }
        case Ascii_Index_Opcode: {
            int32_t index = 0;
            WT_CHECK(stream.read_ascii(index));
            return set_from_map(index, stream);
        }
        default:
            return WT_Result::Wrong_Opcode;
    }
}

WT_Result::Enum WT_Color::index_to_write(WT_Stream& stream, int& index) const {
    index = m_index;
    if (index >= 0) {
        // The reader looks the index up in the map in force, so a changed
        // map goes first. An index that map does not hold with this colour
        // would read back as another colour, or end the reader's page.
        WT_CHECK(stream.sync_attributes(WT_Attribute_Set::Color_Map_Bit));
        const WT_Color_Map& map = stream.current_attributes().color_map();
        return index < map.size() && map.color(index) == m_rgba ? WT_Result::Success : WT_Result::Write_Failed;
    }
    if (m_mode == No_Mapping || !stream.options().allow_indexed_colors()) return WT_Result::Success;
    index = stream.current_attributes().color_map().exact_index(m_rgba);
    if (index >= 0 || m_mode != Search_Map_Or_Add) return WT_Result::Success;
    // The colour joins the map, which is written ahead of the colour that
    // refers to it.
    WT_Attribute_Set& desired = stream.desired_attributes();
    if (!desired.color_map().add(m_rgba)) return WT_Result::Success;
    desired.set_changed(WT_Attribute_Set::Color_Map_Bit);
    WT_CHECK(stream.sync_attributes(WT_Attribute_Set::Color_Map_Bit));
    index = stream.current_attributes().color_map().exact_index(m_rgba);
    return WT_Result::Success;
}

WT_Result::Enum WT_Color::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    int index = -1;
    WT_CHECK(index_to_write(stream, index));
    const bool binary = stream.options().allow_binary_data();
    if (index >= 0 && index <= 255) {
        if (binary) {
            WT_CHECK(stream.write(Index_Opcode));
            return stream.write(static_cast<uint8_t>(index));
        }
        WT_CHECK(stream.write_tab_level());
        WT_CHECK(wt_write_token(stream, Ascii_Index_Opcode, " "));
        return stream.write_ascii(static_cast<int32_t>(index));
    }
    if (binary) {
        WT_CHECK(stream.write(RGBA_Opcode));
        return wt_write_rgba(stream, m_rgba);
    }
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(wt_write_ascii_rgba(stream, m_rgba));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Color::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().color(), WT_Attribute_Set::Color_Bit);
}

WT_Result::Enum WT_Color::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().color());
}

bool WT_Color::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
