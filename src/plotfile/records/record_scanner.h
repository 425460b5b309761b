// Reads the fields of a textual user-data record one after the other. The
// record ends at its first zero byte or at the end of the payload; fields are
// separated by exactly one space, so that an empty field (an empty symbol
// name, an empty group) keeps its place.
#ifndef DWFPLOT_PLOTFILE_RECORDS_RECORD_SCANNER_H
#define DWFPLOT_PLOTFILE_RECORDS_RECORD_SCANNER_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace DWFPlotRecords {

class RecordScanner {
public:
    explicit RecordScanner(std::string_view payload);

    // A decimal number as the current locale writes it ("%.3f", "%.2f").
    std::optional<double> real();
    // A number truncated toward zero to 32 bits, so "1.0" and "3.5" are
    // integers too; out of range (or not a number) gives INT32_MIN.
    std::optional<int32_t> integer();
    // An integer that is true only when it is 1.
    std::optional<bool> flag();
    // Characters up to the next space (or the end), not consuming the space.
    std::string word();
    // '"', characters up to the next '"', '"'.
    std::optional<std::string> quoted();
    // Everything left.
    std::string rest();
    // One separating space.
    bool space();
    bool atEnd() const { return pos_ >= text_.size(); }

private:
    // The longest prefix that could belong to a number, as a terminated copy:
    // strtod and strtol need one, and the payload has none of its own.
    std::string numberText() const;

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace DWFPlotRecords

#endif  // DWFPLOT_PLOTFILE_RECORDS_RECORD_SCANNER_H
