#include "plotfile/logical_units.h"

#include <cstdio>
#include <cstdlib>

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

int32_t toLogicalUnits(double plotUnits) {
    char text[kFormattedCapacity];
    std::snprintf(text, sizeof text, "%.3f", plotUnits);
    return truncateToInt32(std::strtod(text, nullptr) * 1000.0);
}

}  // namespace DWFPlotUnits
