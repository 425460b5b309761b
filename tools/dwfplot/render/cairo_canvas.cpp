#include "dwfplot/render/cairo_canvas.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "dwfplot/render/patterns.h"
#include "platform/unicode.h"

namespace dwfplot_tool {
namespace {

constexpr double kPointsPerMillimetre = 72 / 25.4;
constexpr double kMillimetresPerInch = 25.4;
// Underline position below the baseline and thickness, as shares of the em.
constexpr double kUnderlineDrop = 0.1;
constexpr double kUnderlineWeight = 0.05;

double radians(double degrees) { return degrees * std::numbers::pi / 180; }

void setColour(cairo_t* cr, const Colour& c) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

cairo_line_cap_t capOf(LineCap cap) {
    switch (cap) {
        case LineCap::Round: return CAIRO_LINE_CAP_ROUND;
        case LineCap::Square: return CAIRO_LINE_CAP_SQUARE;
        case LineCap::Butt: break;
    }
    return CAIRO_LINE_CAP_BUTT;
}

cairo_line_join_t joinOf(LineJoin join) {
    switch (join) {
        case LineJoin::Round: return CAIRO_LINE_JOIN_ROUND;
        case LineJoin::Bevel: return CAIRO_LINE_JOIN_BEVEL;
        case LineJoin::Miter: break;
    }
    return CAIRO_LINE_JOIN_MITER;
}

// Pixels premultiplied by alpha, as cairo keeps them, in native-endian ARGB words.
cairo_surface_t* surfaceOf(const Raster& raster) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, raster.width, raster.height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return surface;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int32_t y = 0; y < raster.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        for (int32_t x = 0; x < raster.width; ++x) {
            const uint8_t* p = &raster.rgba[(size_t(y) * size_t(raster.width) + size_t(x)) * 4];
            const uint32_t a = p[3];
            row[x] = a << 24 | (p[0] * a / 255) << 16 | (p[1] * a / 255) << 8 | (p[2] * a / 255);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

// The tile as vector squares, one per set bit, so that PDF viewers and the
// PNG rasteriser draw its edges as they draw any other edge.
cairo_pattern_t* tilePattern(const Fill& fill) {
    FillTile tile;
    if (fill.pattern == 0 || !(fill.cell > 0) || !fillPatternTile(fill.pattern, tile)) return nullptr;
    const cairo_rectangle_t extents{0, 0, kTileSize, kTileSize};
    cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    cairo_t* cr = cairo_create(surface);
    for (int row = 0; row < kTileSize; ++row) {
        for (int column = 0; column < kTileSize; ++column) {
            if (tile[size_t(row)] & (0x80 >> column)) cairo_rectangle(cr, column, row, 1, 1);
        }
    }
    setColour(cr, fill.colour);
    cairo_fill(cr);
    cairo_destroy(cr);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_surface_destroy(surface);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    // Tile rows run down while y runs up: the top row covers the highest
    // cell of each tile, as in the SVG tile.
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, 1 / fill.cell, 0, 0, -1 / fill.cell, 0, kTileSize);
    cairo_pattern_set_matrix(pattern, &matrix);
    return pattern;
}

// A link address inside cairo's attribute string: quoted, with its quotes
// and backslashes escaped.
std::string linkAttributes(const std::string& url) {
    std::string quoted = "uri='";
    for (const char c : url) {
        if (c == '\'' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

std::vector<std::string> characters(const std::string& utf8) {
    std::vector<std::string> out;
    for (size_t pos = 0; pos < utf8.size();) {
        std::string one;
        platform::appendUtf8(one, platform::decodeUtf8(utf8, pos));
        out.push_back(std::move(one));
    }
    return out;
}

}  // namespace

CairoCanvas::~CairoCanvas() { release(); }

void CairoCanvas::release() {
    if (cr_ != nullptr) cairo_destroy(cr_);
    if (surface_ != nullptr) cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
}

void CairoCanvas::fail(const std::string& why) {
    if (error_.empty()) error_ = why;
}

// A PDF fails as its file; an image only in memory.
void CairoCanvas::failWith(int status) {
    const std::string text = cairo_status_to_string(cairo_status_t(status));
    fail(target_ == Target::Pdf ? "cannot write " + path_ + ": " + text : text);
}

void CairoCanvas::beginPage(const PageFrame& frame) {
    if (!error_.empty()) return;
    frame_ = frame;
    double scale = 0;
    if (target_ == Target::Pdf) {
        const double width = frame.widthMm * kPointsPerMillimetre;
        const double height = frame.heightMm * kPointsPerMillimetre;
        if (surface_ == nullptr) {
            surface_ = cairo_pdf_surface_create(path_.c_str(), width, height);
            cr_ = cairo_create(surface_);
        } else {
            cairo_pdf_surface_set_size(surface_, width, height);
        }
        scale = kPointsPerMillimetre / frame.unitsPerMillimetre();
    } else {
        release();
        const double width = std::ceil(frame.widthMm / kMillimetresPerInch * dpi_);
        const double height = std::ceil(frame.heightMm / kMillimetresPerInch * dpi_);
        if (!(width <= kMostPixels && height <= kMostPixels)) {
            return fail("the page is " + std::to_string(std::lround(width)) + " x " + std::to_string(std::lround(height)) +
                        " pixels at this resolution; an image holds at most " + std::to_string(kMostPixels) + " on a side");
        }
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(1, int(width)), std::max(1, int(height)));
        cr_ = cairo_create(surface_);
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_paint(cr_);
        scale = dpi_ / kMillimetresPerInch / frame.unitsPerMillimetre();
    }
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) return failWith(cairo_status(cr_));
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, scale, 0, 0, -scale, -scale * frame.minX, scale * frame.maxY);
    cairo_set_matrix(cr_, &matrix);
}

void CairoCanvas::endPage() {
    if (!drawing()) return;
    setLink("");
    cairo_reset_clip(cr_);
    if (target_ == Target::Pdf) cairo_show_page(cr_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) failWith(cairo_status(cr_));
}

void CairoCanvas::addPath(const std::vector<Contour>& contours, bool closed) {
    cairo_new_path(cr_);
    for (const Contour& contour : contours) {
        for (size_t i = 0; i < contour.size(); ++i) {
            (i == 0 ? cairo_move_to : cairo_line_to)(cr_, contour[i].x, contour[i].y);
        }
        if (closed && !contour.empty()) cairo_close_path(cr_);
    }
}

void CairoCanvas::setClip(const std::vector<Contour>& contours) {
    if (!drawing()) return;
    cairo_reset_clip(cr_);
    if (contours.empty()) return;
    addPath(contours, true);
    cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr_);
}

void CairoCanvas::setLink(const std::string& url) {
    if (!drawing() || target_ != Target::Pdf) return;
    if (linkOpen_) cairo_tag_end(cr_, CAIRO_TAG_LINK);
    linkOpen_ = !url.empty();
    if (linkOpen_) cairo_tag_begin(cr_, CAIRO_TAG_LINK, linkAttributes(url).c_str());
}

void CairoCanvas::stroke(const std::vector<Contour>& paths, bool closed, const Stroke& stroke) {
    if (!drawing()) return;
    addPath(paths, closed);
    setColour(cr_, stroke.colour);
    cairo_set_line_width(cr_, stroke.width > 0 ? stroke.width : hairlineWidth(frame_));
    cairo_set_line_cap(cr_, capOf(stroke.cap));
    cairo_set_line_join(cr_, joinOf(stroke.join));
    cairo_set_miter_limit(cr_, stroke.miterLimit);
    cairo_set_dash(cr_, stroke.dashes.data(), int(stroke.dashes.size()), 0);
    cairo_stroke(cr_);
}

void CairoCanvas::fill(const std::vector<Contour>& contours, const Fill& fill) {
    if (!drawing()) return;
    addPath(contours, true);
    cairo_set_fill_rule(cr_, fill.evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    if (cairo_pattern_t* tiles = tilePattern(fill)) {
        cairo_set_source(cr_, tiles);
        cairo_pattern_destroy(tiles);
    } else {
        setColour(cr_, fill.colour);
    }
    cairo_fill(cr_);
}

// Along the baseline in the run's own units: shown whole, or character by
// character when the run has letter spacing.
void CairoCanvas::showRun(const TextRun& run) {
    if (run.letterSpacing == 0) {
        cairo_move_to(cr_, 0, 0);
        cairo_show_text(cr_, run.text.c_str());
        return;
    }
    double x = 0;
    for (const std::string& one : characters(run.text)) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr_, one.c_str(), &extents);
        cairo_move_to(cr_, x, 0);
        cairo_show_text(cr_, one.c_str());
        x += extents.x_advance + run.letterSpacing;
    }
}

void CairoCanvas::text(const TextRun& run) {
    if (!drawing() || !(run.height > 0) || !(run.widthScale > 0) || run.text.empty()) return;
    cairo_save(cr_);
    cairo_translate(cr_, run.origin.x, run.origin.y);
    cairo_scale(cr_, 1, -1);
    cairo_rotate(cr_, -radians(run.angle));
    cairo_matrix_t slant;
    cairo_matrix_init(&slant, 1, 0, -std::tan(radians(run.oblique)), 1, 0, 0);
    cairo_transform(cr_, &slant);
    cairo_scale(cr_, run.widthScale, 1);
    cairo_select_font_face(cr_, run.family.empty() ? "sans-serif" : run.family.c_str(),
                           run.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           run.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr_, run.height);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, run.text.c_str(), &extents);
    const double natural = extents.x_advance + run.letterSpacing * double(characters(run.text).size());
    const double fit = run.length > 0 && natural > 0 ? run.length / run.widthScale / natural : 1;
    if (std::isfinite(fit) && fit > 0) cairo_scale(cr_, fit, 1);
    setColour(cr_, run.colour);
    showRun(run);
    if (run.underline) {
        cairo_rectangle(cr_, 0, kUnderlineDrop * run.height, natural, kUnderlineWeight * run.height);
        cairo_fill(cr_);
    }
    cairo_restore(cr_);
}

void CairoCanvas::image(const PageImage& image) {
    const double width = image.high.x - image.low.x;
    const double height = image.high.y - image.low.y;
    if (!drawing() || image.pixels == nullptr || !(width > 0) || !(height > 0) || image.pixels->width <= 0 ||
        image.pixels->height <= 0) {
        return;
    }
    cairo_surface_t* pixels = surfaceOf(*image.pixels);
    if (cairo_surface_status(pixels) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pixels);
        return;
    }
    // A JPEG goes into the PDF as it came, not as decoded pixels.
    if (target_ == Target::Pdf && image.encoded != nullptr && image.mime != nullptr &&
        std::strcmp(image.mime, "image/jpeg") == 0) {
        auto* copy = new std::vector<uint8_t>(*image.encoded);
        cairo_surface_set_mime_data(pixels, CAIRO_MIME_TYPE_JPEG, copy->data(), copy->size(),
                                    [](void* data) { delete static_cast<std::vector<uint8_t>*>(data); }, copy);
    }
    cairo_save(cr_);
    cairo_translate(cr_, image.low.x, image.high.y);
    cairo_scale(cr_, width / image.pixels->width, -height / image.pixels->height);
    cairo_set_source_surface(cr_, pixels, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cr_), image.sharp ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_rectangle(cr_, 0, 0, image.pixels->width, image.pixels->height);
    cairo_fill(cr_);
    cairo_restore(cr_);
    cairo_surface_destroy(pixels);
}

bool CairoCanvas::writePng(const std::string& path) {
    if (!drawing()) return false;
    cairo_surface_flush(surface_);
    const cairo_status_t status = cairo_surface_write_to_png(surface_, path.c_str());
    if (status == CAIRO_STATUS_SUCCESS) return true;
    fail(std::string("cannot write ") + path + ": " + cairo_status_to_string(status));
    return false;
}

bool CairoCanvas::finish() {
    if (surface_ == nullptr) return error_.empty();
    if (cr_ != nullptr) cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_finish(surface_);
    const cairo_status_t status = cairo_surface_status(surface_);
    if (status != CAIRO_STATUS_SUCCESS) failWith(status);
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    return error_.empty();
}

}  // namespace dwfplot_tool
