// Shared by the tool's tests: a sample page stream written object by object
// with the W2D layer, and ways to run the tool in-process or as a program.
#ifndef DWFPLOT_TESTS_TOOLS_DWFPLOT_TOOL_TEST_SUPPORT_H
#define DWFPLOT_TESTS_TOOLS_DWFPLOT_TOOL_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dwfplot/command_line.h"
#include "dwfplot/image_codec.h"
#include "support/bytes.h"
#include "support/temp_dir_test.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/memory_stream.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/text.h"
#include "w2d/user_data.h"

namespace tooltest {

struct Run {
    int status = -1;
    std::string out, err;
};

// Runs the tool's command line in-process.
inline Run runTool(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = dwfplot_tool::runArguments(arguments, out, err);
    return {status, out.str(), err.str()};
}

// Runs a shell command: its exit status; its standard output and error go to `out`.
inline int runShell(const std::string& command, std::string* out = nullptr) {
    int status = -1;
    const std::string output = testsupport::runCommand(command, &status);
    if (out != nullptr) *out = output;
    return status;
}

inline bool haveProgram(const char* name) { return runShell(std::string("command -v ") + name) == 0; }

// A file of data/ next to this header.
inline std::string dataFile(const std::string& name) {
    const std::string self = __FILE__;
    return testsupport::readFile(self.substr(0, self.rfind('/')) + "/data/" + name);
}

// Grey 4 x 4 pixels as a fixed PNG, so that goldens do not depend on the zlib in use.
inline std::vector<uint8_t> greyPng() {
    static const char fixed[] =
        "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x04\x00\x00\x00\x04"
        "\x08\x02\x00\x00\x00\x26\x93\x09\x29\x00\x00\x00\x01\x73\x52\x47\x42\x00\xAE\xCE\x1C\xE9\x00\x00"
        "\x00\x14\x49\x44\x41\x54\x08\x99\x63\x3C\x71\xE2\x04\x03\x0C\x30\x31\x20\x01\xDC\x1C\x00\x76\x34"
        "\x02\x60\x57\xCD\x01\xEA\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";
    return std::vector<uint8_t>(fixed, fixed + sizeof fixed - 1);
}

// A 10000 by 8000 page stream: viewport, red polyline, blue filled rectangle, contour set with a hole, filled circle,
// arc, text, PNG image and user data; compressed when asked.
inline void writeSampleStream(const std::string& path, bool compressed) {
    using Points = std::vector<WT_Logical_Point>;
    WT_Stream stream;
    stream.set_filename(path);
    stream.set_file_mode(WT_Stream::File_Write);
    stream.options().set_allow_data_compression(compressed);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    WT_Attribute_Set& desired = stream.desired_attributes();
    desired.set(WT_Viewport("Clip", WT_Contour_Set(Points{{0, 0}, {10000, 0}, {10000, 8000}, {0, 8000}})));
    desired.set(WT_Color(255, 0, 0));
    desired.set(WT_Line_Weight(50));
    WT_Line_Style style;
    style.set_line_start_cap(WT_Line_Style::Round_Cap);
    style.set_line_end_cap(WT_Line_Style::Round_Cap);
    style.set_line_join(WT_Line_Style::Round_Join);
    desired.set(style);
    const auto write = [&stream](const WT_Object& object) { EXPECT_EQ(object.write(stream), WT_Result::Success); };
    write(WT_UserData(WT_String("Group"), {'R', 'o', 'a', 'd', 0}));
    write(WT_Polyline(Points{{1000, 1000}, {4000, 1000}, {4000, 3000}}));
    desired.set(WT_Color(0, 0, 255));
    write(WT_Polygon(Points{{6000, 1000}, {9000, 1000}, {9000, 3000}, {6000, 3000}}));
    desired.set(WT_Color(0, 128, 0, 255));
    write(WT_Contour_Set(std::vector<int32_t>{4, 4}, Points{{1000, 5000}, {4000, 5000}, {4000, 7500}, {1000, 7500},
                                                            {2000, 6000}, {3000, 6000}, {3000, 7000}, {2000, 7000}}));
    write(WT_Filled_Ellipse({7500, 6000}, 800, 800));
    write(WT_Outline_Ellipse({7500, 6000}, 1200, 900, 0, 16384, 0));
    WT_Font font;
    font.set_name(WT_String("Sans"));
    font.set_height(300);
    font.set_rotation(8192);
    desired.set(font);
    WT_Text text({5200, 4200}, WT_String("Hi <&>"));
    text.set_bounds(WT_Text::WT_Bounds{{{5200, 4200}, {6200, 4200}, {6200, 4500}, {5200, 4500}}});
    write(text);
    write(WT_PNG_Group4_Image(4, 4, WT_Image::PNG, 1, std::nullopt, greyPng(), {8000, 3500}, {9000, 4500}));
    ASSERT_EQ(stream.close(), WT_Result::Success);
}

// The objects of a stream, each as written alone into a fresh binary stream (same bytes, same object); header,
// trailer, compression markers and relative origins are left out.
inline std::vector<std::string> objectsOf(const std::string& bytes) {
    std::vector<std::string> objects;
    const WT_Result::Enum end = w2dtest::read_stream(bytes, [&objects](WT_Stream& s) {
        WT_Object* object = s.current_object();
        const auto id = object->object_id();
        if (id == WT_Object::DWF_Header_ID || id == WT_Object::End_Of_DWF_ID ||
            id == WT_Object::Compression_Marker_ID || id == WT_Object::Origin_ID) {
            return;
        }
        objects.push_back(std::to_string(id) + ":" +
                          testsupport::hex(w2dtest::write_stream([object](WT_Stream& out) { object->write(out); })));
    });
    EXPECT_EQ(end, WT_Result::End_Of_Stream);
    return objects;
}

}  // namespace tooltest

#endif  // DWFPLOT_TESTS_TOOLS_DWFPLOT_TOOL_TEST_SUPPORT_H
