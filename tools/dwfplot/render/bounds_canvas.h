// A canvas that draws nothing and keeps the bounds of everything drawn on
// it: the measuring pass over a page stream that has no viewport.
#ifndef DWFPLOT_TOOL_RENDER_BOUNDS_CANVAS_H
#define DWFPLOT_TOOL_RENDER_BOUNDS_CANVAS_H

#include "dwfplot/render/canvas.h"

namespace dwfplot_tool {

// The box around the finite points included; empty (and all zero) until
// the first.
struct Bounds {
    bool empty = true;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;

    void include(const CanvasPoint& point);
    void include(const std::vector<Contour>& contours);
};

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

    const Bounds& bounds() const { return bounds_; }

private:
    Bounds bounds_;
};

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_BOUNDS_CANVAS_H
