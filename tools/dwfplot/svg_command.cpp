#include "dwfplot/svg_command.h"

#include <fstream>
#include <new>

#include "dwfplot/command_line.h"
#include "dwfplot/commands.h"
#include "dwfplot/page_streams.h"
#include "dwfplot/svg_page.h"
#include "dwfplot/w2d_file.h"

namespace dwfplot_tool {
namespace {

WT_Result::Enum drawObjects(W2dFile& input, SvgPage& page, ProgressBar& progress, uint64_t before, uint64_t total) {
    for (;;) {
        const WT_Result::Enum result = input.next();
        progress.update(before + input.position(), total);
        if (result == WT_Result::End_Of_Stream) return WT_Result::Success;
        WT_CHECK(result);
        if (const WT_Object* object = input.stream().current_object()) {
            page.draw(*object, input.stream().current_attributes());
        }
    }
}

bool renderWithin(const std::string& path, std::string& svg, ProgressBar& progress, uint64_t before,
                  uint64_t total, std::string& error) {
    WT_Result::Enum result = WT_Result::Success;
    try {
        W2dFile input(path);
        SvgPage page;
        result = input.open();
        if (result == WT_Result::Success) result = drawObjects(input, page, progress, before, total == 0 ? input.size() : total);
        if (result == WT_Result::Success) svg = page.document();
    } catch (const WT_Result::Enum thrown) {
        result = thrown;
    } catch (const std::bad_alloc&) {
        result = WT_Result::Out_Of_Memory;
    }
    if (result == WT_Result::Success) return true;
    error = "the page stream cannot be read: " + w2dResultText(result);
    return false;
}

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return !file.fail();
}

uint64_t totalSize(const std::vector<std::string>& paths) {
    uint64_t total = 0;
    for (const std::string& path : paths) total += W2dFile(path).size();
    return total;
}

}  // namespace

bool renderPageStream(const std::string& path, std::string& svg, ProgressBar& progress, std::string& error) {
    return renderWithin(path, svg, progress, 0, 0, error);
}

std::string defaultPrefix(const std::string& fileName) {
    const size_t slash = fileName.rfind('/');
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1) return fileName;
    return fileName.substr(0, dot);
}

bool renderPlotFile(const std::string& fileName, const std::string& prefix, std::vector<std::string>& written,
                    ProgressBar& progress, std::string& error) {
    PageStreams streams;
    if (!streams.open(fileName, error)) return false;
    const uint64_t total = totalSize(streams.paths());
    uint64_t before = 0;
    for (size_t page = 0; page < streams.paths().size(); ++page) {
        const std::string& path = streams.paths()[page];
        std::string svg;
        if (!renderWithin(path, svg, progress, before, total, error)) {
            error = "page " + std::to_string(page + 1) + ": " + error;
            return false;
        }
        before += W2dFile(path).size();
        const std::string target = prefix + "-page-" + std::to_string(page + 1) + ".svg";
        if (!writeText(target, svg)) {
            error = "cannot write " + target;
            return false;
        }
        written.push_back(target);
    }
    return true;
}

int runSvg(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    const std::string prefix = arguments.value("-o").value_or(defaultPrefix(fileName));
    std::vector<std::string> written;
    std::string error;
    ProgressBar progress(context.err, context.terminal, "svg");
    const bool done = renderPlotFile(fileName, prefix, written, progress, error);
    progress.finish();
    for (const std::string& name : written) context.out << name << "\n";
    if (done) return ExitOk;
    context.err << "dwfplot svg: " << fileName << ": " << error << "\n";
    return ExitBadInput;
}

}  // namespace dwfplot_tool
