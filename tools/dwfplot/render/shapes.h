// The outlines of the drawables that a canvas has no primitive for: ellipses
// and arcs as polygons fine enough for the paper, markers, triangle strips.
#ifndef DWFPLOT_TOOL_RENDER_SHAPES_H
#define DWFPLOT_TOOL_RENDER_SHAPES_H

#include <cstdint>
#include <span>
#include <vector>

#include "dwfplot/render/canvas.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/logical_point.h"

namespace dwfplot_tool {

// The ellipse's outline, no point further than `tolerance` from the curve.
// A full ellipse is closed; an arc runs from its start to its end angle,
// and a filled arc starts and ends at the centre (a pie slice).
Contour ellipseOutline(const WT_Ellipse& ellipse, bool filled, double tolerance);

// The marker symbols a polymarker draws: what a symbol number means is ours
// to choose, and numbers beyond the table draw a dot.
enum class MarkerSymbol : int32_t { Dot, Plus, Cross, Circle, Square, Triangle, Diamond, Asterisk };

struct MarkerShape {
    std::vector<Contour> strokes;  // open paths
    std::vector<Contour> outlines;  // closed paths
    std::vector<Contour> discs;     // filled
};

// Symbol `symbol` of overall size `size` centred on `at`.
MarkerShape markerShape(int32_t symbol, double size, const CanvasPoint& at, double tolerance);

// The triangles of a strip, each counter-clockwise so that the non-zero rule
// fills their union.
std::vector<Contour> stripTriangles(const std::vector<WT_Logical_Point>& points);

CanvasPoint pointOf(const WT_Logical_Point& point);
Contour contourOf(std::span<const WT_Logical_Point> points);
// Each contour of the set; a count beyond the points cuts its contour short.
std::vector<Contour> contoursOf(const WT_Contour_Set& set);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_SHAPES_H
