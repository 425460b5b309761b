// The rendition attributes in force, read as the canvas's stroke, fill and
// text: what each attribute means on paper.
#ifndef DWFPLOT_TOOL_RENDER_RENDITION_H
#define DWFPLOT_TOOL_RENDER_RENDITION_H

#include <string>

#include "dwfplot/render/canvas.h"
#include "w2d/attribute_set.h"
#include "w2d/text.h"

namespace dwfplot_tool {

Colour colourOf(const WT_RGBA32& rgba);

// `patternUnit` is the length of one pattern unit in logical units.
Stroke strokeOf(WT_Attribute_Set& attributes, double patternUnit);
// Markers and image frames are drawn solid whatever line pattern is in force.
Stroke solidStrokeOf(WT_Attribute_Set& attributes);
Fill fillOf(WT_Attribute_Set& attributes, double patternUnit, bool evenOdd);
TextRun textRunOf(const WT_Text& text, WT_Attribute_Set& attributes);

// The layer's name, or "layer N" for an unnamed layer other than 0; empty
// for the default layer.
std::string layerNameOf(WT_Attribute_Set& attributes);
// The first address of the URL in force; empty for none.
std::string linkOf(WT_Attribute_Set& attributes);

std::string utf8Of(const WT_String& text);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_RENDITION_H
