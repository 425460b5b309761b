#include "dwfplot/render/shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dwfplot_tool {
namespace {

constexpr double kTurn = WT_Ellipse::Full_Turn;
constexpr int kFewestSegments = 16;
constexpr int kMostSegments = 2048;

// Segments for a full turn of radius `radius` whose chords stay within
// `tolerance` of the curve.
int segmentsFor(double radius, double tolerance) {
    if (radius <= tolerance || tolerance <= 0) return kFewestSegments;
    const double step = 2 * std::acos(1 - tolerance / radius);
    const double segments = std::ceil(2 * std::numbers::pi / step);
    return static_cast<int>(std::clamp(segments, double{kFewestSegments}, double{kMostSegments}));
}

Contour circle(const CanvasPoint& at, double radius, double tolerance) {
    const int segments = segmentsFor(radius, tolerance);
    Contour points;
    points.reserve(static_cast<size_t>(segments));
    for (int i = 0; i < segments; ++i) {
        const double t = 2 * std::numbers::pi * i / segments;
        points.push_back({at.x + radius * std::cos(t), at.y + radius * std::sin(t)});
    }
    return points;
}

Contour offsets(const CanvasPoint& at, double half, std::initializer_list<CanvasPoint> unit) {
    Contour points;
    for (const CanvasPoint& u : unit) points.push_back({at.x + half * u.x, at.y + half * u.y});
    return points;
}

}  // namespace

CanvasPoint pointOf(const WT_Logical_Point& point) { return {double(point.m_x), double(point.m_y)}; }

Contour contourOf(std::span<const WT_Logical_Point> points) {
    Contour contour;
    contour.reserve(points.size());
    for (const WT_Logical_Point& p : points) contour.push_back(pointOf(p));
    return contour;
}

std::vector<Contour> contoursOf(const WT_Contour_Set& set) {
    const std::span<const WT_Logical_Point> points(set.points());
    std::vector<Contour> contours;
    size_t next = 0;
    for (const int32_t count : set.counts()) {
        const size_t take = std::min(size_t(std::max(count, 0)), points.size() - next);
        contours.push_back(contourOf(points.subspan(next, take)));
        next += take;
    }
    return contours;
}

Contour ellipseOutline(const WT_Ellipse& ellipse, bool filled, double tolerance) {
    const double cx = ellipse.centre().m_x;
    const double cy = ellipse.centre().m_y;
    const double major = ellipse.major();
    const double minor = ellipse.minor();
    const double tilt = ellipse.tilt() * 2 * std::numbers::pi / kTurn;
    const double cosTilt = std::cos(tilt);
    const double sinTilt = std::sin(tilt);
    const bool full = ellipse.is_full();
    double start = full ? 0 : ellipse.start();
    double end = full ? kTurn : ellipse.end() % WT_Ellipse::Full_Turn;
    if (end <= start) end += kTurn;
    const double share = (end - start) / kTurn;
    const int segments = std::max(2, static_cast<int>(std::ceil(segmentsFor(std::max(major, minor), tolerance) * share)));
    Contour points;
    points.reserve(static_cast<size_t>(segments) + 2);
    if (filled && !full) points.push_back({cx, cy});
    // A full outline is closed by the canvas, so its last point is not the first again.
    const int last = full ? segments - 1 : segments;
    for (int i = 0; i <= last; ++i) {
        const double t = (start + (end - start) * i / segments) * 2 * std::numbers::pi / kTurn;
        const double ex = major * std::cos(t);
        const double ey = minor * std::sin(t);
        points.push_back({cx + ex * cosTilt - ey * sinTilt, cy + ex * sinTilt + ey * cosTilt});
    }
    return points;
}

MarkerShape markerShape(int32_t symbol, double size, const CanvasPoint& at, double tolerance) {
    const double half = size / 2;
    MarkerShape shape;
    switch (static_cast<MarkerSymbol>(symbol)) {
        case MarkerSymbol::Plus:
        case MarkerSymbol::Asterisk:
            shape.strokes.push_back(offsets(at, half, {{-1, 0}, {1, 0}}));
            shape.strokes.push_back(offsets(at, half, {{0, -1}, {0, 1}}));
            if (symbol == int32_t(MarkerSymbol::Plus)) break;
            [[fallthrough]];
        case MarkerSymbol::Cross: {
            const double d = std::numbers::sqrt2 / 2;
            shape.strokes.push_back(offsets(at, half, {{-d, -d}, {d, d}}));
            shape.strokes.push_back(offsets(at, half, {{-d, d}, {d, -d}}));
            break;
        }
        case MarkerSymbol::Circle: shape.outlines.push_back(circle(at, half, tolerance)); break;
        case MarkerSymbol::Square: shape.outlines.push_back(offsets(at, half, {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}})); break;
        case MarkerSymbol::Triangle:
            shape.outlines.push_back(offsets(at, half, {{-std::numbers::sqrt3 / 2, -0.5}, {std::numbers::sqrt3 / 2, -0.5}, {0, 1}}));
            break;
        case MarkerSymbol::Diamond: shape.outlines.push_back(offsets(at, half, {{0, -1}, {1, 0}, {0, 1}, {-1, 0}})); break;
        default: shape.discs.push_back(circle(at, half / 4, tolerance)); break;
    }
    return shape;
}

std::vector<Contour> stripTriangles(const std::vector<WT_Logical_Point>& points) {
    std::vector<Contour> triangles;
    for (size_t i = 2; i < points.size(); ++i) {
        Contour t = contourOf(std::span(points).subspan(i - 2, 3));
        const double area = (t[1].x - t[0].x) * (t[2].y - t[0].y) - (t[2].x - t[0].x) * (t[1].y - t[0].y);
        if (area < 0) std::swap(t[1], t[2]);
        triangles.push_back(std::move(t));
    }
    return triangles;
}

}  // namespace dwfplot_tool
