// Hands an image of a page stream to the host's loader, which takes a file:
// the data goes into a new file of the current working directory, created
// exclusively as ./<unique name>.<extension>, and the file is removed as soon
// as the loader returns.
#ifndef DWFPLOT_PLOTFILE_READER_IMAGE_FILE_H
#define DWFPLOT_PLOTFILE_READER_IMAGE_FILE_H

#include <cstdint>
#include <string_view>
#include <vector>

#include "dwfplot/PlotFile.h"

namespace DWFPlotReader {

// The host's IMAGE for `data`, or null without a loader. The loader is only
// called on a file this call created and wrote completely: a name that
// exists already is never handed over (nor removed), and a short write
// gives null.
IMAGE* loadImage(const std::vector<uint8_t>& data, std::string_view extension, ImageLoadCallback load);

}  // namespace DWFPlotReader

#endif  // DWFPLOT_PLOTFILE_READER_IMAGE_FILE_H
