// Small reading and writing steps shared by the structural and metadata
// records. Included by their sources only.
#ifndef DWFPLOT_W2D_RECORD_READING_H
#define DWFPLOT_W2D_RECORD_READING_H

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>

#include "w2d/stream.h"

// Longest name token any record's table holds, with room for padding.
inline constexpr size_t Maximum_Record_Name = 64;

// Whitespace, then exactly `wanted`.
WT_Result::Enum wt_expect_byte(WT_Stream& stream, uint8_t wanted);
// A name token with the padding of its written form trimmed.
WT_Result::Enum wt_read_name(WT_Stream& stream, std::string& name);
// The position of `name` in `table`; -1 when it is not there.
int wt_find_name(std::span<const std::string_view> table, std::string_view name);
// The name followed by spaces up to the longest name of its table.
WT_Result::Enum wt_write_padded_name(WT_Stream& stream, std::span<const std::string_view> table, size_t index);
// "true"/"TRUE"/"1" or "false"/"FALSE"/"0".
WT_Result::Enum wt_read_flag(WT_Stream& stream, bool& flag);
// A binary record's "{", size, value; the caller writes the fields and "}".
WT_Result::Enum wt_write_binary_start(WT_Stream& stream, uint32_t fieldsSize, uint16_t value);
// An ASCII number from 0 to the largest value of the unsigned `T`.
template <class T>
WT_Result::Enum wt_read_unsigned(WT_Stream& stream, T& value) {
    constexpr int32_t largest = std::numeric_limits<T>::max();
    int32_t number = 0;
    WT_CHECK(stream.read_ascii(number));
    if (number < 0 || number > largest) {
        return stream.refuse(WT_Result::Corrupt_Data, "%d is not 0 to %d", number, largest);
    }
    value = static_cast<T>(number);
    return WT_Result::Success;
}
// Records with only an ASCII form start on a new line, after the drawable
// held back: the token and what follows it.
WT_Result::Enum wt_write_record_start(WT_Stream& stream, std::string_view token, std::string_view after);
// Points "x,y" separated by spaces, as many as the span holds.
WT_Result::Enum wt_read_points(WT_Stream& stream, std::span<WT_Logical_Point> points);
WT_Result::Enum wt_write_points(WT_Stream& stream, std::span<const WT_Logical_Point> points);

#endif  // DWFPLOT_W2D_RECORD_READING_H
