// The dash lengths behind the named line patterns and the tiles behind the
// named fill patterns. The stream names them only; these are our drawings of
// them, in pattern units of a quarter millimetre of paper (the ISO patterns
// are the ISO 128 multiples of a 0.25 mm pen).
#ifndef DWFPLOT_TOOL_RENDER_PATTERNS_H
#define DWFPLOT_TOOL_RENDER_PATTERNS_H

#include <array>
#include <cstdint>
#include <vector>

namespace dwfplot_tool {

constexpr double kPatternUnitMillimetres = 0.25;

// On, off, on, ... lengths in pattern units of line pattern `id` (the
// stream's line pattern number); empty for Solid and unknown numbers.
std::vector<double> linePatternDashes(int id);

// An 8 x 8 tile, top row first, most significant bit leftmost; a set bit is
// painted in the fill colour.
using FillTile = std::array<uint8_t, 8>;
constexpr int kTileSize = 8;

// The tile of fill pattern `id`; false for no pattern and for the user
// defined one, whose bits the stream does not carry (filled solid).
bool fillPatternTile(int id, FillTile& tile);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_PATTERNS_H
