// The dwfplot command line: subcommands, their options and exit statuses.
#ifndef DWFPLOT_TOOL_COMMAND_LINE_H
#define DWFPLOT_TOOL_COMMAND_LINE_H

#include <ostream>
#include <string>
#include <vector>

namespace dwfplot_tool {

// Exit statuses: success, an input refused or broken, a usage error.
enum ExitStatus { ExitOk = 0, ExitBadInput = 1, ExitUsage = 2 };

// Runs one command line; normal output goes to `out`, messages to `err`.
int runCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);
int runArguments(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_COMMAND_LINE_H
