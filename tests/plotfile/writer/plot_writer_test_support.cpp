#include "plot_writer_test_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

#include "package/zip/archive_reader.h"
#include "platform/unicode.h"
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
namespace {

std::string entryContent(DWFZip::ArchiveReader& reader) {
    std::string out;
    if (reader.openEntry("") != 0) return "<cannot open>";
    char buffer[4096];
    for (int32_t n; (n = reader.readEntry(buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<size_t>(n));
    EXPECT_EQ(reader.closeEntry(), 0);
    return out;
}

std::string point(const WT_Logical_Point& p) { return std::to_string(p.m_x) + "," + std::to_string(p.m_y); }

std::string points(const std::vector<WT_Logical_Point>& list) {
    std::string out;
    for (const auto& p : list) out += " " + point(p);
    return out;
}

std::string printable(const std::vector<uint8_t>& data) {
    std::string out;
    for (uint8_t byte : data) {
        if (byte >= 0x20 && byte < 0x7F) {
            out += static_cast<char>(byte);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        }
    }
    return out;
}

std::string describeAttribute(WT_Object& object) {
    std::ostringstream out;
    switch (object.object_id()) {
        case WT_Object::Color_ID: {
            const auto& c = static_cast<WT_Color&>(object).rgba();
            out << "Color " << int(c.m_red) << "," << int(c.m_green) << "," << int(c.m_blue) << "," << int(c.m_alpha);
            break;
        }
        case WT_Object::Fill_ID:
            out << "Fill " << (static_cast<WT_Fill&>(object).filled() ? "on" : "off");
            break;
        case WT_Object::Line_Weight_ID:
            out << "LineWeight " << static_cast<WT_Line_Weight&>(object).weight_value();
            break;
        case WT_Object::Line_Style_ID: {
            const auto& s = static_cast<WT_Line_Style&>(object);
            out << "LineStyle defined=0x" << std::hex << s.defined() << std::dec << " join=" << s.line_join()
                << " start=" << s.line_start_cap() << " end=" << s.line_end_cap();
            break;
        }
        case WT_Object::Viewport_ID: {
            const auto& v = static_cast<WT_Viewport&>(object);
            out << "Viewport " << v.name().ascii() << " contours=" << v.contour_set().contours()
                << points(v.contour_set().points());
            break;
        }
        case WT_Object::Font_ID: {
            const auto& f = static_cast<WT_Font&>(object);
            out << "Font fields=0x" << std::hex << f.fields() << std::dec << " name=" << f.name().ascii()
                << " height=" << f.height() << " style=" << int(f.style()) << " rotation=" << f.rotation()
                << " widthscale=" << f.width_scale() << " flags=" << f.flags();
            break;
        }
        default:
            out << "Object " << object.object_id();
    }
    return out.str();
}

std::string describe(WT_Object& object) {
    std::ostringstream out;
    switch (object.object_id()) {
        case WT_Object::UserData_ID: {
            const auto& u = static_cast<WT_UserData&>(object);
            out << "UserData " << u.data_description().ascii() << " '" << printable(u.data()) << "'";
            break;
        }
        case WT_Object::Polyline_ID:
            out << "Polyline" << points(static_cast<WT_Polyline&>(object).points());
            break;
        case WT_Object::Polygon_ID:
            out << "Polygon" << points(static_cast<WT_Polygon&>(object).points());
            break;
        case WT_Object::Contour_Set_ID: {
            const auto& c = static_cast<WT_Contour_Set&>(object);
            out << "Contours";
            for (int32_t count : c.counts()) out << " " << count;
            out << " :" << points(c.points());
            break;
        }
        case WT_Object::Filled_Ellipse_ID:
        case WT_Object::Outline_Ellipse_ID: {
            const auto& e = static_cast<WT_Ellipse&>(object);
            out << (object.object_id() == WT_Object::Filled_Ellipse_ID ? "FilledEllipse " : "OutlineEllipse ")
                << point(e.centre()) << " " << e.major() << "," << e.minor() << " " << e.start() << "," << e.end()
                << " " << e.tilt();
            break;
        }
        case WT_Object::Text_ID: {
            const auto& t = static_cast<WT_Text&>(object);
            out << "Text " << point(t.position()) << " '" << platform::utf16ToUtf8(t.string().unicode()) << "'";
            if (t.bounds()) {
                out << " bounds";
                for (const auto& p : *t.bounds()) out << " " << point(p);
            }
            break;
        }
        case WT_Object::Image_ID:
        case WT_Object::PNG_Group4_Image_ID: {
            const auto& i = static_cast<WT_Image&>(object);
            out << "Image format=" << i.format() << " id=" << i.identifier() << " " << i.columns() << "x" << i.rows()
                << " " << point(i.min_corner()) << " " << point(i.max_corner()) << " data='"
                << printable(i.data()) << "'";
            break;
        }
        default:
            return describeAttribute(object);
    }
    return out.str();
}

}  // namespace

std::vector<Entry> readPackage(const std::string& path) {
    std::vector<Entry> entries;
    auto reader = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
    EXPECT_TRUE(reader) << path;
    if (!reader) return entries;
    std::vector<std::string> names;
    for (int32_t rc = reader->firstEntry(); rc == 0; rc = reader->nextEntry()) {
        char name[512] = {};
        reader->entryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
        names.emplace_back(name);
    }
    for (const std::string& name : names) {
        EXPECT_EQ(reader->locateEntry(name.c_str(), 1), 0) << name;
        entries.push_back({name, entryContent(*reader)});
    }
    return entries;
}

std::vector<std::string> pageStreams(const std::string& path) {
    std::vector<std::string> streams;
    for (const Entry& entry : readPackage(path)) {
        if (entry.name.size() > 4 && entry.name.compare(entry.name.size() - 4, 4, ".w2d") == 0) {
            streams.push_back(entry.content);
        }
    }
    return streams;
}

std::vector<std::string> decode(const std::string& stream) {
    std::vector<std::string> lines;
    const WT_Result::Enum result = w2dtest::read_stream(stream, [&lines](WT_Stream& s) {
        WT_Object* object = s.current_object();
        if (object && object->object_id() != WT_Object::DWF_Header_ID) lines.push_back(describe(*object));
    });
    if (result != WT_Result::End_Of_Stream) lines.push_back("<ended with " + std::to_string(result) + ">");
    return lines;
}

bool unzipAccepts(const std::string& path) {
    const int status = std::system(("unzip -tq '" + path + "' >/dev/null 2>&1").c_str());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace plotwritertest

namespace plotwritertest {

std::vector<std::string> PlotWriterTest::drawPage(const std::function<void(DWFPlotFileWriter&)>& draw,
                                                  ImageEncodeCallback encode, ImageReleaseCallback release) {
    const std::string path = newPath();
    {
        DWFPlotFileWriter writer(encode, release);
        std::vector<PenDetail> pens = threePens();
        writer.setPenDetails(pens);
        EXPECT_TRUE(writer.openPlot(path, 21, 29.7, 1, 1, "mm", 0, "UTF-8", "Kestra", "9.1"));
        writer.openPage({});
        draw(writer);
        writer.closePlot();
    }
    EXPECT_TRUE(unzipAccepts(path));
    const auto streams = pageStreams(path);
    if (streams.size() != 1) return {"<" + std::to_string(streams.size()) + " pages>"};
    std::vector<std::string> lines = decode(streams[0]);
    if (!lines.empty() && lines.front().rfind("Viewport Clip", 0) == 0) lines.erase(lines.begin());
    return lines;
}

}  // namespace plotwritertest
