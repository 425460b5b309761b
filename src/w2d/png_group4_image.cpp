#include "w2d/png_group4_image.h"


#include "w2d/stream.h"

bool WT_PNG_Group4_Image::has_format(uint16_t format) const {
    return format == Group4 || format == PNG || format == Group4X_Mapped;
}

WT_Result::Enum WT_PNG_Group4_Image::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    WT_PNG_Group4_Image scratch;
    return scratch.read_operands(opcode, stream);
}

WT_Result::Enum WT_PNG_Group4_Image::delay(WT_Stream& stream) const {
    stream.set_delayed_drawable(std::make_unique<WT_PNG_Group4_Image>(*this));
    return WT_Result::Success;
}
