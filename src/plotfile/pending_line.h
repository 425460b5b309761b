// The points of the line the host is drawing with addLine, in logical units,
// kept until the next call that writes anything else.
#ifndef DWFPLOT_PLOTFILE_PENDING_LINE_H
#define DWFPLOT_PLOTFILE_PENDING_LINE_H

#include <cstdint>
#include <string>
#include <vector>

#include "w2d/logical_point.h"

namespace DWFPlotWriter {

class PendingLine {
public:
    // A pen-up point equal to the last point of the same group continues
    // the line instead of starting a new one.
    bool continuesAt(const WT_Logical_Point& point, const std::string& group) const;
    void append(const WT_Logical_Point& point, const std::string& group);

    // Two or more points that are not all the same point: a line to write.
    bool drawable() const;
    bool empty() const { return points_.empty(); }
    // The line's group is that of its first point.
    const std::string& group() const { return groups_.front(); }
    const std::vector<WT_Logical_Point>& points() const { return points_; }
    void clear();

private:
    std::vector<WT_Logical_Point> points_;
    std::vector<std::string> groups_;
};

}  // namespace DWFPlotWriter

#endif  // DWFPLOT_PLOTFILE_PENDING_LINE_H
