// A canvas that draws nothing and keeps the bounds of everything drawn on
// it: the measuring pass over a page stream that has no viewport.
#ifndef DWFPLOT_TOOL_RENDER_BOUNDS_CANVAS_H
#define DWFPLOT_TOOL_RENDER_BOUNDS_CANVAS_H

#include "dwfplot/render/canvas.h"

namespace dwfplot_tool {

class BoundsCanvas : public Canvas {
public:
    void beginPage(const PageFrame&) override {}
    void endPage() override {}
    void setClip(const std::vector<Contour>&) override {}
    void setLayer(const std::string&) override {}
    void setLink(const std::string&) override {}
    void stroke(const std::vector<Contour>& paths, bool closed, const Stroke& stroke) override;
    void fill(const std::vector<Contour>& contours, const Fill& fill) override;
    void text(const TextRun& run) override;
    void image(const PageImage& image) override;

    bool empty() const { return empty_; }
    double minX() const { return minX_; }
    double minY() const { return minY_; }
    double maxX() const { return maxX_; }
    double maxY() const { return maxY_; }

private:
    void include(const CanvasPoint& point);
    void include(const std::vector<Contour>& contours);

    bool empty_ = true;
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_BOUNDS_CANVAS_H
