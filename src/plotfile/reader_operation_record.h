// What the plot reader has decoded and not yet reported: the pending
// operation code and the data its getter hands to the host. The stream's
// handlers fill it; getOperation and the getters read it. Every field keeps
// its value until a record or drawable overwrites it, so a group carries over
// to all later drawables.
#ifndef DWFPLOT_PLOTFILE_READER_OPERATION_RECORD_H
#define DWFPLOT_PLOTFILE_READER_OPERATION_RECORD_H

#include <cstdint>
#include <string>
#include <vector>

#include "dwfplot/PlotFile.h"

namespace DWFPlotReader {

struct OperationRecord {
    Plt_Plot_Operation_T pending = PLT_NONE;
    // The record of a symbol body being skipped: what arrives here is
    // dropped, so images are not handed to the host's loader at all.
    bool discarding = false;

    int32_t pen = 0;
    std::vector<PlottingPoint> linePoints;
    std::vector<std::vector<PlottingPoint>> polygons;
    std::string symbolName;
    bool filled = false;
    std::u16string textLine;
    int32_t lineCount = 0;
    double x = 0;
    double y = 0;
    double angle = 0;
    double scale = 0;
    PlotFont font;
    bool drawableSeen = false;
    IMAGE* image = nullptr;
    double imageHeight = 0;
    double imageWidth = 0;
    std::string group;
    bool groupFirst = false;
    bool groupSecond = false;
    std::string table;
};

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_OPERATION_RECORD_H
