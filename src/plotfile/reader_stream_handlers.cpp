#include "plotfile/reader_stream_handlers.h"

#include <string_view>

#include "plotfile/reader_image_callback.h"
#include "plotfile/reader_image_file.h"
#include "plotfile/reader_operation_record.h"
#include "plotfile/reader_user_data.h"
#include "platform/unicode.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/image.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/stream.h"
#include "w2d/text.h"
#include "w2d/user_data.h"

namespace DWFPlotReader {
namespace {

OperationRecord& recordOf(WT_Stream& stream) { return *static_cast<OperationRecord*>(stream.client_data()); }

PlottingPoint plotPoint(const WT_Logical_Point& point) {
    return PlottingPoint(point.m_x / kLogicalUnitsPerPlotUnit, point.m_y / kLogicalUnitsPerPlotUnit);
}

WT_Result::Enum onContourSet(WT_Contour_Set& contours, WT_Stream& stream) {
    OperationRecord& record = recordOf(stream);
    record.pending = PLT_POLYGONS;
    const std::vector<WT_Logical_Point>& points = contours.points();
    size_t next = 0;
    for (const int32_t count : contours.counts()) {
        std::vector<PlottingPoint> ring;
        // A set read from a stream has as many points as its counts say;
        // the bound keeps a hand-made one from reading past them.
        for (int32_t i = 0; i < count && next < points.size(); ++i) ring.push_back(plotPoint(points[next++]));
        record.polygons.push_back(std::move(ring));
    }
    return WT_Result::Success;
}

WT_Result::Enum onPolyline(WT_Polyline& polyline, WT_Stream& stream) {
    OperationRecord& record = recordOf(stream);
    record.pending = PLT_LINE;
    record.linePoints.clear();
    record.linePoints.reserve(polyline.points().size());
    for (const WT_Logical_Point& point : polyline.points()) record.linePoints.push_back(plotPoint(point));
    record.drawableSeen = true;
    return WT_Result::Success;
}

WT_Result::Enum onText(WT_Text& text, WT_Stream& stream) {
    OperationRecord& record = recordOf(stream);
    record.textLine = text.string().length() < 1 ? std::u16string() : text.string().unicode();
    record.drawableSeen = true;
    return WT_Result::Success;
}

template <class T>
WT_Result::Enum onShape(T&, WT_Stream& stream) {
    recordOf(stream).drawableSeen = true;
    return WT_Result::Success;
}

// The difference of two corners as the format computes it: in 32 bits,
// wrapping around.
double extent(int32_t maximum, int32_t minimum) {
    return wt_wrapping_sub(maximum, minimum) / kLogicalUnitsPerPlotUnit;
}

void takeImage(OperationRecord& record, const WT_Image& image, std::string_view extension) {
    record.pending = PLT_IMAGE;
    record.image = record.discarding ? nullptr : loadImage(image.data(), extension, imageLoadCallback());
    record.x = image.min_corner().m_x / kLogicalUnitsPerPlotUnit;
    record.y = image.min_corner().m_y / kLogicalUnitsPerPlotUnit;
    record.imageHeight = extent(image.max_corner().m_y, image.min_corner().m_y);
    record.imageWidth = extent(image.max_corner().m_x, image.min_corner().m_x);
}

WT_Result::Enum onImage(WT_Image& image, WT_Stream& stream) {
    takeImage(recordOf(stream), image, "jpg");
    return WT_Result::Success;
}

WT_Result::Enum onPngGroup4Image(WT_PNG_Group4_Image& image, WT_Stream& stream) {
    takeImage(recordOf(stream), image, image.format() == WT_Image::PNG ? "png" : "tif");
    return WT_Result::Success;
}

WT_Result::Enum onUserData(WT_UserData& data, WT_Stream& stream) {
    // The record words are ASCII, so an 8-bit description (the usual one) is
    // compared as it stands rather than converted for every record.
    const WT_String& name = data.data_description();
    const std::string converted = name.is_eight_bit() ? std::string() : platform::utf16ToUtf8(name.unicode());
    const std::string_view description = name.is_eight_bit() ? std::string_view(name.ascii()) : converted;
    const std::vector<uint8_t>& bytes = data.data();
    applyUserData(recordOf(stream), description,
                  std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return WT_Result::Success;
}

}  // namespace

void installStreamHandlers(WT_Stream& stream) {
    stream.set_action<WT_Contour_Set>(onContourSet);
    stream.set_action<WT_Polyline>(onPolyline);
    stream.set_action<WT_Text>(onText);
    stream.set_action<WT_Image>(onImage);
    stream.set_action<WT_PNG_Group4_Image>(onPngGroup4Image);
    stream.set_action<WT_Polygon>(onShape<WT_Polygon>);
    stream.set_action<WT_Filled_Ellipse>(onShape<WT_Filled_Ellipse>);
    stream.set_action<WT_Outline_Ellipse>(onShape<WT_Outline_Ellipse>);
    stream.set_action<WT_UserData>(onUserData);
}

}  // namespace DWFPlotReader
