#include "plotfile/writer_pens.h"

#include <cstddef>

#include "plotfile/logical_units.h"

namespace DWFPlotWriter {
namespace {

uint8_t lowByte(int32_t component) { return static_cast<uint8_t>(static_cast<uint32_t>(component) & 0xFFu); }

}  // namespace

PenAttributes penAttributes(const std::vector<PenDetail>& pens, int pen) {
    if (pens.empty()) {
        return {WT_Color(0, 0, 0, 255), WT_Line_Weight(0)};
    }
    const bool inTable = pen >= 0 && static_cast<std::size_t>(pen) < pens.size();
    const PenDetail& detail = pens[inTable ? static_cast<std::size_t>(pen) : 0];
    // Widths are millimetres of paper; one logical unit is 0.01 mm.
    return {WT_Color(lowByte(detail.red), lowByte(detail.green), lowByte(detail.blue), 255),
            WT_Line_Weight(DWFPlotUnits::truncateToInt32(detail.width / 0.01))};
}

}  // namespace DWFPlotWriter
