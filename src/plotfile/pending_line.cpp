#include "plotfile/pending_line.h"

#include <algorithm>

namespace DWFPlotWriter {

bool PendingLine::continuesAt(const WT_Logical_Point& point, const std::string& group) const {
    return !points_.empty() && points_.back() == point && groups_.back() == group;
}

void PendingLine::append(const WT_Logical_Point& point, const std::string& group) {
    points_.push_back(point);
    groups_.push_back(group);
}

bool PendingLine::drawable() const {
    if (points_.size() < 2) {
        return false;
    }
    // Logical units are whole numbers: points closer than 0.001 are equal.
    const WT_Logical_Point& first = points_.front();
    return std::any_of(points_.begin() + 1, points_.end(),
                       [&first](const WT_Logical_Point& p) { return !(p == first); });
}

void PendingLine::clear() {
    points_.clear();
    groups_.clear();
}

}  // namespace DWFPlotWriter
