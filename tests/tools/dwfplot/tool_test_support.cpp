#include "tool_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "dwfplot/command_line.h"
#include "dwfplot/image_codec.h"
#include "w2d/attribute_set.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/stream.h"
#include "w2d/text.h"
#include "w2d/user_data.h"
#include "w2d/memory_stream.h"
#include "support/temp_dir_test.h"

namespace tooltest {

Run runTool(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    Run run;
    run.status = dwfplot_tool::runArguments(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

int runShell(const std::string& command, std::string* out) {
    std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        if (out != nullptr) out->append(buffer, got);
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool haveProgram(const char* name) { return runShell(std::string("command -v ") + name + " >/dev/null") == 0; }

void writeSampleStream(const std::string& path, bool compressed) {
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
    EXPECT_EQ(WT_UserData(WT_String("Group"), {'R', 'o', 'a', 'd', 0}).write(stream), WT_Result::Success);
    EXPECT_EQ(WT_Polyline(Points{{1000, 1000}, {4000, 1000}, {4000, 3000}}).write(stream), WT_Result::Success);
    desired.set(WT_Color(0, 0, 255));
    EXPECT_EQ(WT_Polygon(Points{{6000, 1000}, {9000, 1000}, {9000, 3000}, {6000, 3000}}).write(stream),
              WT_Result::Success);
    desired.set(WT_Color(0, 128, 0, 255));
    EXPECT_EQ(WT_Contour_Set(std::vector<int32_t>{4, 4}, Points{{1000, 5000}, {4000, 5000}, {4000, 7500}, {1000, 7500},
                                                                {2000, 6000}, {3000, 6000}, {3000, 7000}, {2000, 7000}})
                  .write(stream),
              WT_Result::Success);
    EXPECT_EQ(WT_Filled_Ellipse({7500, 6000}, 800, 800).write(stream), WT_Result::Success);
    EXPECT_EQ(WT_Outline_Ellipse({7500, 6000}, 1200, 900, 0, 16384, 0).write(stream), WT_Result::Success);
    WT_Font font;
    font.set_name(WT_String("Sans"));
    font.set_height(300);
    font.set_rotation(8192);
    desired.set(font);
    WT_Text text({5200, 4200}, WT_String("Hi <&>"));
    text.set_bounds(WT_Text::WT_Bounds{{{5200, 4200}, {6200, 4200}, {6200, 4500}, {5200, 4500}}});
    EXPECT_EQ(text.write(stream), WT_Result::Success);
    IMAGE raster;
    std::vector<unsigned char> pixels(4 * 4 * 3, 200);
    raster.width = 4;
    raster.height = 4;
    raster.channels = 3;
    raster.pixels = pixels.data();
    std::vector<uint8_t> png;
    ASSERT_TRUE(dwfplot_tool::encodePng(raster, png));
    EXPECT_EQ(WT_PNG_Group4_Image(4, 4, WT_Image::PNG, 1, std::nullopt, png, {8000, 3500}, {9000, 4500}).write(stream),
              WT_Result::Success);
    ASSERT_EQ(stream.close(), WT_Result::Success);
}

std::vector<std::string> objectsOf(const std::string& bytes) {
    std::vector<std::string> objects;
    const WT_Result::Enum end = w2dtest::read_stream(bytes, [&objects](WT_Stream& s) {
        WT_Object* object = s.current_object();
        switch (object->object_id()) {
            case WT_Object::DWF_Header_ID:
            case WT_Object::End_Of_DWF_ID:
            case WT_Object::Compression_Marker_ID:
            case WT_Object::Origin_ID:
                return;
            default:
                break;
        }
        objects.push_back(std::to_string(object->object_id()) + ":" +
                          testsupport::hex(w2dtest::write_stream([object](WT_Stream& out) { object->write(out); })));
    });
    EXPECT_EQ(end, WT_Result::End_Of_Stream);
    return objects;
}

}  // namespace tooltest
