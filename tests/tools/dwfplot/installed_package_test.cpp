#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir_test.h"
#include "tool_test_support.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

const char kConsumerCMake[] = R"(cmake_minimum_required(VERSION 3.25)
project(consumer LANGUAGES CXX)
find_package(dwfplot REQUIRED)
add_executable(consumer main.cpp)
target_link_libraries(consumer PRIVATE dwfplot::dwfplot)
)";

// A host in miniature: writes a one-line plot and reads its operations back.
const char kConsumerMain[] = R"(#include <dwfplot/DWFPlotFile.h>
#include <cstdio>
int main(int argc, char** argv) {
    if (argc != 2) return 3;
    {
        DWFPlotFileWriter writer;
        std::vector<PenDetail> pens = {PenDetail(0, 0, 0, 0.35)};
        writer.setPenDetails(pens);
        if (!writer.openPlot(argv[1], 10, 10, 1, 1, "cm", 0, "ISO8859_1", "consumer", "1")) return 4;
        writer.openPage({});
        writer.setPen(0);
        writer.addLine(1, 1, 3, "g");
        writer.addLine(5, 5, 2, "g");
        writer.closePage();
        writer.closePlot();
    }
    DWFPlotFileReader reader;
    std::string message;
    if (!reader.canRead(argv[1], message) || !reader.openPlot(argv[1])) return 5;
    int lines = 0;
    for (Plt_Plot_Operation_T op = reader.getOperation(); op != PLT_END_OF_PLOT; op = reader.getOperation())
        if (op == PLT_LINE) ++lines;
    std::printf("lines=%d\n", lines);
    return lines == 1 ? 0 : 6;
}
)";

class InstalledPackage : public testsupport::TempDirTest {};

// The CMake package of an installed tree is enough to build and run a host.
TEST_F(InstalledPackage, FindPackageBuildsAConsumer) {
    if (!tooltest::haveProgram("cmake")) GTEST_SKIP() << "cmake is not installed";
    const std::string tool = DWFPLOT_TOOL_PATH;
    const std::string buildDir = tool.substr(0, tool.rfind('/'));
    const std::string prefix = workDir() + "/prefix";
    const std::string source = workDir() + "/consumer";
    std::string output;
    ASSERT_EQ(tooltest::runShell("cmake --install '" + buildDir + "' --prefix '" + prefix + "'", &output), 0) << output;
    ASSERT_EQ(tooltest::runShell("mkdir -p '" + source + "'"), 0);
    testsupport::writeFile(source + "/CMakeLists.txt", kConsumerCMake);
    testsupport::writeFile(source + "/main.cpp", kConsumerMain);
    const std::string flags = kSanitized ? " -DCMAKE_CXX_FLAGS=-fsanitize=address,undefined" : "";
    output.clear();
    ASSERT_EQ(tooltest::runShell("cmake -S '" + source + "' -B '" + source + "/build' -DCMAKE_PREFIX_PATH='" + prefix +
                                     "'" + flags + " && cmake --build '" + source + "/build'",
                                 &output),
              0)
        << output;
    output.clear();
    EXPECT_EQ(tooltest::runShell("'" + source + "/build/consumer' '" + workDir() + "/plot.dwf'", &output), 0) << output;
    EXPECT_EQ(output, "lines=1\n");
    EXPECT_EQ(tooltest::runShell("test -f '" + prefix + "/lib/pkgconfig/dwfplot.pc' || test -f '" + prefix +
                                 "/lib/x86_64-linux-gnu/pkgconfig/dwfplot.pc'"),
              0);
    EXPECT_EQ(tooltest::runShell("test -x '" + prefix + "/bin/dwfplot'"), 0);
}

}  // namespace
