#include "plotfile/records/record_scanner.h"

#include <cctype>
#include <charconv>
#include <cerrno>
#include <cstdlib>
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
    const std::string field = numberText();
    if (field.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(field.c_str(), &end, 10);
    if (end != field.c_str() + field.size() || errno == ERANGE ||
        value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    pos_ += field.size();
    return static_cast<int32_t>(value);
}

std::optional<std::size_t> RecordScanner::count() {
    const std::string field = numberText();
    if (field.empty() || field[0] < '0' || field[0] > '9') {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(field.c_str(), &end, 10);
    if (end != field.c_str() + field.size() || errno == ERANGE ||
        value > std::numeric_limits<std::size_t>::max()) {
        return std::nullopt;
    }
    pos_ += field.size();
    return static_cast<std::size_t>(value);
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
