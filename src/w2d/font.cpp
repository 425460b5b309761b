#include "w2d/font.h"

#include <array>
#include <cmath>

#include "w2d/attribute_helpers.h"
#include "w2d/framing.h"
#include "w2d/option.h"
#include "w2d/record_reading.h"

namespace {
constexpr WT_Named_Value Charset_Names[] = {
    {"ANSI", 0},        {"DEFAULT", 1},  {"SYMBOL", 2},     {"MAC", 77},       {"UNICODE", 87},
    {"SHIFTJIS", 128},  {"HANGEUL", 129}, {"JOHAB", 130},   {"GB2312", 134},   {"CHINESEBIG5", 136},
    {"GREEK", 161},     {"TURKISH", 162}, {"VIETNAMESE", 163}, {"HEBREW", 177}, {"ARABIC", 178},
    {"BALTIC", 186},    {"RUSSIAN", 204}, {"THAI", 222},    {"EASTEUROPE", 238}, {"OEM", 255}};
constexpr WT_Named_Value Pitch_Names[] = {{"default", 0}, {"fixed", 1}, {"variable", 2}};
constexpr WT_Named_Value Family_Names[] = {{"unknown", 0}, {"roman", 16},  {"swiss", 32},
                                           {"modern", 48}, {"script", 64}, {"decorative", 80}};
constexpr WT_Named_Value Style_Names[] = {{"bold", WT_Font::Bold},
                                          {"italic", WT_Font::Italic},
                                          {"underlined", WT_Font::Underlined}};

struct Field_Name {
    uint32_t bit;
    std::string_view name;
};
constexpr std::array<Field_Name, 11> Field_Names = {{{WT_Font::Name_Bit, "Name"},
                                                    {WT_Font::Charset_Bit, "Charset"},
                                                    {WT_Font::Pitch_Bit, "Pitch"},
                                                    {WT_Font::Family_Bit, "Family"},
                                                    {WT_Font::Style_Bit, "Style"},
                                                    {WT_Font::Height_Bit, "Height"},
                                                    {WT_Font::Rotation_Bit, "Rotation"},
                                                    {WT_Font::Width_Scale_Bit, "Widthscale"},
                                                    {WT_Font::Spacing_Bit, "Spacing"},
                                                    {WT_Font::Oblique_Bit, "Oblique"},
                                                    {WT_Font::Flags_Bit, "Flags"}}};

uint32_t field_bit(std::string_view name) {
    for (const Field_Name& field : Field_Names)
        if (field.name == name) return field.bit;
    return 0;
}

// A name of the table, or a decimal from 0 to 255.
WT_Result::Enum read_byte_name(WT_Stream& stream, std::span<const WT_Named_Value> table, uint8_t& value) {
    std::string token;
    WT_CHECK(stream.read_ascii_token(64, token));
    int named = 0;
    if (wt_find_value(table, token, named)) {
        value = static_cast<uint8_t>(named);
        return WT_Result::Success;
    }
    const auto refused = [&] {
        return stream.refuse(WT_Result::Corrupt_Data, "\"%s\" is no name of its table nor 0 to 255", token.c_str());
    };
    if (token.empty() || token.size() > 3) return refused();
    int number = 0;
    for (const char c : token) {
        if (c < '0' || c > '9') return refused();
        number = number * 10 + (c - '0');
    }
    if (number > 255) return refused();
    value = static_cast<uint8_t>(number);
    return WT_Result::Success;
}

WT_Result::Enum write_byte_name(WT_Stream& stream, std::span<const WT_Named_Value> table, uint8_t value) {
    const std::string_view name = wt_find_name(table, value);
    if (!name.empty()) return stream.write(name);
    return stream.write_ascii(static_cast<uint32_t>(value));
}
}  // namespace

uint32_t WT_Font::differing(const WT_Font& other) const {
    uint32_t result = 0;
    if (!(m_name == other.m_name)) result |= Name_Bit;
    if (m_charset != other.m_charset) result |= Charset_Bit;
    if (m_pitch != other.m_pitch) result |= Pitch_Bit;
    if (m_family != other.m_family) result |= Family_Bit;
    if (m_style != other.m_style) result |= Style_Bit;
    if (m_height != other.m_height) result |= Height_Bit;
    if (m_rotation != other.m_rotation) result |= Rotation_Bit;
    if (m_width_scale != other.m_width_scale) result |= Width_Scale_Bit;
    if (m_spacing != other.m_spacing) result |= Spacing_Bit;
    if (m_oblique != other.m_oblique) result |= Oblique_Bit;
    if (m_flags != other.m_flags) result |= Flags_Bit;
    return result;
}

void WT_Font::copy_fields(const WT_Font& source, uint32_t fields) {
    if (fields & Name_Bit) m_name = source.m_name;
    if (fields & Charset_Bit) m_charset = source.m_charset;
    if (fields & Pitch_Bit) m_pitch = source.m_pitch;
    if (fields & Family_Bit) m_family = source.m_family;
    if (fields & Style_Bit) m_style = source.m_style;
    if (fields & Height_Bit) m_height = source.m_height;
    if (fields & Rotation_Bit) m_rotation = source.m_rotation;
    if (fields & Width_Scale_Bit) m_width_scale = source.m_width_scale;
    if (fields & Spacing_Bit) m_spacing = source.m_spacing;
    if (fields & Oblique_Bit) m_oblique = source.m_oblique;
    if (fields & Flags_Bit) m_flags = source.m_flags;
}

bool WT_Font::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }

uint16_t WT_Font::written_rotation(const WT_Stream& stream) const {
    if (!stream.options().apply_transform()) return m_rotation;
    // Degrees of the transform in 1/65536 of a full turn, wrapped.
    const double turns = std::fmod(stream.options().transform().m_rotation / 360.0, 1.0);
    const auto added = static_cast<int32_t>(std::lround((turns < 0 ? turns + 1.0 : turns) * 65536.0));
    return static_cast<uint16_t>(m_rotation + added);
}

WT_Result::Enum WT_Font::write_value(WT_Stream& stream) const { return write_fields(stream, m_fields); }

WT_Result::Enum WT_Font::write_fields(WT_Stream& stream, uint32_t fields) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(stream.sync_attributes(WT_Attribute_Set::Font_Extension_Bit));
    if (stream.options().apply_transform() && stream.options().transform().rotates()) fields |= Rotation_Bit;
    return stream.options().allow_binary_data() ? write_binary(stream, fields) : write_ascii(stream, fields);
}

WT_Result::Enum WT_Font::write_binary(WT_Stream& stream, uint32_t fields) const {
    WT_CHECK(stream.write(Opcode));
    WT_CHECK(stream.write(static_cast<uint16_t>(fields)));
    // Quoted so that the binary fields after it cannot run into the name.
    if (fields & Name_Bit) WT_CHECK(m_name.write(stream, true));
    if (fields & Charset_Bit) WT_CHECK(stream.write(m_charset));
    if (fields & Pitch_Bit) WT_CHECK(stream.write(m_pitch));
    if (fields & Family_Bit) WT_CHECK(stream.write(m_family));
    if (fields & Style_Bit) WT_CHECK(stream.write(m_style));
    if (fields & Height_Bit) WT_CHECK(stream.write(m_height));
    if (fields & Rotation_Bit) WT_CHECK(stream.write(written_rotation(stream)));
    if (fields & Width_Scale_Bit) WT_CHECK(stream.write(m_width_scale));
    if (fields & Spacing_Bit) WT_CHECK(stream.write(m_spacing));
    if (fields & Oblique_Bit) WT_CHECK(stream.write(m_oblique));
    if (fields & Flags_Bit) WT_CHECK(stream.write(m_flags));
    return WT_Result::Success;
}

WT_Result::Enum WT_Font::write_ascii(WT_Stream& stream, uint32_t fields) const {
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(stream.write(Token));
    for (const Field_Name& field : Field_Names) {
        if ((fields & field.bit) == 0) continue;
        WT_CHECK(stream.write(" ("));
        WT_CHECK(stream.write(field.name));
        if (field.bit != Style_Bit) WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        switch (field.bit) {
            case Name_Bit: WT_CHECK(m_name.write(stream)); break;
            case Charset_Bit: WT_CHECK(write_byte_name(stream, Charset_Names, m_charset)); break;
            case Pitch_Bit: WT_CHECK(write_byte_name(stream, Pitch_Names, m_pitch)); break;
            case Family_Bit: WT_CHECK(write_byte_name(stream, Family_Names, m_family)); break;
            case Style_Bit:
                for (const WT_Named_Value& style : Style_Names) {
                    if ((m_style & style.value) == 0) continue;
                    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
                    WT_CHECK(stream.write(style.name));
                }
                break;
            case Height_Bit: WT_CHECK(stream.write_ascii(m_height)); break;
            case Rotation_Bit: WT_CHECK(stream.write_ascii(static_cast<uint32_t>(written_rotation(stream)))); break;
            case Width_Scale_Bit: WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_width_scale))); break;
            case Spacing_Bit: WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_spacing))); break;
            case Oblique_Bit: WT_CHECK(stream.write_ascii(static_cast<uint32_t>(m_oblique))); break;
            case Flags_Bit: WT_CHECK(stream.write_ascii(m_flags)); break;
            default: return WT_Result::Internal_Error;
        }
        WT_CHECK(stream.write(static_cast<uint8_t>(')')));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Font::sync(WT_Stream& stream) const {
    WT_Font& current = stream.current_attributes().font();
    const uint32_t changes = differing(current);
    if (changes == 0) return WT_Result::Success;
    WT_CHECK(write_fields(stream, changes));
    current.copy_fields(*this, changes);
    return WT_Result::Success;
}

WT_Result::Enum WT_Font::store(WT_Stream& stream) const {
    stream.current_attributes().font().copy_fields(*this, m_fields);
    stream.current_attributes().set_changed(WT_Attribute_Set::Font_Bit);
    return WT_Result::Success;
}

WT_Result::Enum WT_Font::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    *this = WT_Font();
    if (opcode.type() == WT_Opcode::Single_Byte && opcode.byte() == Opcode) return read_binary(stream);
    if (opcode.is_named(Token)) return read_ascii(stream);
    return WT_Result::Wrong_Opcode;
}

WT_Result::Enum WT_Font::read_binary(WT_Stream& stream) {
    uint16_t fields = 0;
    WT_CHECK(stream.read(fields));
    // Bits beyond the eleven fields would announce fields of unknown size.
    if (fields & ~All_Fields) return WT_Result::Corrupt_Data;
    m_fields = fields;
    if (fields & Name_Bit) WT_CHECK(m_name.read(stream));
    if (fields & Charset_Bit) WT_CHECK(stream.read(m_charset));
    if (fields & Pitch_Bit) WT_CHECK(stream.read(m_pitch));
    if (fields & Family_Bit) WT_CHECK(stream.read(m_family));
    if (fields & Style_Bit) WT_CHECK(stream.read(m_style));
    if (fields & Height_Bit) WT_CHECK(stream.read(m_height));
    if (fields & Rotation_Bit) WT_CHECK(stream.read(m_rotation));
    if (fields & Width_Scale_Bit) WT_CHECK(stream.read(m_width_scale));
    if (fields & Spacing_Bit) WT_CHECK(stream.read(m_spacing));
    if (fields & Oblique_Bit) WT_CHECK(stream.read(m_oblique));
    if (fields & Flags_Bit) WT_CHECK(stream.read(m_flags));
    return WT_Result::Success;
}

WT_Result::Enum WT_Font::read_ascii(WT_Stream& stream) {
    m_fields = 0;
    for (;;) {
        WT_Optioncode option;
        WT_CHECK(option.read(stream));
        if (option.is_end_of_options()) return WT_Result::Success;
        if (option.type() != WT_Opcode::Extended_ASCII) return WT_Result::Corrupt_Data;
        const uint32_t bit = field_bit(option.name());
        if (bit == 0) {
            WT_Extended_Skipper skipper(option);
            WT_CHECK(skipper.run(stream, nullptr));
            continue;
        }
        WT_CHECK(read_ascii_field(stream, bit));
        m_fields |= bit;
    }
}

WT_Result::Enum WT_Font::read_ascii_field(WT_Stream& stream, uint32_t bit) {
    switch (bit) {
        case Name_Bit: WT_CHECK(m_name.read(stream)); break;
        case Charset_Bit: WT_CHECK(read_byte_name(stream, Charset_Names, m_charset)); break;
        case Pitch_Bit: WT_CHECK(read_byte_name(stream, Pitch_Names, m_pitch)); break;
        case Family_Bit: WT_CHECK(read_byte_name(stream, Family_Names, m_family)); break;
        case Style_Bit:
            m_style = 0;
            for (;;) {
                uint8_t next = 0;
                WT_CHECK(stream.eat_whitespace());
                WT_CHECK(stream.peek(next));
                if (next == ')') break;
                std::string token;
                WT_CHECK(stream.read_ascii_token(64, token));
                int style = 0;
                if (!wt_find_value(Style_Names, token, style)) return WT_Result::Corrupt_Data;
                m_style = static_cast<uint8_t>(m_style | style);
            }
            break;
        case Height_Bit: WT_CHECK(stream.read_ascii(m_height)); break;
        case Rotation_Bit: WT_CHECK(wt_read_unsigned(stream, m_rotation)); break;
        case Width_Scale_Bit: WT_CHECK(wt_read_unsigned(stream, m_width_scale)); break;
        case Spacing_Bit: WT_CHECK(wt_read_unsigned(stream, m_spacing)); break;
        case Oblique_Bit: WT_CHECK(wt_read_unsigned(stream, m_oblique)); break;
        case Flags_Bit: WT_CHECK(stream.read_ascii(m_flags)); break;
        default: return WT_Result::Internal_Error;
    }
    return stream.read_closing_parenthesis();
}
