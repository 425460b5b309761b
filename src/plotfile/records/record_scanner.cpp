#include "plotfile/records/record_scanner.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

namespace DWFPlotRecords {

RecordScanner::RecordScanner(std::string_view payload)
    : text_(payload.substr(0, payload.find('\0'))) {}

std::string RecordScanner::numberText() const {
    // The conversions would skip leading whitespace; a field never has any.
    if (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
        return {};
    }
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != ' ' && text_[end] != '"') {
        ++end;
    }
    return std::string(text_.substr(pos_, end - pos_));
}

std::optional<double> RecordScanner::real() {
    const std::string field = numberText();
    if (field.empty()) {
        return std::nullopt;
    }
    // from_chars reads the C locale's decimal point whatever the host's locale;
    // it knows no leading plus, which strtod took.
    const char* first = field.data();
    const char* const last = first + field.size();
    if (*first == '+' && field.size() > 1 && field[1] != '-') {
        ++first;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    pos_ += field.size();
    return value;
}

std::optional<int32_t> RecordScanner::integer() {
    const auto value = real();
    if (!value) {
        return std::nullopt;
    }
    // Checked before the conversion: a double outside the range has no
    // 32-bit value, and converting it anyway is undefined.
    const double truncated = std::trunc(*value);
    if (!(truncated >= std::numeric_limits<int32_t>::min() && truncated <= std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(truncated);
}

std::optional<bool> RecordScanner::flag() {
    const auto value = integer();
    if (!value) {
        return std::nullopt;
    }
    return *value == 1;
}

std::string RecordScanner::word() {
    std::size_t end = text_.find(' ', pos_);
    if (end == std::string_view::npos) {
        end = text_.size();
    }
    std::string result(text_.substr(pos_, end - pos_));
    pos_ = end;
    return result;
}

std::optional<std::string> RecordScanner::quoted() {
    if (atEnd() || text_[pos_] != '"') {
        return std::nullopt;
    }
    const std::size_t close = text_.find('"', pos_ + 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    std::string result(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
    return result;
}

std::string RecordScanner::rest() {
    std::string result(text_.substr(pos_));
    pos_ = text_.size();
    return result;
}

bool RecordScanner::space() {
    if (atEnd() || text_[pos_] != ' ') {
        return false;
    }
    ++pos_;
    return true;
}

}  // namespace DWFPlotRecords
