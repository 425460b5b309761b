// The host's image loader. One per process, as hosts have always had it:
// the reader constructed last with a callback decides for all readers.
#ifndef DWFPLOT_PLOTFILE_READER_IMAGE_CALLBACK_H
#define DWFPLOT_PLOTFILE_READER_IMAGE_CALLBACK_H

#include "dwfplot/PlotFile.h"

namespace DWFPlotReader {

void setImageLoadCallback(ImageLoadCallback load);
ImageLoadCallback imageLoadCallback();

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_IMAGE_CALLBACK_H
