// One page drawn as SVG from the objects of its W2D stream, with the
// rendition attributes the stream has in force when each drawable comes.
// Geometry stays in logical units inside a group that turns the y axis up.
#ifndef DWFPLOT_TOOL_SVG_PAGE_H
#define DWFPLOT_TOOL_SVG_PAGE_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "w2d/attribute_set.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/image.h"
#include "w2d/logical_point.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/text.h"
#include "w2d/viewport.h"

namespace dwfplot_tool {

class SvgPage {
public:
    // Draws `object` when it is a drawable; `attributes` are those in force.
    void draw(const WT_Object& object, WT_Attribute_Set& attributes);
    // The whole document. An empty page is a 1 by 1 unit white sheet.
    std::string document() const;

    int drawn() const { return drawn_; }

private:
    void polyline(const WT_Polyline& line, WT_Attribute_Set& attributes);
    void polygon(const WT_Polygon& polygon, WT_Attribute_Set& attributes);
    void contourSet(const WT_Contour_Set& contours, WT_Attribute_Set& attributes);
    void ellipse(const WT_Ellipse& ellipse, bool filled, WT_Attribute_Set& attributes);
    void text(const WT_Text& text, WT_Attribute_Set& attributes);
    void image(const WT_Image& image);

    // Opens a clipped group when the viewport in force differs from the
    // one of the open group.
    void useViewport(WT_Attribute_Set& attributes);
    void include(const WT_Logical_Point& point);
    void include(double x, double y);
    std::string strokeStyle(WT_Attribute_Set& attributes);
    std::string fillStyle(WT_Attribute_Set& attributes);
    std::string pointList(const std::vector<WT_Logical_Point>& points);

    std::string body_;
    std::string definitions_;
    std::optional<WT_Viewport> viewport_;
    bool clipOpen_ = false;
    int clips_ = 0;
    int drawn_ = 0;
    bool haveBounds_ = false;
    double minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
    bool haveViewportBounds_ = false;
    double vpMinX_ = 0, vpMinY_ = 0, vpMaxX_ = 0, vpMaxY_ = 0;
};

// Text as XML character data or attribute value: markup characters
// escaped, characters XML cannot hold replaced by U+FFFD.
std::string xmlText(const std::u16string& text);
std::string xmlText(const std::string& utf8);
// A coordinate or length: at most three decimals, no trailing zeros.
std::string svgNumber(double value);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_SVG_PAGE_H
