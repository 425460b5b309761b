// W2D page streams put together byte by byte, as another producer would
// write them, for readers tested without our writer.
#ifndef DWFPLOT_TESTS_SUPPORT_W2D_BYTES_H
#define DWFPLOT_TESTS_SUPPORT_W2D_BYTES_H

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct Point {
    int32_t x, y;
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
    // The point relative to the current point, which it becomes.
    std::string relative(Point point);
    std::string bytes_;
    Point current_{0, 0};
};

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_W2D_BYTES_H
