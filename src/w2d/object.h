// The base classes of everything a W2D stream carries: attributes change the
// rendition, drawables put marks on the page, the rest structures the stream.
#ifndef DWFPLOT_W2D_OBJECT_H
#define DWFPLOT_W2D_OBJECT_H

#include <memory>

#include "w2d/result.h"

class WT_Opcode;
class WT_Stream;

class WT_Object {
public:
    enum WT_Type { Attribute, Drawable, Other };

    // One value per concrete kind; also the index of the kind's process
    // handler in the stream.
    enum WT_ID {
        Unknown_ID = 0,
        DWF_Header_ID,
        End_Of_DWF_ID,
        Compression_Marker_ID,
        // attributes
        Color_ID,
        Color_Map_ID,
        Fill_ID,
        Visibility_ID,
        Line_Weight_ID,
        Line_Style_ID,
        Font_ID,
        Viewport_ID,
        Layer_ID,
        Code_Page_ID,
        Marker_Size_ID,
        Marker_Symbol_ID,
        Line_Pattern_ID,
        Dash_Pattern_ID,
        Fill_Pattern_ID,
        Merge_Control_ID,
        URL_ID,
        Pen_Pattern_ID,
        Font_Extension_ID,
        Object_Node_ID,
        Units_ID,
        // drawables
        Contour_Set_ID,
        Filled_Ellipse_ID,
        Outline_Ellipse_ID,
        Image_ID,
        PNG_Group4_Image_ID,
        Polygon_ID,
        Polyline_ID,
        Text_ID,
        UserData_ID,
        Polytriangle_ID,
        Polymarker_ID,
        // structural and metadata records
        Origin_ID,
        Metadata_ID,
        Named_View_ID,
        View_ID,
        Background_ID,
        Plot_Info_ID,
        Embedded_Font_ID,
        Block_Structure_ID,
        Group_ID,
        Plot_Optimized_ID,
        Inked_Area_ID,
        Pen_Pattern_Options_ID,
        Projection_ID,
        Embed_ID,
        Trusted_Font_List_ID,
        Gouraud_ID,
        Kind_Count
    };

    WT_Object() = default;
    WT_Object(const WT_Object&) = default;
    WT_Object& operator=(const WT_Object&) = default;
    virtual ~WT_Object() = default;

    virtual WT_Type object_type() const = 0;
    virtual WT_ID object_id() const = 0;
    // Reads what follows the opcode. May return Waiting_For_Data; the stream
    // then gives the unread bytes back and calls again with more data.
    virtual WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) = 0;
    // Hands the object to the stream's handler for its kind.
    virtual WT_Result::Enum process(WT_Stream& stream);
    virtual WT_Result::Enum write(WT_Stream& stream) const = 0;
    // Passes over the operands without interpreting them: an extended opcode
    // by its framing.
    virtual WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream);
    // What the stream does with the object when no handler replaced it.
    virtual WT_Result::Enum default_process(WT_Stream& stream);

    bool materialized() const { return m_materialized; }
    void set_materialized(bool done) { m_materialized = done; }

private:
    bool m_materialized = false;
};

class WT_Attribute : public WT_Object {
public:
    WT_Type object_type() const override { return Attribute; }
    // Writes the attribute, which is then in force for what follows in the
    // stream: it becomes the stream's current value, as it does for whoever
    // reads the stream back, so that the next drawable is synchronised
    // against what its reader will really have.
    WT_Result::Enum write(WT_Stream& stream) const final;
    // Reading puts the value in force the same way.
    WT_Result::Enum default_process(WT_Stream& stream) final { return store(stream); }
    // Writes the value when it differs from the stream's current one, then
    // makes it the current one.
    virtual WT_Result::Enum sync(WT_Stream& stream) const = 0;
    virtual bool equals(const WT_Attribute& other) const = 0;
    // Makes the value the stream's current one.
    virtual WT_Result::Enum store(WT_Stream& stream) const = 0;
    // The attribute's own bytes, leaving the current set alone.
    virtual WT_Result::Enum write_value(WT_Stream& stream) const = 0;
};

class WT_Drawable : public WT_Object {
public:
    WT_Type object_type() const override { return Drawable; }
    // Stores a copy of the object as the stream's pending drawable.
    virtual WT_Result::Enum delay(WT_Stream& stream) const = 0;
    // Writes the object at once.
    virtual WT_Result::Enum dump(WT_Stream& stream) const = 0;
    // Appends a following drawable of the same kind to this pending one;
    // false when the two do not join, as for every kind but the polyline.
    virtual bool merge(const WT_Drawable& /*following*/) { return false; }
};

#endif  // DWFPLOT_W2D_OBJECT_H
