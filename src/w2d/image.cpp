#include "w2d/image.h"

#include <algorithm>

#include "w2d/attribute_set.h"
#include "w2d/point_transform.h"
#include "w2d/rgba.h"
#include "w2d/stream.h"

namespace {
// Opcode value, columns, rows, two corners, identifier, data size and "}".
constexpr uint32_t Fixed_Binary_Size = 2 + 2 + 2 + 8 + 8 + 4 + 4 + 1;
// The largest piece of data read at once.
constexpr size_t Data_Piece = 65536;

struct Format_Entry {
    uint16_t value;
    std::string_view name;
    bool needs_map;
};

constexpr Format_Entry Formats[] = {
    {WT_Image::Bitonal_Mapped, "bitonal", true}, {WT_Image::Group3X_Mapped, "group 3X", true},
    {WT_Image::Indexed, "indexed", false},       {WT_Image::Mapped, "mapped", true},
    {WT_Image::RGB, "RGB", false},               {WT_Image::RGBA, "RGBA", false},
    {WT_Image::JPEG, "JPEG", false},             {WT_Image::Group4, "Group4", false},
    {WT_Image::PNG, "PNG", false},               {WT_Image::Group4X_Mapped, "group 4X", true},
};

const Format_Entry* find_format(uint16_t value) {
    for (const Format_Entry& entry : Formats)
        if (entry.value == value) return &entry;
    return nullptr;
}

const Format_Entry* find_format(std::string_view name) {
    for (const Format_Entry& entry : Formats)
        if (entry.name == name) return &entry;
    return nullptr;
}

WT_Result::Enum read_colors(WT_Stream& stream, bool ascii, int count, std::optional<WT_Color_Map>& map) {
    std::vector<WT_RGBA32> colors;
    for (int index = 0; index < count; ++index) {
        WT_RGBA32 color;
        WT_CHECK(ascii ? wt_read_ascii_rgba(stream, color) : wt_read_rgba(stream, color));
        colors.push_back(color);
    }
    map = WT_Color_Map(std::move(colors));
    return WT_Result::Success;
}
}  // namespace

WT_Result::Enum wt_read_data(WT_Stream& stream, uint32_t size, bool hex, std::vector<uint8_t>& data) {
    data.clear();
    while (data.size() < size) {
        const size_t piece = std::min<size_t>(Data_Piece, size - data.size());
        const size_t before = data.size();
        data.resize(before + piece);
        WT_CHECK(hex ? stream.read_hex(piece, data.data() + before) : stream.read(piece, data.data() + before));
    }
    return WT_Result::Success;
}

WT_Image::WT_Image(uint16_t rows, uint16_t columns, uint16_t format, uint32_t identifier,
                   std::optional<WT_Color_Map> colorMap, std::vector<uint8_t> data, const WT_Logical_Point& minCorner,
                   const WT_Logical_Point& maxCorner)
    : m_rows(rows),
      m_columns(columns),
      m_format(format),
      m_identifier(identifier),
      m_color_map(std::move(colorMap)),
      m_data(std::move(data)),
      m_min_corner(minCorner),
      m_max_corner(maxCorner) {}

bool WT_Image::operator==(const WT_Image& other) const {
    return object_id() == other.object_id() && m_rows == other.m_rows && m_columns == other.m_columns &&
           m_format == other.m_format && m_identifier == other.m_identifier && m_color_map == other.m_color_map &&
           m_data == other.m_data && m_min_corner == other.m_min_corner && m_max_corner == other.m_max_corner;
}

std::string_view WT_Image::format_name(uint16_t format) {
    const Format_Entry* entry = find_format(format);
    return entry == nullptr ? std::string_view() : entry->name;
}

bool WT_Image::needs_color_map(uint16_t format) {
    const Format_Entry* entry = find_format(format);
    return entry != nullptr && entry->needs_map;
}

bool WT_Image::has_format(uint16_t format) const { return format >= Bitonal_Mapped && format <= JPEG; }

WT_Result::Enum WT_Image::check_writable() const {
    if (!has_format(m_format)) return WT_Result::Internal_Error;
    if (needs_color_map(m_format) && (!m_color_map || m_color_map->size() < 1)) return WT_Result::Write_Failed;
    if (m_color_map && m_color_map->size() > WT_Color_Map::Maximum_Size) return WT_Result::Write_Failed;
    // The size field must hold the data and everything around it.
    if (m_data.size() > UINT32_MAX - Fixed_Binary_Size - color_map_bytes()) return WT_Result::Write_Failed;
    return WT_Result::Success;
}

uint32_t WT_Image::color_map_bytes() const {
    if (!needs_color_map(m_format) || !m_color_map) return 0;
    return 4 * static_cast<uint32_t>(m_color_map->size()) + 1;
}

WT_Result::Enum WT_Image::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(check_writable());
    WT_CHECK(stream.sync_attributes(m_format == Indexed ? Indexed_Attribute_Mask : Attribute_Mask));
    return dump(stream);
}

WT_Result::Enum WT_Image::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_Image::dump(WT_Stream& stream) const {
    WT_CHECK(check_writable());
    const WT_Logical_Point corners[2] = {wt_transform_point(stream, m_min_corner),
                                         wt_transform_point(stream, m_max_corner)};
    if (stream.options().allow_binary_data()) return write_binary(stream, corners);
    return write_ascii(stream, corners);
}

WT_Result::Enum WT_Image::write_binary(WT_Stream& stream, const WT_Logical_Point* corners) const {
    WT_CHECK(stream.write(static_cast<uint8_t>('{')));
    WT_CHECK(stream.write(static_cast<uint32_t>(m_data.size()) + Fixed_Binary_Size + color_map_bytes()));
    WT_CHECK(stream.write(m_format));
    WT_CHECK(stream.write(m_columns));
    WT_CHECK(stream.write(m_rows));
    WT_CHECK(stream.write_points_32r(2, corners));
    WT_CHECK(stream.write(m_identifier));
    if (color_map_bytes() > 0) {
        const int count = m_color_map->size();
        WT_CHECK(stream.write(static_cast<uint8_t>(count == 256 ? 0 : count)));
        for (const WT_RGBA32& color : m_color_map->colors()) WT_CHECK(wt_write_rgba(stream, color));
    }
    WT_CHECK(stream.write(static_cast<uint32_t>(m_data.size())));
    WT_CHECK(stream.write(m_data.size(), m_data.data()));
    return stream.write(static_cast<uint8_t>('}'));
}

WT_Result::Enum WT_Image::write_ascii(WT_Stream& stream, const WT_Logical_Point* corners) const {
    WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
    WT_CHECK(stream.write(ascii_opcode()));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_quoted_string(format_name(m_format), true));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_ascii(m_identifier));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_ascii(uint32_t{m_columns}));
    WT_CHECK(stream.write(static_cast<uint8_t>(',')));
    WT_CHECK(stream.write_ascii(uint32_t{m_rows}));
    for (int index = 0; index < 2; ++index) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(corners[index]));
    }
    if (color_map_bytes() > 0) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_color_map->size())));
        for (const WT_RGBA32& color : m_color_map->colors()) {
            WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
            WT_CHECK(wt_write_ascii_rgba(stream, color));
        }
    }
    WT_CHECK(stream.write(" ("));
    WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_data.size())));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_hex(m_data.size(), m_data.data()));
    return stream.write("))");
}

WT_Result::Enum WT_Image::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    m_color_map.reset();
    m_data.clear();
    if (opcode.type() == WT_Opcode::Extended_Binary) return read_binary(opcode, stream);
    if (opcode.type() == WT_Opcode::Extended_ASCII && opcode.token() == ascii_opcode()) return read_ascii(stream);
    return WT_Result::Wrong_Opcode;
}

WT_Result::Enum WT_Image::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Image>(opcode, stream);
}

WT_Result::Enum WT_Image::read_binary(const WT_Opcode& opcode, WT_Stream& stream) {
    m_format = opcode.binary_value();
    if (find_format(m_format) == nullptr || !has_format(m_format)) {
        return stream.refuse(WT_Result::Unsupported_Format, "image format %d is not read", m_format);
    }
    if (opcode.binary_size() < Fixed_Binary_Size) {
        return stream.refuse(WT_Result::Corrupt_Data, "the size field leaves no room for the image's fields");
    }
    WT_CHECK(stream.read(m_columns));
    WT_CHECK(stream.read(m_rows));
    std::vector<WT_Logical_Point> corners;
    WT_CHECK(stream.read_points_32r(2, corners));
    m_min_corner = corners[0];
    m_max_corner = corners[1];
    WT_CHECK(stream.read(m_identifier));
    uint32_t map_bytes = 0;
    if (needs_color_map(m_format)) {
        uint8_t count = 0;
        WT_CHECK(stream.read(count));
        const int colors = count == 0 ? 256 : count;
        WT_CHECK(read_colors(stream, false, colors, m_color_map));
        map_bytes = 4 * static_cast<uint32_t>(colors) + 1;
    }
    uint32_t size = 0;
    WT_CHECK(stream.read(size));
    // The data must be exactly what the opcode's size leaves for it.
    if (static_cast<uint64_t>(size) + Fixed_Binary_Size + map_bytes != opcode.binary_size())
        return stream.refuse(WT_Result::Corrupt_Data, "%u bytes of data do not fit the size field", size);
    WT_CHECK(wt_read_data(stream, size, false, m_data));
    uint8_t close = 0;
    WT_CHECK(stream.read(close));
    return close == '}' ? WT_Result::Success : stream.refuse_byte(close, "expected '}'");
}

WT_Result::Enum WT_Image::read_ascii(WT_Stream& stream) {
    std::string name;
    WT_CHECK(stream.read_ascii_token(16, name));
    const Format_Entry* entry = find_format(std::string_view(name));
    if (entry == nullptr || !has_format(entry->value)) return WT_Result::Unsupported_Format;
    m_format = entry->value;
    WT_CHECK(stream.read_ascii(m_identifier));
    uint32_t columns = 0;
    uint32_t rows = 0;
    WT_CHECK(stream.read_ascii(columns));
    uint8_t comma = 0;
    WT_CHECK(stream.read(comma));
    if (comma != ',') return stream.refuse_byte(comma, "expected ','");
    WT_CHECK(stream.read_ascii(rows));
    if (columns > UINT16_MAX || rows > UINT16_MAX) {
        return stream.refuse(WT_Result::Corrupt_Data, "an image of %d by %d pixels", columns, rows);
    }
    m_columns = static_cast<uint16_t>(columns);
    m_rows = static_cast<uint16_t>(rows);
    WT_CHECK(stream.read_ascii(m_min_corner));
    WT_CHECK(stream.read_ascii(m_max_corner));
    if (entry->needs_map) {
        int32_t count = 0;
        WT_CHECK(stream.read_ascii(count));
        if (count < 1 || count > WT_Color_Map::Maximum_Size) {
            return stream.refuse(WT_Result::Corrupt_Data, "a map of %d colours", count);
        }
        WT_CHECK(read_colors(stream, true, count, m_color_map));
    }
    WT_CHECK(stream.eat_whitespace());
    uint8_t open = 0;
    WT_CHECK(stream.read(open));
    if (open != '(') return stream.refuse_byte(open, "expected '('");
    uint32_t size = 0;
    WT_CHECK(stream.read_ascii(size));
    WT_CHECK(wt_read_data(stream, size, true, m_data));
    WT_CHECK(stream.read_closing_parenthesis());
    return stream.read_closing_parenthesis();
}
