// The size and the symbol of polymarker marks.
#ifndef DWFPLOT_W2D_MARKER_H
#define DWFPLOT_W2D_MARKER_H

#include <cstdint>

#include "w2d/object.h"

// Binary "s" with a 32-bit size, ASCII "S " with a decimal.
class WT_Marker_Size : public WT_Attribute {
public:
    static constexpr WT_ID ID = Marker_Size_ID;
    static constexpr uint8_t Opcode = 's';
    static constexpr uint8_t Ascii_Opcode = 'S';

    WT_Marker_Size() = default;
    explicit WT_Marker_Size(int32_t size) : m_size(size) {}

    int32_t size() const { return m_size; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Marker_Size& other) const { return m_size == other.m_size; }

private:
    int32_t m_size = 0;
};

// ASCII "G " with a decimal; there is no binary form.
class WT_Marker_Symbol : public WT_Attribute {
public:
    static constexpr WT_ID ID = Marker_Symbol_ID;
    static constexpr uint8_t Ascii_Opcode = 'G';

    WT_Marker_Symbol() = default;
    explicit WT_Marker_Symbol(int32_t symbol) : m_symbol(symbol) {}

    int32_t symbol() const { return m_symbol; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Marker_Symbol& other) const { return m_symbol == other.m_symbol; }

private:
    int32_t m_symbol = 0;
};

#endif  // DWFPLOT_W2D_MARKER_H
