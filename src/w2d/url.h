// The hyperlinks of the drawables that follow: a list of items, each an
// index, an address and a friendly name.
#ifndef DWFPLOT_W2D_URL_H
#define DWFPLOT_W2D_URL_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_URL_Item {
public:
    int32_t m_index = 0;
    WT_String m_address;
    WT_String m_friendly_name;

    bool operator==(const WT_URL_Item&) const = default;
};

class WT_URL : public WT_Attribute {
public:
    static constexpr WT_ID ID = URL_ID;
    static constexpr std::string_view Token = "(URL";

    WT_URL() = default;
    explicit WT_URL(std::vector<WT_URL_Item> items) : m_items(std::move(items)) {}

    const std::vector<WT_URL_Item>& items() const { return m_items; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // "(URL", then " (" index, address, friendly name ")" per item, ")".
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_URL& other) const { return m_items == other.m_items; }

private:
    std::vector<WT_URL_Item> m_items;
};

#endif  // DWFPLOT_W2D_URL_H
