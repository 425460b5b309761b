// One page drawn from its W2D stream: the stream is walked once, object by
// object, and every drawable goes to the canvas with the rendition
// attributes in force when it comes. The page's frame is its paper when the
// package tells it, else the viewport in force at the first drawable; a
// stream without either is measured first, in a pass of its own, and shows
// the bounds of what it draws.
#ifndef DWFPLOT_TOOL_RENDER_PAGE_RENDERER_H
#define DWFPLOT_TOOL_RENDER_PAGE_RENDERER_H

#include <cstdint>
#include <optional>
#include <string>

#include "dwfplot/progress_bar.h"
#include "dwfplot/render/bounds_canvas.h"
#include "dwfplot/render/canvas.h"
#include "dwfplot/w2d_file.h"
#include "platform/failure.h"
#include "w2d/attribute_set.h"
#include "w2d/image.h"
#include "w2d/layer.h"
#include "w2d/object.h"
#include "w2d/result.h"
#include "w2d/url.h"

namespace dwfplot_tool {

// Logical units per millimetre of paper, as the plot writer lays pages
// out: a plot unit is ten millimetres and holds 1000 logical units.
constexpr double kUnitsPerMillimetre = 100.0;

// Where a page's bytes fall in a longer job, for the progress bar.
struct RenderProgress {
    ProgressBar* bar = nullptr;
    uint64_t before = 0;
    uint64_t total = 0;
};

class PageRenderer {
public:
    explicit PageRenderer(Canvas& canvas) : canvas_(canvas) {}
    // A page whose frame is known: its paper.
    PageRenderer(Canvas& canvas, const PageFrame& frame) : canvas_(canvas), frame_(frame), fixedFrame_(true) {}

    // Draws the stream in `path` as one page, beginPage to endPage.
    // Throws what the stream throws (a result code, std::bad_alloc).
    WT_Result::Enum render(const std::string& path, const RenderProgress& progress = {});
    // Where and why the stream failed to read, after render failed.
    const platform::Failure& failure() const { return failure_; }

private:
    void draw(const WT_Object& object, WT_Attribute_Set& attributes);
    void beginPage(WT_Attribute_Set& attributes);
    PageFrame measure();
    WT_Result::Enum drawAll(W2dFile& input, const RenderProgress& progress);
    void follow(WT_Attribute_Set& attributes);

    void polymarker(const std::vector<WT_Logical_Point>& points, WT_Attribute_Set& attributes);
    void image(const WT_Image& image, WT_Attribute_Set& attributes);
    void placeholder(const CanvasPoint& low, const CanvasPoint& high, const std::string& label);

    double unitsPerMillimetre() const { return frame_.unitsPerMillimetre(); }
    double tolerance() const;
    double patternUnit() const;

    Canvas& canvas_;
    std::string path_;
    PageFrame frame_;
    bool fixedFrame_ = false;
    bool begun_ = false;
    std::optional<WT_Viewport> viewport_;
    // The layer and URL last seen, and what the canvas was given for them.
    WT_Layer layer_;
    WT_URL url_;
    std::string layerName_;
    std::string link_;
    platform::Failure failure_;
};

// The frame of a page whose logical extent is known: the paper is the
// extent at the plot writer's scale. Empty bounds give a frame of one unit.
PageFrame frameOf(const Bounds& bounds);
// The frame of a paper of the given size with its origin at logical 0, 0.
PageFrame paperFrame(double widthMm, double heightMm, double unitsPerMillimetre);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_PAGE_RENDERER_H
