#include "w2d/opcode.h"

#include "w2d/stream.h"

namespace {
bool is_whitespace(uint8_t byte) {
    return byte == 0x00 || byte == 0x09 || byte == 0x0A || byte == 0x0D || byte == 0x20;
}
bool is_name_byte(uint8_t byte) { return byte >= 0x21 && byte <= 0x7A && byte != '(' && byte != ')'; }
}  // namespace

void WT_Opcode::set_single_byte(uint8_t value) {
    m_type = Single_Byte;
    m_token[0] = static_cast<char>(value);
    m_token[1] = '\0';
    m_size = 1;
}

void WT_Opcode::set_extended_binary(uint32_t size, uint16_t value) {
    m_type = Extended_Binary;
    m_token[0] = '{';
    m_token[1] = '\0';
    m_size = 1;
    m_binary_size = size;
    m_binary_value = value;
}

WT_Result::Enum WT_Opcode::read(WT_Stream& stream) {
    // Until a token is read whole the opcode is none, so a failure on the
    // way names no opcode read before it.
    m_type = Null_Optioncode;
    WT_CHECK(stream.eat_whitespace());
    uint8_t first = 0;
    WT_CHECK(stream.read(first));
    switch (first) {
        case '(':
            return read_extended_ascii(stream);
        case '{':
            return read_extended_binary(stream);
        case ')':
            if (!accepts_closing_parenthesis()) return stream.refuse(WT_Result::Corrupt_Data, "')' closes nothing");
            m_type = Closing_Parenthesis;
            m_token[0] = ')';
            m_token[1] = '\0';
            m_size = 1;
            return WT_Result::Success;
        default:
            set_single_byte(first);
            return WT_Result::Success;
    }
}

WT_Result::Enum WT_Opcode::read_extended_ascii(WT_Stream& stream) {
    char name[Maximum_Name_Length + 2] = {'('};
    int size = 1;
    for (;;) {
        uint8_t byte = 0;
        WT_CHECK(stream.peek(byte));
        if (is_whitespace(byte) || byte == '(' || byte == ')') break;
        if (!is_name_byte(byte)) return stream.refuse(WT_Result::Corrupt_Data, "0x%02X in an opcode name", byte);
        if (size > Maximum_Name_Length) {
            return stream.refuse(WT_Result::Corrupt_Data, "an opcode name longer than %d", Maximum_Name_Length);
        }
        WT_CHECK(stream.read(byte));
        name[size++] = static_cast<char>(byte);
    }
    if (size == 1) return stream.refuse(WT_Result::Corrupt_Data, "'(' without an opcode name");
    m_type = Extended_ASCII;
    for (int index = 0; index < size; ++index) m_token[index] = name[index];
    m_token[size] = '\0';
    m_size = size;
    return WT_Result::Success;
}

WT_Result::Enum WT_Opcode::read_extended_binary(WT_Stream& stream) {
    uint32_t size = 0;
    uint16_t value = 0;
    WT_CHECK(stream.read(size));
    WT_CHECK(stream.read(value));
    set_extended_binary(size, value);
    return WT_Result::Success;
}

WT_Result::Enum wt_write_token(WT_Stream& stream, std::string_view token, std::string_view after) {
    WT_CHECK(stream.write(token));
    return stream.write(after);
}

WT_Result::Enum wt_write_token(WT_Stream& stream, uint8_t opcode, std::string_view after) {
    WT_CHECK(stream.write(opcode));
    return stream.write(after);
}
