#include "dwfplot/text_lines.h"

#include <cmath>
#include <numbers>

namespace dwfplot_tool {

void addTextLines(PlotFileWriter& writer, double x, double y, const PlotFont& font, double angle,
                  const std::vector<std::wstring>& lines, const std::string& group, const TextLayout& layout) {
    const double across = (angle - 90) * std::numbers::pi / 180;
    const double spacing = font.height * layout.lineSpacing;
    for (size_t i = 0; i < lines.size(); ++i) {
        const double lineX = x + std::cos(across) * spacing * static_cast<double>(i);
        const double lineY = y + std::sin(across) * spacing * static_cast<double>(i);
        const double width = layout.glyphWidth * font.height * static_cast<double>(lines[i].size());
        writer.addText(lineX, lineY, font, angle, lines[i].c_str(), static_cast<int>(i + 1),
                       static_cast<int>(lines.size()), width, font.height, layout.descent, group);
    }
}

}  // namespace dwfplot_tool
