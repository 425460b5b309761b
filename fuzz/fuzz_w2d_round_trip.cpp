// What the W2D writer writes, its reader gives back. The fuzz bytes decode
// into a sequence of objects with arbitrary fields (w2d_round_trip_input.h):
// every drawable, attribute and structural or metadata record the library
// can build. The sequence is written twice into memory, once binary and once
// ASCII, with drawable merging off, and each stream is read back with
// process_next_object.
//
// Every object written successfully must come back equal, in order. The
// write discipline may put objects of its own in front of an object:
//   - before a drawable: the attributes of the drawable's mask (the fill it
//     forces, above all), the drawing-information records and set-origin
//     opcodes;
//   - before a colour: the colour map it was added to;
//   - before a font: its font extension.
// Such objects are passed over when they stand where the discipline can put
// them, and nowhere else; an expected object that never comes is a failure.
// A write that fails ends the sequence (the writer refused the object); the
// objects before it must still come back. A read that fails before the
// trailer, after a write that succeeded, is a failure too.
//
// Objects are compared field by field through their getters; the report
// names the stream, the object's position in the sequence, its kind and the
// first field that differs. Where a form cannot carry a field the
// comparison says so (ellipse angles, the colour map of images that use
// none, a colour's mapping mode, the sign of a zero); a plot-optimised
// record that says "no" writes nothing and is owed nothing. No class needs a
// serialised comparison: every field has a getter.
#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "fuzz_workspace.h"
#include "w2d/attribute_set.h"
#include "w2d/block_record.h"
#include "w2d/contour_set.h"
#include "w2d/drawing_records.h"
#include "w2d/ellipse.h"
#include "w2d/group.h"
#include "w2d/image.h"
#include "w2d/metadata.h"
#include "w2d/origin.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/stream.h"
#include "w2d/text.h"
#include "w2d/user_data.h"
#include "w2d/view.h"
#include "w2d_memory_stream.h"
#include "w2d_round_trip_input.h"

namespace {

using fuzz::FuzzInput;
using fuzz::W2dFamily;
using Object = std::unique_ptr<WT_Object>;
using Points = std::vector<WT_Logical_Point>;
using Bits = WT_Attribute_Set::WT_Attribute_Bit;

// Enough for every kind to meet every other; more only slows the run.
constexpr size_t Maximum_Objects = 64;

template <class T>
const T& as(const WT_Object& object) {
    return static_cast<const T&>(object);
}

// ============================================================================
// Generators: one per family. They remember what a careful writer would
// know of the stream so far, so that indexed colours, views by name, layers
// named before and relative object nodes can be asked for in earnest.
// ============================================================================

struct History {
    WT_Color_Map color_map;  // the last map written (the default one at first)
    std::vector<WT_Named_View> named_views;
    std::vector<WT_Layer> layers;
    int32_t object_node = 0;
};

// Braces, so that the channels are read in order.
WT_RGBA32 rgba(FuzzInput& in) { return WT_RGBA32{in.byte(), in.byte(), in.byte(), in.byte()}; }

// Mostly 1 to 8 colours; sometimes a full map, and the sizes no map may have.
std::vector<WT_RGBA32> colors(FuzzInput& in) {
    static constexpr size_t Sizes[] = {0, 1, 2, 16, 255, 256, 257};
    const uint8_t choice = in.byte();
    const size_t size = choice < 224 ? choice % 8 + 1 : Sizes[choice % std::size(Sizes)];
    std::vector<WT_RGBA32> result(size);
    for (WT_RGBA32& color : result) color = rgba(in);
    return result;
}

WT_Logical_Box box(FuzzInput& in) { return {in.point(), in.point()}; }

Object point_set(FuzzInput& in) {
    const unsigned kind = in.below(4);
    Points points = in.points(in.count());
    switch (kind) {
        case 0: return std::make_unique<WT_Polyline>(std::move(points));
        case 1: return std::make_unique<WT_Polygon>(std::move(points));
        case 2: return std::make_unique<WT_Polymarker>(std::move(points));
        default: return std::make_unique<WT_Polytriangle>(std::move(points));
    }
}

WT_Contour_Set contour_set(FuzzInput& in) {
    const uint32_t contours = in.count();
    std::vector<int32_t> counts;
    uint64_t total = 0;
    for (uint32_t index = 0; index < contours && total < in.budget(); ++index) {
        // A contour needs a point; an empty one is asked for on purpose below.
        const uint32_t count = std::max<uint32_t>(in.count(), 1);
        counts.push_back(static_cast<int32_t>(std::min<uint64_t>(count, in.budget() - total)));
        total += static_cast<uint64_t>(counts.back());
    }
    Points points = in.points(static_cast<uint32_t>(total));
    // Counts that do not add up to the points: the writer must refuse them.
    if (in.below(32) == 0 && !counts.empty()) counts.back() += in.flag() ? 1 : -counts.back();
    return WT_Contour_Set(std::move(counts), std::move(points));
}

// Ends within a turn, equal to the start (a full figure), a full turn, and
// beyond a turn.
uint32_t ellipse_end(FuzzInput& in, uint16_t start) {
    switch (in.below(6)) {
        case 0: return WT_Ellipse::Full_Turn;
        case 1: return start;
        case 2: return 0;
        case 3: return uint32_t{start} + WT_Ellipse::Full_Turn;
        case 4: return in.raw<uint16_t>();
        default: return static_cast<uint32_t>(in.integer());
    }
}

Object ellipse(FuzzInput& in) {
    const bool filled = in.flag();
    const WT_Logical_Point centre = in.point();
    const auto major = static_cast<uint32_t>(in.integer());
    const uint32_t minor = in.flag() ? major : static_cast<uint32_t>(in.integer());
    const uint16_t start = in.flag() ? 0 : in.raw<uint16_t>();
    const uint32_t end = ellipse_end(in, start);
    const uint16_t tilt = in.flag() ? 0 : in.raw<uint16_t>();
    if (filled) return std::make_unique<WT_Filled_Ellipse>(centre, major, minor, start, end, tilt);
    return std::make_unique<WT_Outline_Ellipse>(centre, major, minor, start, end, tilt);
}

Object text(FuzzInput& in) {
    const WT_Logical_Point position = in.point();
    auto text = std::make_unique<WT_Text>(position, in.string());
    const uint8_t options = in.byte();
    if (options & 1) text->set_overscore(in.values());
    if (options & 2) text->set_underscore(in.values());
    if (options & 4) text->set_bounds(WT_Text::WT_Bounds{in.point(), in.point(), in.point(), in.point()});
    if (options & 8) text->set_char_positions(in.values());
    return text;
}

// Every format, now and then one that does not exist, and now and then in
// the class that does not carry it.
Object image(FuzzInput& in) {
    static constexpr uint16_t Formats[] = {2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 0, 1, 10, 11, 14, 0xFFFF};
    const uint8_t choice = in.byte();
    const uint16_t format = Formats[choice < 240 ? choice % 10 : 10 + choice % 6];
    const bool png_class = (format == 9 || format == 12 || format == 13) != (in.below(32) == 0);
    const auto rows = in.raw<uint16_t>();
    const auto columns = in.raw<uint16_t>();
    const auto identifier = in.raw<uint32_t>();
    std::optional<WT_Color_Map> map;
    if (in.flag()) map = WT_Color_Map(colors(in));
    std::vector<uint8_t> data = in.bytes();
    const WT_Logical_Point low = in.point();
    const WT_Logical_Point high = in.point();
    if (png_class)
        return std::make_unique<WT_PNG_Group4_Image>(rows, columns, format, identifier, std::move(map),
                                                     std::move(data), low, high);
    return std::make_unique<WT_Image>(rows, columns, format, identifier, std::move(map), std::move(data), low, high);
}

Object user_data(FuzzInput& in) {
    const WT_String description = in.string();
    return std::make_unique<WT_UserData>(description, in.bytes());
}

// An index of `map`, now and then one past it (an empty map has none).
int color_index(FuzzInput& in, const WT_Color_Map& map) {
    if (in.below(16) == 0 || map.size() == 0) return in.flag() ? -1 : map.size();
    return static_cast<int>(in.raw<uint16_t>() % map.size());
}

Object color(FuzzInput& in, const History& history) {
    switch (in.below(4)) {
        case 0: return std::make_unique<WT_Color>(rgba(in));
        case 1: {
            const auto mode = in.flag() ? WT_Color::Search_Map : WT_Color::Search_Map_Or_Add;
            return std::make_unique<WT_Color>(rgba(in), mode);
        }
        case 2: return std::make_unique<WT_Color>(color_index(in, history.color_map), history.color_map);
        default: {
            // An entry of a map that is not the one in force.
            const WT_Color_Map other(colors(in));
            return std::make_unique<WT_Color>(color_index(in, other), other);
        }
    }
}

Object color_map(FuzzInput& in, History& history) {
    auto map = std::make_unique<WT_Color_Map>(colors(in));
    history.color_map = *map;
    return map;
}

Object switch_attribute(FuzzInput& in) {
    if (in.flag()) return std::make_unique<WT_Fill>(in.flag());
    return std::make_unique<WT_Visibility>(in.flag());
}

template <class Enum>
Enum pick(FuzzInput& in, unsigned count) {
    return static_cast<Enum>(in.below(count));
}

Object line_style(FuzzInput& in) {
    using Style = WT_Line_Style;
    auto style = std::make_unique<Style>();
    const auto options = in.raw<uint16_t>();
    if (options & 0x001) style->set_adapt_patterns(in.flag());
    if (options & 0x002) style->set_pattern_scale(in.real());
    if (options & 0x004) style->set_line_join(pick<Style::WT_Joinstyle_ID>(in, 4));
    if (options & 0x008) style->set_dash_start_cap(pick<Style::WT_Capstyle_ID>(in, 4));
    if (options & 0x010) style->set_dash_end_cap(pick<Style::WT_Capstyle_ID>(in, 4));
    if (options & 0x020) style->set_line_start_cap(pick<Style::WT_Capstyle_ID>(in, 4));
    if (options & 0x040) style->set_line_end_cap(pick<Style::WT_Capstyle_ID>(in, 4));
    if (options & 0x080) style->set_miter_angle(in.raw<uint16_t>());
    if (options & 0x100) style->set_miter_length(in.raw<uint16_t>());
    return style;
}

Object font(FuzzInput& in) {
    auto font = std::make_unique<WT_Font>();
    const auto values = in.raw<uint16_t>();
    if (values & WT_Font::Name_Bit) font->set_name(in.string());
    if (values & WT_Font::Charset_Bit) font->set_charset(in.byte());
    if (values & WT_Font::Pitch_Bit) font->set_pitch(in.byte());
    if (values & WT_Font::Family_Bit) font->set_family(in.byte());
    if (values & WT_Font::Style_Bit) font->set_style(in.byte());
    if (values & WT_Font::Height_Bit) font->set_height(in.integer());
    if (values & WT_Font::Rotation_Bit) font->set_rotation(in.raw<uint16_t>());
    if (values & WT_Font::Width_Scale_Bit) font->set_width_scale(in.raw<uint16_t>());
    if (values & WT_Font::Spacing_Bit) font->set_spacing(in.raw<uint16_t>());
    if (values & WT_Font::Oblique_Bit) font->set_oblique(in.raw<uint16_t>());
    if (values & WT_Font::Flags_Bit) font->set_flags(in.integer());
    // The fields the opcode carries: all of them, or a choice.
    if (in.flag()) font->set_fields(in.raw<uint16_t>());
    return font;
}

WT_Units units_value(FuzzInput& in) {
    WT_Units::WT_Matrix matrix = WT_Units().transform();
    const auto changed = in.raw<uint16_t>();
    for (size_t index = 0; index < matrix.size(); ++index)
        if (changed & (1u << index)) matrix[index] = in.real();
    const WT_String name = in.string();
    return WT_Units(name, matrix);
}

Object viewport(FuzzInput& in) {
    const WT_String name = in.string();
    const WT_Contour_Set contours = in.flag() ? WT_Contour_Set() : contour_set(in);
    if (in.flag()) return std::make_unique<WT_Viewport>(name, contours);
    return std::make_unique<WT_Viewport>(name, contours, units_value(in));
}

// A new layer, or one named before (which a binary stream may then give by
// number alone), or a number named before with another name.
Object layer(FuzzInput& in, History& history) {
    WT_Layer layer;
    const unsigned choice = in.below(3);
    if (choice == 0 || history.layers.empty()) {
        const int32_t number = in.integer();
        layer = WT_Layer(number, in.string());
    } else {
        const WT_Layer& before = history.layers[in.byte() % history.layers.size()];
        layer = choice == 1 ? before : WT_Layer(before.layer_num(), in.string());
    }
    if (history.layers.size() < 16) history.layers.push_back(layer);
    return std::make_unique<WT_Layer>(layer);
}

Object marker(FuzzInput& in) {
    if (in.flag()) return std::make_unique<WT_Marker_Size>(in.integer());
    return std::make_unique<WT_Marker_Symbol>(in.integer());
}

Object dash_pattern(FuzzInput& in) {
    const int32_t id = in.integer();
    const uint32_t count = in.count();
    std::vector<int32_t> lengths(in.take(count > 0 ? count - 1 : 0));
    for (int32_t& length : lengths) length = in.integer();
    return std::make_unique<WT_Dash_Pattern>(id, std::move(lengths));
}

Object fill_pattern(FuzzInput& in) {
    // Values past the named ones stay inside the enumeration's range.
    const auto id = pick<WT_Fill_Pattern::WT_Pattern_ID>(in, 16);
    return std::make_unique<WT_Fill_Pattern>(id, in.flag() ? 1.0 : in.real());
}

Object url(FuzzInput& in) {
    std::vector<WT_URL_Item> items(in.below(8) == 0 ? in.take(in.count()) : in.below(4));
    for (WT_URL_Item& item : items) {
        item.m_index = in.integer();
        item.m_address = in.string();
        item.m_friendly_name = in.string();
    }
    return std::make_unique<WT_URL>(std::move(items));
}

Object font_extension(FuzzInput& in) {
    const WT_String logical = in.string();
    return std::make_unique<WT_Font_Extension>(logical, in.string());
}

// Numbers next to the node before, so that the relative binary forms are
// used, or anywhere.
Object object_node(FuzzInput& in, History& history) {
    int32_t number = in.integer();
    switch (in.below(3)) {
        case 0: number = wt_wrapping_add(history.object_node, 1); break;
        case 1: number = wt_wrapping_add(history.object_node, in.raw<int16_t>()); break;
        default: break;
    }
    history.object_node = number;
    return std::make_unique<WT_Object_Node>(number, in.flag() ? WT_String() : in.string());
}

Object metadata(FuzzInput& in) {
    const auto keyword = pick<WT_Metadata::WT_Keyword>(in, WT_Metadata::Keyword_Count);
    if (keyword < WT_Metadata::Created) return std::make_unique<WT_Metadata>(keyword, in.string());
    const int32_t seconds = in.integer();
    const WT_String time = in.string();
    return std::make_unique<WT_Metadata>(keyword, seconds, time, in.string());
}

// A view by name names one defined before in the stream; its box is that
// of the latest definition of the name, which is what a reader finds.
Object view(FuzzInput& in, History& history) {
    switch (in.below(3)) {
        case 0: {
            const WT_Logical_Box corners = box(in);
            history.named_views.emplace_back(corners, in.string());
            return std::make_unique<WT_Named_View>(history.named_views.back());
        }
        case 1: return std::make_unique<WT_View>(box(in));
        default: {
            if (history.named_views.empty()) return std::make_unique<WT_View>(box(in));
            const WT_String name = history.named_views[in.byte() % history.named_views.size()].name();
            const auto latest = std::find_if(history.named_views.rbegin(), history.named_views.rend(),
                                             [&](const WT_Named_View& named) { return named.name() == name; });
            return std::make_unique<WT_View>(*latest);
        }
    }
}

Object drawing_record(FuzzInput& in) {
    switch (in.below(6)) {
        case 0: return std::make_unique<WT_Background>(rgba(in));
        case 1: return std::make_unique<WT_Plot_Optimized>(in.flag());
        case 2: {
            const WT_Inked_Area::WT_Corners corners{in.point(), in.point(), in.point(), in.point()};
            return std::make_unique<WT_Inked_Area>(corners);
        }
        case 3: {
            WT_Pen_Pattern_Options::WT_Flags flags{};
            for (bool& flag : flags) flag = in.flag();
            return std::make_unique<WT_Pen_Pattern_Options>(flags);
        }
        case 4: return std::make_unique<WT_Projection>(pick<WT_Projection::WT_Kind>(in, 3));
        default: {
            const bool show = in.flag();
            const int32_t rotation = in.integer();
            const auto units = pick<WT_Plot_Info::WT_Paper_Units>(in, 2);
            std::array<double, 6> values{};
            for (double& value : values) value = in.real();
            return std::make_unique<WT_Plot_Info>(show, rotation, units, values);
        }
    }
}

Object group(FuzzInput& in) {
    if (in.flag()) return std::make_unique<WT_Group>(in.string());
    return std::make_unique<WT_Group>();
}

// The records a writer can compose: the named ones (with a value of their
// table, now and then another), GUIDs and passwords (now and then of the
// wrong size). Now and then one of the kinds that are only ever kept from a
// stream read, which the writer must refuse.
Object block_record(FuzzInput& in) {
    using Record = WT_Block_Record;
    const uint8_t choice = in.byte();
    const auto kind = static_cast<Record::WT_Kind>(choice < 248 ? choice % (Record::Password + 1)
                                                                 : choice % Record::Kind_Count);
    if (kind <= Record::Alignment) {
        const auto names = Record::names(kind);
        const uint16_t value =
            in.below(16) == 0 ? in.raw<uint16_t>() : Record::value_at(kind, in.byte() % names.size());
        return std::make_unique<Record>(Record::named(kind, value));
    }
    size_t size = kind == Record::Guid ? Record::Guid_Size : Record::Password_Size;
    if (in.below(16) == 0 || kind > Record::Password) size = in.below(40);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(in.byte());
    return std::make_unique<Record>(Record::with_bytes(kind, bytes));
}

template <class T>
Object copy_of(const WT_Object& object) {
    return std::make_unique<T>(as<T>(object));
}

Object clone(const WT_Object& object) {
    switch (object.object_id()) {
        case WT_Object::Polyline_ID: return copy_of<WT_Polyline>(object);
        case WT_Object::Polygon_ID: return copy_of<WT_Polygon>(object);
        case WT_Object::Polymarker_ID: return copy_of<WT_Polymarker>(object);
        case WT_Object::Polytriangle_ID: return copy_of<WT_Polytriangle>(object);
        case WT_Object::Contour_Set_ID: return copy_of<WT_Contour_Set>(object);
        case WT_Object::Filled_Ellipse_ID: return copy_of<WT_Filled_Ellipse>(object);
        case WT_Object::Outline_Ellipse_ID: return copy_of<WT_Outline_Ellipse>(object);
        case WT_Object::Text_ID: return copy_of<WT_Text>(object);
        case WT_Object::Image_ID: return copy_of<WT_Image>(object);
        case WT_Object::PNG_Group4_Image_ID: return copy_of<WT_PNG_Group4_Image>(object);
        case WT_Object::UserData_ID: return copy_of<WT_UserData>(object);
        case WT_Object::Color_ID: return copy_of<WT_Color>(object);
        case WT_Object::Color_Map_ID: return copy_of<WT_Color_Map>(object);
        case WT_Object::Fill_ID: return copy_of<WT_Fill>(object);
        case WT_Object::Visibility_ID: return copy_of<WT_Visibility>(object);
        case WT_Object::Line_Weight_ID: return copy_of<WT_Line_Weight>(object);
        case WT_Object::Line_Style_ID: return copy_of<WT_Line_Style>(object);
        case WT_Object::Font_ID: return copy_of<WT_Font>(object);
        case WT_Object::Viewport_ID: return copy_of<WT_Viewport>(object);
        case WT_Object::Layer_ID: return copy_of<WT_Layer>(object);
        case WT_Object::Code_Page_ID: return copy_of<WT_Code_Page>(object);
        case WT_Object::Marker_Size_ID: return copy_of<WT_Marker_Size>(object);
        case WT_Object::Marker_Symbol_ID: return copy_of<WT_Marker_Symbol>(object);
        case WT_Object::Line_Pattern_ID: return copy_of<WT_Line_Pattern>(object);
        case WT_Object::Dash_Pattern_ID: return copy_of<WT_Dash_Pattern>(object);
        case WT_Object::Fill_Pattern_ID: return copy_of<WT_Fill_Pattern>(object);
        case WT_Object::Merge_Control_ID: return copy_of<WT_Merge_Control>(object);
        case WT_Object::URL_ID: return copy_of<WT_URL>(object);
        case WT_Object::Pen_Pattern_ID: return copy_of<WT_Pen_Pattern>(object);
        case WT_Object::Font_Extension_ID: return copy_of<WT_Font_Extension>(object);
        case WT_Object::Object_Node_ID: return copy_of<WT_Object_Node>(object);
        case WT_Object::Units_ID: return copy_of<WT_Units>(object);
        case WT_Object::Origin_ID: return copy_of<WT_Origin>(object);
        case WT_Object::Metadata_ID: return copy_of<WT_Metadata>(object);
        case WT_Object::Named_View_ID: return copy_of<WT_Named_View>(object);
        case WT_Object::View_ID: return copy_of<WT_View>(object);
        case WT_Object::Background_ID: return copy_of<WT_Background>(object);
        case WT_Object::Plot_Optimized_ID: return copy_of<WT_Plot_Optimized>(object);
        case WT_Object::Inked_Area_ID: return copy_of<WT_Inked_Area>(object);
        case WT_Object::Pen_Pattern_Options_ID: return copy_of<WT_Pen_Pattern_Options>(object);
        case WT_Object::Projection_ID: return copy_of<WT_Projection>(object);
        case WT_Object::Plot_Info_ID: return copy_of<WT_Plot_Info>(object);
        case WT_Object::Group_ID: return copy_of<WT_Group>(object);
        case WT_Object::Block_Structure_ID: return copy_of<WT_Block_Record>(object);
        default: return std::make_unique<WT_Group>();
    }
}

// The objects so far and the part of the input's budget each took.
struct Sequence {
    std::vector<Object> objects;
    std::vector<size_t> costs;
};

// The same object again: a colour map, a layer, a node or a viewport
// written twice must read back twice. A copy takes from the budget what its
// original took, so that copies cannot multiply a large object without end.
// A view by name takes the box of the name's latest definition, as its
// reader does.
Object repeat(FuzzInput& in, const Sequence& sequence, History& history) {
    if (sequence.objects.empty()) return std::make_unique<WT_Group>();
    const size_t index = in.byte() % sequence.objects.size();
    const size_t cost = sequence.costs[index];
    if (in.take(static_cast<uint32_t>(cost)) < cost) return std::make_unique<WT_Group>();
    Object copy = clone(*sequence.objects[index]);
    switch (copy->object_id()) {
        case WT_Object::Color_Map_ID: history.color_map = as<WT_Color_Map>(*copy); break;
        case WT_Object::Named_View_ID: history.named_views.push_back(as<WT_Named_View>(*copy)); break;
        case WT_Object::Object_Node_ID: history.object_node = as<WT_Object_Node>(*copy).object_node_num(); break;
        case WT_Object::View_ID: {
            const WT_String name = as<WT_View>(*copy).name();
            const auto latest = std::find_if(history.named_views.rbegin(), history.named_views.rend(),
                                             [&](const WT_Named_View& named) { return named.name() == name; });
            if (!name.empty() && latest != history.named_views.rend()) return std::make_unique<WT_View>(*latest);
            break;
        }
        default: break;
    }
    return copy;
}

Object next_object(FuzzInput& in, const Sequence& sequence, History& history) {
    switch (static_cast<W2dFamily>(in.byte() % static_cast<uint8_t>(W2dFamily::Count))) {
        case W2dFamily::Point_Set: return point_set(in);
        case W2dFamily::Contour_Set: return std::make_unique<WT_Contour_Set>(contour_set(in));
        case W2dFamily::Ellipse: return ellipse(in);
        case W2dFamily::Text: return text(in);
        case W2dFamily::Image: return image(in);
        case W2dFamily::User_Data: return user_data(in);
        case W2dFamily::Color: return color(in, history);
        case W2dFamily::Color_Map: return color_map(in, history);
        case W2dFamily::Switch: return switch_attribute(in);
        case W2dFamily::Line_Weight: return std::make_unique<WT_Line_Weight>(in.integer());
        case W2dFamily::Line_Style: return line_style(in);
        case W2dFamily::Font: return font(in);
        case W2dFamily::Viewport: return viewport(in);
        case W2dFamily::Layer: return layer(in, history);
        case W2dFamily::Code_Page: return std::make_unique<WT_Code_Page>(in.integer());
        case W2dFamily::Marker: return marker(in);
        case W2dFamily::Line_Pattern:
            return std::make_unique<WT_Line_Pattern>(pick<WT_Line_Pattern::WT_Pattern_ID>(in, 32));
        case W2dFamily::Dash_Pattern: return dash_pattern(in);
        case W2dFamily::Fill_Pattern: return fill_pattern(in);
        case W2dFamily::Merge_Control:
            return std::make_unique<WT_Merge_Control>(pick<WT_Merge_Control::WT_Merge_Format>(in, 4));
        case W2dFamily::URL: return url(in);
        case W2dFamily::Pen_Pattern: return std::make_unique<WT_Pen_Pattern>(in.raw<uint32_t>());
        case W2dFamily::Font_Extension: return font_extension(in);
        case W2dFamily::Object_Node: return object_node(in, history);
        case W2dFamily::Units: return std::make_unique<WT_Units>(units_value(in));
        case W2dFamily::Origin: return std::make_unique<WT_Origin>(in.point());
        case W2dFamily::Metadata: return metadata(in);
        case W2dFamily::View: return view(in, history);
        case W2dFamily::Drawing_Record: return drawing_record(in);
        case W2dFamily::Group: return group(in);
        case W2dFamily::Block_Record: return block_record(in);
        case W2dFamily::Repeat: return repeat(in, sequence, history);
        case W2dFamily::Count: break;
    }
    return std::make_unique<WT_Group>();
}

std::vector<Object> generate(FuzzInput& in) {
    Sequence sequence;
    History history;
    while (!in.exhausted() && sequence.objects.size() < Maximum_Objects) {
        const size_t before = in.budget();
        sequence.objects.push_back(next_object(in, sequence, history));
        sequence.costs.push_back(before - in.budget());
    }
    return std::move(sequence.objects);
}

// ============================================================================
// Comparison: one function per family, field by field through the getters.
// ============================================================================

std::string describe(int64_t value) { return std::to_string(value); }

std::string describe(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string describe(const WT_Logical_Point& point) {
    return "(" + std::to_string(point.m_x) + "," + std::to_string(point.m_y) + ")";
}

std::string describe(const WT_RGBA32& color) {
    return std::to_string(color.m_red) + "," + std::to_string(color.m_green) + "," + std::to_string(color.m_blue) +
           "," + std::to_string(color.m_alpha);
}

// Kind, length and the first characters, escaped.
std::string describe(const WT_String& string) {
    static constexpr const char* Kinds[] = {"none", "8-bit", "UTF-16"};
    std::string text = std::string(Kinds[string.kind()]) + " of " + std::to_string(string.length()) + " \"";
    const std::u16string units = string.unicode();
    for (size_t index = 0; index < units.size() && index < 40; ++index) {
        const char16_t unit = units[index];
        if (unit >= 0x20 && unit < 0x7F && unit != '\\') {
            text.push_back(static_cast<char>(unit));
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
            text += escape;
        }
    }
    return text + (units.size() > 40 ? "...\"" : "\"");
}

template <class T>
    requires std::is_integral_v<T> || std::is_enum_v<T>
std::string describe(T value) {
    return describe(static_cast<int64_t>(value));
}

template <class T>
bool same(const T& expected, const T& actual) {
    return expected == actual;
}

// Reals compare by value, as the library's own equality does: the ASCII form
// must give back the very double, but a zero may lose its sign (units equal
// to those in force are left out, and -0 equals 0).
bool same(double expected, double actual) { return expected == actual; }

// The first field that differs, for the report.
class Difference {
public:
    bool found() const { return !m_what.empty(); }
    const std::string& what() const { return m_what; }

    template <class T>
    void check(const char* field, const T& expected, const T& actual) {
        if (found() || same(expected, actual)) return;
        m_what = std::string(field) + ": written " + describe(expected) + ", read " + describe(actual);
    }

    // Lists name their size or the first element that differs.
    template <class T>
    void check_list(const char* field, std::span<const T> expected, std::span<const T> actual) {
        if (found()) return;
        if (expected.size() != actual.size()) {
            m_what = std::string(field) + ": written " + std::to_string(expected.size()) + " items, read " +
                     std::to_string(actual.size());
            return;
        }
        for (size_t index = 0; index < expected.size(); ++index) {
            if (same(expected[index], actual[index])) continue;
            const std::string item = std::string(field) + "[" + std::to_string(index) + "]";
            check(item.c_str(), expected[index], actual[index]);
            return;
        }
    }

    void note(const std::string& what) {
        if (!found()) m_what = what;
    }

private:
    std::string m_what;
};

template <class T>
std::span<const T> items(const std::vector<T>& list) {
    return list;
}

template <class T, size_t N>
std::span<const T> items(const std::array<T, N>& list) {
    return list;
}

void compare_point_set(const WT_Point_Set& expected, const WT_Point_Set& actual, Difference& d) {
    d.check_list("points", items(expected.points()), items(actual.points()));
}

void compare_contour_set(const WT_Contour_Set& expected, const WT_Contour_Set& actual, Difference& d) {
    d.check_list("counts", items(expected.counts()), items(actual.counts()));
    d.check_list("points", items(expected.points()), items(actual.points()));
}

// What an ellipse draws. A full figure has no angles worth keeping, a
// circle's tilt only turns its arc (the circle forms fold it into the
// angles), and the binary forms carry angles in 16 bits, so angles count
// modulo a full turn: 0 and 65536 are one end.
struct Arc {
    bool full = true;
    uint32_t start = 0;
    uint32_t end = 0;
    uint32_t tilt = 0;
};

Arc arc_of(const WT_Ellipse& ellipse) {
    constexpr uint32_t turn = WT_Ellipse::Full_Turn;
    if (ellipse.is_circle()) {
        if (ellipse.is_full()) return {};
        return {false, (ellipse.start() + uint32_t{ellipse.tilt()}) % turn,
                (ellipse.end() + uint32_t{ellipse.tilt()}) % turn, 0};
    }
    if (ellipse.is_full() && ellipse.tilt() == 0) return {};
    return {false, ellipse.start(), ellipse.end() % turn, ellipse.tilt()};
}

void compare_ellipse(const WT_Ellipse& expected, const WT_Ellipse& actual, Difference& d) {
    d.check("centre", expected.centre(), actual.centre());
    d.check("major", expected.major(), actual.major());
    d.check("minor", expected.minor(), actual.minor());
    const Arc written = arc_of(expected);
    const Arc read = arc_of(actual);
    d.check("full figure", written.full, read.full);
    d.check("start angle (tilt folded in for circles)", written.start, read.start);
    d.check("end angle modulo a turn (tilt folded in for circles)", written.end, read.end);
    d.check("tilt", written.tilt, read.tilt);
}

void compare_text(const WT_Text& expected, const WT_Text& actual, Difference& d) {
    d.check("position", expected.position(), actual.position());
    d.check("string", expected.string(), actual.string());
    d.check_list("overscore", items(expected.overscore()), items(actual.overscore()));
    d.check_list("underscore", items(expected.underscore()), items(actual.underscore()));
    d.check("bounds present", expected.bounds().has_value(), actual.bounds().has_value());
    if (expected.bounds() && actual.bounds())
        d.check_list("bounds", items(*expected.bounds()), items(*actual.bounds()));
    d.check_list("char positions", items(expected.char_positions()), items(actual.char_positions()));
}

// The colour map belongs to the formats that need one; the others' forms
// have no place for it.
void compare_image(const WT_Image& expected, const WT_Image& actual, Difference& d) {
    d.check("format", expected.format(), actual.format());
    d.check("rows", expected.rows(), actual.rows());
    d.check("columns", expected.columns(), actual.columns());
    d.check("identifier", expected.identifier(), actual.identifier());
    d.check("min corner", expected.min_corner(), actual.min_corner());
    d.check("max corner", expected.max_corner(), actual.max_corner());
    if (WT_Image::needs_color_map(expected.format())) {
        d.check("color map present", expected.color_map().has_value(), actual.color_map().has_value());
        if (expected.color_map() && actual.color_map())
            d.check_list("color map", items(expected.color_map()->colors()), items(actual.color_map()->colors()));
    }
    d.check_list("data", items(expected.data()), items(actual.data()));
}

void compare_user_data(const WT_UserData& expected, const WT_UserData& actual, Difference& d) {
    d.check("description", expected.data_description(), actual.data_description());
    d.check_list("data", items(expected.data()), items(actual.data()));
}

// The mapping mode only says how a colour may be written; a colour that may
// be written by index comes back with the index it was found at.
void compare_color(const WT_Color& expected, const WT_Color& actual, Difference& d) {
    d.check("rgba", expected.rgba(), actual.rgba());
    if (expected.index() >= 0 || expected.mapping() == WT_Color::No_Mapping)
        d.check("index", expected.index(), actual.index());
}

void compare_line_style(const WT_Line_Style& expected, const WT_Line_Style& actual, Difference& d) {
    using Style = WT_Line_Style;
    d.check("defined options", expected.defined(), actual.defined());
    const uint32_t defined = expected.defined();
    if (defined & Style::Adapt_Patterns_Bit)
        d.check("adapt patterns", expected.adapt_patterns(), actual.adapt_patterns());
    if (defined & Style::Pattern_Scale_Bit) d.check("pattern scale", expected.pattern_scale(), actual.pattern_scale());
    if (defined & Style::Line_Join_Bit) d.check("line join", expected.line_join(), actual.line_join());
    if (defined & Style::Dash_Start_Cap_Bit)
        d.check("dash start cap", expected.dash_start_cap(), actual.dash_start_cap());
    if (defined & Style::Dash_End_Cap_Bit) d.check("dash end cap", expected.dash_end_cap(), actual.dash_end_cap());
    if (defined & Style::Line_Start_Cap_Bit)
        d.check("line start cap", expected.line_start_cap(), actual.line_start_cap());
    if (defined & Style::Line_End_Cap_Bit) d.check("line end cap", expected.line_end_cap(), actual.line_end_cap());
    if (defined & Style::Miter_Angle_Bit) d.check("miter angle", expected.miter_angle(), actual.miter_angle());
    if (defined & Style::Miter_Length_Bit) d.check("miter length", expected.miter_length(), actual.miter_length());
}

// Only the fields the font carries are written.
void compare_font(const WT_Font& expected, const WT_Font& actual, Difference& d) {
    d.check("fields", expected.fields(), actual.fields());
    const uint32_t fields = expected.fields();
    if (fields & WT_Font::Name_Bit) d.check("name", expected.name(), actual.name());
    if (fields & WT_Font::Charset_Bit) d.check("charset", expected.charset(), actual.charset());
    if (fields & WT_Font::Pitch_Bit) d.check("pitch", expected.pitch(), actual.pitch());
    if (fields & WT_Font::Family_Bit) d.check("family", expected.family(), actual.family());
    if (fields & WT_Font::Style_Bit) d.check("style", expected.style(), actual.style());
    if (fields & WT_Font::Height_Bit) d.check("height", expected.height(), actual.height());
    if (fields & WT_Font::Rotation_Bit) d.check("rotation", expected.rotation(), actual.rotation());
    if (fields & WT_Font::Width_Scale_Bit) d.check("width scale", expected.width_scale(), actual.width_scale());
    if (fields & WT_Font::Spacing_Bit) d.check("spacing", expected.spacing(), actual.spacing());
    if (fields & WT_Font::Oblique_Bit) d.check("oblique", expected.oblique(), actual.oblique());
    if (fields & WT_Font::Flags_Bit) d.check("flags", expected.flags(), actual.flags());
}

void compare_units(const WT_Units& expected, const WT_Units& actual, Difference& d) {
    d.check("units", expected.units(), actual.units());
    d.check_list("transform", items(expected.transform()), items(actual.transform()));
}

void compare_viewport(const WT_Viewport& expected, const WT_Viewport& actual, Difference& d) {
    d.check("name", expected.name(), actual.name());
    compare_contour_set(expected.contour_set(), actual.contour_set(), d);
    compare_units(expected.units(), actual.units(), d);
}

void compare_url(const WT_URL& expected, const WT_URL& actual, Difference& d) {
    d.check("items", expected.items().size(), actual.items().size());
    for (size_t index = 0; index < expected.items().size() && !d.found(); ++index) {
        const WT_URL_Item& written = expected.items()[index];
        const WT_URL_Item& read = actual.items()[index];
        d.check("item index", written.m_index, read.m_index);
        d.check("item address", written.m_address, read.m_address);
        d.check("item friendly name", written.m_friendly_name, read.m_friendly_name);
    }
}

void compare_metadata(const WT_Metadata& expected, const WT_Metadata& actual, Difference& d) {
    d.check("keyword", expected.keyword(), actual.keyword());
    d.check("text", expected.text(), actual.text());
    d.check("seconds", expected.seconds(), actual.seconds());
    d.check("guid", expected.guid(), actual.guid());
}

void compare_plot_info(const WT_Plot_Info& expected, const WT_Plot_Info& actual, Difference& d) {
    d.check("show", expected.show(), actual.show());
    d.check("rotation", expected.rotation(), actual.rotation());
    d.check("paper units", expected.paper_units(), actual.paper_units());
    d.check_list("values", items(expected.values()), items(actual.values()));
}

void compare_block_record(const WT_Block_Record& expected, const WT_Block_Record& actual, Difference& d) {
    d.check("kind", expected.kind(), actual.kind());
    d.check("value", expected.value(), actual.value());
    d.check("understood", expected.understood(), actual.understood());
    d.check("bytes", WT_String(std::string_view(expected.bytes())), WT_String(std::string_view(actual.bytes())));
}

// The drawables and the records with few fields.
void compare_drawable(const WT_Object& e, const WT_Object& a, Difference& d) {
    switch (e.object_id()) {
        case WT_Object::Polyline_ID: compare_point_set(as<WT_Polyline>(e), as<WT_Polyline>(a), d); break;
        case WT_Object::Polygon_ID: compare_point_set(as<WT_Polygon>(e), as<WT_Polygon>(a), d); break;
        case WT_Object::Polymarker_ID: compare_point_set(as<WT_Polymarker>(e), as<WT_Polymarker>(a), d); break;
        case WT_Object::Polytriangle_ID: compare_point_set(as<WT_Polytriangle>(e), as<WT_Polytriangle>(a), d); break;
        case WT_Object::Contour_Set_ID: compare_contour_set(as<WT_Contour_Set>(e), as<WT_Contour_Set>(a), d); break;
        case WT_Object::Filled_Ellipse_ID:
        case WT_Object::Outline_Ellipse_ID: compare_ellipse(as<WT_Ellipse>(e), as<WT_Ellipse>(a), d); break;
        case WT_Object::Text_ID: compare_text(as<WT_Text>(e), as<WT_Text>(a), d); break;
        case WT_Object::Image_ID:
        case WT_Object::PNG_Group4_Image_ID: compare_image(as<WT_Image>(e), as<WT_Image>(a), d); break;
        case WT_Object::UserData_ID: compare_user_data(as<WT_UserData>(e), as<WT_UserData>(a), d); break;
        default: d.note("no comparison for this drawable kind");
    }
}

void compare_attribute(const WT_Object& e, const WT_Object& a, Difference& d) {
    switch (e.object_id()) {
        case WT_Object::Color_ID: compare_color(as<WT_Color>(e), as<WT_Color>(a), d); break;
        case WT_Object::Color_Map_ID:
            d.check_list("colors", items(as<WT_Color_Map>(e).colors()), items(as<WT_Color_Map>(a).colors()));
            break;
        case WT_Object::Fill_ID: d.check("fill", as<WT_Fill>(e).filled(), as<WT_Fill>(a).filled()); break;
        case WT_Object::Visibility_ID:
            d.check("visibility", as<WT_Visibility>(e).visible(), as<WT_Visibility>(a).visible());
            break;
        case WT_Object::Line_Weight_ID:
            d.check("weight", as<WT_Line_Weight>(e).weight_value(), as<WT_Line_Weight>(a).weight_value());
            break;
        case WT_Object::Line_Style_ID: compare_line_style(as<WT_Line_Style>(e), as<WT_Line_Style>(a), d); break;
        case WT_Object::Font_ID: compare_font(as<WT_Font>(e), as<WT_Font>(a), d); break;
        case WT_Object::Viewport_ID: compare_viewport(as<WT_Viewport>(e), as<WT_Viewport>(a), d); break;
        case WT_Object::Layer_ID:
            d.check("number", as<WT_Layer>(e).layer_num(), as<WT_Layer>(a).layer_num());
            d.check("name", as<WT_Layer>(e).layer_name(), as<WT_Layer>(a).layer_name());
            break;
        case WT_Object::Code_Page_ID:
            d.check("page", as<WT_Code_Page>(e).number(), as<WT_Code_Page>(a).number());
            break;
        case WT_Object::Marker_Size_ID:
            d.check("size", as<WT_Marker_Size>(e).size(), as<WT_Marker_Size>(a).size());
            break;
        case WT_Object::Marker_Symbol_ID:
            d.check("symbol", as<WT_Marker_Symbol>(e).symbol(), as<WT_Marker_Symbol>(a).symbol());
            break;
        case WT_Object::Line_Pattern_ID:
            d.check("pattern", as<WT_Line_Pattern>(e).pattern_id(), as<WT_Line_Pattern>(a).pattern_id());
            break;
        case WT_Object::Dash_Pattern_ID:
            d.check("id", as<WT_Dash_Pattern>(e).number(), as<WT_Dash_Pattern>(a).number());
            d.check_list("lengths", items(as<WT_Dash_Pattern>(e).lengths()), items(as<WT_Dash_Pattern>(a).lengths()));
            break;
        case WT_Object::Fill_Pattern_ID:
            d.check("pattern", as<WT_Fill_Pattern>(e).pattern_id(), as<WT_Fill_Pattern>(a).pattern_id());
            d.check("scale", as<WT_Fill_Pattern>(e).scale(), as<WT_Fill_Pattern>(a).scale());
            break;
        case WT_Object::Merge_Control_ID:
            d.check("format", as<WT_Merge_Control>(e).merge_control(), as<WT_Merge_Control>(a).merge_control());
            break;
        case WT_Object::URL_ID: compare_url(as<WT_URL>(e), as<WT_URL>(a), d); break;
        case WT_Object::Pen_Pattern_ID:
            d.check("pattern", as<WT_Pen_Pattern>(e).pen_pattern(), as<WT_Pen_Pattern>(a).pen_pattern());
            break;
        case WT_Object::Font_Extension_ID:
            d.check("logical name", as<WT_Font_Extension>(e).logfont_name(), as<WT_Font_Extension>(a).logfont_name());
            d.check("canonical name", as<WT_Font_Extension>(e).cannonical_name(),
                    as<WT_Font_Extension>(a).cannonical_name());
            break;
        case WT_Object::Object_Node_ID:
            d.check("number", as<WT_Object_Node>(e).object_node_num(), as<WT_Object_Node>(a).object_node_num());
            d.check("name", as<WT_Object_Node>(e).object_node_name(), as<WT_Object_Node>(a).object_node_name());
            break;
        case WT_Object::Units_ID: compare_units(as<WT_Units>(e), as<WT_Units>(a), d); break;
        default: d.note("no comparison for this attribute kind");
    }
}

void compare_other(const WT_Object& e, const WT_Object& a, Difference& d) {
    switch (e.object_id()) {
        case WT_Object::Origin_ID: d.check("origin", as<WT_Origin>(e).origin(), as<WT_Origin>(a).origin()); break;
        case WT_Object::Metadata_ID: compare_metadata(as<WT_Metadata>(e), as<WT_Metadata>(a), d); break;
        case WT_Object::Named_View_ID:
            d.check("name", as<WT_Named_View>(e).name(), as<WT_Named_View>(a).name());
            d.check_list("box", items(as<WT_Named_View>(e).box()), items(as<WT_Named_View>(a).box()));
            break;
        case WT_Object::View_ID:
            d.check("name", as<WT_View>(e).name(), as<WT_View>(a).name());
            d.check_list("box", items(as<WT_View>(e).box()), items(as<WT_View>(a).box()));
            break;
        case WT_Object::Background_ID:
            d.check("color", as<WT_Background>(e).color(), as<WT_Background>(a).color());
            break;
        case WT_Object::Plot_Optimized_ID:
            d.check("optimized", as<WT_Plot_Optimized>(e).optimized(), as<WT_Plot_Optimized>(a).optimized());
            break;
        case WT_Object::Inked_Area_ID:
            d.check_list("corners", items(as<WT_Inked_Area>(e).corners()), items(as<WT_Inked_Area>(a).corners()));
            break;
        case WT_Object::Pen_Pattern_Options_ID:
            d.check_list("flags", items(as<WT_Pen_Pattern_Options>(e).flags()),
                         items(as<WT_Pen_Pattern_Options>(a).flags()));
            break;
        case WT_Object::Projection_ID: d.check("kind", as<WT_Projection>(e).kind(), as<WT_Projection>(a).kind()); break;
        case WT_Object::Plot_Info_ID: compare_plot_info(as<WT_Plot_Info>(e), as<WT_Plot_Info>(a), d); break;
        case WT_Object::Group_ID:
            d.check("begin", as<WT_Group>(e).is_begin(), as<WT_Group>(a).is_begin());
            d.check("path", as<WT_Group>(e).path(), as<WT_Group>(a).path());
            break;
        case WT_Object::Block_Structure_ID:
            compare_block_record(as<WT_Block_Record>(e), as<WT_Block_Record>(a), d);
            break;
        default: d.note("no comparison for this kind");
    }
}

const char* kind_name(WT_Object::WT_ID id) {
    switch (id) {
        case WT_Object::Unknown_ID: return "unknown opcode";
        case WT_Object::DWF_Header_ID: return "header";
        case WT_Object::End_Of_DWF_ID: return "trailer";
        case WT_Object::Compression_Marker_ID: return "compression marker";
        case WT_Object::Color_ID: return "color";
        case WT_Object::Color_Map_ID: return "color map";
        case WT_Object::Fill_ID: return "fill";
        case WT_Object::Visibility_ID: return "visibility";
        case WT_Object::Line_Weight_ID: return "line weight";
        case WT_Object::Line_Style_ID: return "line style";
        case WT_Object::Font_ID: return "font";
        case WT_Object::Viewport_ID: return "viewport";
        case WT_Object::Layer_ID: return "layer";
        case WT_Object::Code_Page_ID: return "code page";
        case WT_Object::Marker_Size_ID: return "marker size";
        case WT_Object::Marker_Symbol_ID: return "marker symbol";
        case WT_Object::Line_Pattern_ID: return "line pattern";
        case WT_Object::Dash_Pattern_ID: return "dash pattern";
        case WT_Object::Fill_Pattern_ID: return "fill pattern";
        case WT_Object::Merge_Control_ID: return "merge control";
        case WT_Object::URL_ID: return "URL";
        case WT_Object::Pen_Pattern_ID: return "pen pattern";
        case WT_Object::Font_Extension_ID: return "font extension";
        case WT_Object::Object_Node_ID: return "object node";
        case WT_Object::Units_ID: return "units";
        case WT_Object::Contour_Set_ID: return "contour set";
        case WT_Object::Filled_Ellipse_ID: return "filled ellipse";
        case WT_Object::Outline_Ellipse_ID: return "outline ellipse";
        case WT_Object::Image_ID: return "image";
        case WT_Object::PNG_Group4_Image_ID: return "PNG/Group 4 image";
        case WT_Object::Polygon_ID: return "polygon";
        case WT_Object::Polyline_ID: return "polyline";
        case WT_Object::Text_ID: return "text";
        case WT_Object::UserData_ID: return "user data";
        case WT_Object::Polytriangle_ID: return "polytriangle";
        case WT_Object::Polymarker_ID: return "polymarker";
        case WT_Object::Origin_ID: return "set origin";
        case WT_Object::Metadata_ID: return "metadata";
        case WT_Object::Named_View_ID: return "named view";
        case WT_Object::View_ID: return "view";
        case WT_Object::Background_ID: return "background";
        case WT_Object::Plot_Info_ID: return "plot info";
        case WT_Object::Embedded_Font_ID: return "embedded font";
        case WT_Object::Block_Structure_ID: return "block record";
        case WT_Object::Group_ID: return "group";
        case WT_Object::Plot_Optimized_ID: return "plot optimized";
        case WT_Object::Inked_Area_ID: return "inked area";
        case WT_Object::Pen_Pattern_Options_ID: return "pen pattern options";
        case WT_Object::Projection_ID: return "projection";
        case WT_Object::Embed_ID: return "embed";
        case WT_Object::Trusted_Font_List_ID: return "trusted font list";
        case WT_Object::Gouraud_ID: return "Gouraud record";
        case WT_Object::Kind_Count: break;
    }
    return "kind out of range";
}

void compare(const WT_Object& expected, const WT_Object& actual, Difference& d) {
    if (expected.object_id() != actual.object_id()) {
        d.note(std::string("kind: written ") + kind_name(expected.object_id()) + ", read " +
               kind_name(actual.object_id()));
        return;
    }
    switch (expected.object_type()) {
        case WT_Object::Drawable: compare_drawable(expected, actual, d); break;
        case WT_Object::Attribute: compare_attribute(expected, actual, d); break;
        case WT_Object::Other: compare_other(expected, actual, d); break;
    }
}

// ============================================================================
// What the write discipline may put in front of an object.
// ============================================================================

uint32_t attribute_bit(WT_Object::WT_ID id) {
    switch (id) {
        case WT_Object::Color_ID: return Bits::Color_Bit;
        case WT_Object::Fill_ID: return Bits::Fill_Bit;
        case WT_Object::Visibility_ID: return Bits::Visibility_Bit;
        case WT_Object::URL_ID: return Bits::URL_Bit;
        case WT_Object::Line_Weight_ID: return Bits::Line_Weight_Bit;
        case WT_Object::Line_Style_ID: return Bits::Line_Style_Bit;
        case WT_Object::Marker_Size_ID: return Bits::Marker_Size_Bit;
        case WT_Object::Marker_Symbol_ID: return Bits::Marker_Symbol_Bit;
        case WT_Object::Layer_ID: return Bits::Layer_Bit;
        case WT_Object::Color_Map_ID: return Bits::Color_Map_Bit;
        case WT_Object::Line_Pattern_ID: return Bits::Line_Pattern_Bit;
        case WT_Object::Font_ID: return Bits::Font_Bit;
        case WT_Object::Viewport_ID: return Bits::Viewport_Bit;
        case WT_Object::Code_Page_ID: return Bits::Code_Page_Bit;
        case WT_Object::Dash_Pattern_ID: return Bits::Dash_Pattern_Bit;
        case WT_Object::Fill_Pattern_ID: return Bits::Fill_Pattern_Bit;
        case WT_Object::Merge_Control_ID: return Bits::Merge_Control_Bit;
        case WT_Object::Pen_Pattern_ID: return Bits::Pen_Pattern_Bit;
        case WT_Object::Font_Extension_ID: return Bits::Font_Extension_Bit;
        case WT_Object::Object_Node_ID: return Bits::Object_Node_Bit;
        default: return 0;
    }
}

// The attribute kinds the write of `next` synchronises in front of it. The
// fill is in every drawable's reach: polylines, polygons and ellipses force
// it, and a kind left changed by one drawable is written before the next.
uint32_t synchronised_kinds(const WT_Object& next) {
    switch (next.object_id()) {
        case WT_Object::Polyline_ID: return WT_Polyline::Attribute_Mask;
        case WT_Object::Polygon_ID: return WT_Polygon::Attribute_Mask | Bits::Fill_Bit;
        case WT_Object::Polymarker_ID: return WT_Polymarker::Attribute_Mask;
        case WT_Object::Polytriangle_ID: return WT_Polytriangle::Attribute_Mask;
        case WT_Object::Contour_Set_ID: return WT_Contour_Set::Attribute_Mask;
        case WT_Object::Filled_Ellipse_ID: return WT_Filled_Ellipse::Attribute_Mask | Bits::Fill_Bit;
        case WT_Object::Outline_Ellipse_ID: return WT_Outline_Ellipse::Attribute_Mask | Bits::Fill_Bit;
        case WT_Object::Text_ID: return WT_Text::Attribute_Mask;
        case WT_Object::Image_ID:
        case WT_Object::PNG_Group4_Image_ID: return WT_Image::Indexed_Attribute_Mask;
        case WT_Object::UserData_ID: return WT_UserData::Attribute_Mask;
        // A colour added to the map writes the map first; a font its extension.
        case WT_Object::Color_ID: return Bits::Color_Map_Bit;
        case WT_Object::Font_ID: return Bits::Font_Extension_Bit;
        default: return 0;
    }
}

bool is_rendering_record(WT_Object::WT_ID id) {
    return id == WT_Object::View_ID || id == WT_Object::Background_ID || id == WT_Object::Plot_Optimized_ID ||
           id == WT_Object::Inked_Area_ID || id == WT_Object::Pen_Pattern_Options_ID;
}

// Whether `read` may stand in front of `next` without having been written
// by the caller: set-origin opcodes and the drawing information a drawable
// needs, or an attribute the write of `next` synchronises.
bool written_by_the_discipline(const WT_Object& read, const WT_Object& next) {
    if (next.object_type() == WT_Object::Drawable &&
        (read.object_id() == WT_Object::Origin_ID || is_rendering_record(read.object_id())))
        return true;
    return read.object_type() == WT_Object::Attribute &&
           (attribute_bit(read.object_id()) & synchronised_kinds(next)) != 0;
}

// A record that writes nothing by design: a stream that is not plot
// optimised says nothing about it.
bool writes_nothing(const WT_Object& object) {
    return object.object_id() == WT_Object::Plot_Optimized_ID && !as<WT_Plot_Optimized>(object).optimized();
}

// ============================================================================
// The round trip.
// ============================================================================

struct Expected {
    size_t position;  // in the generated sequence
    const WT_Object* object;
};

struct Written {
    std::string bytes;
    std::vector<Expected> expected;
    bool complete = true;  // every write succeeded
};

// W2D_ROUND_TRIP_KEEP=DIR keeps the streams of the input run last as
// DIR/binary.w2d and DIR/ascii.w2d, for a look at a reproducer.
void keep_stream(const Written& written, const char* form) {
    const char* directory = std::getenv("W2D_ROUND_TRIP_KEEP");
    if (directory == nullptr) return;
    const std::string path = std::string(directory) + "/" + form + ".w2d";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fwrite(written.bytes.data(), 1, written.bytes.size(), file);
    std::fclose(file);
}

[[noreturn]] void finding(const char* form, const std::string& what) {
    std::fprintf(stderr, "W2D round trip, %s stream: %s\n", form, what.c_str());
    std::abort();
}

std::string object_label(const Expected& expected) {
    return "object " + std::to_string(expected.position) + " (" + kind_name(expected.object->object_id()) + ")";
}

Written write_all(const std::vector<Object>& objects, bool binary) {
    Written written;
    fuzz::W2dMemory memory;
    WT_Stream stream;
    fuzz::useW2dMemory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Write);
    stream.options().set_allow_binary_data(binary);
    stream.options().set_allow_drawable_merging(false);
    if (stream.open() != WT_Result::Success) finding(binary ? "binary" : "ASCII", "open failed");
    for (size_t position = 0; position < objects.size(); ++position) {
        if (objects[position]->write(stream) != WT_Result::Success) {
            written.complete = false;
            break;
        }
        if (!writes_nothing(*objects[position])) written.expected.push_back({position, objects[position].get()});
    }
    if (stream.close() != WT_Result::Success) written.complete = false;
    written.bytes = std::move(memory.output);
    return written;
}

// Reads the stream and matches what comes back against what was written;
// see the top of the file.
void read_back(const Written& written, const char* form) {
    fuzz::W2dMemory memory;
    memory.input = reinterpret_cast<const uint8_t*>(written.bytes.data());
    memory.inputSize = written.bytes.size();
    WT_Stream stream;
    fuzz::useW2dMemory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Read);
    if (stream.open() != WT_Result::Success) finding(form, "open for reading failed");
    const std::vector<Expected>& expected = written.expected;
    size_t next = 0;
    bool header = false;
    // After a refused write only the objects before it are owed.
    while (written.complete || next < expected.size()) {
        const WT_Result::Enum result = stream.process_next_object();
        if (result == WT_Result::End_Of_Stream) break;
        const std::string where =
            next < expected.size() ? "at " + object_label(expected[next]) : "after the last object";
        if (result != WT_Result::Success)
            finding(form, "reading failed with result " + std::to_string(result) + " " + where);
        const WT_Object& read = *stream.current_object();
        if (!header) {
            if (read.object_id() != WT_Object::DWF_Header_ID)
                finding(form, "the stream does not start with its header");
            header = true;
            continue;
        }
        if (next == expected.size()) finding(form, std::string("a ") + kind_name(read.object_id()) + " read " + where);
        Difference difference;
        compare(*expected[next].object, read, difference);
        if (!difference.found()) {
            ++next;
        } else if (!written_by_the_discipline(read, *expected[next].object)) {
            finding(form, object_label(expected[next]) + " read back differently: " + difference.what());
        }
    }
    if (next < expected.size()) finding(form, object_label(expected[next]) + " never came back: the stream ended");
    stream.close();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::enterWorkspace();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::vector<Object> objects = generate(input);
    const Written binary = write_all(objects, true);
    keep_stream(binary, "binary");
    read_back(binary, "binary");
    const Written ascii = write_all(objects, false);
    keep_stream(ascii, "ascii");
    read_back(ascii, "ASCII");
    fuzz::requireNothingLeft();
    return 0;
}
