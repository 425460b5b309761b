// A triangle strip: each point after the second closes a triangle with the
// two before it.
#ifndef DWFPLOT_W2D_POLYTRIANGLE_H
#define DWFPLOT_W2D_POLYTRIANGLE_H

#include "w2d/point_list.h"

// The polyline's attribute mask.
using WT_Polytriangle = WT_Point_List<WT_Object::Polytriangle_ID, 0x2FA53F, 'T', 't', 0x14>;

#endif  // DWFPLOT_W2D_POLYTRIANGLE_H
