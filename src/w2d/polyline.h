// A polyline; two points form a line. Consecutive polylines that share an
// end point are held back and merged into one.
#ifndef DWFPLOT_W2D_POLYLINE_H
#define DWFPLOT_W2D_POLYLINE_H

#include "w2d/object.h"
#include "w2d/point_set.h"

class WT_Polyline : public WT_Drawable, public WT_Point_Set {
public:
    static constexpr WT_ID ID = Polyline_ID;
    static constexpr uint32_t Attribute_Mask = 0x2FA53F;
    // The two-point forms; longer polylines take the point-set forms.
    static constexpr uint8_t Ascii_Line_Opcode = 'L';
    static constexpr uint8_t Line_Opcode_32 = 'l';
    static constexpr uint8_t Line_Opcode_16 = 0x0C;

    using WT_Point_Set::WT_Point_Set;

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    // Writes as write() does, but a polyline held back for merging hands its
    // points to the stream instead of a copy; this one may be left empty.
    WT_Result::Enum write_handing_over(WT_Stream& stream);
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;
    bool merge(const WT_Drawable& following) override;

private:
    // Brings the attributes up to date; `hold` tells whether the polyline
    // may wait for a merge or must be dumped at once.
    WT_Result::Enum prepare_write(WT_Stream& stream, bool& hold) const;
    WT_Result::Enum dump_line(WT_Stream& stream) const;
};

#endif  // DWFPLOT_W2D_POLYLINE_H
