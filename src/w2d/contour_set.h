// A set of closed contours (a polygon with holes): the point count of each
// contour and their points one after another. Drawn on its own, or the
// outline a viewport clips with.
#ifndef DWFPLOT_W2D_CONTOUR_SET_H
#define DWFPLOT_W2D_CONTOUR_SET_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "w2d/logical_point.h"
#include "w2d/object.h"

class WT_Contour_Set : public WT_Drawable {
public:
    static constexpr WT_ID ID = Contour_Set_ID;
    static constexpr std::string_view Token = "(Contour";
    static constexpr uint8_t Opcode_16 = 0x0B;
    static constexpr uint8_t Opcode_32 = 'k';
    static constexpr uint32_t Attribute_Mask = 0x2CA51F;
    // Above this many contours or points only the ASCII form holds a set.
    static constexpr size_t Maximum_Binary_Count = 65791;

    WT_Contour_Set() = default;
    // One contour of `points`.
    explicit WT_Contour_Set(std::vector<WT_Logical_Point> points);
    WT_Contour_Set(std::vector<int32_t> counts, std::vector<WT_Logical_Point> points);

    int32_t contours() const { return static_cast<int32_t>(m_counts.size()); }
    const std::vector<int32_t>& counts() const { return m_counts; }
    const std::vector<WT_Logical_Point>& points() const { return m_points; }
    int32_t total_points() const { return static_cast<int32_t>(m_points.size()); }

    bool operator==(const WT_Contour_Set& other) const {
        return m_counts == other.m_counts && m_points == other.m_points;
    }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Standing alone: pending drawable first, then the attributes.
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;

    // "(Contour " with absolute points, then ")": the form inside a viewport.
    WT_Result::Enum write_ascii(WT_Stream& stream) const;
    // What follows the "(Contour" token, up to and including its ")".
    WT_Result::Enum read_ascii(WT_Stream& stream);

private:
    bool consistent() const;
    WT_Result::Enum write_ascii_points(WT_Stream& stream, const std::vector<WT_Logical_Point>& points) const;
    WT_Result::Enum read_binary(bool wide, WT_Stream& stream);

    std::vector<int32_t> m_counts;
    std::vector<WT_Logical_Point> m_points;
};

#endif  // DWFPLOT_W2D_CONTOUR_SET_H
