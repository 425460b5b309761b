// The drawing information a stream keeps besides the rendition attributes:
// metadata texts and times, view, background, plot optimisation, inked
// area, pen-pattern options, projection and plot layout, each with a changed
// bit.
#ifndef DWFPLOT_W2D_DRAWING_INFO_H
#define DWFPLOT_W2D_DRAWING_INFO_H

#include <array>
#include <cstdint>

#include "w2d/drawing_records.h"
#include "w2d/metadata.h"
#include "w2d/view.h"

class WT_Drawing_Info {
public:
    // The records that matter for rendering; written ahead of drawables.
    enum WT_Rendering_Bit : uint32_t {
        View_Bit = 0x1,
        Background_Bit = 0x2,
        Plot_Optimized_Bit = 0x4,
        Inked_Area_Bit = 0x8,
        Pen_Pattern_Options_Bit = 0x10,
    };
    // The second mask: one bit per metadata keyword (1 << keyword), then
    // these.
    enum WT_Metadata_Bit : uint32_t {
        Units_Bit = 1u << WT_Metadata::Keyword_Count,
        Projection_Bit = Units_Bit << 1,
        Plot_Info_Bit = Units_Bit << 2,
    };

    const WT_Metadata& metadata(WT_Metadata::WT_Keyword keyword) const { return m_metadata[keyword]; }
    const WT_View& view() const { return m_view; }
    const WT_Background& background() const { return m_background; }
    const WT_Plot_Optimized& plot_optimized() const { return m_plot_optimized; }
    const WT_Inked_Area& inked_area() const { return m_inked_area; }
    const WT_Pen_Pattern_Options& pen_pattern_options() const { return m_pen_pattern_options; }
    const WT_Projection& projection() const { return m_projection; }
    const WT_Plot_Info& plot_info() const { return m_plot_info; }

    // Keeps a record of one of the kinds above and sets its changed bit;
    // false for any other object.
    bool store(const WT_Object& record);

    uint32_t rendering_changed() const { return m_rendering_changed; }
    uint32_t metadata_changed() const { return m_metadata_changed; }
    void clear_rendering_changed(uint32_t bits) { m_rendering_changed &= ~bits; }
    void clear_metadata_changed(uint32_t bits) { m_metadata_changed &= ~bits; }
    // Notes that the units of the attribute set changed.
    void set_units_changed() { m_metadata_changed |= Units_Bit; }

    // Writes the rendering records whose changed bit is set and that differ
    // from `current`, in bit order, and makes them current.
    WT_Result::Enum sync(WT_Stream& stream, WT_Drawing_Info& current);

private:
    std::array<WT_Metadata, WT_Metadata::Keyword_Count> m_metadata = make_metadata();
    WT_View m_view;
    WT_Background m_background;
    WT_Plot_Optimized m_plot_optimized;
    WT_Inked_Area m_inked_area;
    WT_Pen_Pattern_Options m_pen_pattern_options;
    WT_Projection m_projection;
    WT_Plot_Info m_plot_info;
    uint32_t m_rendering_changed = 0;
    uint32_t m_metadata_changed = 0;

    static std::array<WT_Metadata, WT_Metadata::Keyword_Count> make_metadata();
};

#endif  // DWFPLOT_W2D_DRAWING_INFO_H
