#include "dwfplot/command_line.h"

#include <algorithm>
#include <iostream>

#include "dwfplot/arguments.h"
#include "dwfplot/commands.h"
#include "dwfplot/progress_bar.h"

namespace dwfplot_tool {
namespace {

constexpr char kVersion[] = "dwfplot " DWFPLOT_VERSION;

struct Command {
    const char* name;
    const char* synopsis;
    const char* help;
    std::vector<OptionSpec> options;
    size_t positionals;
    int (*run)(const Arguments& arguments, const CommandContext& context);
};

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"demo", "dwfplot demo [-o DIR]",
         "Writes a three-page demo plot DIR/demo.dwf (default DIR: out) that uses every drawing call,\n"
         "reads it back, prints a summary of each page and renders each page to DIR/demo-page-N.svg.\n",
         {{"-o", true}}, 0, runDemo},
        {"info", "dwfplot info FILE",
         "Tells whether the plot reader accepts FILE (and why not), and shows its pages, page size,\n"
         "scale, units, encoding, page stream sizes and manifest properties.\n",
         {}, 1, runInfo},
        {"dump", "dwfplot dump FILE [--json]",
         "Replays the plot as a host would and prints one line per operation with all its data\n"
         "(one JSON object per line with --json). The output is deterministic, so dumps can be diffed.\n",
         {{"--json", false}}, 1, runDump},
        {"svg", "dwfplot svg FILE [-o PREFIX]",
         "Renders each page from its W2D stream to PREFIX-page-N.svg (default PREFIX: FILE without\n"
         "its extension), with the rendition attributes in force. Packages the plot reader refuses\n"
         "are rendered too, as long as their manifest names 2d streaming graphics.\n",
         {{"-o", true}}, 1, runSvg},
        {"pdf", "dwfplot pdf FILE [-o OUT.pdf]",
         "Renders every page into one PDF document (default OUT: FILE without its extension, .pdf),\n"
         "each page the size of its paper. URLs become links. FILE may be a bare W2D stream.\n",
         {{"-o", true}}, 1, runPdf},
        {"png", "dwfplot png FILE [-o PREFIX] [--dpi N]",
         "Renders each page to PREFIX-page-N.png (default PREFIX: FILE without its extension) at N dots\n"
         "per inch of paper (default 96), on a white background. FILE may be a bare W2D stream.\n",
         {{"-o", true}, {"--dpi", true}}, 1, runPng},
        {"w2d", "dwfplot w2d FILE [--page N]",
         "Prints the W2D stream of page N (default 1) in the W2D ASCII form, object by object.\n"
         "The stream reader reads the output back as the same objects.\n",
         {{"--page", true}}, 1, runW2d},
    };
    return table;
}

void printUsage(std::ostream& out) {
    out << "usage: dwfplot COMMAND [ARGUMENTS]\n       dwfplot --help | --version\n\ncommands:\n";
    for (const Command& command : commands()) out << "  " << command.synopsis << "\n";
    out << "\n'dwfplot COMMAND --help' describes one command.\n"
           "Exit status: 0 on success, 1 when an input file is refused or broken, 2 on usage errors.\n";
}

int runOne(const Command& command, const std::vector<std::string>& words, const CommandContext& context) {
    if (std::find(words.begin(), words.end(), "--help") != words.end()) {
        context.out << "usage: " << command.synopsis << "\n\n" << command.help;
        return ExitOk;
    }
    Arguments arguments;
    std::string error;
    if (!arguments.parse(words, command.options, error)) {
        context.err << "dwfplot " << command.name << ": " << error << "\nusage: " << command.synopsis << "\n";
        return ExitUsage;
    }
    if (arguments.positional().size() != command.positionals) {
        context.err << "dwfplot " << command.name << ": "
                    << (arguments.positional().size() < command.positionals ? "missing FILE" : "too many arguments")
                    << "\nusage: " << command.synopsis << "\n";
        return ExitUsage;
    }
    return command.run(arguments, context);
}

}  // namespace

int runArguments(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    const CommandContext context{out, err, &err == &std::cerr && standardErrorIsTerminal()};
    if (arguments.empty()) {
        printUsage(err);
        return ExitUsage;
    }
    const std::string& first = arguments.front();
    if (first == "--help" || first == "-h" || first == "help") {
        printUsage(out);
        return ExitOk;
    }
    if (first == "--version") {
        out << kVersion << "\n";
        return ExitOk;
    }
    for (const Command& command : commands()) {
        if (first == command.name) {
            return runOne(command, std::vector<std::string>(arguments.begin() + 1, arguments.end()), context);
        }
    }
    err << "dwfplot: unknown command '" << first << "'\n";
    printUsage(err);
    return ExitUsage;
}

int runCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    const int status = runArguments(arguments, out, err);
    // Output that could not be written whole is a failure, not a success.
    if (!out.flush() && status == ExitOk) {
        err << "dwfplot: cannot write the output\n";
        return ExitBadInput;
    }
    return status;
}

}  // namespace dwfplot_tool
