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

// Little-endian x and y of `bytes` bytes each.
std::string pair(int64_t x, int64_t y, int bytes) {
    std::string out;
    for (const int64_t value : {x, y})
        for (int at = 0; at < bytes; ++at) out.push_back(static_cast<char>((value >> (8 * at)) & 0xFF));
    return out;
}

// Streams of another producer list, and the listing, read again, lists the
// same: triangle strips and markers, and names that hold quotes or start
// like numbers.
TEST_F(W2dDisassembly, ForeignStreamsListAndTheListingReadsBack) {
    const struct {
        const char* name;
        std::string stream;
        std::string listing;
    } cases[] = {
        {"strips and markers",
         "(W2D V06.00)" + std::string("\x14\x03") + pair(0, 0, 2) + pair(10, 0, 2) + pair(-5, 5, 2) + "O" +
             pair(100000, 0, 4) + "\x8D\x05" + pair(0, 0, 2) + pair(1, 0, 2) + pair(1, 0, 2) + pair(1, 0, 2) +
             pair(1, 0, 2) + "t\x01" + pair(-100004, 7, 4) + "m\x01" + pair(1, 1, 4) + "M 2 -3,4 5,-6 (EndOfDWF)",
         "(W2D V06.00)\r\n   T 3 0,0 10,0 5,5\r\n   M 5 100000,0 100001,0 100002,0 100003,0\r\n"
         "       100004,0\r\n   T 1 0,7\r\n   M 1 1,8\r\n   M 2 -3,4 5,-6\r\n(EndOfDWF)\r\n"},
        {"quoted names",
         "(W2D V06.00)(Layer 1 'say\"hi\"')(NamedView 0,0 10,10 '3rd')(View '3rd')(NamedView 0,0 1,1 -x)"
         "(View '-x')(Author 'Jane \"JD\"')(EndOfDWF)",
         "(W2D V06.00)\r\n(Layer 1 'say\"hi\"')\r\n(NamedView 0,0 10,10 3rd)\r\n(View '3rd')\r\n"
         "(NamedView 0,0 1,1 -x)\r\n(View '-x')\r\n(Author 'Jane \"JD\"')\r\n(EndOfDWF)\r\n"},
    };
    for (const auto& c : cases) {
        const std::string path = workDir() + "/foreign.w2d";
        testsupport::writeFile(path, c.stream);
        const tooltest::Run run = tooltest::runTool({"w2d", path});
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        EXPECT_EQ(run.out, c.listing) << c.name;
        const std::string listing = workDir() + "/listing.w2d";
        testsupport::writeFile(listing, run.out);
        const tooltest::Run again = tooltest::runTool({"w2d", listing});
        EXPECT_EQ(again.status, 0) << c.name << again.err;
        EXPECT_EQ(again.out, run.out) << c.name;
        EXPECT_EQ(tooltest::objectsOf(run.out), tooltest::objectsOf(c.stream)) << c.name;
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
