#include "dwfplot/svg_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "dwfplot/image_codec.h"
#include "platform/unicode.h"

namespace dwfplot_tool {
namespace {

constexpr double kFullTurn = WT_Ellipse::Full_Turn;
// Logical units per millimetre of paper: a plot unit is ten millimetres and
// holds 1000 logical units.
constexpr double kUnitsPerMillimetre = 100.0;

std::string colourOf(const WT_RGBA32& rgba) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgba.m_red, rgba.m_green, rgba.m_blue);
    return text;
}

std::string opacity(const char* attribute, const WT_RGBA32& rgba) {
    if (rgba.m_alpha == 255) return "";
    return std::string(" ") + attribute + "=\"" + svgNumber(rgba.m_alpha / 255.0) + "\"";
}

const char* capName(WT_Line_Style::WT_Capstyle_ID cap) {
    switch (cap) {
        case WT_Line_Style::Butt_Cap: return "butt";
        case WT_Line_Style::Round_Cap: return "round";
        default: return "square";  // SVG has no diamond cap; square comes closest
    }
}

const char* joinName(WT_Line_Style::WT_Joinstyle_ID join) {
    switch (join) {
        case WT_Line_Style::Bevel_Join: return "bevel";
        case WT_Line_Style::Round_Join: return "round";
        default: return "miter";  // the diamond join is a mitre
    }
}

double degreesOf(double turnFraction) { return turnFraction * 360.0 / kFullTurn; }

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

std::string dataUri(const char* mime, const std::vector<uint8_t>& bytes) {
    return std::string("data:") + mime + ";base64," + base64(bytes.data(), bytes.size());
}

// The pixels of the raw image formats as PNG; false for the formats whose
// data needs a fax decoder (bitonal and group 3/4).
bool rawImageAsPng(const WT_Image& image, std::vector<uint8_t>& png) {
    const int32_t columns = image.columns();
    const int32_t rows = image.rows();
    const size_t pixels = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    const std::vector<uint8_t>& data = image.data();
    IMAGE raster;
    raster.width = columns;
    raster.height = rows;
    std::vector<uint8_t> rgba;
    switch (image.format()) {
        case WT_Image::RGB:
        case WT_Image::RGBA: {
            const size_t channels = image.format() == WT_Image::RGB ? 3 : 4;
            if (data.size() < pixels * channels) return false;
            rgba.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(pixels * channels));
            raster.channels = static_cast<int32_t>(channels);
            break;
        }
        case WT_Image::Indexed:
        case WT_Image::Mapped: {
            if (!image.color_map() || data.size() < pixels) return false;
            const auto& colours = image.color_map()->colors();
            rgba.resize(pixels * 4);
            for (size_t p = 0; p < pixels; ++p) {
                const WT_RGBA32 c = data[p] < colours.size() ? colours[data[p]] : WT_RGBA32(0, 0, 0, 0);
                rgba[4 * p] = c.m_red;
                rgba[4 * p + 1] = c.m_green;
                rgba[4 * p + 2] = c.m_blue;
                rgba[4 * p + 3] = c.m_alpha;
            }
            raster.channels = 4;
            break;
        }
        default:
            return false;
    }
    raster.pixels = rgba.data();
    return encodePng(raster, png);
}

}  // namespace

std::string svgNumber(double value) {
    if (!std::isfinite(value)) return "0";
    char text[48];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string number = text;
    while (!number.empty() && number.back() == '0') number.pop_back();
    if (!number.empty() && number.back() == '.') number.pop_back();
    return number == "-0" ? "0" : number;
}

std::string xmlText(const std::u16string& text) {
    std::string out;
    for (size_t pos = 0; pos < text.size();) appendEscaped(out, platform::decodeUtf16(text, pos));
    return out;
}

std::string xmlText(const std::string& utf8) {
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) appendEscaped(out, platform::decodeUtf8(utf8, pos));
    return out;
}

void SvgPage::draw(const WT_Object& object, WT_Attribute_Set& attributes) {
    if (object.object_type() != WT_Object::Drawable || object.object_id() == WT_Object::UserData_ID) return;
    if (!attributes.visibility().visible()) return;
    useViewport(attributes);
    switch (object.object_id()) {
        case WT_Object::Polyline_ID: polyline(static_cast<const WT_Polyline&>(object), attributes); break;
        case WT_Object::Polygon_ID: polygon(static_cast<const WT_Polygon&>(object), attributes); break;
        case WT_Object::Contour_Set_ID: contourSet(static_cast<const WT_Contour_Set&>(object), attributes); break;
        case WT_Object::Filled_Ellipse_ID: ellipse(static_cast<const WT_Ellipse&>(object), true, attributes); break;
        case WT_Object::Outline_Ellipse_ID: ellipse(static_cast<const WT_Ellipse&>(object), false, attributes); break;
        case WT_Object::Text_ID: text(static_cast<const WT_Text&>(object), attributes); break;
        case WT_Object::Image_ID:
        case WT_Object::PNG_Group4_Image_ID: image(static_cast<const WT_Image&>(object)); break;
        default: return;
    }
    ++drawn_;
}

void SvgPage::useViewport(WT_Attribute_Set& attributes) {
    const WT_Viewport& viewport = attributes.viewport();
    if (viewport_ && *viewport_ == viewport) return;
    viewport_ = viewport;
    if (clipOpen_) body_ += "</g>\n";
    clipOpen_ = false;
    const WT_Contour_Set& contours = viewport.contour_set();
    if (contours.points().empty()) return;
    const std::string id = "clip" + std::to_string(++clips_);
    definitions_ += "<clipPath id=\"" + id + "\"><path clip-rule=\"evenodd\" d=\"";
    size_t next = 0;
    for (const int32_t count : contours.counts()) {
        for (int32_t i = 0; i < count && next < contours.points().size(); ++i, ++next) {
            const WT_Logical_Point& p = contours.points()[next];
            definitions_ += (i == 0 ? "M" : " L") + std::to_string(p.m_x) + " " + std::to_string(p.m_y);
            if (!haveViewportBounds_) {
                vpMinX_ = vpMaxX_ = p.m_x;
                vpMinY_ = vpMaxY_ = p.m_y;
                haveViewportBounds_ = true;
            }
            vpMinX_ = std::min<double>(vpMinX_, p.m_x);
            vpMaxX_ = std::max<double>(vpMaxX_, p.m_x);
            vpMinY_ = std::min<double>(vpMinY_, p.m_y);
            vpMaxY_ = std::max<double>(vpMaxY_, p.m_y);
        }
        definitions_ += " Z ";
    }
    definitions_ += "\"/></clipPath>\n";
    body_ += "<g clip-path=\"url(#" + id + ")\">\n";
    clipOpen_ = true;
}

void SvgPage::include(double x, double y) {
    if (!haveBounds_) {
        minX_ = maxX_ = x;
        minY_ = maxY_ = y;
        haveBounds_ = true;
    }
    minX_ = std::min(minX_, x);
    maxX_ = std::max(maxX_, x);
    minY_ = std::min(minY_, y);
    maxY_ = std::max(maxY_, y);
}

void SvgPage::include(const WT_Logical_Point& point) { include(point.m_x, point.m_y); }

std::string SvgPage::strokeStyle(WT_Attribute_Set& attributes) {
    const WT_RGBA32& rgba = attributes.color().rgba();
    const WT_Line_Style& style = attributes.line_style();
    std::string s = " fill=\"none\" stroke=\"" + colourOf(rgba) + "\"" + opacity("stroke-opacity", rgba);
    const int32_t weight = attributes.line_weight().weight_value();
    // A weight of zero is the thinnest line the device draws.
    s += weight > 0 ? " stroke-width=\"" + std::to_string(weight) + "\"" : std::string(" class=\"hairline\"");
    s += std::string(" stroke-linecap=\"") + capName(style.line_start_cap()) + "\"";
    s += std::string(" stroke-linejoin=\"") + joinName(style.line_join()) + "\"";
    return s;
}

std::string SvgPage::fillStyle(WT_Attribute_Set& attributes) {
    const WT_RGBA32& rgba = attributes.color().rgba();
    return " fill=\"" + colourOf(rgba) + "\"" + opacity("fill-opacity", rgba) + " stroke=\"none\"";
}

std::string SvgPage::pointList(const std::vector<WT_Logical_Point>& points) {
    std::string list;
    for (const WT_Logical_Point& p : points) {
        if (!list.empty()) list += ' ';
        list += std::to_string(p.m_x) + "," + std::to_string(p.m_y);
        include(p);
    }
    return list;
}

void SvgPage::polyline(const WT_Polyline& line, WT_Attribute_Set& attributes) {
    body_ += "<polyline points=\"" + pointList(line.points()) + "\"" + strokeStyle(attributes) + "/>\n";
}

void SvgPage::polygon(const WT_Polygon& polygon, WT_Attribute_Set& attributes) {
    body_ += "<polygon points=\"" + pointList(polygon.points()) + "\"" + fillStyle(attributes) + "/>\n";
}

// Outer contours and holes alike are subpaths; the even-odd rule makes the
// holes.
void SvgPage::contourSet(const WT_Contour_Set& contours, WT_Attribute_Set& attributes) {
    std::string path;
    size_t next = 0;
    for (const int32_t count : contours.counts()) {
        for (int32_t i = 0; i < count && next < contours.points().size(); ++i, ++next) {
            const WT_Logical_Point& p = contours.points()[next];
            path += (i == 0 ? (path.empty() ? "M" : " M") : " L") + std::to_string(p.m_x) + " " + std::to_string(p.m_y);
            include(p);
        }
        path += " Z";
    }
    body_ += "<path fill-rule=\"evenodd\" d=\"" + path + "\"" + fillStyle(attributes) + "/>\n";
}

void SvgPage::ellipse(const WT_Ellipse& ellipse, bool filled, WT_Attribute_Set& attributes) {
    const double cx = ellipse.centre().m_x;
    const double cy = ellipse.centre().m_y;
    const double major = ellipse.major();
    const double minor = ellipse.minor();
    const double tilt = degreesOf(ellipse.tilt());
    const std::string style = filled ? fillStyle(attributes) : strokeStyle(attributes);
    const double reach = std::max(major, minor);
    include(cx - reach, cy - reach);
    include(cx + reach, cy + reach);
    if (ellipse.is_full()) {
        body_ += "<ellipse cx=\"" + svgNumber(cx) + "\" cy=\"" + svgNumber(cy) + "\" rx=\"" + svgNumber(major) +
                 "\" ry=\"" + svgNumber(minor) + "\"";
        if (tilt != 0) body_ += " transform=\"rotate(" + svgNumber(tilt) + " " + svgNumber(cx) + " " + svgNumber(cy) + ")\"";
        body_ += style + "/>\n";
        return;
    }
    // A partial arc as a sampled path; a filled one is a pie slice.
    double start = ellipse.start();
    double end = ellipse.end() % WT_Ellipse::Full_Turn;
    if (end <= start) end += kFullTurn;
    const double step = kFullTurn / 128;
    const int steps = std::max(2, static_cast<int>(std::ceil((end - start) / step)));
    const double tiltRadians = tilt * std::numbers::pi / 180.0;
    std::string path = filled ? "M" + svgNumber(cx) + " " + svgNumber(cy) + " L" : "M";
    for (int i = 0; i <= steps; ++i) {
        const double t = (start + (end - start) * i / steps) * 2 * std::numbers::pi / kFullTurn;
        const double ex = major * std::cos(t);
        const double ey = minor * std::sin(t);
        const double x = cx + ex * std::cos(tiltRadians) - ey * std::sin(tiltRadians);
        const double y = cy + ex * std::sin(tiltRadians) + ey * std::cos(tiltRadians);
        path += (i == 0 ? "" : " L") + svgNumber(x) + " " + svgNumber(y);
    }
    if (filled) path += " Z";
    body_ += "<path d=\"" + path + "\"" + style + "/>\n";
}

// The group turns y up, so a text is turned back upright by its own
// transform and rotated clockwise in SVG terms for a counter-clockwise angle.
void SvgPage::text(const WT_Text& text, WT_Attribute_Set& attributes) {
    const WT_Font& font = attributes.font();
    const double x = text.position().m_x;
    const double y = text.position().m_y;
    // The font height may be a bare truncated number; the bounds, when the
    // producer measured them, tell the real size of the line.
    double height = std::max<int32_t>(font.height(), 1);
    if (text.bounds()) {
        const auto& b = *text.bounds();
        const double across = std::hypot(static_cast<double>(b[3].m_x) - b[0].m_x, static_cast<double>(b[3].m_y) - b[0].m_y);
        if (across >= 1) height = across;
    }
    const double angle = degreesOf(font.rotation());
    include(x, y);
    include(x, y + height);
    const WT_RGBA32& rgba = attributes.color().rgba();
    std::string element = "<text transform=\"translate(" + svgNumber(x) + " " + svgNumber(y) + ") scale(1 -1)";
    if (angle != 0) element += " rotate(" + svgNumber(-angle) + ")";
    // The position is the bottom of the line's box; the baseline sits a
    // descent above it.
    element += "\" y=\"" + svgNumber(-0.2 * height) + "\" font-family=\"" + xmlText(font.name().unicode()) + "\" font-size=\"" + svgNumber(height) + "\"";
    if (font.bold()) element += " font-weight=\"bold\"";
    if (font.italic()) element += " font-style=\"italic\"";
    if (font.underlined()) element += " text-decoration=\"underline\"";
    if (text.bounds()) {
        // The producer's measured extent: the first edge of the bounds.
        const auto& b = *text.bounds();
        const double width = std::hypot(static_cast<double>(b[1].m_x) - b[0].m_x, static_cast<double>(b[1].m_y) - b[0].m_y);
        for (const WT_Logical_Point& corner : b) include(corner);
        if (width > 0) element += " textLength=\"" + svgNumber(width) + "\" lengthAdjust=\"spacingAndGlyphs\"";
    }
    element += " fill=\"" + colourOf(rgba) + "\"" + opacity("fill-opacity", rgba) + ">";
    body_ += element + xmlText(text.string().unicode()) + "</text>\n";
}

void SvgPage::image(const WT_Image& image) {
    const WT_Logical_Point& low = image.min_corner();
    const WT_Logical_Point& high = image.max_corner();
    include(low);
    include(high);
    const double width = static_cast<double>(high.m_x) - low.m_x;
    const double height = static_cast<double>(high.m_y) - low.m_y;
    std::string uri;
    std::vector<uint8_t> png;
    if (image.format() == WT_Image::PNG) {
        uri = dataUri("image/png", image.data());
    } else if (image.format() == WT_Image::JPEG) {
        uri = dataUri("image/jpeg", image.data());
    } else if (rawImageAsPng(image, png)) {
        uri = dataUri("image/png", png);
    }
    const std::string place = " width=\"" + svgNumber(width) + "\" height=\"" + svgNumber(height) +
                              "\" transform=\"translate(" + std::to_string(low.m_x) + " " + std::to_string(high.m_y) +
                              ") scale(1 -1)\"";
    if (uri.empty()) {
        // A format without a decoder here: its frame, so the page shows where it is.
        body_ += "<rect" + place + " fill=\"none\" stroke=\"#808080\" class=\"hairline\"/>\n";
        return;
    }
    body_ += "<image preserveAspectRatio=\"none\"" + place + " xlink:href=\"" + uri + "\"/>\n";
}

std::string SvgPage::document() const {
    double minX = 0, minY = 0, maxX = 1, maxY = 1;
    if (haveViewportBounds_) {
        minX = vpMinX_, minY = vpMinY_, maxX = vpMaxX_, maxY = vpMaxY_;
    } else if (haveBounds_) {
        minX = minX_, minY = minY_, maxX = maxX_, maxY = maxY_;
    }
    const double width = std::max(maxX - minX, 1.0);
    const double height = std::max(maxY - minY, 1.0);
    const double hairline = std::max(width, height) / 2000;
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    svg += " width=\"" + svgNumber(width / kUnitsPerMillimetre) + "mm\" height=\"" +
           svgNumber(height / kUnitsPerMillimetre) + "mm\"";
    svg += " viewBox=\"" + svgNumber(minX) + " " + svgNumber(-maxY) + " " + svgNumber(width) + " " +
           svgNumber(height) + "\">\n";
    svg += "<style>.hairline { stroke-width: " + svgNumber(hairline) + "px; }</style>\n";
    svg += "<rect x=\"" + svgNumber(minX) + "\" y=\"" + svgNumber(-maxY) + "\" width=\"" + svgNumber(width) +
           "\" height=\"" + svgNumber(height) + "\" fill=\"#ffffff\"/>\n";
    if (!definitions_.empty()) svg += "<defs>\n" + definitions_ + "</defs>\n";
    svg += "<g transform=\"matrix(1 0 0 -1 0 0)\">\n" + body_;
    if (clipOpen_) svg += "</g>\n";
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace dwfplot_tool
