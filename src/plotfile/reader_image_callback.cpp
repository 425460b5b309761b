#include "plotfile/reader_image_callback.h"

#include <atomic>

namespace DWFPlotReader {
namespace {
// Atomic so that a reader constructed on one thread while another decodes
// images never tears the pointer.
std::atomic<ImageLoadCallback> loadCallback{nullptr};
}  // namespace

void setImageLoadCallback(ImageLoadCallback load) { loadCallback.store(load); }

ImageLoadCallback imageLoadCallback() { return loadCallback.load(); }

}  // namespace DWFPlotReader
