#include "w2d/drawing_info.h"

#include "w2d/stream.h"

std::array<WT_Metadata, WT_Metadata::Keyword_Count> WT_Drawing_Info::make_metadata() {
    std::array<WT_Metadata, WT_Metadata::Keyword_Count> records;
    for (size_t index = 0; index < records.size(); ++index)
        records[index] = WT_Metadata(static_cast<WT_Metadata::WT_Keyword>(index));
    return records;
}

namespace {
template <class T>
bool keep(const WT_Object& record, T& slot, uint32_t& mask, uint32_t bit) {
    slot = static_cast<const T&>(record);
    mask |= bit;
    return true;
}
}  // namespace

bool WT_Drawing_Info::store(const WT_Object& record) {
    switch (record.object_id()) {
        case WT_Object::Metadata_ID: {
            const auto& metadata = static_cast<const WT_Metadata&>(record);
            return keep(record, m_metadata[metadata.keyword()], m_metadata_changed, 1u << metadata.keyword());
        }
        case WT_Object::View_ID: return keep(record, m_view, m_rendering_changed, View_Bit);
        case WT_Object::Background_ID: return keep(record, m_background, m_rendering_changed, Background_Bit);
        case WT_Object::Plot_Optimized_ID:
            return keep(record, m_plot_optimized, m_rendering_changed, Plot_Optimized_Bit);
        case WT_Object::Inked_Area_ID: return keep(record, m_inked_area, m_rendering_changed, Inked_Area_Bit);
        case WT_Object::Pen_Pattern_Options_ID:
            return keep(record, m_pen_pattern_options, m_rendering_changed, Pen_Pattern_Options_Bit);
        case WT_Object::Projection_ID: return keep(record, m_projection, m_metadata_changed, Projection_Bit);
        case WT_Object::Plot_Info_ID: return keep(record, m_plot_info, m_metadata_changed, Plot_Info_Bit);
        default: return false;
    }
}

namespace {
template <class T>
WT_Result::Enum sync_record(WT_Stream& stream, uint32_t& changed, uint32_t bit, const T& desired, T& current) {
    if ((changed & bit) == 0) return WT_Result::Success;
    if (!(desired == current)) WT_CHECK(desired.write(stream));
    // Cleared only once written, so that a failed write is tried again.
    changed &= ~bit;
    current = desired;
    return WT_Result::Success;
}
}  // namespace

WT_Result::Enum WT_Drawing_Info::sync(WT_Stream& stream, WT_Drawing_Info& current) {
    WT_CHECK(sync_record(stream, m_rendering_changed, View_Bit, m_view, current.m_view));
    WT_CHECK(sync_record(stream, m_rendering_changed, Background_Bit, m_background, current.m_background));
    WT_CHECK(sync_record(stream, m_rendering_changed, Plot_Optimized_Bit, m_plot_optimized, current.m_plot_optimized));
    WT_CHECK(sync_record(stream, m_rendering_changed, Inked_Area_Bit, m_inked_area, current.m_inked_area));
    return sync_record(stream, m_rendering_changed, Pen_Pattern_Options_Bit, m_pen_pattern_options,
                       current.m_pen_pattern_options);
}
