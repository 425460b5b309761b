#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tool_test_support.h"

// Present only in a test built with the address sanitizer, whose consumer
// must then be built with it too.
extern "C" void __asan_init() __attribute__((weak));

namespace {

const char kConsumerCMake[] = R"(cmake_minimum_required(VERSION 3.25)
project(consumer LANGUAGES CXX)
find_package(dwfplot REQUIRED)
add_executable(consumer main.cpp)
target_link_libraries(consumer PRIVATE dwfplot::dwfplot)
)";

// A host in miniature: exits with 0 when it reads back the one line it wrote.
const char kConsumerMain[] = R"(#include <dwfplot/DWFPlotFile.h>
int main(int, char** argv) {
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
    return lines == 1 ? 0 : 6;
}
)";

class InstalledPackage : public testsupport::TempDirTest {};

// The CMake package of an installed tree is enough to build and run a host;
// the pkg-config file and the tool are installed beside it.
TEST_F(InstalledPackage, FindPackageBuildsAConsumer) {
    if (!tooltest::haveProgram("cmake")) GTEST_SKIP() << "cmake is not installed";
    const std::string tool = DWFPLOT_TOOL_PATH;
    const std::string prefix = workDir() + "prefix";
    const std::string source = workDir() + "consumer";
    const std::string flags = __asan_init != nullptr ? " -DCMAKE_CXX_FLAGS=-fsanitize=address,undefined" : "";
    std::filesystem::create_directories(source);
    testsupport::writeFile(source + "/CMakeLists.txt", kConsumerCMake);
    testsupport::writeFile(source + "/main.cpp", kConsumerMain);
    const std::string steps[] = {
        "cmake --install " + tool.substr(0, tool.rfind('/')) + " --prefix " + prefix,
        "cmake -S " + source + " -B " + source + "/build -DCMAKE_PREFIX_PATH=" + prefix + flags,
        "cmake --build " + source + "/build",
        source + "/build/consumer " + workDir() + "plot.dwf",
        "test -x " + prefix + "/bin/dwfplot",
        "find " + prefix + "/lib -path '*/pkgconfig/dwfplot.pc' | grep -q ."};
    for (const std::string& step : steps) {
        std::string output;
        ASSERT_EQ(tooltest::runShell(step, &output), 0) << step << "\n" << output;
    }
}

}  // namespace
