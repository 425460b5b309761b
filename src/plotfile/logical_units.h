// Plot units to W2D logical units (1/1000 plot unit). The value is first
// rounded to three decimals through its "%.3f" text, as plot files have
// always been written, so that 2.0005 becomes 2001 and 1.005 becomes 1004.
#ifndef DWFPLOT_PLOTFILE_LOGICAL_UNITS_H
#define DWFPLOT_PLOTFILE_LOGICAL_UNITS_H

#include <cstdint>

namespace DWFPlotUnits {

// The value stored for a coordinate whose logical value does not fit 32 bits.
inline constexpr int32_t OutOfRange = INT32_MIN;

// The value of "%.3f" in the C locale (whatever locale the host has set),
// parsed back, times 1000.0, truncated toward zero; a product outside the
// 32-bit range (or not a number) gives OutOfRange. Pure arithmetic: writers
// on different threads do not meet here.
int32_t toLogicalUnits(double plotUnits);

// A double truncated toward zero into 32 bits, OutOfRange when it does not fit.
int32_t truncateToInt32(double value);

}  // namespace DWFPlotUnits

#endif  // DWFPLOT_PLOTFILE_LOGICAL_UNITS_H
