// The demo plot: three pages that use every drawing call of the writer,
// written through DWFPlotFileWriter with the tool's image callbacks.
#ifndef DWFPLOT_TOOL_DEMO_PLOT_H
#define DWFPLOT_TOOL_DEMO_PLOT_H

#include <string>

#include "dwfplot/PlotFile.h"

namespace dwfplot_tool {

// Draws the demo onto an open-able writer; false when openPlot fails.
bool writeDemoPlot(PlotFileWriter& writer, const std::string& fileName);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_DEMO_PLOT_H
