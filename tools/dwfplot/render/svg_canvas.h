// The SVG backend: a page as one SVG document, text kept as text. Geometry
// stays in logical units inside a group that turns the y axis up; clips,
// layers and links are nested groups, opened and closed as they change.
#ifndef DWFPLOT_TOOL_RENDER_SVG_CANVAS_H
#define DWFPLOT_TOOL_RENDER_SVG_CANVAS_H

#include <map>
#include <string>
#include <vector>

#include "dwfplot/render/canvas.h"

namespace dwfplot_tool {

class SvgCanvas : public Canvas {
public:
    void beginPage(const PageFrame& frame) override;
    void endPage() override;
    void setClip(const std::vector<Contour>& contours) override;
    void setLayer(const std::string& name) override;
    void setLink(const std::string& url) override;
    void stroke(const std::vector<Contour>& paths, bool closed, const Stroke& stroke) override;
    void fill(const std::vector<Contour>& contours, const Fill& fill) override;
    void text(const TextRun& run) override;
    void image(const PageImage& image) override;

    // The whole document of the last page.
    std::string document() const;

private:
    // Groups nest clip, then layer, then link: changing one closes it and
    // the groups inside it; the next element opens again what is in force.
    enum Level { ClipLevel, LayerLevel, LinkLevel, Levels };
    void closeFrom(Level level);
    void openGroups();
    std::string patternFor(const Fill& fill);

    PageFrame frame_;
    std::string body_;
    std::string definitions_;
    bool opened_[Levels] = {};
    std::string clipId_;
    std::string layer_;
    std::string link_;
    int clips_ = 0;
    std::map<std::string, std::string> patterns_;
};

// Text as XML character data or attribute value: markup characters
// escaped, characters XML cannot hold replaced by U+FFFD.
std::string xmlText(const std::string& utf8);
// A coordinate or length: at most three decimals, no trailing zeros.
std::string svgNumber(double value);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_SVG_CANVAS_H
