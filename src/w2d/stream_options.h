// What a stream may do, set before it is opened.
#ifndef DWFPLOT_W2D_STREAM_OPTIONS_H
#define DWFPLOT_W2D_STREAM_OPTIONS_H

#include "w2d/logical_point.h"

// Applied to points on writing when the apply-transform option is on.
class WT_Transform {
public:
    WT_Logical_Point m_translate;
    double m_x_scale = 1.0;
    double m_y_scale = 1.0;
    double m_rotation = 0.0;  // degrees, counter-clockwise

    bool rotates() const { return m_rotation != 0.0; }
};

class WT_Stream_Options {
public:
    bool allow_data_compression() const { return m_allow_data_compression; }
    bool allow_indexed_colors() const { return m_allow_indexed_colors; }
    bool allow_binary_data() const { return m_allow_binary_data; }
    bool allow_drawable_merging() const { return m_allow_drawable_merging; }
    bool apply_transform() const { return m_apply_transform; }
    int target_version() const { return m_target_version; }
    bool deferred_delete() const { return m_deferred_delete; }
    bool w2d_header_seen() const { return m_w2d_header_seen; }
    const WT_Transform& transform() const { return m_transform; }

    void set_allow_data_compression(bool on) { m_allow_data_compression = on; }
    void set_allow_indexed_colors(bool on) { m_allow_indexed_colors = on; }
    void set_allow_binary_data(bool on) { m_allow_binary_data = on; }
    void set_allow_drawable_merging(bool on) { m_allow_drawable_merging = on; }
    void set_apply_transform(bool on) { m_apply_transform = on; }
    void set_target_version(int version) { m_target_version = version; }
    void set_deferred_delete(bool on) { m_deferred_delete = on; }
    void set_w2d_header_seen(bool seen) { m_w2d_header_seen = seen; }
    void set_transform(const WT_Transform& transform) { m_transform = transform; }

private:
    bool m_allow_data_compression = false;
    bool m_allow_indexed_colors = true;
    bool m_allow_binary_data = true;
    bool m_allow_drawable_merging = true;
    bool m_apply_transform = false;
    int m_target_version = 600;
    bool m_deferred_delete = false;
    bool m_w2d_header_seen = false;
    WT_Transform m_transform;
};

#endif  // DWFPLOT_W2D_STREAM_OPTIONS_H
