#include "dwfplot/render/canvas.h"

#include <algorithm>

namespace dwfplot_tool {

double hairlineWidth(const PageFrame& frame) { return std::max(frame.width(), frame.height()) / 2000; }

}  // namespace dwfplot_tool
