// The commands that go through the exported writer and reader: dump against
// golden files, info, and the demo end to end.
#include <gtest/gtest.h>

#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/disassembler.h"
#include "dwfplot/image_codec.h"
#include "dwfplot/page_streams.h"
#include "support/temp_dir_test.h"
#include "tool_test_support.h"

namespace {

std::string dataDirectory() {
    const std::string file = __FILE__;
    return file.substr(0, file.rfind('/')) + "/data/";
}

// A small plot that uses each operation once or twice.
void writeGoldenPlot(const std::string& path) {
    DWFPlotFileWriter writer(dwfplot_tool::encodeImageCallback, dwfplot_tool::releaseImageCallback);
    std::vector<PenDetail> pens = {{0, 0, 0, 0.25}, {255, 0, 0, 0.5}};
    writer.setPenDetails(pens);
    ASSERT_TRUE(writer.openPlot(path, 20, 10, 1, 2, "Centimeters", 0, "ISO8859_1", "golden", "1.0"));
    writer.openPage({"1 \"Roads\" 1 0"});
    writer.setPen(1);
    writer.addLine(1, 1, 3, "Roads");
    writer.addLine(2, 1, 2, "Roads");
    writer.addLine(2, 2.5, 2, "Roads");
    writer.addPolygons({{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{1, 1}, {2, 1}, {2, 2}}}, 0, "Blocks");
    PlotFont font;
    font.name = "Mono";
    font.height = 0.5;
    font.italic = true;
    writer.addText(5, 5, font, 90, L"two", 1, 2, 1.5, 0.5, 0.2, "Labels");
    writer.addText(5.75, 5, font, 90, L"lines \u00e9", 2, 2, 3, 0.5, 0.2, "Labels");
    writer.addSymbol(8, 8, 2, 45, true, "tri", {{{0, 0}, {1, 0}, {0, 1}}}, "Marks");
    writer.addTable("a|b\n1|2");
    writer.closePage();
    writer.openPage({});
    std::vector<unsigned char> pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    IMAGE image;
    image.width = 2;
    image.height = 2;
    image.channels = 3;
    image.pixels = pixels.data();
    image.encoding = 1;
    writer.addImage(1, 1, 3, 2, &image, "Pics");
    writer.closePage();
    writer.closePlot();
}

class PlotCommands : public testsupport::TempDirTest {};

TEST_F(PlotCommands, DumpMatchesTheGoldenFiles) {
    const std::string path = workDir() + "/golden.dwf";
    writeGoldenPlot(path);
    const struct {
        std::vector<std::string> arguments;
        const char* golden;
    } cases[] = {{{"dump", path}, "dump.golden"}, {{"dump", path, "--json"}, "dump_json.golden"}};
    for (const auto& c : cases) {
        const tooltest::Run run = tooltest::runTool(c.arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, testsupport::readFile(dataDirectory() + c.golden)) << c.golden << ":\n" << run.out;
    }
}

// The writer's pages carry user data, fonts, pens and images: each reads
// back from its ASCII form as the objects of the binary page stream.
TEST_F(PlotCommands, W2dOfEveryPageReadsBackAsItsStream) {
    const std::string path = workDir() + "/golden.dwf";
    writeGoldenPlot(path);
    dwfplot_tool::PageStreams streams;
    std::string error;
    ASSERT_TRUE(streams.open(path, error)) << error;
    ASSERT_EQ(streams.paths().size(), 2u);
    for (size_t page = 1; page <= 2; ++page) {
        const tooltest::Run run = tooltest::runTool({"w2d", path, "--page", std::to_string(page)});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::string> binary = tooltest::objectsOf(testsupport::readFile(streams.paths()[page - 1]));
        EXPECT_GE(binary.size(), 4u);
        EXPECT_EQ(tooltest::objectsOf(run.out), binary) << "page " << page << "\n" << run.out;
    }
}

TEST_F(PlotCommands, InfoDescribesAnAcceptedPlot) {
    const std::string path = workDir() + "/golden.dwf";
    writeGoldenPlot(path);
    const tooltest::Run run = tooltest::runTool({"info", path});
    EXPECT_EQ(run.status, 0) << run.err;
    const char* expected[] = {"plot reader: accepts it\n", "pages: 2\n", "page size: 20 x 10 plot units\n",
                              "scale: 1 x 2\n", "units: \"Centimeters\"\n", "encoding: \"ISO8859_1\"\n",
                              "page 2 stream: ", "  DwfToolkitVersion = \"Read Only\"\n",
                              "  PlotFileVersion = \"1.2\"\n", "  SourceProductName = \"golden\"\n"};
    for (const char* piece : expected) EXPECT_NE(run.out.find(piece), std::string::npos) << piece << "\n" << run.out;
}

TEST_F(PlotCommands, DemoWritesReadsAndRendersThreePages) {
    const std::string directory = workDir() + "/out";
    const tooltest::Run run = tooltest::runTool({"demo", "-o", directory});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find("wrote " + directory + "/demo.dwf\n"), 0u) << run.out;
    for (int page = 1; page <= 3; ++page) {
        const std::string svg = directory + "/demo-page-" + std::to_string(page) + ".svg";
        EXPECT_NE(run.out.find("rendered " + svg + "\n"), std::string::npos) << run.out;
        if (tooltest::haveProgram("xmllint")) {
            std::string output;
            EXPECT_EQ(tooltest::runShell("xmllint --noout '" + svg + "'", &output), 0) << output;
        }
    }
    // Every kind of drawing call shows up on the page that makes it; a
    // group-options record is reported twice, as a host sees it.
    const std::pair<const char*, std::vector<const char*>> pages[] = {
        {"page 1: ", {" 3 lines,", " 3 polygon sets,", " 1 texts,", " 0 images,", " 6 group options"}},
        {"page 2: ", {" 4 texts,", " 4 symbols,", " 1 tables,", " 2 group options"}},
        {"page 3: ", {" 3 texts,", " 2 images,", " 0 group options"}},
    };
    for (const auto& [start, pieces] : pages) {
        const size_t at = run.out.find(start);
        ASSERT_NE(at, std::string::npos) << start << "\n" << run.out;
        const std::string line = run.out.substr(at, run.out.find('\n', at) - at);
        for (const char* piece : pieces) EXPECT_NE(line.find(piece), std::string::npos) << piece << "\n" << line;
    }
    EXPECT_EQ(run.out.find("page 4: "), std::string::npos);
    if (tooltest::haveProgram("unzip")) {
        std::string output;
        EXPECT_EQ(tooltest::runShell("unzip -t '" + directory + "/demo.dwf'", &output), 0) << output;
    }
}

// A disk that fills up: files may not grow past 2 KiB (SIGXFSZ ignored, so
// the write fails instead of killing the program). The demo says it cannot
// write and leaves no half package behind.
TEST_F(PlotCommands, DemoOnAFullDiskFailsCleanly) {
    const std::string directory = workDir() + "/full";
    std::string output;
    const int status = tooltest::runShell("trap '' XFSZ; ulimit -f 4; exec '" + std::string(DWFPLOT_TOOL_PATH) +
                                              "' demo -o '" + directory + "'",
                                          &output);
    EXPECT_EQ(status, 1) << output;
    EXPECT_NE(output.find("dwfplot demo: cannot write " + directory + "/demo.dwf"), std::string::npos) << output;
    EXPECT_TRUE(testsupport::listTree(directory).empty());
}

}  // namespace
