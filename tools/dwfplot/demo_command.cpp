// `dwfplot demo`: writes the demo plot, reads it back as a host would and
// renders every page to SVG.
#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/command_line.h"
#include "dwfplot/commands.h"
#include "dwfplot/demo_plot.h"
#include "dwfplot/image_codec.h"
#include "dwfplot/render_command.h"

namespace dwfplot_tool {
namespace {

struct PageSummary {
    std::map<Plt_Plot_Operation_T, int> counts;
};

// Replays the plot and counts the operations of each page; images loaded
// for the replay go straight back.
bool summarise(const std::string& fileName, std::vector<PageSummary>& pages, std::string& error) {
    DWFPlotFileReader reader(loadImageCallback);
    std::string message;
    if (!reader.canRead(fileName, message) || !reader.openPlot(fileName)) {
        error = "the plot reader refuses it: " + message;
        return false;
    }
    for (Plt_Plot_Operation_T operation = reader.getOperation(); operation != PLT_END_OF_PLOT;
         operation = reader.getOperation()) {
        if (operation == PLT_NEW_PAGE) pages.emplace_back();
        if (operation == PLT_IMAGE) {
            double x = 0, y = 0, height = 0, width = 0;
            IMAGE* image = nullptr;
            reader.getImage(x, y, height, width, &image);
            if (image == nullptr) {
                error = "an image did not load";
                return false;
            }
            freeImage(image);
        }
        if (!pages.empty()) ++pages.back().counts[operation];
    }
    reader.closePlot();
    return true;
}

std::string summaryLine(size_t page, const PageSummary& summary) {
    static const std::pair<Plt_Plot_Operation_T, const char*> names[] = {
        {PLT_PEN, "pen changes"}, {PLT_LINE, "lines"},   {PLT_POLYGONS, "polygon sets"},
        {PLT_TEXT, "texts"},      {PLT_SYMBOL, "symbols"}, {PLT_TABLE, "tables"},
        {PLT_IMAGE, "images"},    {PLT_GROUP_OPTIONS, "group options"}};
    std::string line = "page " + std::to_string(page) + ":";
    bool first = true;
    for (const auto& [operation, name] : names) {
        const auto found = summary.counts.find(operation);
        const int count = found == summary.counts.end() ? 0 : found->second;
        line += std::string(first ? " " : ", ") + std::to_string(count) + " " + name;
        first = false;
    }
    return line;
}

}  // namespace

int runDemo(const Arguments& arguments, const CommandContext& context) {
    const std::string directory = arguments.value("-o").value_or("out");
    std::error_code failure;
    std::filesystem::create_directories(directory, failure);
    if (failure) {
        context.err << "dwfplot demo: cannot create " << directory << ": " << failure.message() << "\n";
        return ExitBadInput;
    }
    const std::string fileName = directory + "/demo.dwf";
    {
        DWFPlotFileWriter writer(encodeImageCallback, releaseImageCallback);
        if (!writeDemoPlot(writer, fileName)) {
            context.err << "dwfplot demo: cannot write " << fileName << "\n";
            return ExitBadInput;
        }
    }
    context.out << "wrote " << fileName << "\n";
    std::vector<PageSummary> pages;
    std::string error;
    if (!summarise(fileName, pages, error)) {
        context.err << "dwfplot demo: " << fileName << ": " << error << "\n";
        return ExitBadInput;
    }
    for (size_t page = 0; page < pages.size(); ++page) context.out << summaryLine(page + 1, pages[page]) << "\n";
    std::vector<std::string> written;
    ProgressBar progress(context.err, context.terminal, "svg");
    const bool rendered = renderSvgFiles(fileName, directory + "/demo", written, progress, error);
    progress.finish();
    for (const std::string& name : written) context.out << "rendered " << name << "\n";
    if (rendered) return ExitOk;
    context.err << "dwfplot demo: " << fileName << ": " << error << "\n";
    return ExitBadInput;
}

}  // namespace dwfplot_tool
