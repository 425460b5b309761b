// Data of the producer's own, named by its description ("Pen", "Group",
// "Text", "Table", "Symbol", ...); the stream carries the bytes unread.
#ifndef DWFPLOT_W2D_USER_DATA_H
#define DWFPLOT_W2D_USER_DATA_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_UserData : public WT_Drawable {
public:
    static constexpr WT_ID ID = UserData_ID;
    static constexpr std::string_view Token = "(UserData";
    static constexpr uint32_t Attribute_Mask = 0x2C210C;
    static constexpr uint16_t Binary_Opcode = 354;

    WT_UserData() = default;
    WT_UserData(const WT_String& description, std::vector<uint8_t> data)
        : m_description(description), m_data(std::move(data)) {}

    const WT_String& data_description() const { return m_description; }
    const std::vector<uint8_t>& data() const { return m_data; }
    uint32_t data_size() const { return static_cast<uint32_t>(m_data.size()); }

    bool operator==(const WT_UserData& other) const {
        return m_description == other.m_description && m_data == other.m_data;
    }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum skip_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum delay(WT_Stream& stream) const override;
    WT_Result::Enum dump(WT_Stream& stream) const override;

private:
    // Bytes of the description in the binary form, quotes included.
    uint64_t binary_description_size() const;
    WT_Result::Enum read_binary(const WT_Opcode& opcode, WT_Stream& stream);
    WT_Result::Enum read_ascii(WT_Stream& stream);

    WT_String m_description;
    std::vector<uint8_t> m_data;
};

#endif  // DWFPLOT_W2D_USER_DATA_H
