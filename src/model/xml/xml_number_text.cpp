#include "model/xml/xml_number_text.h"

#include <charconv>
#include <string_view>
#include <system_error>

namespace DWFXmlObjects {
namespace {

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The text from its first character that is not white space.
std::string_view trimmedStart(const DWFUtil::String& text) {
    std::string_view view(text.chars(), text.narrowLength());
    while (!view.empty() && isSpace(view.front())) view.remove_prefix(1);
    return view;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isHexDigit(char c) { return isDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

// The leading number as the standard conversion reads it, in any locale: a
// "0x" prefix (after the sign) starts a hexadecimal one, "0x10" being 16.
std::from_chars_result leadingNumber(std::string_view view, double& parsed) {
    const bool negative = !view.empty() && view.front() == '-';
    const std::string_view body = view.substr(negative ? 1 : 0);
    if (body.size() > 2 && body[0] == '0' && (body[1] | 0x20) == 'x' && (isHexDigit(body[2]) || body[2] == '.')) {
        const auto result = std::from_chars(body.data() + 2, body.data() + body.size(), parsed, std::chars_format::hex);
        if (result.ec != std::errc::invalid_argument) {
            if (negative) parsed = -parsed;
            return result;
        }
    }
    return std::from_chars(view.data(), view.data() + view.size(), parsed);
}

}  // namespace

bool parseLongText(const DWFUtil::String& text, int32_t& value) {
    if (text.empty()) return false;
    std::string_view view = trimmedStart(text);
    bool negative = false;
    if (!view.empty() && (view.front() == '+' || view.front() == '-')) {
        negative = view.front() == '-';
        view.remove_prefix(1);
    }
    int64_t magnitude = 0;
    for (const char c : view) {
        if (!isDigit(c)) break;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > int64_t{INT32_MAX} + 1) return false;
    }
    const int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return false;
    value = static_cast<int32_t>(result);
    return true;
}

bool parseDoubleText(const DWFUtil::String& text, double& value) {
    if (text.empty()) return false;
    std::string_view view = trimmedStart(text);
    if (view.size() > 1 && view.front() == '+' && view[1] != '+' && view[1] != '-') view.remove_prefix(1);
    double parsed = 0;
    const auto [end, error] = leadingNumber(view, parsed);
    (void)end;
    if (error == std::errc::result_out_of_range) return false;
    value = error == std::errc() ? parsed : 0.0;
    return true;
}

DWFUtil::String formatLong(int32_t value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return DWFUtil::String(buffer, 0, static_cast<uint32_t>(result.ptr - buffer));
}

DWFUtil::String formatDouble(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 32);
    return DWFUtil::String(buffer, 0, static_cast<uint32_t>(result.ptr - buffer));
}

}  // namespace DWFXmlObjects
