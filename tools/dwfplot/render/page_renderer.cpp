#include "dwfplot/render/page_renderer.h"

#include <algorithm>

#include "dwfplot/render/bounds_canvas.h"
#include "dwfplot/render/patterns.h"
#include "dwfplot/render/raster.h"
#include "dwfplot/render/rendition.h"
#include "dwfplot/render/shapes.h"
#include "dwfplot/w2d_file.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/text.h"

namespace dwfplot_tool {
namespace {

// Curves are drawn as chords no further than this from the true curve.
constexpr double kToleranceMillimetres = 0.02;
// A marker of size 0 is drawn at this size.
constexpr double kDefaultMarkerMillimetres = 2;
constexpr Colour kPlaceholderGrey{128, 128, 128, 255};
// A placeholder's label is at most this share of the frame's height.
constexpr double kLabelShare = 0.1;
// Image pixels larger than this on paper are drawn as squares.
constexpr double kSharpPixelMillimetres = 25.4 / 96;

std::vector<Contour> rectangle(const CanvasPoint& low, const CanvasPoint& high) {
    return {{low, {high.x, low.y}, high, {low.x, high.y}}};
}

}  // namespace

PageFrame frameOf(const Bounds& bounds) {
    PageFrame frame;
    frame.minX = bounds.minX;
    frame.minY = bounds.minY;
    frame.maxX = std::max(bounds.maxX, bounds.minX + 1);
    frame.maxY = std::max(bounds.maxY, bounds.minY + 1);
    frame.widthMm = frame.width() / kUnitsPerMillimetre;
    frame.heightMm = frame.height() / kUnitsPerMillimetre;
    return frame;
}

PageFrame paperFrame(double widthMm, double heightMm, double unitsPerMillimetre) {
    PageFrame frame;
    frame.maxX = widthMm * unitsPerMillimetre;
    frame.maxY = heightMm * unitsPerMillimetre;
    frame.widthMm = widthMm;
    frame.heightMm = heightMm;
    return frame;
}

double PageRenderer::tolerance() const { return std::max(0.5, kToleranceMillimetres * unitsPerMillimetre()); }

double PageRenderer::patternUnit() const { return kPatternUnitMillimetres * unitsPerMillimetre(); }

WT_Result::Enum PageRenderer::render(const std::string& path, const RenderProgress& progress) {
    path_ = path;
    W2dFile input(path);
    const WT_Result::Enum result = drawAll(input, progress);
    if (result != WT_Result::Success) failure_ = input.stream().failure();
    return result;
}

WT_Result::Enum PageRenderer::drawAll(W2dFile& input, const RenderProgress& progress) {
    WT_CHECK(input.open());
    const uint64_t total = progress.total == 0 ? input.size() : progress.total;
    for (;;) {
        const WT_Result::Enum result = input.next();
        if (progress.bar != nullptr) progress.bar->update(progress.before + input.position(), total);
        if (result == WT_Result::End_Of_Stream) break;
        WT_CHECK(result);
        if (const WT_Object* object = input.stream().current_object()) draw(*object, input.stream().current_attributes());
    }
    if (!begun_) beginPage(input.stream().current_attributes());
    canvas_.endPage();
    return WT_Result::Success;
}

PageFrame PageRenderer::measure() {
    BoundsCanvas bounds;
    PageRenderer measuring(bounds, frameOf(Bounds()));
    const WT_Result::Enum result = measuring.render(path_);
    if (result != WT_Result::Success) {
        failure_ = measuring.failure();
        throw result;
    }
    return frameOf(bounds.bounds());
}

void PageRenderer::beginPage(WT_Attribute_Set& attributes) {
    begun_ = true;
    if (!fixedFrame_) {
        Bounds viewport;
        viewport.include(contoursOf(attributes.viewport().contour_set()));
        frame_ = viewport.empty ? measure() : frameOf(viewport);
    }
    canvas_.beginPage(frame_);
}

// Clip, layer and link follow the attributes in force, changed only when
// they change: the attributes are compared as read, and only a change is
// turned into what the canvas takes.
void PageRenderer::follow(WT_Attribute_Set& attributes) {
    const WT_Viewport& viewport = attributes.viewport();
    if (!viewport_ || !(*viewport_ == viewport)) {
        viewport_ = viewport;
        canvas_.setClip(contoursOf(viewport.contour_set()));
    }
    if (!(layer_ == attributes.layer())) {
        layer_ = attributes.layer();
        std::string name = layerNameOf(attributes);
        if (name != layerName_) canvas_.setLayer(layerName_ = std::move(name));
    }
    if (!(url_ == attributes.url())) {
        url_ = attributes.url();
        std::string link = linkOf(attributes);
        if (link != link_) canvas_.setLink(link_ = std::move(link));
    }
}

void PageRenderer::draw(const WT_Object& object, WT_Attribute_Set& attributes) {
    if (object.object_type() != WT_Object::Drawable || object.object_id() == WT_Object::UserData_ID) return;
    if (!attributes.visibility().visible()) return;
    if (!begun_) beginPage(attributes);
    follow(attributes);
    switch (object.object_id()) {
        case WT_Object::Polyline_ID:
            canvas_.stroke({contourOf(static_cast<const WT_Polyline&>(object).points())}, false,
                           strokeOf(attributes, patternUnit()));
            break;
        case WT_Object::Polygon_ID:
            canvas_.fill({contourOf(static_cast<const WT_Polygon&>(object).points())}, fillOf(attributes, patternUnit(), true));
            break;
        case WT_Object::Contour_Set_ID:
            canvas_.fill(contoursOf(static_cast<const WT_Contour_Set&>(object)), fillOf(attributes, patternUnit(), true));
            break;
        case WT_Object::Filled_Ellipse_ID:
            canvas_.fill({ellipseOutline(static_cast<const WT_Ellipse&>(object), true, tolerance())},
                         fillOf(attributes, patternUnit(), false));
            break;
        case WT_Object::Outline_Ellipse_ID: {
            const auto& ellipse = static_cast<const WT_Ellipse&>(object);
            canvas_.stroke({ellipseOutline(ellipse, false, tolerance())}, ellipse.is_full(), strokeOf(attributes, patternUnit()));
            break;
        }
        case WT_Object::Polymarker_ID: polymarker(static_cast<const WT_Polymarker&>(object).points(), attributes); break;
        case WT_Object::Polytriangle_ID:
            canvas_.fill(stripTriangles(static_cast<const WT_Polytriangle&>(object).points()),
                         fillOf(attributes, patternUnit(), false));
            break;
        case WT_Object::Text_ID: canvas_.text(textRunOf(static_cast<const WT_Text&>(object), attributes)); break;
        case WT_Object::Image_ID:
        case WT_Object::PNG_Group4_Image_ID: image(static_cast<const WT_Image&>(object), attributes); break;
        default: break;
    }
}

void PageRenderer::polymarker(const std::vector<WT_Logical_Point>& points, WT_Attribute_Set& attributes) {
    const int32_t symbol = attributes.marker_symbol().symbol();
    const int32_t size = attributes.marker_size().size();
    const double drawnSize = size > 0 ? size : kDefaultMarkerMillimetres * unitsPerMillimetre();
    const Stroke stroke = solidStrokeOf(attributes);
    Fill disc;
    disc.colour = stroke.colour;
    for (const WT_Logical_Point& p : points) {
        const MarkerShape shape = markerShape(symbol, drawnSize, pointOf(p), tolerance());
        if (!shape.strokes.empty()) canvas_.stroke(shape.strokes, false, stroke);
        if (!shape.outlines.empty()) canvas_.stroke(shape.outlines, true, stroke);
        if (!shape.discs.empty()) canvas_.fill(shape.discs, disc);
    }
}

void PageRenderer::image(const WT_Image& image, WT_Attribute_Set& attributes) {
    const WT_Logical_Point& a = image.min_corner();
    const WT_Logical_Point& b = image.max_corner();
    const CanvasPoint low{double(std::min(a.m_x, b.m_x)), double(std::min(a.m_y, b.m_y))};
    const CanvasPoint high{double(std::max(a.m_x, b.m_x)), double(std::max(a.m_y, b.m_y))};
    Raster raster;
    std::string why;
    switch (decodeRaster(image, attributes.color_map(), raster, why)) {
        case RasterStatus::Decoded: {
            PageImage placed{low, high, &raster};
            const double pixelWidth = (high.x - low.x) / raster.width / unitsPerMillimetre();
            const double pixelHeight = (high.y - low.y) / raster.height / unitsPerMillimetre();
            placed.sharp = std::max(pixelWidth, pixelHeight) > kSharpPixelMillimetres;
            if (image.format() == WT_Image::PNG || image.format() == WT_Image::JPEG) {
                placed.encoded = &image.data();
                placed.mime = image.format() == WT_Image::PNG ? "image/png" : "image/jpeg";
            }
            canvas_.image(placed);
            return;
        }
        case RasterStatus::Undecodable:
            placeholder(low, high, std::string(WT_Image::format_name(image.format())) + " image, " +
                                       std::to_string(image.columns()) + " x " + std::to_string(image.rows()) + " pixels");
            return;
        case RasterStatus::Broken: placeholder(low, high, "image not drawn: " + why); return;
    }
}

// A frame where an image could not be drawn, with a label that says why.
void PageRenderer::placeholder(const CanvasPoint& low, const CanvasPoint& high, const std::string& label) {
    Stroke frame;
    frame.colour = kPlaceholderGrey;
    canvas_.stroke(rectangle(low, high), true, frame);
    TextRun run;
    run.text = label;
    run.family = "sans-serif";
    run.colour = kPlaceholderGrey;
    const double width = high.x - low.x;
    const double height = high.y - low.y;
    run.height = std::min(kLabelShare * height, width / (kCharacterWidth * double(std::max<size_t>(label.size(), 1))));
    if (!(run.height > 0)) return;
    run.origin = {low.x + run.height / 2, low.y + height / 2};
    canvas_.text(run);
}

}  // namespace dwfplot_tool
