// The pixels of a W2D image of any format, as RGBA, for the page renderer.
#ifndef DWFPLOT_TOOL_RENDER_RASTER_H
#define DWFPLOT_TOOL_RENDER_RASTER_H

#include <cstdint>
#include <string>
#include <vector>

#include "w2d/color_map.h"
#include "w2d/image.h"

namespace dwfplot_tool {

// Pixels to draw: width * height RGBA quadruples, top row first, alpha not premultiplied.
struct Raster {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> rgba;
};

enum class RasterStatus { Decoded, Undecodable, Broken };

// Decodes the pixels of `image`. `currentMap` is the stream's colour map in force (used by the
// indexed format, which carries no map of its own). Undecodable: a format whose coding we do
// not know (group 3X); Broken: data too short, a map entry missing, a codec failure... `why`
// then says what, in a short phrase. An index beyond its map gives a transparent black pixel.
RasterStatus decodeRaster(const WT_Image& image, const WT_Color_Map& currentMap, Raster& out, std::string& why);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_RASTER_H
