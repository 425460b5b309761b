// The stream's transform applied to the points a drawable writes, when the
// apply-transform option is on.
#ifndef DWFPLOT_W2D_POINT_TRANSFORM_H
#define DWFPLOT_W2D_POINT_TRANSFORM_H

#include <vector>

#include "w2d/logical_point.h"

class WT_Stream;

// Rotation (degrees, counter-clockwise about the origin), then the scale of
// each axis, then the offset; results beyond 32 bits are clamped.
WT_Logical_Point wt_transform_point(const WT_Stream& stream, const WT_Logical_Point& point);
// The points as the stream writes them: transformed when the option is on.
std::vector<WT_Logical_Point> wt_output_points(const WT_Stream& stream, const std::vector<WT_Logical_Point>& points);
// The same without a copy in the usual case: `points` themselves when the
// option is off, else their transformed copy, made in `scratch`.
const std::vector<WT_Logical_Point>& wt_output_points(const WT_Stream& stream,
                                                      const std::vector<WT_Logical_Point>& points,
                                                      std::vector<WT_Logical_Point>& scratch);

#endif  // DWFPLOT_W2D_POINT_TRANSFORM_H
