// The texts with which the plot reader tells the host why a file cannot be
// read, for the result codes of the package and model layers.
#ifndef DWFPLOT_PLOTFILE_READER_HOST_MESSAGES_H
#define DWFPLOT_PLOTFILE_READER_HOST_MESSAGES_H

#include "dwfplot/DwfResult.h"

namespace DWFPlotReader {

// "PLT_..." for `code`; "PLT_GENERAL_ERROR" for a code without a text of its own.
const char* hostMessage(DWF::DwfResult::Enum code);

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_HOST_MESSAGES_H
