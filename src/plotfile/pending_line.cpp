#include "plotfile/pending_line.h"

#include <algorithm>
#include <utility>

namespace DWFPlotWriter {

bool PendingLine::continuesAt(const WT_Logical_Point& point, const std::string& group) const {
    return !points_.empty() && points_.back() == point && lastGroup_ == group;
}

void PendingLine::start(const std::string& group) {
    points_.reserve(kInitialCapacity);
    firstGroup_ = group;
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

std::vector<WT_Logical_Point> PendingLine::takePoints() {
    std::vector<WT_Logical_Point> taken = std::move(points_);
    clear();
    return taken;
}

void PendingLine::clear() {
    points_.clear();
    firstGroup_.clear();
    lastGroup_.clear();
}

}  // namespace DWFPlotWriter
