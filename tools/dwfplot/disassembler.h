// `dwfplot w2d`: a page stream printed in the W2D ASCII form, object by
// object, so that the stream reader reads the same objects back.
#ifndef DWFPLOT_TOOL_DISASSEMBLER_H
#define DWFPLOT_TOOL_DISASSEMBLER_H

#include <ostream>
#include <string>

#include "dwfplot/progress_bar.h"

namespace dwfplot_tool {

// Writes the stream in `path` to `out` in the ASCII form; false with `error`
// set when the stream cannot be read to its end.
bool disassembleW2d(const std::string& path, std::ostream& out, ProgressBar& progress, std::string& error);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_DISASSEMBLER_H
