// The geometry of a host symbol: where a shape point lands on the page, and
// whether a contour is a sampled circle that can be drawn as one ellipse.
// Everything here is in plot units; conversion to logical units comes after.
#ifndef DWFPLOT_PLOTFILE_SYMBOL_GEOMETRY_H
#define DWFPLOT_PLOTFILE_SYMBOL_GEOMETRY_H

#include <optional>
#include <vector>

#include "dwfplot/PlotFile.h"

namespace DWFPlotWriter {

// The approximation of pi that plot files have always been drawn with.
inline constexpr double kPlotPi = 3.14159;

struct PagePoint {
    double x = 0;
    double y = 0;
};

// Scale by `scale`, rotate by `angle` degrees about the symbol origin, move
// to (x, y).
class SymbolPlacement {
public:
    SymbolPlacement(double x, double y, double scale, double angle);
    PagePoint map(double px, double py) const;
    double scale() const { return scale_; }

private:
    double x_;
    double y_;
    double scale_;
    double cos_;
    double sin_;
};

struct Circle {
    PagePoint centre;  // symbol coordinates
    double radius = 0;
};

// A contour of at least 21 points all within 0.01 of the circle through its
// points 0, n/3 and 2n/3; fewer points are never taken for a circle.
std::optional<Circle> sampledCircle(const std::vector<PlottingPoint>& contour);

}  // namespace DWFPlotWriter

#endif  // DWFPLOT_PLOTFILE_SYMBOL_GEOMETRY_H
