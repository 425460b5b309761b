// The subcommands, as the command line calls them with their arguments
// already checked against the command's options.
#ifndef DWFPLOT_TOOL_COMMANDS_H
#define DWFPLOT_TOOL_COMMANDS_H

#include <ostream>

#include "dwfplot/arguments.h"

namespace dwfplot_tool {

struct CommandContext {
    std::ostream& out;
    std::ostream& err;
    bool terminal;  // standard error is a terminal: progress bars allowed
};

int runDemo(const Arguments& arguments, const CommandContext& context);
int runInfo(const Arguments& arguments, const CommandContext& context);
int runDump(const Arguments& arguments, const CommandContext& context);
int runSvg(const Arguments& arguments, const CommandContext& context);
int runPdf(const Arguments& arguments, const CommandContext& context);
int runPng(const Arguments& arguments, const CommandContext& context);
int runW2d(const Arguments& arguments, const CommandContext& context);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_COMMANDS_H
