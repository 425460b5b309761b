#include "plotfile/text_bounds.h"

#include <cmath>

namespace DWFPlotWriter {

std::array<PagePoint, 4> textBounds(double x, double y, double width, double height, double descent,
                                    double angle) {
    const double theta = angle * kPlotPi / 180;
    const double phi = (angle + 90) * kPlotPi / 180;
    const double cosT = std::cos(theta);
    const double sinT = std::sin(theta);
    // The box reaches `descent` below the baseline, across it (angle + 90).
    const double downX = std::cos(phi) * descent;
    const double downY = std::sin(phi) * descent;
    const double alongX = cosT * width;
    const double alongY = sinT * width;
    const double acrossX = sinT * height;
    const double acrossY = cosT * height;
    // Summed left to right in this order, so that the rounding to three
    // decimals that follows sees the values plot files have always had.
    return {PagePoint{x - downX, y - downY},
            PagePoint{x + alongX - downX, y + alongY - downY},
            PagePoint{x + alongX - acrossX - downX, y + alongY + acrossY - downY},
            PagePoint{x - acrossX - downX, y + acrossY - downY}};
}

}  // namespace DWFPlotWriter
