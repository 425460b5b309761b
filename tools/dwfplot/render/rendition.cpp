#include "dwfplot/render/rendition.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dwfplot/render/patterns.h"
#include "platform/unicode.h"
#include "w2d/ellipse.h"

namespace dwfplot_tool {
namespace {

constexpr double kTurnDegrees = 360.0 / WT_Ellipse::Full_Turn;
// Font width scale and spacing: 1024 is the face as designed.
constexpr double kNormalScale = 1024.0;
// The text position is the bottom of the line's box; the baseline sits a
// descent above it.
constexpr double kDescent = 0.2;
constexpr double kSteepestSlant = 80;

LineCap capOf(WT_Line_Style::WT_Capstyle_ID cap) {
    switch (cap) {
        case WT_Line_Style::Butt_Cap: return LineCap::Butt;
        case WT_Line_Style::Round_Cap: return LineCap::Round;
        default: return LineCap::Square;  // no canvas has a diamond cap; square comes closest
    }
}

LineJoin joinOf(WT_Line_Style::WT_Joinstyle_ID join) {
    switch (join) {
        case WT_Line_Style::Bevel_Join: return LineJoin::Bevel;
        case WT_Line_Style::Round_Join: return LineJoin::Round;
        default: return LineJoin::Miter;  // the diamond join is a mitre
    }
}

// The miter angle is the sharpest corner, in degrees, still drawn mitred;
// canvases take the same rule as a limit on mitre length / line width.
double miterLimitOf(uint16_t angle) {
    const double degrees = std::clamp<double>(angle, 1, 179);
    return 1 / std::sin(degrees * std::numbers::pi / 360);
}

std::vector<double> dashesOf(WT_Attribute_Set& attributes, double patternUnit) {
    const WT_Dash_Pattern& dash = attributes.dash_pattern();
    std::vector<double> lengths;
    if (dash.number() != WT_Dash_Pattern::Null_Id && !dash.lengths().empty()) {
        for (const int32_t length : dash.lengths()) lengths.push_back(std::abs(double(length)));
    } else {
        lengths = linePatternDashes(attributes.line_pattern().pattern_id());
    }
    double scale = attributes.line_style().pattern_scale();
    if (!std::isfinite(scale) || scale <= 0) scale = 1;
    double total = 0;
    for (double& length : lengths) total += length *= scale * patternUnit;
    if (!(total > 0) || !std::isfinite(total)) lengths.clear();
    return lengths;
}

}  // namespace

Colour colourOf(const WT_RGBA32& rgba) { return {rgba.m_red, rgba.m_green, rgba.m_blue, rgba.m_alpha}; }

std::string utf8Of(const WT_String& text) { return platform::utf16ToUtf8(text.unicode()); }

Stroke solidStrokeOf(WT_Attribute_Set& attributes) {
    const WT_Line_Style& style = attributes.line_style();
    Stroke stroke;
    stroke.colour = colourOf(attributes.color().rgba());
    stroke.width = std::max<int32_t>(attributes.line_weight().weight_value(), 0);
    stroke.cap = capOf(style.line_start_cap());
    stroke.join = joinOf(style.line_join());
    stroke.miterLimit = miterLimitOf(style.miter_angle());
    return stroke;
}

Stroke strokeOf(WT_Attribute_Set& attributes, double patternUnit) {
    Stroke stroke = solidStrokeOf(attributes);
    stroke.dashes = dashesOf(attributes, patternUnit);
    return stroke;
}

Fill fillOf(WT_Attribute_Set& attributes, double patternUnit, bool evenOdd) {
    Fill fill;
    fill.colour = colourOf(attributes.color().rgba());
    fill.evenOdd = evenOdd;
    const WT_Fill_Pattern& pattern = attributes.fill_pattern();
    FillTile tile;
    if (fillPatternTile(pattern.pattern_id(), tile)) {
        const double scale = std::isfinite(pattern.scale()) && pattern.scale() > 0 ? pattern.scale() : 1;
        fill.pattern = pattern.pattern_id();
        fill.cell = patternUnit * scale;
    }
    return fill;
}

TextRun textRunOf(const WT_Text& text, WT_Attribute_Set& attributes) {
    const WT_Font& font = attributes.font();
    TextRun run;
    run.text = utf8Of(text.string());
    run.family = utf8Of(font.name());
    // The font height may be a bare truncated number; the bounds, when the
    // producer measured them, tell the real size of the line and its length.
    run.height = std::max<int32_t>(font.height(), 1);
    if (const auto& bounds = text.bounds()) {
        const auto& b = *bounds;
        const double across = std::hypot(double(b[3].m_x) - b[0].m_x, double(b[3].m_y) - b[0].m_y);
        if (across >= 1) run.height = across;
        run.length = std::hypot(double(b[1].m_x) - b[0].m_x, double(b[1].m_y) - b[0].m_y);
    }
    run.angle = font.rotation() * kTurnDegrees;
    run.widthScale = font.width_scale() > 0 ? font.width_scale() / kNormalScale : 1;
    // Past half a turn the slant leans back; beyond 80 degrees it is no longer a slant.
    const int oblique = font.oblique() > WT_Ellipse::Full_Turn / 2 ? font.oblique() - int(WT_Ellipse::Full_Turn) : font.oblique();
    run.oblique = std::clamp(oblique * kTurnDegrees, -kSteepestSlant, kSteepestSlant);
    run.letterSpacing = (font.spacing() / kNormalScale - 1) * run.height;
    run.bold = font.bold();
    run.italic = font.italic();
    run.underline = font.underlined() || !text.underscore().empty();
    run.colour = colourOf(attributes.color().rgba());
    const double radians = run.angle * std::numbers::pi / 180;
    const double rise = kDescent * run.height;
    run.origin = {text.position().m_x - rise * std::sin(radians), text.position().m_y + rise * std::cos(radians)};
    return run;
}

std::string layerNameOf(WT_Attribute_Set& attributes) {
    const WT_Layer& layer = attributes.layer();
    const std::string name = utf8Of(layer.layer_name());
    if (!name.empty() || layer.layer_num() == 0) return name;
    return "layer " + std::to_string(layer.layer_num());
}

std::string linkOf(WT_Attribute_Set& attributes) {
    const auto& items = attributes.url().items();
    return items.empty() ? std::string() : utf8Of(items.front().m_address);
}

}  // namespace dwfplot_tool
