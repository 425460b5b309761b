// One value of every attribute kind, with a changed bit per kind. A stream
// keeps two: the current set (what was last written or read) and the
// desired set (what the next drawable must be drawn with).
#ifndef DWFPLOT_W2D_ATTRIBUTE_SET_H
#define DWFPLOT_W2D_ATTRIBUTE_SET_H

#include <cstdint>

#include "w2d/code_page.h"
#include "w2d/color.h"
#include "w2d/color_map.h"
#include "w2d/dash_pattern.h"
#include "w2d/drawing_info.h"
#include "w2d/fill.h"
#include "w2d/fill_pattern.h"
#include "w2d/font.h"
#include "w2d/font_extension.h"
#include "w2d/layer.h"
#include "w2d/line_pattern.h"
#include "w2d/line_style.h"
#include "w2d/line_weight.h"
#include "w2d/marker.h"
#include "w2d/merge_control.h"
#include "w2d/object_node.h"
#include "w2d/pen_pattern.h"
#include "w2d/units.h"
#include "w2d/url.h"
#include "w2d/viewport.h"
#include "w2d/visibility.h"

class WT_Attribute_Set {
public:
    // The changed bits, in the order in which the kinds are synchronised.
    enum WT_Attribute_Bit : uint32_t {
        Color_Bit = 0x1,
        Fill_Bit = 0x2,
        Visibility_Bit = 0x4,
        URL_Bit = 0x8,
        Line_Weight_Bit = 0x10,
        Line_Style_Bit = 0x20,
        Marker_Size_Bit = 0x40,
        Marker_Symbol_Bit = 0x80,
        Layer_Bit = 0x100,
        Color_Map_Bit = 0x200,
        Line_Pattern_Bit = 0x400,
        Font_Bit = 0x1000,
        Viewport_Bit = 0x2000,
        Code_Page_Bit = 0x4000,
        Dash_Pattern_Bit = 0x8000,
        Fill_Pattern_Bit = 0x10000,
        Merge_Control_Bit = 0x20000,
        Block_Reference_Bit = 0x40000,
        Pen_Pattern_Bit = 0x80000,
        Font_Extension_Bit = 0x100000,
        Object_Node_Bit = 0x200000,
    };

    WT_Color& color() { return m_color; }
    WT_Color_Map& color_map() { return m_color_map; }
    WT_Fill& fill() { return m_fill; }
    WT_Visibility& visibility() { return m_visibility; }
    WT_URL& url() { return m_url; }
    WT_Line_Weight& line_weight() { return m_line_weight; }
    WT_Line_Style& line_style() { return m_line_style; }
    WT_Marker_Size& marker_size() { return m_marker_size; }
    WT_Marker_Symbol& marker_symbol() { return m_marker_symbol; }
    WT_Layer& layer() { return m_layer; }
    WT_Line_Pattern& line_pattern() { return m_line_pattern; }
    WT_Font& font() { return m_font; }
    WT_Viewport& viewport() { return m_viewport; }
    WT_Code_Page& code_page() { return m_code_page; }
    WT_Dash_Pattern& dash_pattern() { return m_dash_pattern; }
    WT_Fill_Pattern& fill_pattern() { return m_fill_pattern; }
    WT_Merge_Control& merge_control() { return m_merge_control; }
    WT_Pen_Pattern& pen_pattern() { return m_pen_pattern; }
    WT_Font_Extension& font_extension() { return m_font_extension; }
    WT_Object_Node& object_node() { return m_object_node; }
    // Kept without a changed bit: no drawable depends on it.
    WT_Units& units() { return m_units; }
    // Metadata, view, background and the other drawing-information records,
    // with their own changed bits.
    WT_Drawing_Info& drawing_info() { return m_drawing_info; }

    // Sets a desired value and marks its kind changed.
    void set(const WT_Color& value) { assign(m_color, value, Color_Bit); }
    void set(const WT_Color_Map& value) { assign(m_color_map, value, Color_Map_Bit); }
    void set(const WT_Fill& value) { assign(m_fill, value, Fill_Bit); }
    void set(const WT_Visibility& value) { assign(m_visibility, value, Visibility_Bit); }
    void set(const WT_URL& value) { assign(m_url, value, URL_Bit); }
    void set(const WT_Line_Weight& value) { assign(m_line_weight, value, Line_Weight_Bit); }
    void set(const WT_Line_Style& value) { assign(m_line_style, value, Line_Style_Bit); }
    void set(const WT_Marker_Size& value) { assign(m_marker_size, value, Marker_Size_Bit); }
    void set(const WT_Marker_Symbol& value) { assign(m_marker_symbol, value, Marker_Symbol_Bit); }
    void set(const WT_Layer& value) { assign(m_layer, value, Layer_Bit); }
    void set(const WT_Line_Pattern& value) { assign(m_line_pattern, value, Line_Pattern_Bit); }
    void set(const WT_Font& value) { assign(m_font, value, Font_Bit); }
    void set(const WT_Viewport& value) { assign(m_viewport, value, Viewport_Bit); }
    void set(const WT_Code_Page& value) { assign(m_code_page, value, Code_Page_Bit); }
    void set(const WT_Dash_Pattern& value) { assign(m_dash_pattern, value, Dash_Pattern_Bit); }
    void set(const WT_Fill_Pattern& value) { assign(m_fill_pattern, value, Fill_Pattern_Bit); }
    void set(const WT_Merge_Control& value) { assign(m_merge_control, value, Merge_Control_Bit); }
    void set(const WT_Pen_Pattern& value) { assign(m_pen_pattern, value, Pen_Pattern_Bit); }
    void set(const WT_Font_Extension& value) { assign(m_font_extension, value, Font_Extension_Bit); }
    void set(const WT_Object_Node& value) { assign(m_object_node, value, Object_Node_Bit); }

    uint32_t changed() const { return m_changed; }
    void set_changed(uint32_t bits) { m_changed |= bits; }
    void clear_changed(uint32_t bits) { m_changed &= ~bits; }

    // The attribute of one changed bit; null for kinds kept elsewhere.
    WT_Attribute* attribute(uint32_t bit);
    // For each bit of `mask` that is marked changed, in ascending order:
    // clears it and synchronises the attribute with the stream.
    WT_Result::Enum sync(WT_Stream& stream, uint32_t mask);

    // The version of the stream, from its header.
    int major_version() const { return m_major_version; }
    int minor_version() const { return m_minor_version; }
    void set_version(int major, int minor) {
        m_major_version = major;
        m_minor_version = minor;
    }

private:
    template <class T>
    void assign(T& member, const T& value, uint32_t bit) {
        member = value;
        m_changed |= bit;
    }

    WT_Color m_color;
    WT_Color_Map m_color_map;
    WT_Fill m_fill;
    WT_Visibility m_visibility;
    WT_URL m_url;
    WT_Line_Weight m_line_weight;
    WT_Line_Style m_line_style;
    WT_Marker_Size m_marker_size;
    WT_Marker_Symbol m_marker_symbol;
    WT_Layer m_layer;
    WT_Line_Pattern m_line_pattern;
    WT_Font m_font;
    WT_Viewport m_viewport;
    WT_Code_Page m_code_page;
    WT_Dash_Pattern m_dash_pattern;
    WT_Fill_Pattern m_fill_pattern;
    WT_Merge_Control m_merge_control;
    WT_Pen_Pattern m_pen_pattern;
    WT_Font_Extension m_font_extension;
    WT_Object_Node m_object_node;
    WT_Units m_units;
    WT_Drawing_Info m_drawing_info;
    uint32_t m_changed = 0;
    int m_major_version = 6;
    int m_minor_version = 0;
};

#endif  // DWFPLOT_W2D_ATTRIBUTE_SET_H
