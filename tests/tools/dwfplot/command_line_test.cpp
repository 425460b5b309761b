#include <gtest/gtest.h>

#include <sstream>

#include "dwfplot/arguments.h"
#include "dwfplot/progress_bar.h"
#include "support/temp_dir_test.h"
#include "tool_test_support.h"

namespace {

class CommandLine : public testsupport::TempDirTest {};

TEST_F(CommandLine, UsageHelpVersionAndExitStatuses) {
    const std::string junk = workDir() + "/junk.dwf";
    testsupport::writeFile(junk, "PK but not really");
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char* out;
        const char* err;
    } cases[] = {
        {{}, 2, "", "usage: dwfplot COMMAND"},
        {{"--version"}, 0, "dwfplot 0.1.0\n", ""},
        {{"--help"}, 0, "dwfplot svg FILE [-o PREFIX]", ""},
        {{"demo", "--help"}, 0, "usage: dwfplot demo [-o DIR]", ""},
        {{"info", "--help"}, 0, "usage: dwfplot info FILE", ""},
        {{"dump", "--help"}, 0, "usage: dwfplot dump FILE [--json]", ""},
        {{"svg", "--help"}, 0, "usage: dwfplot svg FILE [-o PREFIX]", ""},
        {{"w2d", "--help"}, 0, "usage: dwfplot w2d FILE [--page N]", ""},
        {{"draw"}, 2, "", "unknown command 'draw'"},
        {{"info"}, 2, "", "missing FILE"},
        {{"info", "a", "b"}, 2, "", "too many arguments"},
        {{"dump", junk, "--xml"}, 2, "", "unknown option --xml"},
        {{"svg", junk, "-o"}, 2, "", "option -o needs a value"},
        {{"dump", junk, "--json", "--json"}, 2, "", "option --json given twice"},
        {{"dump", junk, "--json=yes"}, 2, "", "option --json takes no value"},
        {{"svg", junk}, 1, "", "cannot open it as a DWF package"},
        {{"dump", junk}, 1, "", "PLT_"},
        {{"info", junk}, 1, "plot reader: refuses it: PLT_", "PLT_"},
    };
    for (const auto& c : cases) {
        const tooltest::Run run = tooltest::runTool(c.arguments);
        const std::string label = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(run.status, c.status) << label << "\n" << run.out << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << label << "\n" << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << label << "\n" << run.err;
    }
}

TEST_F(CommandLine, TheProgramExitsWithTheSameStatuses) {
    const std::string tool = DWFPLOT_TOOL_PATH;
    const std::pair<std::string, int> cases[] = {
        {"--version", 0}, {"", 2}, {"w2d " + workDir() + "/missing.w2d", 1}, {"svg --page 1 x", 2}};
    for (const auto& [arguments, status] : cases) {
        std::string output;
        EXPECT_EQ(tooltest::runShell("'" + tool + "' " + arguments, &output), status) << arguments << "\n" << output;
    }
}

TEST(Arguments, PositionalsOptionsAndTheEndOfOptions) {
    dwfplot_tool::Arguments arguments;
    std::string error;
    ASSERT_TRUE(arguments.parse({"a", "--page", "3", "--", "-o"}, {{"--page", true}, {"-o", true}}, error)) << error;
    EXPECT_EQ(arguments.positional(), (std::vector<std::string>{"a", "-o"}));
    EXPECT_EQ(arguments.value("--page"), "3");
    EXPECT_FALSE(arguments.has("-o"));
    EXPECT_EQ(dwfplot_tool::parsePositive("12", 100), 12);
    EXPECT_FALSE(dwfplot_tool::parsePositive("101", 100));
    EXPECT_FALSE(dwfplot_tool::parsePositive("-1", 100));
    EXPECT_FALSE(dwfplot_tool::parsePositive("9999999999", 100));
}

TEST(ProgressBar, LineAndSilenceWhenNotATerminal) {
    EXPECT_EQ(dwfplot_tool::progressLine("svg", 0, 0), "svg [                              ] 0%");
    EXPECT_EQ(dwfplot_tool::progressLine("svg", 50, 100), "svg [###############               ] 50%");
    EXPECT_EQ(dwfplot_tool::progressLine("dump", 7, 5), "dump [##############################] 100%");
    std::ostringstream err;
    {
        dwfplot_tool::ProgressBar bar(err, false, "svg");
        bar.update(1, 2);
        bar.update(2, 2);
    }
    EXPECT_EQ(err.str(), "");
}

}  // namespace
