// `dwfplot svg`: every page of a plot file rendered to an SVG file.
#ifndef DWFPLOT_TOOL_SVG_COMMAND_H
#define DWFPLOT_TOOL_SVG_COMMAND_H

#include <string>
#include <vector>

#include "dwfplot/progress_bar.h"

namespace dwfplot_tool {

// Renders the page stream in `path` into an SVG document.
bool renderPageStream(const std::string& path, std::string& svg, ProgressBar& progress, std::string& error);

// Renders every page of `fileName` to PREFIX-page-N.svg; the names written
// go to `written`. False with `error` set when the file or a page cannot be
// read (pages before it are written).
bool renderPlotFile(const std::string& fileName, const std::string& prefix, std::vector<std::string>& written,
                    ProgressBar& progress, std::string& error);

// FILE without its extension.
std::string defaultPrefix(const std::string& fileName);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_SVG_COMMAND_H
