#include "w2d/color_map.h"

#include "w2d/attribute_helpers.h"

namespace {
int cube_level(uint8_t channel) { return channel * 6 / 256; }
}  // namespace

WT_Color_Map::WT_Color_Map() {
    m_colors.reserve(Maximum_Size);
    for (int index = 0; index < Maximum_Size; ++index) m_colors.push_back(default_color(index));
}

WT_RGBA32 WT_Color_Map::default_color(int index) {
    if (index < 216) {
        return WT_RGBA32(static_cast<uint8_t>(51 * (index / 36)), static_cast<uint8_t>(51 * (index / 6 % 6)),
                         static_cast<uint8_t>(51 * (index % 6)));
    }
    const auto grey = static_cast<uint8_t>(((index - 216) * 255 + 19) / 39);
    return WT_RGBA32(grey, grey, grey);
}

int WT_Color_Map::exact_index(const WT_RGBA32& color) const {
    // The cube position is where the default map keeps such a colour.
    const int guess = 36 * cube_level(color.m_red) + 6 * cube_level(color.m_green) + cube_level(color.m_blue);
    if (guess < size() && m_colors[static_cast<size_t>(guess)] == color) return guess;
    for (int index = 0; index < size(); ++index)
        if (m_colors[static_cast<size_t>(index)] == color) return index;
    return -1;
}

bool WT_Color_Map::add(const WT_RGBA32& color) {
    if (size() >= Maximum_Size) return false;
    m_colors.push_back(color);
    return true;
}

WT_Result::Enum WT_Color_Map::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    std::vector<WT_RGBA32> colors;
    if (opcode.type() == WT_Opcode::Extended_Binary) {
        if (opcode.binary_value() != Binary_Opcode) return WT_Result::Wrong_Opcode;
        uint8_t count_byte = 0;
        WT_CHECK(stream.read(count_byte));
        const int count = count_byte == 0 ? 256 : count_byte;
        if (opcode.binary_size() != 2u + 1u + 4u * static_cast<uint32_t>(count) + 1u) {
            return stream.refuse(WT_Result::Corrupt_Data, "the size field does not fit %d colours", count);
        }
        for (int index = 0; index < count; ++index) {
            WT_RGBA32 color;
            WT_CHECK(wt_read_rgba(stream, color));
            colors.push_back(color);
        }
        uint8_t close = 0;
        WT_CHECK(stream.read(close));
        if (close != '}') return stream.refuse_byte(close, "expected '}'");
    } else {
        if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
        int32_t count = 0;
        WT_CHECK(stream.read_ascii(count));
        if (count < 1 || count > Maximum_Size) {
            return stream.refuse(WT_Result::Corrupt_Data, "a map of %d colours, not 1 to %d", count, Maximum_Size);
        }
        for (int32_t index = 0; index < count; ++index) {
            WT_RGBA32 color;
            WT_CHECK(wt_read_ascii_rgba(stream, color));
            colors.push_back(color);
        }
        WT_CHECK(stream.read_closing_parenthesis());
    }
    m_colors = std::move(colors);
    return WT_Result::Success;
}

WT_Result::Enum WT_Color_Map::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (m_colors.empty() || size() > Maximum_Size) return WT_Result::Internal_Error;
    const auto count = static_cast<uint32_t>(m_colors.size());
    if (stream.options().allow_binary_data()) {
        WT_CHECK(stream.write(static_cast<uint8_t>('{')));
        WT_CHECK(stream.write(2u + 1u + 4u * count + 1u));
        WT_CHECK(stream.write(Binary_Opcode));
        WT_CHECK(stream.write(static_cast<uint8_t>(count == 256 ? 0 : count)));
        for (const WT_RGBA32& color : m_colors) WT_CHECK(wt_write_rgba(stream, color));
        return stream.write(static_cast<uint8_t>('}'));
    }
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(stream.write_ascii(count));
    for (const WT_RGBA32& color : m_colors) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(wt_write_ascii_rgba(stream, color));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Color_Map::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().color_map(), WT_Attribute_Set::Color_Map_Bit);
}

WT_Result::Enum WT_Color_Map::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().color_map());
}

bool WT_Color_Map::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
