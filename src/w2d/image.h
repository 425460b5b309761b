// A raster image between two corners. The pixel data is carried as it is,
// in the encoding its format names; formats that need a colour map carry
// their own.
#ifndef DWFPLOT_W2D_IMAGE_H
#define DWFPLOT_W2D_IMAGE_H

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "w2d/color_map.h"
#include "w2d/logical_point.h"
#include "w2d/object.h"

class WT_Image : public WT_Drawable {
public:
    static constexpr WT_ID ID = Image_ID;
    static constexpr std::string_view Token = "(Image";
    static constexpr uint32_t Attribute_Mask = 0x24210C;
    static constexpr uint32_t Indexed_Attribute_Mask = 0x24230C;

    // The format values, which are also the extended binary opcode values.
    enum WT_Image_Format : uint16_t {
        Bitonal_Mapped = 2,
        Group3X_Mapped = 3,
        Indexed = 4,
        Mapped = 5,
        RGB = 6,
        RGBA = 7,
        JPEG = 8,
        Group4 = 9,
        PNG = 12,
        Group4X_Mapped = 13,
    };

    WT_Image() = default;
    WT_Image(uint16_t rows, uint16_t columns, uint16_t format, uint32_t identifier,
             std::optional<WT_Color_Map> colorMap, std::vector<uint8_t> data, const WT_Logical_Point& minCorner,
             const WT_Logical_Point& maxCorner);

    uint16_t rows() const { return m_rows; }
    uint16_t columns() const { return m_columns; }
    uint16_t format() const { return m_format; }
    uint32_t identifier() const { return m_identifier; }
    const std::optional<WT_Color_Map>& color_map() const { return m_color_map; }
    const std::vector<uint8_t>& data() const { return m_data; }
    const WT_Logical_Point& min_corner() const { return m_min_corner; }
    const WT_Logical_Point& max_corner() const { return m_max_corner; }

    bool operator==(const WT_Image& other) const;

    // The format's name in the ASCII form; empty for a value outside the
    // table.
    static std::string_view format_name(uint16_t format);
    static bool needs_color_map(uint16_t format);

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;

protected:
    // The formats of the kind and the name of its extended ASCII opcode.
    virtual bool has_format(uint16_t format) const;
    virtual std::string_view ascii_opcode() const { return Token; }

private:
    WT_Result::Enum check_writable() const;
    uint32_t color_map_bytes() const;
    WT_Result::Enum write_binary(WT_Stream& stream, const WT_Logical_Point* corners) const;
    WT_Result::Enum write_ascii(WT_Stream& stream, const WT_Logical_Point* corners) const;
    WT_Result::Enum read_binary(const WT_Opcode& opcode, WT_Stream& stream);
    WT_Result::Enum read_ascii(WT_Stream& stream);

    uint16_t m_rows = 0;
    uint16_t m_columns = 0;
    uint16_t m_format = JPEG;
    uint32_t m_identifier = 0;
    std::optional<WT_Color_Map> m_color_map;
    std::vector<uint8_t> m_data;
    WT_Logical_Point m_min_corner;
    WT_Logical_Point m_max_corner;
};

// Reads `size` bytes (binary, or in hexadecimal when `hex`) into `data`, a
// bounded piece at a time, so that a size larger than the input fails on
// reading instead of allocating it.
WT_Result::Enum wt_read_data(WT_Stream& stream, uint32_t size, bool hex, std::vector<uint8_t>& data);

#endif  // DWFPLOT_W2D_IMAGE_H
