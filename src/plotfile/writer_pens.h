// What a pen of the host's pen table draws with: an RGBA colour (alpha 255,
// no colour-map index) and a line weight in logical units.
#ifndef DWFPLOT_PLOTFILE_WRITER_PENS_H
#define DWFPLOT_PLOTFILE_WRITER_PENS_H

#include <vector>

#include "dwfplot/PlotFile.h"
#include "w2d/color.h"
#include "w2d/line_weight.h"

namespace DWFPlotWriter {

struct PenAttributes {
    WT_Color color;
    WT_Line_Weight weight;
};

// Entry `pen` of the table; a number outside the table takes entry 0, and an
// empty table black with weight 0, so that no pen number reads outside it.
PenAttributes penAttributes(const std::vector<PenDetail>& pens, int pen);

}  // namespace DWFPlotWriter

#endif  // DWFPLOT_PLOTFILE_WRITER_PENS_H
