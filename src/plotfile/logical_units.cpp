#include "plotfile/logical_units.h"

#include <charconv>

namespace DWFPlotUnits {
namespace {

// "%.3f" of the largest double has 309 integer digits, a sign, the point and
// three decimals.
constexpr int kFormattedCapacity = 320;

}  // namespace

int32_t truncateToInt32(double value) {
    // Every double strictly between these bounds truncates into the range;
    // NaN fails both comparisons.
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        return OutOfRange;
    }
    return static_cast<int32_t>(value);
}

// <charconv> gives the text "%.3f" gives in the C locale and parses it back as
// strtod does, without the locale lookups and varargs of printf that would
// otherwise dominate writing a page of coordinates.
int32_t toLogicalUnits(double plotUnits) {
    char text[kFormattedCapacity];
    const auto written = std::to_chars(text, text + sizeof text, plotUnits, std::chars_format::fixed, 3);
    double rounded = 0;
    if (written.ec != std::errc() || std::from_chars(text, written.ptr, rounded).ec != std::errc()) {
        return OutOfRange;
    }
    return truncateToInt32(rounded * 1000.0);
}

}  // namespace DWFPlotUnits
