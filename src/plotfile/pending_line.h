// The points of the line the host is drawing with addLine, in logical units,
// kept until the next call that writes anything else.
#ifndef DWFPLOT_PLOTFILE_PENDING_LINE_H
#define DWFPLOT_PLOTFILE_PENDING_LINE_H

#include <cstddef>
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
    // Called once per host point: kept inline, the usual case is a store.
    void append(const WT_Logical_Point& point, const std::string& group) {
        if (points_.empty()) start(group);
        points_.push_back(point);
        if (lastGroup_ != group) lastGroup_ = group;
    }

    // Two or more points that are not all the same point: a line to write.
    bool drawable() const;
    bool empty() const { return points_.empty(); }
    // The line's group is that of its first point.
    const std::string& group() const { return firstGroup_; }
    const std::vector<WT_Logical_Point>& points() const { return points_; }
    // Hands the points over without copying them and empties the line.
    std::vector<WT_Logical_Point> takePoints();
    void clear();

private:
    void start(const std::string& group);

    // Room a new line starts with: most lines fit, so they grow no more.
    static constexpr size_t kInitialCapacity = 256;

    std::vector<WT_Logical_Point> points_;
    // Only the first point's group (the line's) and the last point's (which
    // a pen-up point must match to continue the line) are ever needed.
    std::string firstGroup_;
    std::string lastGroup_;
};

}  // namespace DWFPlotWriter

#endif  // DWFPLOT_PLOTFILE_PENDING_LINE_H
