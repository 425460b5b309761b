// A text of several lines handed to a plot writer as a host without font
// metrics lays it out: lines stacked down from the first one's baseline, each
// line's box measured with an average glyph width.
#ifndef DWFPLOT_TOOL_TEXT_LINES_H
#define DWFPLOT_TOOL_TEXT_LINES_H

#include <string>
#include <vector>

#include "dwfplot/PlotFile.h"

namespace dwfplot_tool {

struct TextLayout {
    double lineSpacing = 1.5;  // baseline to baseline, in font heights
    double glyphWidth = 0.55;  // average advance, in font heights
    double descent = 0.2;      // below the baseline, in font heights
};

// One addText call per line, the first line's baseline starting at (x, y)
// and the others below it, across the baseline turned by `angle` degrees.
void addTextLines(PlotFileWriter& writer, double x, double y, const PlotFont& font, double angle,
                  const std::vector<std::wstring>& lines, const std::string& group, const TextLayout& layout = {});

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_TEXT_LINES_H
