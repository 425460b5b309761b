#include "dwfplot/render/patterns.h"

#include <iterator>

#include "w2d/fill_pattern.h"
#include "w2d/line_pattern.h"

namespace dwfplot_tool {
namespace {

// A dot is half a pattern unit long: with round or square caps on a heavy
// line it still reads as a dot.
constexpr double kDot = 0.5;

// Indexed by line pattern number - 1, from Solid to ISO_Double_Dash_Triple_Dot.
const std::vector<double> kLinePatterns[] = {
    {},                                                     // Solid
    {24, 12},                                               // Dashed
    {kDot, 8},                                              // Dotted
    {24, 8, kDot, 8},                                       // Dash_Dot
    {12, 8},                                                // Short_Dash
    {24, 8},                                                // Medium_Dash
    {48, 12},                                               // Long_Dash
    {24, 16},                                               // Short_Dash_X2
    {48, 16},                                               // Medium_Dash_X2
    {96, 24},                                               // Long_Dash_X2
    {36, 12},                                               // Medium_Long_Dash
    {24, 8, 12, 8, 12, 8},                                  // Medium_Dash_Short_Dash_Short_Dash
    {48, 12, 12, 12},                                       // Long_Dash_Short_Dash
    {48, 8, kDot, 8, kDot, 8},                              // Long_Dash_Dot_Dot
    {48, 8, kDot, 8},                                       // Long_Dash_Dot
    {24, 8, kDot, 8, 12, 8, kDot, 8},                       // Medium_Dash_Dot_Short_Dash_Dot
    {kDot, 24},                                             // Sparse_Dot
    {12, 3},                                                // ISO_Dash
    {12, 18},                                               // ISO_Dash_Space
    {24, 3, kDot, 3},                                       // ISO_Long_Dash_Dot
    {24, 3, kDot, 3, kDot, 3},                              // ISO_Long_Dash_Double_Dot
    {24, 3, kDot, 3, kDot, 3, kDot, 3},                     // ISO_Long_Dash_Triple_Dot
    {kDot, 3},                                              // ISO_Dot
    {24, 3, 6, 3},                                          // ISO_Long_Dash_Short_Dash
    {24, 3, 6, 3, 6, 3},                                    // ISO_Long_Dash_Double_Short_Dash
    {12, 3, kDot, 3},                                       // ISO_Dash_Dot
    {12, 3, 12, 3, kDot, 3},                                // ISO_Double_Dash_Dot
    {12, 3, kDot, 3, kDot, 3},                              // ISO_Dash_Double_Dot
    {12, 3, 12, 3, kDot, 3, kDot, 3},                       // ISO_Double_Dash_Double_Dot
    {12, 3, kDot, 3, kDot, 3, kDot, 3},                     // ISO_Dash_Triple_Dot
    {12, 3, 12, 3, kDot, 3, kDot, 3, kDot, 3},              // ISO_Double_Dash_Triple_Dot
};
static_assert(std::size(kLinePatterns) == WT_Line_Pattern::Count);

// Indexed by fill pattern number - 1, from Checkerboard to Vertical_Bars.
constexpr FillTile kFillTiles[] = {
    {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F},  // Checkerboard
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // Crosshatch
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // Diamonds
    {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00},  // Horizontal Bars
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // Slant Left
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // Slant Right
    {0x88, 0x00, 0x00, 0x00, 0x88, 0x00, 0x00, 0x00},  // Square Dots
    {0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88, 0x88},  // Vertical Bars
};
static_assert(std::size(kFillTiles) == WT_Fill_Pattern::User_Defined - 1);

}  // namespace

std::vector<double> linePatternDashes(int id) {
    if (id < WT_Line_Pattern::Solid || id > WT_Line_Pattern::Count) return {};
    return kLinePatterns[id - 1];
}

bool fillPatternTile(int id, FillTile& tile) {
    if (id < WT_Fill_Pattern::Checkerboard || id >= WT_Fill_Pattern::User_Defined) return false;
    tile = kFillTiles[id - 1];
    return true;
}

}  // namespace dwfplot_tool
