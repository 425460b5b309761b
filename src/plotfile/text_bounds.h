// The box around one line of a text, from its baseline start (x, y), its
// extent along (width) and across (height) the baseline, and how far the box
// reaches below the baseline (descent). Plot units, counter-clockwise from
// the lower left corner.
#ifndef DWFPLOT_PLOTFILE_TEXT_BOUNDS_H
#define DWFPLOT_PLOTFILE_TEXT_BOUNDS_H

#include <array>

#include "plotfile/symbol_geometry.h"

namespace DWFPlotWriter {

std::array<PagePoint, 4> textBounds(double x, double y, double width, double height, double descent,
                                    double angle);

}  // namespace DWFPlotWriter

#endif  // DWFPLOT_PLOTFILE_TEXT_BOUNDS_H
