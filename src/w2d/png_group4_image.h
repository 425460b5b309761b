// The PNG and Group 4 images: the fields of WT_Image with the formats PNG,
// Group 4 and Group 4X, and the extended ASCII name "(Group4PNGImage".
#ifndef DWFPLOT_W2D_PNG_GROUP4_IMAGE_H
#define DWFPLOT_W2D_PNG_GROUP4_IMAGE_H

#include "w2d/image.h"

class WT_PNG_Group4_Image : public WT_Image {
public:
    static constexpr WT_ID ID = PNG_Group4_Image_ID;
    static constexpr std::string_view Token = "(Group4PNGImage";

    WT_PNG_Group4_Image() : WT_Image(0, 0, PNG, 0, std::nullopt, {}, {}, {}) {}
    using WT_Image::WT_Image;

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum delay(WT_Stream& stream) const override;

protected:
    bool has_format(uint16_t format) const override;
    std::string_view ascii_opcode() const override { return Token; }
};

#endif  // DWFPLOT_W2D_PNG_GROUP4_IMAGE_H
