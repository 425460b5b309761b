#include "dwfplot/render/bounds_canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dwfplot_tool {

void Bounds::include(const CanvasPoint& point) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) return;
    if (empty) {
        minX = maxX = point.x;
        minY = maxY = point.y;
        empty = false;
    }
    minX = std::min(minX, point.x);
    maxX = std::max(maxX, point.x);
    minY = std::min(minY, point.y);
    maxY = std::max(maxY, point.y);
}

void Bounds::include(const std::vector<Contour>& contours) {
    for (const Contour& contour : contours) {
        for (const CanvasPoint& point : contour) include(point);
    }
}

void BoundsCanvas::stroke(const std::vector<Contour>& paths, bool, const Stroke&) { bounds_.include(paths); }

void BoundsCanvas::fill(const std::vector<Contour>& contours, const Fill&) { bounds_.include(contours); }

// The run's box: along the baseline by its length, up by its height.
void BoundsCanvas::text(const TextRun& run) {
    const double length = run.length > 0 ? run.length : kCharacterWidth * run.height * double(run.text.size());
    const double radians = run.angle * std::numbers::pi / 180;
    const CanvasPoint along{length * std::cos(radians), length * std::sin(radians)};
    const CanvasPoint up{-run.height * std::sin(radians), run.height * std::cos(radians)};
    const CanvasPoint& o = run.origin;
    bounds_.include(o);
    bounds_.include({o.x + along.x, o.y + along.y});
    bounds_.include({o.x + up.x, o.y + up.y});
    bounds_.include({o.x + along.x + up.x, o.y + along.y + up.y});
}

void BoundsCanvas::image(const PageImage& image) {
    bounds_.include(image.low);
    bounds_.include(image.high);
}

}  // namespace dwfplot_tool
