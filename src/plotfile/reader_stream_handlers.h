// The handlers through which a page stream reports to the plot reader. They
// reach the operation record through the stream's client pointer, which the
// reader points at its own record, or at a record of its own while it skips a
// symbol body.
#ifndef DWFPLOT_PLOTFILE_READER_STREAM_HANDLERS_H
#define DWFPLOT_PLOTFILE_READER_STREAM_HANDLERS_H

class WT_Stream;

namespace DWFPlotReader {

// W2D logical units per plot unit.
inline constexpr double kLogicalUnitsPerPlotUnit = 1000.0;

// Installs the handlers of contour sets, polylines, polygons, ellipses,
// texts, images and user data; every other kind keeps its default.
void installStreamHandlers(WT_Stream& stream);

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_STREAM_HANDLERS_H
