// The layer of the drawables that follow: a number and its name. Once a
// number has been named in a stream, the one-byte binary form suffices.
#ifndef DWFPLOT_W2D_LAYER_H
#define DWFPLOT_W2D_LAYER_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Layer : public WT_Attribute {
public:
    static constexpr WT_ID ID = Layer_ID;
    static constexpr std::string_view Token = "(Layer";
    static constexpr uint8_t Opcode = 0xAC;

    WT_Layer() = default;
    WT_Layer(int32_t number, const WT_String& name) : m_number(number), m_name(name) {}

    int32_t layer_num() const { return m_number; }
    const WT_String& layer_name() const { return m_name; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Layer& other) const { return m_number == other.m_number && m_name == other.m_name; }

private:
    int32_t m_number = 0;
    WT_String m_name;
};

#endif  // DWFPLOT_W2D_LAYER_H
