#include "w2d/png_group4_image.h"


#include "w2d/stream.h"

bool WT_PNG_Group4_Image::has_format(uint16_t format) const {
    return format == Group4 || format == PNG || format == Group4X_Mapped;
}

WT_Result::Enum WT_PNG_Group4_Image::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_PNG_Group4_Image>(opcode, stream);
}

WT_Result::Enum WT_PNG_Group4_Image::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }
