#include "w2d/attribute_set.h"

WT_Attribute* WT_Attribute_Set::attribute(uint32_t bit) {
    switch (bit) {
        case Color_Bit: return &m_color;
        case Fill_Bit: return &m_fill;
        case Visibility_Bit: return &m_visibility;
        case URL_Bit: return &m_url;
        case Line_Weight_Bit: return &m_line_weight;
        case Line_Style_Bit: return &m_line_style;
        case Marker_Size_Bit: return &m_marker_size;
        case Marker_Symbol_Bit: return &m_marker_symbol;
        case Layer_Bit: return &m_layer;
        case Color_Map_Bit: return &m_color_map;
        case Line_Pattern_Bit: return &m_line_pattern;
        case Font_Bit: return &m_font;
        case Viewport_Bit: return &m_viewport;
        case Code_Page_Bit: return &m_code_page;
        case Dash_Pattern_Bit: return &m_dash_pattern;
        case Fill_Pattern_Bit: return &m_fill_pattern;
        case Merge_Control_Bit: return &m_merge_control;
        case Pen_Pattern_Bit: return &m_pen_pattern;
        case Font_Extension_Bit: return &m_font_extension;
        case Object_Node_Bit: return &m_object_node;
        default: return nullptr;
    }
}

WT_Result::Enum WT_Attribute_Set::sync(WT_Stream& stream, uint32_t mask) {
    for (uint32_t bit = 1; bit != 0; bit <<= 1) {
        if ((m_changed & mask & bit) == 0) continue;
        WT_Attribute* attribute = this->attribute(bit);
        if (attribute == nullptr) continue;
        m_changed &= ~bit;
        const WT_Result::Enum result = attribute->sync(stream);
        if (result != WT_Result::Success) {
            // Not synchronised: the next write tries again.
            m_changed |= bit;
            return result;
        }
    }
    return WT_Result::Success;
}
