#include "dwfplot/render/svg_canvas.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "dwfplot/image_codec.h"
#include "dwfplot/render/patterns.h"
#include "platform/unicode.h"

namespace dwfplot_tool {
namespace {

bool allowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

void appendEscaped(std::string& out, char32_t c) {
    switch (c) {
        case '&': out += "&amp;"; return;
        case '<': out += "&lt;"; return;
        case '>': out += "&gt;"; return;
        case '"': out += "&quot;"; return;
        default: platform::appendUtf8(out, allowedInXml(c) ? c : char32_t{0xFFFD});
    }
}

std::string hexColour(const Colour& colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::string paint(const char* attribute, const std::string& value, const Colour& colour) {
    std::string s = std::string(" ") + attribute + "=\"" + value + "\"";
    if (colour.alpha != 255) s += std::string(" ") + attribute + "-opacity=\"" + svgNumber(colour.alpha / 255.0) + "\"";
    return s;
}

std::string pathData(const std::vector<Contour>& contours, bool closed) {
    std::string d;
    for (const Contour& contour : contours) {
        for (size_t i = 0; i < contour.size(); ++i) {
            d += i == 0 ? (d.empty() ? "M" : " M") : (i == 1 ? " L" : " ");
            d += svgNumber(contour[i].x) + ' ' + svgNumber(contour[i].y);
        }
        if (closed && !contour.empty()) d += " Z";
    }
    return d;
}

const char* capName(LineCap cap) {
    switch (cap) {
        case LineCap::Butt: return "butt";
        case LineCap::Round: return "round";
        case LineCap::Square: return "square";
    }
    return "butt";
}

const char* joinName(LineJoin join) {
    switch (join) {
        case LineJoin::Miter: return "miter";
        case LineJoin::Round: return "round";
        case LineJoin::Bevel: return "bevel";
    }
    return "miter";
}

// The set bits of a tile as rectangles, one per run of bits in a row; the
// tile's top row is its highest in y-up units.
std::string tilePath(const FillTile& tile, double cell) {
    std::string d;
    for (int row = 0; row < kTileSize; ++row) {
        for (int column = 0; column < kTileSize;) {
            if (!(tile[size_t(row)] & (0x80 >> column))) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < kTileSize && (tile[size_t(row)] & (0x80 >> column))) ++column;
            d += "M" + svgNumber(first * cell) + " " + svgNumber((kTileSize - 1 - row) * cell) + "h" +
                 svgNumber((column - first) * cell) + "v" + svgNumber(cell) + "h" + svgNumber(-(column - first) * cell) + "Z";
        }
    }
    return d;
}

}  // namespace

std::string svgNumber(double value) {
    if (!std::isfinite(value)) return "0";
    char text[48];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3);
    if (error != std::errc()) return "0";
    std::string number(text, end);
    while (number.back() == '0') number.pop_back();
    if (number.back() == '.') number.pop_back();
    return number == "-0" ? "0" : number;
}

std::string xmlText(const std::string& utf8) {
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) appendEscaped(out, platform::decodeUtf8(utf8, pos));
    return out;
}

void SvgCanvas::beginPage(const PageFrame& frame) {
    frame_ = frame;
    body_.clear();
    definitions_.clear();
    patterns_.clear();
    clipId_.clear();
    layer_.clear();
    link_.clear();
    clips_ = 0;
    for (bool& opened : opened_) opened = false;
}

void SvgCanvas::endPage() { closeFrom(ClipLevel); }

void SvgCanvas::closeFrom(Level level) {
    for (int inner = LinkLevel; inner >= level; --inner) {
        if (!opened_[inner]) continue;
        body_ += inner == LinkLevel ? "</a>\n" : "</g>\n";
        opened_[inner] = false;
    }
}

void SvgCanvas::openGroups() {
    const std::string* values[Levels] = {&clipId_, &layer_, &link_};
    for (int level = ClipLevel; level < Levels; ++level) {
        if (opened_[level] || values[level]->empty()) continue;
        if (level == ClipLevel) body_ += "<g clip-path=\"url(#" + clipId_ + ")\">\n";
        if (level == LayerLevel) body_ += "<g class=\"layer\"><title>" + xmlText(layer_) + "</title>\n";
        if (level == LinkLevel) body_ += "<a xlink:href=\"" + xmlText(link_) + "\">\n";
        opened_[level] = true;
    }
}

void SvgCanvas::setClip(const std::vector<Contour>& contours) {
    clipId_.clear();
    const std::string d = pathData(contours, true);
    if (!d.empty()) {
        clipId_ = "clip" + std::to_string(++clips_);
        definitions_ += "<clipPath id=\"" + clipId_ + "\"><path clip-rule=\"evenodd\" d=\"" + d + "\"/></clipPath>\n";
    }
    closeFrom(ClipLevel);
}

void SvgCanvas::setLayer(const std::string& name) {
    layer_ = name;
    closeFrom(LayerLevel);
}

void SvgCanvas::setLink(const std::string& url) {
    link_ = url;
    closeFrom(LinkLevel);
}

void SvgCanvas::stroke(const std::vector<Contour>& paths, bool closed, const Stroke& stroke) {
    openGroups();
    body_ += "<path d=\"" + pathData(paths, closed) + "\" fill=\"none\"" + paint("stroke", hexColour(stroke.colour), stroke.colour);
    // A weight of zero is the thinnest line the page draws.
    body_ += stroke.width > 0 ? " stroke-width=\"" + svgNumber(stroke.width) + "\"" : std::string(" class=\"hairline\"");
    if (stroke.cap != LineCap::Butt) body_ += std::string(" stroke-linecap=\"") + capName(stroke.cap) + "\"";
    if (stroke.join != LineJoin::Miter) {
        body_ += std::string(" stroke-linejoin=\"") + joinName(stroke.join) + "\"";
    } else {
        body_ += " stroke-miterlimit=\"" + svgNumber(stroke.miterLimit) + "\"";
    }
    if (!stroke.dashes.empty()) {
        body_ += " stroke-dasharray=\"";
        for (size_t i = 0; i < stroke.dashes.size(); ++i) body_ += (i == 0 ? "" : " ") + svgNumber(stroke.dashes[i]);
        body_ += "\"";
    }
    body_ += "/>\n";
}

std::string SvgCanvas::patternFor(const Fill& fill) {
    FillTile tile;
    if (fill.pattern == 0 || !(fill.cell > 0) || !fillPatternTile(fill.pattern, tile)) return "";
    const std::string key = std::to_string(fill.pattern) + hexColour(fill.colour) + std::to_string(fill.colour.alpha) + "/" +
                            svgNumber(fill.cell);
    auto found = patterns_.find(key);
    if (found != patterns_.end()) return found->second;
    const std::string id = "pattern" + std::to_string(patterns_.size() + 1);
    const std::string side = svgNumber(kTileSize * fill.cell);
    definitions_ += "<pattern id=\"" + id + "\" patternUnits=\"userSpaceOnUse\" width=\"" + side + "\" height=\"" +
                    side + "\"><path d=\"" + tilePath(tile, fill.cell) + "\"" +
                    paint("fill", hexColour(fill.colour), fill.colour) + "/></pattern>\n";
    patterns_.emplace(key, id);
    return id;
}

void SvgCanvas::fill(const std::vector<Contour>& contours, const Fill& fill) {
    openGroups();
    const std::string pattern = patternFor(fill);
    body_ += "<path d=\"" + pathData(contours, true) + "\"";
    body_ += pattern.empty() ? paint("fill", hexColour(fill.colour), fill.colour) : " fill=\"url(#" + pattern + ")\"";
    if (fill.evenOdd) body_ += " fill-rule=\"evenodd\"";
    body_ += "/>\n";
}

// The group turns y up, so a run is turned back upright by its own
// transform and rotated clockwise in SVG terms for a counter-clockwise angle.
void SvgCanvas::text(const TextRun& run) {
    openGroups();
    std::string element = "<text transform=\"translate(" + svgNumber(run.origin.x) + " " + svgNumber(run.origin.y) + ") scale(1 -1)";
    if (run.angle != 0) element += " rotate(" + svgNumber(-run.angle) + ")";
    if (run.oblique != 0) element += " skewX(" + svgNumber(-run.oblique) + ")";
    if (run.widthScale != 1) element += " scale(" + svgNumber(run.widthScale) + " 1)";
    element += "\" xml:space=\"preserve\" font-family=\"" + xmlText(run.family) + "\" font-size=\"" + svgNumber(run.height) + "\"";
    if (run.bold) element += " font-weight=\"bold\"";
    if (run.italic) element += " font-style=\"italic\"";
    if (run.underline) element += " text-decoration=\"underline\"";
    if (run.letterSpacing != 0) element += " letter-spacing=\"" + svgNumber(run.letterSpacing) + "\"";
    if (run.length > 0) {
        element += " textLength=\"" + svgNumber(run.length / run.widthScale) + "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    body_ += element + paint("fill", hexColour(run.colour), run.colour) + ">" + xmlText(run.text) + "</text>\n";
}

void SvgCanvas::image(const PageImage& image) {
    std::string uri;
    if (image.encoded != nullptr && image.mime != nullptr) {
        uri = std::string("data:") + image.mime + ";base64," + base64(image.encoded->data(), image.encoded->size());
    } else if (image.pixels != nullptr) {
        IMAGE raster;
        raster.width = image.pixels->width;
        raster.height = image.pixels->height;
        raster.channels = 4;
        raster.pixels = const_cast<uint8_t*>(image.pixels->rgba.data());
        std::vector<uint8_t> png;
        if (!encodePng(raster, png)) return;
        uri = "data:image/png;base64," + base64(png.data(), png.size());
    }
    openGroups();
    body_ += std::string("<image") + (image.sharp ? " image-rendering=\"optimizeSpeed\"" : "") +
             " preserveAspectRatio=\"none\" width=\"" + svgNumber(image.high.x - image.low.x) + "\" height=\"" +
             svgNumber(image.high.y - image.low.y) + "\" transform=\"translate(" + svgNumber(image.low.x) + " " +
             svgNumber(image.high.y) + ") scale(1 -1)\" xlink:href=\"" + uri + "\"/>\n";
}

std::string SvgCanvas::document() const {
    const PageFrame& f = frame_;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    svg += " width=\"" + svgNumber(f.widthMm) + "mm\" height=\"" + svgNumber(f.heightMm) + "mm\"";
    svg += " viewBox=\"" + svgNumber(f.minX) + " " + svgNumber(-f.maxY) + " " + svgNumber(f.width()) + " " +
           svgNumber(f.height()) + "\">\n";
    svg += "<style>.hairline { stroke-width: " + svgNumber(hairlineWidth(f)) + "px; }</style>\n";
    svg += "<rect x=\"" + svgNumber(f.minX) + "\" y=\"" + svgNumber(-f.maxY) + "\" width=\"" + svgNumber(f.width()) +
           "\" height=\"" + svgNumber(f.height()) + "\" fill=\"#ffffff\"/>\n";
    if (!definitions_.empty()) svg += "<defs>\n" + definitions_ + "</defs>\n";
    svg += "<g transform=\"matrix(1 0 0 -1 0 0)\">\n" + body_ + "</g>\n</svg>\n";
    return svg;
}

}  // namespace dwfplot_tool
