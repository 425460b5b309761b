#include "w2d/user_data.h"

#include <algorithm>

#include "w2d/image.h"
#include "w2d/stream.h"

namespace {
// Opcode value, data size field and "}" around description and data.
constexpr uint64_t Fixed_Binary_Size = 2 + 4 + 1;
}  // namespace

uint64_t WT_UserData::binary_description_size() const {
    if (m_description.kind() == WT_String::UTF16) return 1 + 4 + 2 * uint64_t{m_description.length()} + 1;
    const std::string& text = m_description.ascii();
    // Apostrophes and backslashes inside the quotes take an escape each.
    const auto escapes = std::count_if(text.begin(), text.end(), [](char c) { return c == '\'' || c == '\\'; });
    return 2 + text.size() + static_cast<uint64_t>(escapes);
}

WT_Result::Enum WT_UserData::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(stream.sync_attributes(Attribute_Mask));
    return dump(stream);
}

WT_Result::Enum WT_UserData::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

WT_Result::Enum WT_UserData::dump(WT_Stream& stream) const {
    if (stream.options().allow_binary_data()) {
        // The size counts the description as written, escapes included.
        const uint64_t size = Fixed_Binary_Size + binary_description_size() + m_data.size();
        if (size > UINT32_MAX) return WT_Result::Write_Failed;
        WT_CHECK(stream.write(static_cast<uint8_t>('{')));
        WT_CHECK(stream.write(static_cast<uint32_t>(size)));
        WT_CHECK(stream.write(Binary_Opcode));
        WT_CHECK(m_description.write(stream, true));
        WT_CHECK(stream.write(data_size()));
        WT_CHECK(stream.write(m_data.size(), m_data.data()));
        return stream.write(static_cast<uint8_t>('}'));
    }
    if (m_data.size() > UINT32_MAX) return WT_Result::Write_Failed;
    WT_CHECK(stream.write_tab_level(WT_Stream::Drawable_Indent));
    WT_CHECK(wt_write_token(stream, Token, " "));
    WT_CHECK(m_description.write(stream, true));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_ascii(data_size()));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(stream.write_hex(m_data.size(), m_data.data()));
    return stream.write(" )");
}

WT_Result::Enum WT_UserData::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    *this = WT_UserData();
    if (opcode.is_named(Token)) return read_ascii(stream);
    if (opcode.type() == WT_Opcode::Extended_Binary && opcode.binary_value() == Binary_Opcode)
        return read_binary(opcode, stream);
    return WT_Result::Wrong_Opcode;
}

WT_Result::Enum WT_UserData::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_UserData>(opcode, stream);
}

WT_Result::Enum WT_UserData::read_binary(const WT_Opcode& opcode, WT_Stream& stream) {
    WT_CHECK(m_description.read(stream));
    uint32_t size = 0;
    WT_CHECK(stream.read(size));
    // Description and data must fill the opcode's size exactly, so that the
    // claim of the data size is checked before any of it is taken.
    if (Fixed_Binary_Size + binary_description_size() + size != opcode.binary_size()) {
        return stream.refuse(WT_Result::Corrupt_Data, "%u bytes of data do not fit the size field", size);
    }
    WT_CHECK(wt_read_data(stream, size, false, m_data));
    uint8_t close = 0;
    WT_CHECK(stream.read(close));
    return close == '}' ? WT_Result::Success : stream.refuse_byte(close, "expected '}'");
}

WT_Result::Enum WT_UserData::read_ascii(WT_Stream& stream) {
    WT_CHECK(m_description.read(stream));
    uint32_t size = 0;
    WT_CHECK(stream.read_ascii(size));
    WT_CHECK(wt_read_data(stream, size, true, m_data));
    return stream.read_closing_parenthesis();
}
