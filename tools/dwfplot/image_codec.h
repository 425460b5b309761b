// PNG (libpng) and JPEG (libjpeg) for the host's IMAGE rasters, and the image
// callbacks the tool hands to the plot writer and reader.
#ifndef DWFPLOT_TOOL_IMAGE_CODEC_H
#define DWFPLOT_TOOL_IMAGE_CODEC_H

#include <cstdint>
#include <string>
#include <vector>

#include "dwfplot/PlotFile.h"

namespace dwfplot_tool {

// Images up to 256 megapixels; a larger size is taken for garbage rather
// than allocated.
constexpr uint64_t kMostImagePixels = uint64_t{1} << 28;

// Encoding values of IMAGE: 0 means JPEG, 1 to 4 PNG.
constexpr int32_t kJpegEncoding = 0;
constexpr int32_t kPngEncoding = 1;

// Encodes the pixels of `image` (1 to 4 channels, 8 bits each, top row
// first). False when the image has no pixels or an unusable shape.
bool encodePng(const IMAGE& image, std::vector<uint8_t>& png);
// JPEG has no alpha: 2 and 4 channel images lose theirs.
bool encodeJpeg(const IMAGE& image, std::vector<uint8_t>& jpeg, int quality = 90);

// Decodes into a new IMAGE (free it with freeImage); null when the bytes are
// not a decodable image. PNG decodes to RGBA, JPEG to RGB or grey.
IMAGE* decodePng(const std::vector<uint8_t>& png);
IMAGE* decodeJpeg(const std::vector<uint8_t>& jpeg);
// Either of the two, by the file's signature.
IMAGE* decodeImage(const std::vector<uint8_t>& bytes);

// A new IMAGE with its own pixel buffer of width * height * channels bytes;
// null when the size is unusable.
IMAGE* newImage(int32_t width, int32_t height, int32_t channels, int32_t encoding);
void freeImage(IMAGE* image);

// The host callbacks: encoding 0 to JPEG, 1 to 4 to PNG; the load callback
// reads a ".png" or ".jpg" file the reader hands over.
int encodeImageCallback(IMAGE* image, long& size, void*& data);
void releaseImageCallback(void* data);
IMAGE* loadImageCallback(const char* path);

// RFC 4648 base64, for data URIs.
std::string base64(const uint8_t* data, size_t size);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_IMAGE_CODEC_H
