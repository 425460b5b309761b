// The opcode token that starts every stream object, in its four encodings:
// extended ASCII "(Name", extended binary "{" size value, the ")" that ends an
// option list, and the single byte.
#ifndef DWFPLOT_W2D_OPCODE_H
#define DWFPLOT_W2D_OPCODE_H

#include <cstdint>
#include <string_view>

#include "w2d/result.h"

class WT_Stream;

class WT_Opcode {
public:
    enum WT_Type { Null_Optioncode, Single_Byte, Extended_ASCII, Extended_Binary, Closing_Parenthesis };

    // Longest extended ASCII name after the opening parenthesis.
    static constexpr int Maximum_Name_Length = 40;

    WT_Opcode() = default;
    virtual ~WT_Opcode() = default;
    WT_Opcode(const WT_Opcode&) = default;
    WT_Opcode& operator=(const WT_Opcode&) = default;

    // Reads the next token after optional whitespace. Reads nothing when the
    // result is not Success (the stream gives the bytes back).
    WT_Result::Enum read(WT_Stream& stream);

    WT_Type type() const { return m_type; }
    // The token bytes: "(" plus the name for extended ASCII, the byte for a
    // single-byte opcode, "{" for extended binary.
    std::string_view token() const { return std::string_view(m_token, m_size); }
    int size() const { return m_size; }
    uint8_t byte() const { return static_cast<uint8_t>(m_token[0]); }
    // Extended binary: the size field (opcode value, payload and "}") and
    // the opcode value.
    uint32_t binary_size() const { return m_binary_size; }
    uint16_t binary_value() const { return m_binary_value; }
    // The extended ASCII name without its parenthesis.
    std::string_view name() const { return token().substr(1); }
    bool is_named(std::string_view asciiToken) const {
        return m_type == Extended_ASCII && token() == asciiToken;
    }

    // Builds a token by hand (tests, writers of known opcodes).
    void set_single_byte(uint8_t value);
    void set_extended_binary(uint32_t size, uint16_t value);

protected:
    // Option-name readers accept the ")" that ends the list.
    virtual bool accepts_closing_parenthesis() const { return false; }

private:
    WT_Result::Enum read_extended_ascii(WT_Stream& stream);
    WT_Result::Enum read_extended_binary(WT_Stream& stream);

    WT_Type m_type = Null_Optioncode;
    char m_token[Maximum_Name_Length + 2] = {};
    int m_size = 0;
    uint32_t m_binary_size = 0;
    uint16_t m_binary_value = 0;
};

// The token reader of option names inside an extended ASCII opcode, which
// also takes the ")" ending the list as a token of its own.
class WT_Optioncode : public WT_Opcode {
public:
    bool is_end_of_options() const { return type() == Closing_Parenthesis; }

protected:
    bool accepts_closing_parenthesis() const override { return true; }
};

// Writes an extended ASCII token and what follows it at once (a space
// before operands, ")" for a record without any), so that every class
// writes its token from its one constant.
WT_Result::Enum wt_write_token(WT_Stream& stream, std::string_view token, std::string_view after);
// The same for the letter of a single-byte ASCII form ("C ", "L ").
WT_Result::Enum wt_write_token(WT_Stream& stream, uint8_t opcode, std::string_view after);

#endif  // DWFPLOT_W2D_OPCODE_H
