#include "plotfile/logical_units.h"

#include <cmath>

namespace DWFPlotUnits {
namespace {

// Beyond this magnitude every value is OutOfRange: three million plot units
// are three thousand million logical ones.
constexpr double kLargestConvertible = 3.0e6;

struct ExactProduct {
    double high;  // value * 1000 rounded to a double
    double low;   // the rounding error: high + low is the product exactly
};

// value * 1000 without a rounding error (Dekker's product; 1000 = 8 * 125,
// and a 26-bit half of the value times 125 fits a double exactly).
ExactProduct timesThousand(double value) {
    const double eight = value * 8.0;
    const double split = 134217729.0 * eight;  // 2^27 + 1: Veltkamp's split
    const double upper = split - (split - eight);
    const double lower = eight - upper;
    const double high = eight * 125.0;
    return {high, (upper * 125.0 - high) + lower * 125.0};
}

// The integer nearest to high + low, a tie going to the even one: the
// thousandths "%.3f" prints.
int64_t roundedThousandths(ExactProduct product) {
    const auto truncated = static_cast<int64_t>(product.high);
    const int64_t floor = truncated - (product.high < static_cast<double>(truncated) ? 1 : 0);
    // Both differences are exact, and a non-zero `beyondHalf` outweighs `low`.
    const double beyondHalf = (product.high - static_cast<double>(floor)) - 0.5;
    // Bitwise, not short-circuit: which way a coordinate rounds is as good as
    // random, and a mispredicted branch per coordinate costs more than the rest.
    const bool odd = (floor & 1) != 0;
    const bool up = (beyondHalf > 0) | ((beyondHalf == 0) & ((product.low > 0) | ((product.low == 0) & odd)));
    return floor + static_cast<int64_t>(up);
}

}  // namespace

int32_t truncateToInt32(double value) {
    // Every double strictly between these bounds truncates into the range;
    // NaN fails both comparisons.
    if (!(value > -2147483649.0 && value < 2147483648.0)) {
        return OutOfRange;
    }
    return static_cast<int32_t>(value);
}

// Plot files have always been written through "%.3f" and strtod. The text is
// never made: the printed thousandths are rounded exactly from the product,
// and strtod of "k/1000" is the correctly rounded quotient k / 1000.0, which
// is what IEEE division gives. Formatting and parsing a text per coordinate
// cost as much as compressing the page.
int32_t toLogicalUnits(double plotUnits) {
    if (!(std::fabs(plotUnits) < kLargestConvertible)) {
        return OutOfRange;
    }
    const double thousandths = static_cast<double>(roundedThousandths(timesThousand(plotUnits)));
    return truncateToInt32(thousandths / 1000.0 * 1000.0);
}

}  // namespace DWFPlotUnits
