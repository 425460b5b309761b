// Records the stream recognises but does not interpret: embedded data,
// embedded fonts, trusted font lists and the Gouraud-shaded figures. They
// are read by their framing, kept as their raw bytes, handed to their
// (empty) default handlers and written back unchanged.
#ifndef DWFPLOT_W2D_FRAMED_RECORD_H
#define DWFPLOT_W2D_FRAMED_RECORD_H

#include "w2d/unknown.h"

template <WT_Object::WT_ID Id>
class WT_Framed_Record : public WT_Unknown {
public:
    static constexpr WT_ID ID = Id;
    WT_ID object_id() const override { return Id; }
    WT_Result::Enum default_process(WT_Stream&) override { return WT_Result::Success; }
};

// "(Embed " MIME type, description, file name, URL ")".
using WT_Embed = WT_Framed_Record<WT_Object::Embed_ID>;
// Extended binary value 318, or "(Embedded_Font " fields and font data ")".
using WT_Embedded_Font = WT_Framed_Record<WT_Object::Embedded_Font_ID>;
// "(TrustedFontList " names ")".
using WT_Trusted_Font_List = WT_Framed_Record<WT_Object::Trusted_Font_List_ID>;
// "(Gouraud" (triangle strip) and "(GourLine" (polyline) with colours.
using WT_Gouraud_Record = WT_Framed_Record<WT_Object::Gouraud_ID>;

#endif  // DWFPLOT_W2D_FRAMED_RECORD_H
