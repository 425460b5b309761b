// The tool's commands, in-process and as a program, against transcripts of our
// sample stream and golden plot, the demo, and inputs of other producers.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <regex>
#include <utility>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/page_streams.h"
#include "support/package_builder.h"
#include "tool_test_support.h"

namespace {

using tooltest::runTool;
using w2dtest::p16;
using w2dtest::p32;

class CommandLine : public testsupport::TempDirTest {
protected:
    // Output, status and messages of each command line, then of the executable with files capped at 2 KiB (SIGXFSZ
    // ignored: a write fails instead of killing it). DIR/ is the test's directory; byte counts follow the zlib in use.
    std::string transcriptOf(const std::vector<std::vector<std::string>>& cases,
                             const std::vector<std::string>& program = {}) {
        std::string transcript;
        for (const auto& arguments : cases) {
            transcript += "$ dwfplot";
            for (const std::string& argument : arguments) transcript += " " + argument;
            const auto run = runTool(arguments);
            transcript += "\n" + run.out + "(status " + std::to_string(run.status) + ")\n" + run.err;
        }
        for (const std::string& arguments : program) {
            std::string output;
            const int status =
                tooltest::runShell("trap '' XFSZ; ulimit -f 4; exec '" DWFPLOT_TOOL_PATH "' " + arguments, &output);
            transcript += "$ program " + arguments + "\n" + output + "(status " + std::to_string(status) + ")\n";
        }
        for (size_t at; (at = transcript.find(workDir())) != std::string::npos;) {
            transcript.replace(at, workDir().size(), "DIR/");
        }
        return std::regex_replace(transcript, std::regex("[0-9]+ bytes"), "N bytes");
    }
};

// Foreign streams hold triangle strips, markers, and names with quotes or like numbers. The demo shows each kind of
// drawing call on its page and a group-options record twice, as a host sees it; a full disk leaves no half package.
TEST_F(CommandLine, CommandLinesMatchTheTranscript) {
    const std::string dir = workDir();
    const std::string junk = dir + "junk.dwf";
    const std::string sample = dir + "sample.w2d";
    testsupport::writeFile(junk, "PK but not really");
    testsupport::writeFile(dir + "text.txt", "not a plot at all");
    tooltest::writeSampleStream(sample, false);
    const std::string bytes = testsupport::readFile(sample);
    testsupport::writeFile(dir + "cut.w2d", bytes.substr(0, bytes.size() / 2));
    testsupport::writeFile(dir + "strips.w2d", "(W2D V06.00)\x14\x03" + p16(0, 0) + p16(10, 0) + p16(-5, 5) + "O" +
                                                   p32(100000, 0) + "\x8D\x05" + p16(0, 0) + p16(1, 0) + p16(1, 0) +
                                                   p16(1, 0) + p16(1, 0) + "t\x01" + p32(-100004, 7) + "m\x01" +
                                                   p32(1, 1) + "M 2 -3,4 5,-6 (EndOfDWF)");
    testsupport::writeFile(dir + "names.w2d",
                           "(W2D V06.00)(Layer 1 'say\"hi\"')(NamedView 0,0 10,10 '3rd')(View '3rd')"
                           "(NamedView 0,0 1,1 -x)(View '-x')(Author 'Jane \"JD\"')(EndOfDWF)");
    const std::string transcript = transcriptOf(
        {{}, {"--version"}, {"--help"}, {"demo", "--help"}, {"info", "--help"}, {"dump", "--help"}, {"svg", "--help"},
         {"w2d", "--help"}, {"draw"}, {"info"}, {"info", "a", "b"}, {"info", "--", "-x"}, {"dump", junk, "--xml"},
         {"svg", junk, "-o"}, {"dump", junk, "--json", "--json"}, {"dump", junk, "--json=yes"}, {"svg", junk},
         {"dump", junk}, {"info", junk}, {"svg", sample}, {"w2d", sample, "--page", "1"}, {"w2d", sample, "--page=2"},
         {"w2d", sample, "--page", "1000000"}, {"w2d", sample, "--page", "1000001"}, {"w2d", sample, "--page", "0"},
         {"w2d", sample, "--page", "-1"}, {"w2d", sample, "--page", "x"}, {"w2d", sample, "--page", "9999999999"},
         {"w2d", dir + "cut.w2d"}, {"w2d", dir + "text.txt"}, {"w2d", dir + "missing.dwf"},
         {"w2d", dir + "strips.w2d"}, {"w2d", dir + "names.w2d"}, {"demo", "-o", dir + "out"}, {"pdf", "--help"},
         {"png", "--help"}, {"pdf", junk}, {"png", sample, "--dpi", "0"}, {"png", sample, "-o", dir + "sample"},
         {"pdf", sample}, {"png", dir + "cut.w2d"}},
        {"--version", "", "w2d " + dir + "missing.w2d", "svg --page 1 x", "demo -o " + dir + "full"});
    EXPECT_EQ(transcript, tooltest::dataFile("command_line.golden"));
    EXPECT_TRUE(testsupport::listTree(dir + "full").empty());
    // Output that takes nothing is the output's failure, not the stream's.
    std::ostream nowhere(nullptr);
    std::ostringstream why;
    EXPECT_EQ(dwfplot_tool::runArguments({"w2d", sample}, nowhere, why), 1);
    EXPECT_EQ(why.str(), "dwfplot w2d: " + sample + ": page 1, cannot write the output (Write_Failed)\n");
    EXPECT_EQ(testsupport::readFile(dir + "sample-page-1.svg"), tooltest::dataFile("sample_svg.golden"));
    // Listings of the foreign streams read back as the same objects, and list the same again.
    for (const std::string name : {"strips.w2d", "names.w2d"}) {
        const std::string listing = runTool({"w2d", dir + name}).out;
        testsupport::writeFile(dir + "listing.w2d", listing);
        EXPECT_EQ(runTool({"w2d", dir + "listing.w2d"}).out, listing) << name;
        EXPECT_EQ(tooltest::objectsOf(listing), tooltest::objectsOf(testsupport::readFile(dir + name))) << name;
    }
    std::string output;
    if (tooltest::haveProgram("xmllint")) {
        EXPECT_EQ(tooltest::runShell("xmllint --noout " + dir + "out/demo-page-[123].svg", &output), 0) << output;
    }
    if (tooltest::haveProgram("unzip")) {
        EXPECT_EQ(tooltest::runShell("unzip -t " + dir + "out/demo.dwf", &output), 0) << output;
    }
    // A reader gone before the first line (dwfplot dump x | head -1) does not kill the tool before it removes its
    // temporary files (TearDown finds none left): the output fails, and the tool says so.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    ::close(pipeEnds[0]);
    const std::string plot = dir + "out/demo.dwf";
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], 1);
        ::close(2);
        ::execl(DWFPLOT_TOOL_PATH, "dwfplot", "dump", plot.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "wait status " << status;
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
    IMAGE image{2, 2, 3, pixels.data(), 1};
    writer.addImage(1, 1, 3, 2, &image, "Pics");
    writer.closePage();
    writer.closePlot();
}

// A foreign package's manifest: sections list their streams directly, with '\' where the entry names have '/'.
const char kForeignManifest[] =
    "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\" objectId=\"0F0E0D0C-0B0A-0908-0706-050403020100\">"
    "<dwf:Interfaces><dwf:Interface objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" "
    "href=\"urn:dwf:ePlot\" /></dwf:Interfaces><dwf:Properties>"
    "<dwf:Property name=\"SourceProductName\" value=\"Elsewhere &amp; Co\" /></dwf:Properties><dwf:Sections>"
    "<dwf:Section type=\"dwf.ePlot\" name=\"dwf.ePlot_1\" title=\"One\"><dwf:Source provider=\"x\" dwf:href=\"One\" />"
    "<dwf:Toc><dwf:Resource dwf:role=\"thumbnail\" dwf:mime=\"image/png\" dwf:href=\"A\\thumb.png\" />"
    "<dwf:Resource dwf:role=\"2d streaming graphics\" dwf:mime=\"application/x-w2d\" dwf:href=\"A\\one.w2d\" />"
    "</dwf:Toc></dwf:Section>"
    "<dwf:Section type=\"dwf.ePlot\" name=\"dwf.ePlot_2\" title=\"Two\"><dwf:Source provider=\"x\" dwf:href=\"Two\" />"
    "<dwf:Toc><dwf:Resource dwf:role=\"2d streaming graphics\" dwf:mime=\"application/x-w2d\" "
    "dwf:href=\"B\\two.w2d\" /></dwf:Toc></dwf:Section></dwf:Sections></dwf:Manifest>";

// The plot reader refuses the foreign package, but its pages are found: the sample stream, plain and compressed.
// Listings read back as the objects of the binary streams; the golden plot's carry user data, fonts, pens and images.
TEST_F(CommandLine, GoldenPlotAndForeignPackageMatchTheTranscript) {
    const std::string golden = workDir() + "golden.dwf";
    const std::string foreign = workDir() + "foreign.dwf";
    const std::string streams[] = {workDir() + "one.w2d", workDir() + "two.w2d"};
    writeGoldenPlot(golden);
    tooltest::writeSampleStream(streams[0], false);
    tooltest::writeSampleStream(streams[1], true);
    testsupport::writeFile(foreign, testsupport::zipArchive({{"manifest.xml", kForeignManifest},
                                                             {"A/thumb.png", "not really"},
                                                             {"A/one.w2d", testsupport::readFile(streams[0])},
                                                             {"B/two.w2d", testsupport::readFile(streams[1])}},
                                                            testsupport::kDwfHeader)
                                        .bytes);
    EXPECT_EQ(transcriptOf({{"dump", golden}, {"dump", golden, "--json"}, {"info", golden}, {"info", foreign},
                            {"dump", foreign}, {"svg", foreign}, {"w2d", foreign, "--page", "1"},
                            {"w2d", foreign, "--page", "2"}}),
              tooltest::dataFile("plots.golden"));
    dwfplot_tool::PageStreams plotPages;
    std::string error;
    ASSERT_TRUE(plotPages.open(golden, error)) << error;
    ASSERT_EQ(plotPages.paths().size(), 2u);
    for (size_t page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        const std::string number = std::to_string(page);
        EXPECT_EQ(testsupport::readFile(workDir() + "foreign-page-" + number + ".svg"),
                  tooltest::dataFile("sample_svg.golden"));
        const std::pair<std::string, std::string> sources[] = {{foreign, streams[page - 1]},
                                                               {golden, plotPages.paths()[page - 1]}};
        for (const auto& [file, binary] : sources) {
            const std::vector<std::string> objects = tooltest::objectsOf(testsupport::readFile(binary));
            EXPECT_GE(objects.size(), 4u);
            EXPECT_EQ(tooltest::objectsOf(runTool({"w2d", file, "--page", number}).out), objects) << file;
        }
    }
}

}  // namespace
