// The drawing-information records other than the view and the metadata:
// background colour, plot optimisation, inked area, pen-pattern options,
// projection and plot layout. Each is kept in the drawing information of
// the current attribute set when read.
#ifndef DWFPLOT_W2D_DRAWING_RECORDS_H
#define DWFPLOT_W2D_DRAWING_RECORDS_H

#include <array>
#include <cstdint>
#include <string_view>

#include "w2d/logical_point.h"
#include "w2d/object.h"
#include "w2d/rgba.h"

// Shared parts: an "Other" object stored by the default handler.
class WT_Drawing_Record : public WT_Object {
public:
    WT_Type object_type() const override { return Other; }
    WT_Result::Enum default_process(WT_Stream& stream) override;
};

// "(Background " red "," green "," blue "," alpha ")".
class WT_Background : public WT_Drawing_Record {
public:
    static constexpr WT_ID ID = Background_ID;
    static constexpr std::string_view Token = "(Background";
    WT_Background() = default;
    explicit WT_Background(const WT_RGBA32& color) : m_color(color) {}
    const WT_RGBA32& color() const { return m_color; }
    bool operator==(const WT_Background& other) const { return m_color == other.m_color; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    WT_RGBA32 m_color;
};

// "(PlotOptimized)": the stream was laid out for plotting.
class WT_Plot_Optimized : public WT_Drawing_Record {
public:
    static constexpr WT_ID ID = Plot_Optimized_ID;
    static constexpr std::string_view Token = "(PlotOptimized";
    WT_Plot_Optimized() = default;
    explicit WT_Plot_Optimized(bool optimized) : m_optimized(optimized) {}
    bool optimized() const { return m_optimized; }
    bool operator==(const WT_Plot_Optimized& other) const { return m_optimized == other.m_optimized; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Nothing is written for a stream that is not plot optimised.
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    bool m_optimized = false;
};

// "(InkedArea " four points ")": the corners of what is drawn.
class WT_Inked_Area : public WT_Drawing_Record {
public:
    static constexpr WT_ID ID = Inked_Area_ID;
    static constexpr std::string_view Token = "(InkedArea";
    using WT_Corners = std::array<WT_Logical_Point, 4>;
    WT_Inked_Area() = default;
    explicit WT_Inked_Area(const WT_Corners& corners) : m_corners(corners) {}
    const WT_Corners& corners() const { return m_corners; }
    bool operator==(const WT_Inked_Area& other) const { return m_corners == other.m_corners; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    WT_Corners m_corners{};
};

// "(PenPat_Options " four flags ")".
class WT_Pen_Pattern_Options : public WT_Drawing_Record {
public:
    static constexpr WT_ID ID = Pen_Pattern_Options_ID;
    static constexpr std::string_view Token = "(PenPat_Options";
    enum WT_Flag { Scale_Pen_Width, Map_Colors_To_Gray_Scale, Use_Alternate_Fill_Rule, Use_Error_Diffusion, Flag_Count };
    using WT_Flags = std::array<bool, Flag_Count>;
    WT_Pen_Pattern_Options() = default;
    explicit WT_Pen_Pattern_Options(const WT_Flags& flags) : m_flags(flags) {}
    const WT_Flags& flags() const { return m_flags; }
    bool operator==(const WT_Pen_Pattern_Options& other) const { return m_flags == other.m_flags; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    WT_Flags m_flags{};
};

// "(Projection " quoted "normal", "stretch" or "chop" ")".
class WT_Projection : public WT_Drawing_Record {
public:
    static constexpr WT_ID ID = Projection_ID;
    static constexpr std::string_view Token = "(Projection";
    enum WT_Kind { Normal, Stretch, Chop };
    WT_Projection() = default;
    explicit WT_Projection(WT_Kind kind) : m_kind(kind) {}
    WT_Kind kind() const { return m_kind; }
    bool operator==(const WT_Projection& other) const { return m_kind == other.m_kind; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    WT_Kind m_kind = Normal;
};

// "(PlotInfo " show|hide, rotation, in|mm, paper width and height, and the
// lower-left and upper-right corners of the drawable area ")".
class WT_Plot_Info : public WT_Drawing_Record {
public:
    static constexpr WT_ID ID = Plot_Info_ID;
    static constexpr std::string_view Token = "(PlotInfo";
    enum WT_Paper_Units { Inches, Millimeters };
    WT_Plot_Info() = default;
    WT_Plot_Info(bool show, int32_t rotation, WT_Paper_Units units, const std::array<double, 6>& values)
        : m_show(show), m_rotation(rotation), m_units(units), m_values(values) {}
    bool show() const { return m_show; }
    int32_t rotation() const { return m_rotation; }
    WT_Paper_Units paper_units() const { return m_units; }
    // Paper width, paper height, then the drawable area's corners (x, y).
    const std::array<double, 6>& values() const { return m_values; }
    bool operator==(const WT_Plot_Info& other) const {
        return m_show == other.m_show && m_rotation == other.m_rotation && m_units == other.m_units &&
               m_values == other.m_values;
    }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    bool m_show = true;
    int32_t m_rotation = 0;
    WT_Paper_Units m_units = Millimeters;
    std::array<double, 6> m_values{};
};

#endif  // DWFPLOT_W2D_DRAWING_RECORDS_H
