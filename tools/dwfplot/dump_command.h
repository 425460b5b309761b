// `dwfplot dump`: a plot replayed through DWFPlotFileReader as a host
// replays it, one line (or one JSON object) per operation with all its data.
#ifndef DWFPLOT_TOOL_DUMP_COMMAND_H
#define DWFPLOT_TOOL_DUMP_COMMAND_H

#include <ostream>
#include <string>

#include "dwfplot/progress_bar.h"

namespace dwfplot_tool {

enum class DumpFormat { Text, Json };

// False with `error` set when the reader refuses the file or cannot open it.
bool dumpPlot(const std::string& fileName, DumpFormat format, std::ostream& out, ProgressBar& progress,
              std::string& error);

// A number in its shortest form that reads back exactly.
std::string exactNumber(double value);
// Text between double quotes, with the escapes of JSON (which a C reader
// also understands).
std::string quoted(const std::string& text);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_DUMP_COMMAND_H
