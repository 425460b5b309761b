// Shared by the tool's tests: a sample page stream written object by object
// with the W2D layer, and ways to run the tool in-process or as a program.
#ifndef DWFPLOT_TESTS_TOOLS_DWFPLOT_TOOL_TEST_SUPPORT_H
#define DWFPLOT_TESTS_TOOLS_DWFPLOT_TOOL_TEST_SUPPORT_H

#include <string>
#include <vector>

namespace tooltest {

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the tool's command line in-process.
Run runTool(const std::vector<std::string>& arguments);
// Runs a shell command; its standard output and error go to `out`.
int runShell(const std::string& command, std::string* out = nullptr);
// Whether a program is on the PATH.
bool haveProgram(const char* name);

// A 10000 by 8000 unit page stream with a viewport, a red polyline, a blue
// filled rectangle, a contour set with a hole, a filled circle, an arc, a
// text, a PNG image and a user-data record; compressed when asked.
void writeSampleStream(const std::string& path, bool compressed);

// The objects of a stream, each written alone into a fresh binary stream:
// two objects with the same bytes there are the same object. Header,
// trailer, compression markers and relative origins are left out.
std::vector<std::string> objectsOf(const std::string& bytes);

}  // namespace tooltest

#endif  // DWFPLOT_TESTS_TOOLS_DWFPLOT_TOOL_TEST_SUPPORT_H
