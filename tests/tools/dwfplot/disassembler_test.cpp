#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>

#include "dwfplot/disassembler.h"
#include "support/temp_dir_test.h"
#include "tool_test_support.h"
#include "w2d/stream.h"

namespace {

class W2dDisassembly : public testsupport::TempDirTest {};

TEST_F(W2dDisassembly, AsciiFormReadsBackAsTheSameObjects) {
    for (const bool compressed : {false, true}) {
        const std::string path = workDir() + "/page.w2d";
        tooltest::writeSampleStream(path, compressed);
        std::ostringstream out;
        dwfplot_tool::ProgressBar quiet(out, false, "");
        std::string error;
        ASSERT_TRUE(dwfplot_tool::disassembleW2d(path, out, quiet, error)) << error;
        const std::string ascii = out.str();
        EXPECT_EQ(ascii.rfind("(W2D V06.00)", 0), 0u);
        EXPECT_NE(ascii.find("(Color 255,0,0,255)"), std::string::npos) << ascii;
        EXPECT_NE(ascii.find("(UserData "), std::string::npos);
        // Printable text only: the binary PNG goes out as hexadecimal.
        const auto binary = std::find_if(ascii.begin(), ascii.end(), [](char c) {
            return !(c == '\r' || c == '\n' || c == '\t' || (c >= 0x20 && c < 0x7F));
        });
        EXPECT_EQ(binary, ascii.end()) << static_cast<int>(binary == ascii.end() ? 0 : *binary);
        const std::vector<std::string> binaryObjects = tooltest::objectsOf(testsupport::readFile(path));
        EXPECT_EQ(tooltest::objectsOf(ascii), binaryObjects) << "compressed: " << compressed;
        EXPECT_GE(binaryObjects.size(), 16u);
    }
}

TEST_F(W2dDisassembly, CommandPicksThePageAndRefusesBrokenInput) {
    const std::string path = workDir() + "/page.w2d";
    tooltest::writeSampleStream(path, false);
    const std::string bytes = testsupport::readFile(path);
    testsupport::writeFile(workDir() + "/cut.w2d", bytes.substr(0, bytes.size() / 2));
    testsupport::writeFile(workDir() + "/text.txt", "not a plot at all");
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* inOutput;
    } cases[] = {
        {{"w2d", path}, 0, "(EndOfDWF)"},
        {{"w2d", path, "--page", "1"}, 0, "(Viewport"},
        {{"w2d", path, "--page=2"}, 1, "there is no page 2"},
        {{"w2d", path, "--page", "0"}, 2, "--page needs a page number"},
        {{"w2d", path, "--page", "x"}, 2, "--page needs a page number"},
        {{"w2d", workDir() + "/cut.w2d"}, 1, "the page stream cannot be read"},
        {{"w2d", workDir() + "/text.txt"}, 1, "cannot open it as a DWF package"},
        {{"w2d", workDir() + "/missing.dwf"}, 1, "cannot open"},
    };
    for (const auto& c : cases) {
        const tooltest::Run run = tooltest::runTool(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.back() << run.err;
        EXPECT_NE((run.out + run.err).find(c.inOutput), std::string::npos) << run.out << run.err;
    }
}

}  // namespace
