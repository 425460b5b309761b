// The dwfplot command: everything but the process entry lives in the tool
// library, so that the tests can run the commands in-process.
#include <csignal>
#include <iostream>

#include "dwfplot/command_line.h"

int main(int argc, char** argv) {
    // A reader that goes away early (dwfplot dump x | head -1) must not kill
    // the tool before it removes its temporary files: a write to the closed
    // pipe fails instead, and the command stops there.
    std::signal(SIGPIPE, SIG_IGN);
    return dwfplot_tool::runCommandLine(argc, argv, std::cout, std::cerr);
}
