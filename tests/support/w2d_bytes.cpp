#include "support/w2d_bytes.h"

#include "support/bytes.h"

namespace testsupport {
namespace {

// A count of 1 to 255 takes one byte; others a zero byte and the count less 256.
std::string count(size_t value) {
    return value >= 1 && value <= 255 ? le(static_cast<int64_t>(value), 1)
                                      : std::string(1, '\0') + le(static_cast<int64_t>(value) - 256, 2);
}

}  // namespace

W2dBytes::W2dBytes() : bytes_("(W2D V06.00)") {}

std::string W2dBytes::relative(Point point) {
    // Differences wrap as the stream's 32-bit arithmetic does.
    const std::string out = le(static_cast<uint32_t>(point.x) - static_cast<uint32_t>(current_.x), 4) +
                            le(static_cast<uint32_t>(point.y) - static_cast<uint32_t>(current_.y), 4);
    current_ = point;
    return out;
}

W2dBytes& W2dBytes::userData(const std::string& description, const std::string& payload) {
    return raw("{" + le(payload.size() + description.size() + 9, 4) + le(354, 2) + "'" + description + "'" +
               le(payload.size(), 4) + payload + "}");
}

W2dBytes& W2dBytes::pen(int32_t pen) { return userData("Pen", le(pen, 4)); }

W2dBytes& W2dBytes::record(const std::string& description, const std::string& text) {
    return userData(description, text + std::string(1, '\0'));
}

W2dBytes& W2dBytes::polyline(const std::vector<Point>& points) {
    raw("p" + count(points.size()));
    for (const Point& point : points) raw(relative(point));
    return *this;
}

W2dBytes& W2dBytes::contours(const std::vector<std::vector<Point>>& contours) {
    raw("k" + count(contours.size()));
    for (const auto& contour : contours) raw(count(contour.size()));
    for (const auto& contour : contours) {
        for (const Point& point : contour) raw(relative(point));
    }
    return *this;
}

W2dBytes& W2dBytes::text(Point position, const std::string& eightBit) {
    return raw("x" + relative(position) + "'" + eightBit + "'");
}

W2dBytes& W2dBytes::unicodeText(Point position, const std::u16string& text) {
    raw("x" + relative(position) + "{" + le(text.size(), 4));
    for (const char16_t unit : text) raw(le(unit, 2));
    return raw("}");
}

// Two columns, three rows, identifier 7.
W2dBytes& W2dBytes::image(uint16_t format, Point minimum, Point maximum, const std::string& data) {
    std::string corners = relative(minimum);  // the two in order: each moves the current point
    corners += relative(maximum);
    return raw("{" + le(data.size() + 31, 4) + le(format, 2) + le(2, 2) + le(3, 2) + corners + le(7, 4) +
               le(data.size(), 4) + data + "}");
}

W2dBytes& W2dBytes::fill(bool on) { return raw(on ? "F" : "f"); }

W2dBytes& W2dBytes::circle(Point centre, int32_t radius) { return raw("r" + relative(centre) + le(radius, 4)); }

W2dBytes& W2dBytes::raw(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
}

std::string W2dBytes::finished() const { return bytes_ + "(EndOfDWF)"; }

}  // namespace testsupport
