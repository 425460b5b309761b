// The text font: eleven options, each with a field bit. A font opcode
// carries only the options its field mask names.
#ifndef DWFPLOT_W2D_FONT_H
#define DWFPLOT_W2D_FONT_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Font : public WT_Attribute {
public:
    static constexpr WT_ID ID = Font_ID;
    static constexpr std::string_view Token = "(Font";
    static constexpr uint8_t Opcode = 0x06;

    enum WT_Field_Bit : uint32_t {
        Name_Bit = 0x1,
        Charset_Bit = 0x2,
        Pitch_Bit = 0x4,
        Family_Bit = 0x8,
        Style_Bit = 0x10,
        Height_Bit = 0x20,
        Rotation_Bit = 0x40,
        Width_Scale_Bit = 0x80,
        Spacing_Bit = 0x100,
        Oblique_Bit = 0x200,
        Flags_Bit = 0x400,
        All_Fields = 0x7FF,
    };
    enum WT_Style_Bit : uint8_t { Bold = 1, Italic = 2, Underlined = 4 };

    WT_Font() = default;

    // The fields this object carries: all of them for a font built here,
    // those named by the opcode for a font read.
    uint32_t fields() const { return m_fields; }
    void set_fields(uint32_t fields) { m_fields = fields & All_Fields; }

    const WT_String& name() const { return m_name; }
    uint8_t charset() const { return m_charset; }
    uint8_t pitch() const { return m_pitch; }
    uint8_t family() const { return m_family; }
    uint8_t style() const { return m_style; }
    bool bold() const { return (m_style & Bold) != 0; }
    bool italic() const { return (m_style & Italic) != 0; }
    bool underlined() const { return (m_style & Underlined) != 0; }
    int32_t height() const { return m_height; }
    uint16_t rotation() const { return m_rotation; }  // 1/65536 of a full turn
    uint16_t width_scale() const { return m_width_scale; }  // 1024 = normal
    uint16_t spacing() const { return m_spacing; }  // 1024 = normal
    uint16_t oblique() const { return m_oblique; }
    int32_t flags() const { return m_flags; }

    void set_name(const WT_String& name) { m_name = name; }
    void set_charset(uint8_t value) { m_charset = value; }
    void set_pitch(uint8_t value) { m_pitch = value; }
    void set_family(uint8_t value) { m_family = value; }
    void set_style(uint8_t value) { m_style = value & (Bold | Italic | Underlined); }
    void set_height(int32_t value) { m_height = value; }
    void set_rotation(uint16_t value) { m_rotation = value; }
    void set_width_scale(uint16_t value) { m_width_scale = value; }
    void set_spacing(uint16_t value) { m_spacing = value; }
    void set_oblique(uint16_t value) { m_oblique = value; }
    void set_flags(int32_t value) { m_flags = value; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Writes the fields this font carries.
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    // Writes only the fields that differ from the current font.
    WT_Result::Enum sync(WT_Stream& stream) const override;
    // Merges the fields read into the current font.
    WT_Result::Enum store(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Font& other) const { return differing(other) == 0; }

    // The fields whose values differ from `other`.
    uint32_t differing(const WT_Font& other) const;
    // Copies the fields of `fields` from `source`.
    void copy_fields(const WT_Font& source, uint32_t fields);
    WT_Result::Enum write_fields(WT_Stream& stream, uint32_t fields) const;

private:
    WT_Result::Enum write_binary(WT_Stream& stream, uint32_t fields) const;
    WT_Result::Enum write_ascii(WT_Stream& stream, uint32_t fields) const;
    WT_Result::Enum read_binary(WT_Stream& stream);
    WT_Result::Enum read_ascii(WT_Stream& stream);
    WT_Result::Enum read_ascii_field(WT_Stream& stream, uint32_t bit);
    uint16_t written_rotation(const WT_Stream& stream) const;

    uint32_t m_fields = All_Fields;
    WT_String m_name = "Arial";
    uint8_t m_charset = 0;
    uint8_t m_pitch = 2;
    uint8_t m_family = 16;
    uint8_t m_style = 0;
    int32_t m_height = 1000;
    uint16_t m_rotation = 0;
    uint16_t m_width_scale = 1024;
    uint16_t m_spacing = 1024;
    uint16_t m_oblique = 0;
    int32_t m_flags = 0;
};

#endif  // DWFPLOT_W2D_FONT_H
