#include "support/w2d_bytes.h"

#include "support/bytes.h"

namespace testsupport {
namespace {

// A count of 1 to 255 takes one byte; others a zero byte and the count less 256.
void putCount(std::string& out, uint32_t count) {
    if (count >= 1 && count <= 255) {
        out.push_back(static_cast<char>(count));
    } else {
        out.push_back('\0');
        put16(out, count - 256);
    }
}

}  // namespace

W2dBytes::W2dBytes() : bytes_("(W2D V06.00)") {}

void W2dBytes::relative(Point point) {
    put32(bytes_, static_cast<uint32_t>(point.x) - static_cast<uint32_t>(current_.x));
    put32(bytes_, static_cast<uint32_t>(point.y) - static_cast<uint32_t>(current_.y));
    current_ = point;
}

W2dBytes& W2dBytes::userData(const std::string& description, const std::string& payload) {
    bytes_.push_back('{');
    put32(bytes_, static_cast<uint32_t>(payload.size() + description.size() + 9));
    put16(bytes_, 354);
    bytes_ += "'" + description + "'";
    put32(bytes_, static_cast<uint32_t>(payload.size()));
    bytes_ += payload;
    bytes_.push_back('}');
    return *this;
}

W2dBytes& W2dBytes::pen(int32_t pen) {
    std::string payload;
    put32(payload, static_cast<uint32_t>(pen));
    return userData("Pen", payload);
}

W2dBytes& W2dBytes::record(const std::string& description, const std::string& text) {
    return userData(description, text + std::string(1, '\0'));
}

W2dBytes& W2dBytes::polyline(const std::vector<Point>& points) {
    bytes_.push_back('p');
    putCount(bytes_, static_cast<uint32_t>(points.size()));
    for (const Point& point : points) relative(point);
    return *this;
}

W2dBytes& W2dBytes::contours(const std::vector<std::vector<Point>>& contours) {
    bytes_.push_back('k');
    putCount(bytes_, static_cast<uint32_t>(contours.size()));
    for (const auto& contour : contours) putCount(bytes_, static_cast<uint32_t>(contour.size()));
    for (const auto& contour : contours) {
        for (const Point& point : contour) relative(point);
    }
    return *this;
}

W2dBytes& W2dBytes::text(Point position, const std::string& eightBit) {
    bytes_.push_back('x');
    relative(position);
    bytes_ += "'" + eightBit + "'";
    return *this;
}

W2dBytes& W2dBytes::unicodeText(Point position, const std::u16string& text) {
    bytes_.push_back('x');
    relative(position);
    bytes_.push_back('{');
    put32(bytes_, static_cast<uint32_t>(text.size()));
    for (const char16_t unit : text) put16(bytes_, unit);
    bytes_.push_back('}');
    return *this;
}

W2dBytes& W2dBytes::image(uint16_t format, Point minimum, Point maximum, const std::string& data) {
    bytes_.push_back('{');
    put32(bytes_, static_cast<uint32_t>(data.size() + 31));
    put16(bytes_, format);
    put16(bytes_, 2);  // columns
    put16(bytes_, 3);  // rows
    relative(minimum);
    relative(maximum);
    put32(bytes_, 7);  // identifier
    put32(bytes_, static_cast<uint32_t>(data.size()));
    bytes_ += data;
    bytes_.push_back('}');
    return *this;
}

W2dBytes& W2dBytes::fill(bool on) {
    bytes_.push_back(on ? 'F' : 'f');
    return *this;
}

W2dBytes& W2dBytes::circle(Point centre, int32_t radius) {
    bytes_.push_back('r');
    relative(centre);
    put32(bytes_, static_cast<uint32_t>(radius));
    return *this;
}

W2dBytes& W2dBytes::raw(const std::string& bytes) {
    bytes_ += bytes;
    return *this;
}

std::string W2dBytes::finished() const { return bytes_ + "(EndOfDWF)"; }

}  // namespace testsupport
