#include "w2d/record_reading.h"

#include <cstdio>

WT_Result::Enum wt_expect_byte(WT_Stream& stream, uint8_t wanted) {
    WT_CHECK(stream.eat_whitespace());
    uint8_t byte = 0;
    WT_CHECK(stream.read(byte));
    if (byte == wanted) return WT_Result::Success;
    char expected[16];
    std::snprintf(expected, sizeof expected, "expected '%c'", wanted);
    return stream.refuse_byte(byte, expected);
}

WT_Result::Enum wt_read_name(WT_Stream& stream, std::string& name) {
    WT_CHECK(stream.read_ascii_token(Maximum_Record_Name, name));
    // A quoted name may carry its padding inside the quotes.
    while (!name.empty() && name.back() == ' ') name.pop_back();
    return WT_Result::Success;
}

int wt_find_name(std::span<const std::string_view> table, std::string_view name) {
    for (size_t index = 0; index < table.size(); ++index)
        if (table[index] == name) return static_cast<int>(index);
    return -1;
}

WT_Result::Enum wt_write_padded_name(WT_Stream& stream, std::span<const std::string_view> table, size_t index) {
    size_t width = 0;
    for (const std::string_view name : table) width = name.size() > width ? name.size() : width;
    WT_CHECK(stream.write(table[index]));
    for (size_t pad = table[index].size(); pad < width; ++pad) WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    return WT_Result::Success;
}

WT_Result::Enum wt_read_flag(WT_Stream& stream, bool& flag) {
    std::string token;
    WT_CHECK(stream.read_ascii_token(Maximum_Record_Name, token));
    if (token == "true" || token == "TRUE" || token == "1") {
        flag = true;
    } else if (token == "false" || token == "FALSE" || token == "0") {
        flag = false;
    } else {
        return stream.refuse(WT_Result::Corrupt_Data, "\"%s\" is neither true nor false", token.c_str());
    }
    return WT_Result::Success;
}

WT_Result::Enum wt_write_binary_start(WT_Stream& stream, uint32_t fieldsSize, uint16_t value) {
    WT_CHECK(stream.write(static_cast<uint8_t>('{')));
    // The size counts the opcode value, the fields and the closing "}".
    WT_CHECK(stream.write(static_cast<uint32_t>(fieldsSize + 3)));
    return stream.write(value);
}

WT_Result::Enum wt_read_points(WT_Stream& stream, std::span<WT_Logical_Point> points) {
    for (WT_Logical_Point& point : points) WT_CHECK(stream.read_ascii(point));
    return WT_Result::Success;
}

WT_Result::Enum wt_write_points(WT_Stream& stream, std::span<const WT_Logical_Point> points) {
    for (size_t index = 0; index < points.size(); ++index) {
        if (index > 0) WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(stream.write_ascii(points[index]));
    }
    return WT_Result::Success;
}

WT_Result::Enum wt_write_record_start(WT_Stream& stream, std::string_view token, std::string_view after) {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(stream.write_tab_level());
    return wt_write_token(stream, token, after);
}
