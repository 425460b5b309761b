// The surface a page is drawn on. The page renderer turns every drawable of a
// W2D stream, with the attributes in force, into these few calls; each
// backend (SVG text, cairo for PDF and PNG) maps them to its own primitives.
// Coordinates are the stream's logical units with y up, so the renderer
// never knows the output's resolution.
#ifndef DWFPLOT_TOOL_RENDER_CANVAS_H
#define DWFPLOT_TOOL_RENDER_CANVAS_H

#include <cstdint>
#include <string>
#include <vector>

#include "dwfplot/render/raster.h"

namespace dwfplot_tool {

struct CanvasPoint {
    double x = 0;
    double y = 0;
};

using Contour = std::vector<CanvasPoint>;

struct Colour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
};

enum class LineCap { Butt, Square, Round };
enum class LineJoin { Miter, Bevel, Round };

struct Stroke {
    Colour colour;
    double width = 0;  // 0 is the thinnest line: hairlineWidth of the page
    LineCap cap = LineCap::Butt;
    LineJoin join = LineJoin::Miter;
    double miterLimit = 10;       // the ratio of mitre length to line width
    std::vector<double> dashes;   // on, off, on, ... lengths; empty is solid
};

struct Fill {
    Colour colour;
    bool evenOdd = true;  // false: the non-zero rule
    int pattern = 0;      // a fill pattern tile (render/patterns.h), 0 for solid
    double cell = 0;      // side of one tile bit
};

// Where a run's measured length is not known, each character is taken to be
// this share of the height wide.
constexpr double kCharacterWidth = 0.6;

// One line of text. The origin is the start of the baseline; the run goes
// along `angle`, its glyphs stretched by `widthScale` and slanted by
// `oblique`, with `letterSpacing` after each character; a positive `length`
// then fits the whole run, glyphs and gaps, to that length.
struct TextRun {
    CanvasPoint origin;
    std::string text;    // UTF-8
    std::string family;
    double height = 0;   // the em size
    double angle = 0;    // degrees, counter-clockwise
    double widthScale = 1;
    double oblique = 0;  // degrees, leaning forward
    double letterSpacing = 0;
    double length = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Colour colour;
};

// A raster placed between two corners; its top row lies along `high.y`.
// `encoded` is the image file the stream carried (PNG or JPEG) when there
// was one, so that a backend can embed it as it came. A `sharp` image has
// pixels large enough on paper to be seen, and shows each as a square
// rather than blending it with its neighbours.
struct PageImage {
    CanvasPoint low;
    CanvasPoint high;
    const Raster* pixels = nullptr;
    bool sharp = false;
    const std::vector<uint8_t>* encoded = nullptr;
    const char* mime = nullptr;
};

// What a page shows (logical units) and the paper it is shown on.
struct PageFrame {
    double minX = 0;
    double minY = 0;
    double maxX = 1;
    double maxY = 1;
    double widthMm = 0.01;
    double heightMm = 0.01;

    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
    double unitsPerMillimetre() const { return width() / widthMm; }
};

// The width drawn for a line of weight 0: a fixed share of the page, so
// that every backend and resolution shows hairlines alike.
double hairlineWidth(const PageFrame& frame);

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void beginPage(const PageFrame& frame) = 0;
    virtual void endPage() = 0;

    // What follows is clipped to the contours (even-odd); none: no clip.
    virtual void setClip(const std::vector<Contour>& contours) = 0;
    // What follows belongs to the named layer; empty: to no layer.
    virtual void setLayer(const std::string& name) = 0;
    // What follows links to the address; empty: to nothing.
    virtual void setLink(const std::string& url) = 0;

    virtual void stroke(const std::vector<Contour>& paths, bool closed, const Stroke& stroke) = 0;
    virtual void fill(const std::vector<Contour>& contours, const Fill& fill) = 0;
    virtual void text(const TextRun& run) = 0;
    virtual void image(const PageImage& image) = 0;
};

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_CANVAS_H
