// The font behind a logical font name: the logical name and the canonical
// name of the font actually meant.
#ifndef DWFPLOT_W2D_FONT_EXTENSION_H
#define DWFPLOT_W2D_FONT_EXTENSION_H

#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Font_Extension : public WT_Attribute {
public:
    static constexpr WT_ID ID = Font_Extension_ID;
    static constexpr std::string_view Token = "(FontExtension";

    WT_Font_Extension() = default;
    WT_Font_Extension(const WT_String& logical, const WT_String& canonical)
        : m_logical(logical), m_canonical(canonical) {}

    const WT_String& logfont_name() const { return m_logical; }
    const WT_String& cannonical_name() const { return m_canonical; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Font_Extension& other) const {
        return m_logical == other.m_logical && m_canonical == other.m_canonical;
    }

private:
    WT_String m_logical;
    WT_String m_canonical;
};

#endif  // DWFPLOT_W2D_FONT_EXTENSION_H
