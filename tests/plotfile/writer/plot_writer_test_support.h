// Helpers for the plot writer's tests: the entries of a written package through our ZIP reader, the page
// streams decoded object by object through our W2D reader ("Color 0,128,255,255", "UserData Group 'Roads\x00'";
// a last line names a result other than End_Of_Stream), a check with a ZIP tool we did not write, and
// sampled circles.
#ifndef DWFPLOT_TESTS_PLOTFILE_WRITER_PLOT_WRITER_TEST_SUPPORT_H
#define DWFPLOT_TESTS_PLOTFILE_WRITER_PLOT_WRITER_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "platform/unicode.h"
#include "support/bytes.h"
#include "support/package_builder.h"
#include "support/temp_dir_test.h"
#include "w2d/attribute_set.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/image.h"
#include "w2d/memory_stream.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/text.h"
#include "w2d/user_data.h"

namespace plotwritertest {

using Lines = std::vector<std::string>;

// addLine for each move: x, y, pen code (3 up, 2 down), group.
struct Move {
    double x, y;
    int code;
    std::string group;
};

inline std::string point(const WT_Logical_Point& p) { return std::to_string(p.m_x) + "," + std::to_string(p.m_y); }

inline std::string points(const std::vector<WT_Logical_Point>& list) {
    std::string out;
    for (const auto& p : list) out += " " + point(p);
    return out;
}

inline std::string printable(const std::vector<uint8_t>& data) {
    std::string out;
    for (uint8_t byte : data) {
        char text[8];
        std::snprintf(text, sizeof text, byte >= 0x20 && byte < 0x7F ? "%c" : "\\x%02X", byte);
        out += text;
    }
    return out;
}

template <typename... Parts>
inline std::string cat(const Parts&... parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

inline std::string describe(WT_Object& object) {
    switch (object.object_id()) {
        case WT_Object::UserData_ID: {
            const auto& u = static_cast<WT_UserData&>(object);
            return cat("UserData ", u.data_description().ascii(), " '", printable(u.data()), "'");
        }
        case WT_Object::Polyline_ID: return "Polyline" + points(static_cast<WT_Polyline&>(object).points());
        case WT_Object::Polygon_ID: return "Polygon" + points(static_cast<WT_Polygon&>(object).points());
        case WT_Object::Contour_Set_ID: {
            const auto& c = static_cast<WT_Contour_Set&>(object);
            std::string counts;
            for (int32_t count : c.counts()) counts += " " + std::to_string(count);
            return "Contours" + counts + " :" + points(c.points());
        }
        case WT_Object::Filled_Ellipse_ID:
        case WT_Object::Outline_Ellipse_ID: {
            const auto& e = static_cast<WT_Ellipse&>(object);
            return cat(object.object_id() == WT_Object::Filled_Ellipse_ID ? "Filled" : "Outline", "Ellipse ",
                       point(e.centre()), " ", e.major(), ",", e.minor(), " ", e.start(), ",", e.end(), " ", e.tilt());
        }
        case WT_Object::Text_ID: {
            const auto& t = static_cast<WT_Text&>(object);
            return cat("Text ", point(t.position()), " '", platform::utf16ToUtf8(t.string().unicode()), "'",
                       t.bounds() ? " bounds" + points({t.bounds()->begin(), t.bounds()->end()}) : "");
        }
        case WT_Object::Image_ID:
        case WT_Object::PNG_Group4_Image_ID: {
            const auto& i = static_cast<WT_Image&>(object);
            return cat("Image format=", i.format(), " id=", i.identifier(), " ", i.columns(), "x", i.rows(), " ",
                       point(i.min_corner()), " ", point(i.max_corner()), " data='", printable(i.data()), "'");
        }
        case WT_Object::Color_ID: {
            const auto& c = static_cast<WT_Color&>(object).rgba();
            return cat("Color ", int(c.m_red), ",", int(c.m_green), ",", int(c.m_blue), ",", int(c.m_alpha));
        }
        case WT_Object::Fill_ID: return cat("Fill ", static_cast<WT_Fill&>(object).filled() ? "on" : "off");
        case WT_Object::Line_Weight_ID: return cat("LineWeight ", static_cast<WT_Line_Weight&>(object).weight_value());
        case WT_Object::Line_Style_ID: {
            const auto& s = static_cast<WT_Line_Style&>(object);
            return cat("LineStyle defined=0x", std::hex, s.defined(), std::dec, " join=", s.line_join(),
                       " start=", s.line_start_cap(), " end=", s.line_end_cap());
        }
        case WT_Object::Viewport_ID: {
            const auto& v = static_cast<WT_Viewport&>(object);
            return cat("Viewport ", v.name().ascii(), " contours=", v.contour_set().contours(),
                       points(v.contour_set().points()));
        }
        case WT_Object::Font_ID: {
            const auto& f = static_cast<WT_Font&>(object);
            return cat("Font fields=0x", std::hex, f.fields(), std::dec, " name=", f.name().ascii(), " height=",
                       f.height(), " style=", int(f.style()), " rotation=", f.rotation(), " widthscale=",
                       f.width_scale(), " flags=", f.flags());
        }
        default: return cat("Object ", object.object_id());
    }
}

// The page streams in page order.
inline Lines pageStreams(const std::string& path) {
    Lines streams;
    for (const testsupport::Entry& entry : testsupport::readArchive(path)) {
        if (entry.name.ends_with(".w2d")) streams.push_back(entry.content);
    }
    return streams;
}

inline Lines decode(const std::string& stream) {
    Lines lines;
    const WT_Result::Enum result = w2dtest::read_stream(stream, [&lines](WT_Stream& s) {
        WT_Object* object = s.current_object();
        if (object && object->object_id() != WT_Object::DWF_Header_ID) lines.push_back(describe(*object));
    });
    if (result != WT_Result::End_Of_Stream) lines.push_back("<ended with " + std::to_string(result) + ">");
    return lines;
}

inline bool unzipAccepts(const std::string& path) { return testsupport::exitStatus("unzip -tq '" + path + "'") == 0; }

inline void addLines(DWFPlotFileWriter& writer, const std::vector<Move>& moves) {
    for (const Move& m : moves) writer.addLine(m.x, m.y, m.code, m.group);
}

// `n` points evenly spaced on the circle of radius `r` around (cx, cy), from angle 0 on.
inline std::vector<PlottingPoint> ring(int n, double cx, double cy, double r) {
    std::vector<PlottingPoint> points;
    for (int i = 0; i < n; ++i) {
        points.emplace_back(cx + r * std::cos(2 * M_PI * i / n), cy + r * std::sin(2 * M_PI * i / n));
    }
    return points;
}

inline bool openA4(DWFPlotFileWriter& writer, const std::string& path) {
    return writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1");
}

// Writes plots into workDir() and checks each with unzip.
class PlotWriterTest : public testsupport::TempDirTest {
protected:
    // Three pens: black 0.25 mm, red 0.35 mm, blue 0.5 mm.
    static std::vector<PenDetail> threePens() { return {{0, 0, 0, 0.25}, {255, 0, 0, 0.35}, {0, 0, 255, 0.5}}; }

    // The decoded objects of a one-page plot with threePens() drawn by `draw`, without the page's clip viewport.
    Lines drawPage(const std::function<void(DWFPlotFileWriter&)>& draw, const std::set<std::string>& options = {},
                   ImageEncodeCallback encode = nullptr, ImageReleaseCallback release = nullptr) {
        const std::string path = newPath();
        {
            DWFPlotFileWriter writer(encode, release);
            std::vector<PenDetail> pens = threePens();
            writer.setPenDetails(pens);
            EXPECT_TRUE(openA4(writer, path));
            writer.openPage(options);
            draw(writer);
            writer.closePlot();
        }
        EXPECT_TRUE(unzipAccepts(path));
        const auto streams = pageStreams(path);
        if (streams.size() != 1) return {"<" + std::to_string(streams.size()) + " pages>"};
        Lines lines = decode(streams[0]);
        if (!lines.empty() && lines.front().rfind("Viewport Clip", 0) == 0) lines.erase(lines.begin());
        return lines;
    }

    std::string newPath() { return workDir() + "plot" + std::to_string(++plots_) + ".dwf"; }

private:
    int plots_ = 0;
};

}  // namespace plotwritertest

#endif  // DWFPLOT_TESTS_PLOTFILE_WRITER_PLOT_WRITER_TEST_SUPPORT_H
