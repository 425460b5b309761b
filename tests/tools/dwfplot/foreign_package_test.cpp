// A package of another producer, assembled with the zip tool from a
// hand-written manifest: the plot reader refuses it, but its page streams
// are still found through the manifest and can be inspected.
#include <gtest/gtest.h>

#include "support/temp_dir_test.h"
#include "tool_test_support.h"

namespace {

const char kManifest[] =
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

class ForeignPackage : public testsupport::TempDirTest {
protected:
    std::string makePackage() {
        if (!tooltest::haveProgram("zip")) return "";
        const std::string source = workDir() + "/src/";
        EXPECT_EQ(tooltest::runShell("mkdir -p '" + source + "A' '" + source + "B'"), 0);
        testsupport::writeFile(source + "manifest.xml", kManifest);
        testsupport::writeFile(source + "A/thumb.png", "not really");
        tooltest::writeSampleStream(source + "A/one.w2d", false);
        tooltest::writeSampleStream(source + "B/two.w2d", true);
        std::string output;
        EXPECT_EQ(tooltest::runShell("cd '" + source + "' && zip -q -r ../foreign.zip manifest.xml A B", &output), 0)
            << output;
        const std::string path = workDir() + "/foreign.dwf";
        testsupport::writeFile(path, "(DWF V06.00)" + testsupport::readFile(workDir() + "/foreign.zip"));
        return path;
    }
};

TEST_F(ForeignPackage, SvgAndW2dFindThePagesTheReaderRefuses) {
    const std::string path = makePackage();
    if (path.empty()) GTEST_SKIP() << "zip is not installed";
    const tooltest::Run svg = tooltest::runTool({"svg", path, "-o", workDir() + "/foreign"});
    EXPECT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(svg.out, workDir() + "/foreign-page-1.svg\n" + workDir() + "/foreign-page-2.svg\n");
    // Both pages hold the same drawing, one of them in compressed sections.
    EXPECT_EQ(testsupport::readFile(workDir() + "/foreign-page-1.svg"),
              testsupport::readFile(workDir() + "/foreign-page-2.svg"));
    const tooltest::Run w2d = tooltest::runTool({"w2d", path, "--page", "2"});
    EXPECT_EQ(w2d.status, 0) << w2d.err;
    EXPECT_NE(w2d.out.find("(Viewport"), std::string::npos);
    const tooltest::Run info = tooltest::runTool({"info", path});
    EXPECT_EQ(info.status, 1);
    EXPECT_NE(info.out.find("plot reader: refuses it: PLT_NOT_A_KESTRA_GENERATED_FILE\n"), std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("page 2 stream: "), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("  SourceProductName = \"Elsewhere & Co\"\n"), std::string::npos) << info.out;
    const tooltest::Run dump = tooltest::runTool({"dump", path});
    EXPECT_EQ(dump.status, 1);
    EXPECT_EQ(dump.err, "dwfplot dump: " + path + ": PLT_NOT_A_KESTRA_GENERATED_FILE\n");
}

}  // namespace
