// `dwfplot svg`, `pdf` and `png`: every page of a plot file, or a bare W2D
// stream, drawn by the page renderer onto the backend's canvas.
#ifndef DWFPLOT_TOOL_RENDER_COMMAND_H
#define DWFPLOT_TOOL_RENDER_COMMAND_H

#include <functional>
#include <string>
#include <vector>

#include "dwfplot/progress_bar.h"
#include "dwfplot/render/canvas.h"

namespace dwfplot_tool {

// Called after page `page` (from 1) is drawn, to write what it made.
using PageDone = std::function<bool(size_t page, std::string& error)>;

// Draws every page of `fileName` onto `canvas`, in manifest order. False
// with `error` set ("page 2: ...") when the file or a page cannot be read
// or drawn; the pages before it are done.
bool renderPages(const std::string& fileName, Canvas& canvas, const PageDone& pageDone, ProgressBar& progress,
                 std::string& error);

// Every page of `fileName` to PREFIX-page-N.svg; the names written go to
// `written`.
bool renderSvgFiles(const std::string& fileName, const std::string& prefix, std::vector<std::string>& written,
                    ProgressBar& progress, std::string& error);

// Every page of `fileName` into one PDF at `target`, each page the size of
// its paper. A PDF that fails half-way is removed rather than left truncated.
bool renderPdfFile(const std::string& fileName, const std::string& target, ProgressBar& progress,
                   std::string& error);

// Every page of `fileName` to PREFIX-page-N.png at `dpi` pixels per inch.
bool renderPngFiles(const std::string& fileName, const std::string& prefix, double dpi,
                    std::vector<std::string>& written, ProgressBar& progress, std::string& error);

// Resolution of PNG pages: 96 dpi unless asked, at most 2400.
constexpr int kDefaultDpi = 96;
constexpr int kMostDpi = 2400;

// FILE without its extension.
std::string defaultPrefix(const std::string& fileName);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_COMMAND_H
