// A host that includes DWFPlotFile.h and nothing else gets every type the
// calls take, return or throw: this file compiles only if it does.
#include "dwfplot/DWFPlotFile.h"

int resultOfClosing(PlotFileWriter& writer) {
    try {
        writer.closePlot();
    } catch (const DWF::DwfResult::Enum code) {
        return code;
    }
    return DWF::DwfResult::Success;
}
