// The object the drawables that follow belong to: a number and a name.
#ifndef DWFPLOT_W2D_OBJECT_NODE_H
#define DWFPLOT_W2D_OBJECT_NODE_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Object_Node : public WT_Attribute {
public:
    static constexpr WT_ID ID = Object_Node_ID;
    static constexpr std::string_view Token = "(Node";
    // The next node, a 16-bit difference from the current one, a 32-bit number.
    static constexpr uint8_t Next_Opcode = 0x0E;
    static constexpr uint8_t Opcode_16 = 'n';
    static constexpr uint8_t Opcode_32 = 'N';

    WT_Object_Node() = default;
    WT_Object_Node(int32_t number, const WT_String& name) : m_number(number), m_name(name) {}

    int32_t object_node_num() const { return m_number; }
    const WT_String& object_node_name() const { return m_name; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Binary forms relative to the current node when the node has no name:
    // 0x0E for the next number, "n" with a 16-bit difference, "N" with the
    // number; else "(Node " number, name ")".
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Object_Node& other) const {
        return m_number == other.m_number && m_name == other.m_name;
    }

private:
    int32_t m_number = 0;
    WT_String m_name;
};

#endif  // DWFPLOT_W2D_OBJECT_NODE_H
