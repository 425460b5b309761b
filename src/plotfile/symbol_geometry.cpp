#include "plotfile/symbol_geometry.h"

#include <cmath>
#include <cstddef>

namespace DWFPlotWriter {
namespace {

constexpr std::size_t kFewestCirclePoints = 21;
constexpr double kRadiusTolerance = 0.01;
constexpr double kCollinear = 1e-6;

double squared(const PlottingPoint& p) { return p.x * p.x + p.y * p.y; }

// The centre of the circle through three points; collinear points have
// none, and the origin stands in, which the radius test then refuses for
// anything that is not a circle about the origin.
PagePoint centreThrough(const PlottingPoint& p0, const PlottingPoint& p1, const PlottingPoint& p2) {
    const double a = (squared(p0) - squared(p1)) / 2;
    const double b = (squared(p1) - squared(p2)) / 2;
    const double det = (p0.x - p1.x) * (p1.y - p2.y) - (p0.y - p1.y) * (p1.x - p2.x);
    if (std::fabs(det) < kCollinear) {
        return {0, 0};
    }
    return {((p1.y - p2.y) * a - (p0.y - p1.y) * b) / det, ((p0.x - p1.x) * b - (p1.x - p2.x) * a) / det};
}

double distance(const PagePoint& c, const PlottingPoint& p) { return std::hypot(p.x - c.x, p.y - c.y); }

}  // namespace

SymbolPlacement::SymbolPlacement(double x, double y, double scale, double angle)
    : x_(x), y_(y), scale_(scale) {
    const double theta = angle * kPlotPi / 180;
    cos_ = std::cos(theta);
    sin_ = std::sin(theta);
}

PagePoint SymbolPlacement::map(double px, double py) const {
    return {cos_ * scale_ * px - sin_ * scale_ * py + x_, cos_ * scale_ * py + sin_ * scale_ * px + y_};
}

std::optional<Circle> sampledCircle(const std::vector<PlottingPoint>& contour) {
    const std::size_t n = contour.size();
    if (n < kFewestCirclePoints) {
        return std::nullopt;
    }
    const PagePoint centre = centreThrough(contour[0], contour[n / 3], contour[2 * n / 3]);
    const double radius = distance(centre, contour[0]);
    for (const PlottingPoint& p : contour) {
        // Written so that NaN coordinates fail the test too.
        if (!(std::fabs(distance(centre, p) - radius) <= kRadiusTolerance)) {
            return std::nullopt;
        }
    }
    return Circle{centre, radius};
}

}  // namespace DWFPlotWriter
