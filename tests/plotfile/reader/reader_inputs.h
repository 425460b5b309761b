// Inputs for the plot reader's tests, made without the plot writer: W2D page
// streams put together byte by byte, and packages with hand-written manifest
// and descriptors, as another producer would make them.
#ifndef DWFPLOT_TESTS_PLOTFILE_READER_READER_INPUTS_H
#define DWFPLOT_TESTS_PLOTFILE_READER_READER_INPUTS_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace readertest {

struct Point {
    int32_t x;
    int32_t y;
};

// A binary W2D stream of version 6.00; points are written relative to the
// stream's current point, as a reader expects them.
class W2dBytes {
public:
    W2dBytes();
    W2dBytes& userData(const std::string& description, const std::string& payload);
    W2dBytes& pen(int32_t pen);
    // A text record with its terminating zero byte.
    W2dBytes& record(const std::string& description, const std::string& text);
    W2dBytes& polyline(const std::vector<Point>& points);
    W2dBytes& contours(const std::vector<std::vector<Point>>& contours);
    W2dBytes& text(Point position, const std::string& eightBit);
    W2dBytes& unicodeText(Point position, const std::u16string& text);
    W2dBytes& image(uint16_t format, Point minimum, Point maximum, const std::string& data);
    W2dBytes& fill(bool on);
    W2dBytes& circle(Point centre, int32_t radius);
    W2dBytes& raw(const std::string& bytes);
    // The stream with its trailer.
    std::string finished() const;
    // The stream so far, without trailer.
    const std::string& bytes() const { return bytes_; }

private:
    void relative(Point point);
    std::string bytes_;
    Point current_{0, 0};
};

struct ResourceSpec {
    std::string href;
    std::string role = "2d streaming graphics";
    std::string element = "GraphicResource";
    int zOrder = 0;
    bool inPackage = true;  // the entry exists in the container
};

struct PageSpec {
    std::string w2d;
    double paperWidth = 2970;
    double paperHeight = 2100;
    std::vector<ResourceSpec> resources;  // empty: one graphics stream "page.w2d"
};

struct PackageLayout {
    int32_t headerVersion = 600;  // below 600: a bare ZIP without DWF header
    std::vector<std::pair<std::string, std::string>> properties;
    std::vector<std::string> interfaceIds;
    std::vector<PageSpec> pages;
    std::string manifestOverride;  // written instead of the manifest when not empty
    bool withManifest = true;
};

// The properties a package of this library carries, with `version` as plot
// file version.
std::vector<std::pair<std::string, std::string>> plotProperties(const std::string& version = "1.2");
inline constexpr char kEPlotInterfaceId[] = "715941D4-1AC2-4545-8185-BC40E053B551";

// A package of one page per stream in `pages`, marked as this library's.
PackageLayout plotPackage(const std::vector<std::string>& pages);

void writePackage(const std::string& path, const PackageLayout& layout);

}  // namespace readertest

#endif  // DWFPLOT_TESTS_PLOTFILE_READER_READER_INPUTS_H
