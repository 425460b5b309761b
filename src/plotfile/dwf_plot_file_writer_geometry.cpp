// Lines, polygons, images and pens: host geometry as W2D objects on the open
// page, each drawable behind a "Group" record.
#include <algorithm>
#include <cstddef>
#include <optional>

#include "plotfile/dwf_plot_file_writer_imp.h"
#include "plotfile/logical_units.h"
#include "plotfile/records/user_data_records.h"
#include "plotfile/writer_pens.h"
#include "w2d/contour_set.h"
#include "w2d/fill.h"
#include "w2d/image.h"
#include "w2d/png_group4_image.h"
#include "w2d/polyline.h"
#include "w2d/user_data.h"

namespace {

using DWFPlotUnits::toLogicalUnits;

WT_Logical_Point logicalPoint(double x, double y) { return {toLogicalUnits(x), toLogicalUnits(y)}; }

constexpr int kPenUp = 3;
constexpr int32_t kJpegKind = 0;
constexpr int32_t kFirstPngKind = 1;
constexpr int32_t kLastPngKind = 4;

// The host's encoded buffer goes back to the host however the image ends.
class EncodedImage {
public:
    EncodedImage(ImageReleaseCallback release, void* data) : release_(release), data_(data) {}
    ~EncodedImage() {
        if (release_) {
            release_(data_);
        }
    }
    EncodedImage(const EncodedImage&) = delete;
    EncodedImage& operator=(const EncodedImage&) = delete;

private:
    ImageReleaseCallback release_;
    void* data_;
};

}  // namespace

void DWFPlotFileWriterImp::write(const WT_Object& object) {
    if (drawing()) {
        noteWrite(object.write(stream_));
    }
}

void DWFPlotFileWriterImp::noteWrite(WT_Result::Enum result) {
    // An object the stream refused (a string beyond what its reader takes)
    // would be lost on reading, and everything after it on the page with
    // it: the plot fails instead of reporting success.
    if (result != WT_Result::Success) {
        writeFailed_ = true;
    }
}

void DWFPlotFileWriterImp::writeRecord(const char* description, const std::string& payload) {
    write(WT_UserData(WT_String(description), std::vector<uint8_t>(payload.begin(), payload.end())));
}

void DWFPlotFileWriterImp::writeGroup(const std::string& group) {
    writeRecord(DWFPlotRecords::GroupDescription, DWFPlotRecords::formatPlainText(group));
}

void DWFPlotFileWriterImp::writePendingLine() {
    if (pendingLine_.drawable()) {
        stream_.desired_attributes().set(WT_Fill(false));
        writeGroup(pendingLine_.group());
        // The stream keeps the points themselves while the line waits for a
        // possible merge; a page's worth of them is never copied.
        WT_Polyline line(pendingLine_.takePoints());
        if (drawing()) noteWrite(line.write_handing_over(stream_));
    }
    pendingLine_.clear();
}

void DWFPlotFileWriterImp::addLine(double x, double y, int penCode, const std::string& group) {
    if (!drawing()) {
        return;
    }
    const WT_Logical_Point point = logicalPoint(x, y);
    if (penCode == kPenUp && !pendingLine_.empty()) {
        if (pendingLine_.continuesAt(point, group)) {
            return;
        }
        writePendingLine();
    }
    pendingLine_.append(point, group);
}

void DWFPlotFileWriterImp::addPolygons(const std::vector<std::vector<PlottingPoint>>& polygons, int pen,
                                       const std::string& group) {
    if (!drawing()) {
        return;
    }
    writePendingLine();
    setPen(pen);
    // An empty contour has no place in a contour set (its point count cannot
    // be 0); it is left out, and the other contours are kept.
    std::size_t total = 0;
    for (const auto& contour : polygons) {
        total += contour.size();
    }
    std::vector<int32_t> counts;
    std::vector<WT_Logical_Point> points;
    counts.reserve(polygons.size());
    points.reserve(total);
    for (const auto& contour : polygons) {
        if (contour.empty()) {
            continue;
        }
        counts.push_back(static_cast<int32_t>(std::min<std::size_t>(contour.size(), INT32_MAX)));
        for (const PlottingPoint& p : contour) {
            points.push_back(logicalPoint(p.x, p.y));
        }
    }
    if (counts.empty()) {
        return;
    }
    writeGroup(group);
    write(WT_Contour_Set(std::move(counts), std::move(points)));
}

void DWFPlotFileWriterImp::addImage(double x, double y, double width, double height, IMAGE* image,
                                    const std::string& group) {
    if (!drawing()) {
        return;
    }
    writePendingLine();
    long size = 0;
    void* data = nullptr;
    if (encode_ == nullptr || encode_(image, size, data) == 0) {
        return;
    }
    const EncodedImage encoded(release_, data);
    writeGroup(group);
    // Identifiers keep rising across every plot of this writer.
    imageCount_ = static_cast<int32_t>(static_cast<uint32_t>(imageCount_) + 1u);
    const auto identifier = static_cast<uint32_t>(imageCount_);
    const WT_Logical_Point minimum = logicalPoint(x, y);
    const WT_Logical_Point maximum = logicalPoint(x + width, y + height);
    // A buffer the callback did not describe sensibly is not read.
    if (image == nullptr || size < 0 || (data == nullptr && size > 0)) {
        return;
    }
    const auto* bytes = static_cast<const uint8_t*>(data);
    std::vector<uint8_t> copy(bytes, bytes + size);
    const auto rows = static_cast<uint16_t>(image->height);
    const auto columns = static_cast<uint16_t>(image->width);
    if (image->encoding == kJpegKind) {
        write(WT_Image(rows, columns, WT_Image::JPEG, identifier, std::nullopt, std::move(copy), minimum, maximum));
    } else if (image->encoding >= kFirstPngKind && image->encoding <= kLastPngKind) {
        write(WT_PNG_Group4_Image(rows, columns, WT_Image::PNG, identifier, std::nullopt, std::move(copy), minimum,
                                  maximum));
    }
}

void DWFPlotFileWriterImp::setPen(int pen) {
    writePendingLine();
    if (pen == currentPen_) {
        return;
    }
    writeRecord(DWFPlotRecords::PenDescription, DWFPlotRecords::formatPen(pen));
    // Desired attributes: the stream writes them in front of the next
    // drawable that needs them, after the "Pen" record.
    const DWFPlotWriter::PenAttributes attributes = DWFPlotWriter::penAttributes(pens_, pen);
    stream_.desired_attributes().set(attributes.color);
    stream_.desired_attributes().set(attributes.weight);
    currentPen_ = pen;
}

void DWFPlotFileWriterImp::setPenDetails(const std::vector<PenDetail>& pens) { pens_ = pens; }
