#include "dwfplot/render/bounds_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dwfplot_tool {

void BoundsCanvas::include(const CanvasPoint& point) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return;
    if (empty_) {
        minX_ = maxX_ = point.x;
        minY_ = maxY_ = point.y;
        empty_ = false;
    }
    minX_ = std::min(minX_, point.x);
    maxX_ = std::max(maxX_, point.x);
    minY_ = std::min(minY_, point.y);
    maxY_ = std::max(maxY_, point.y);
}

void BoundsCanvas::include(const std::vector<Contour>& contours) {
    for (const Contour& contour : contours) {
        for (const CanvasPoint& point : contour) include(point);
    }
}

void BoundsCanvas::stroke(const std::vector<Contour>& paths, bool, const Stroke&) { include(paths); }

void BoundsCanvas::fill(const std::vector<Contour>& contours, const Fill&) { include(contours); }

// The run's box: along the baseline by its length, up by its height.
void BoundsCanvas::text(const TextRun& run) {
    const double length = run.length > 0 ? run.length : kCharacterWidth * run.height * double(run.text.size());
    const double radians = run.angle * std::numbers::pi / 180;
    const CanvasPoint along{length * std::cos(radians), length * std::sin(radians)};
    const CanvasPoint up{-run.height * std::sin(radians), run.height * std::cos(radians)};
    const CanvasPoint& o = run.origin;
    include(o);
    include({o.x + along.x, o.y + along.y});
    include({o.x + up.x, o.y + up.y});
    include({o.x + along.x + up.x, o.y + along.y + up.y});
}

void BoundsCanvas::image(const PageImage& image) {
    include(image.low);
    include(image.high);
}

}  // namespace dwfplot_tool
