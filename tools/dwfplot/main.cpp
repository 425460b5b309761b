// The dwfplot command: everything but the process entry lives in the tool
// library, so that the tests can run the commands in-process.
#include <iostream>

#include "dwfplot/command_line.h"

int main(int argc, char** argv) {
    return dwfplot_tool::runCommandLine(argc, argv, std::cout, std::cerr);
}
