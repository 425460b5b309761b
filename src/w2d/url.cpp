#include "w2d/url.h"

#include "w2d/attribute_helpers.h"

WT_Result::Enum WT_URL::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    m_items.clear();
    for (;;) {
        WT_CHECK(stream.eat_whitespace());
        uint8_t next = 0;
        WT_CHECK(stream.read(next));
        if (next == ')') return WT_Result::Success;
        if (next != '(') return WT_Result::Corrupt_Data;
        WT_URL_Item item;
        WT_CHECK(stream.read_ascii(item.m_index));
        WT_CHECK(item.m_address.read(stream));
        WT_CHECK(item.m_friendly_name.read(stream));
        WT_CHECK(stream.read_closing_parenthesis());
        m_items.push_back(std::move(item));
    }
}

WT_Result::Enum WT_URL::write_value(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (!stream.options().allow_binary_data()) WT_CHECK(stream.write_tab_level());
    WT_CHECK(stream.write(Token));
    for (const WT_URL_Item& item : m_items) {
        WT_CHECK(stream.write(" ("));
        WT_CHECK(stream.write_ascii(item.m_index));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(item.m_address.write(stream, true));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(item.m_friendly_name.write(stream, true));
        WT_CHECK(stream.write(static_cast<uint8_t>(')')));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_URL::store(WT_Stream& stream) const {
    return wt_store_attribute(*this, stream, stream.current_attributes().url(), WT_Attribute_Set::URL_Bit);
}

WT_Result::Enum WT_URL::sync(WT_Stream& stream) const {
    return wt_sync_attribute(*this, stream, stream.current_attributes().url());
}

bool WT_URL::equals(const WT_Attribute& other) const { return wt_same_attribute(*this, other); }
