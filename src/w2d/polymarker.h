// A mark at each of a set of points.
#ifndef DWFPLOT_W2D_POLYMARKER_H
#define DWFPLOT_W2D_POLYMARKER_H

#include "w2d/point_list.h"

// The polyline's attribute mask with marker size and symbol (0x40, 0x80):
// they say how each mark looks.
using WT_Polymarker = WT_Point_List<WT_Object::Polymarker_ID, 0x2FA5FF, 'M', 'm', 0x8D>;

#endif  // DWFPLOT_W2D_POLYMARKER_H
