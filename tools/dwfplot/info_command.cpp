// `dwfplot info`: what the plot reader makes of a file, and what the package
// holds whether the reader accepts it or not.
#include <memory>
#include <new>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "dwfplot/command_line.h"
#include "dwfplot/commands.h"
#include "dwfplot/dump_command.h"
#include "dwfplot/page_streams.h"
#include "dwfplot/w2d_file.h"
#include "model/manifest/manifest.h"
#include "model/manifest/property.h"
#include "package/reader/dwf_reader.h"

namespace dwfplot_tool {
namespace {

// The manifest's properties in manifest order; false with `error` when the
// file is not a package whose manifest can be read.
bool manifestProperties(const std::string& fileName, std::vector<std::pair<std::string, std::string>>& properties,
                        std::string& error) {
    // Opened in a second step, so that the reader keeps why it failed.
    std::unique_ptr<DWFReader::DwfReader> package;
    try {
        package = std::make_unique<DWFReader::DwfReader>(DWFUtil::String(), DWFUtil::String());
        package->openPackage(DWFUtil::String::fromUtf8(fileName));
        const auto& list = package->getManifest()->getProperties();
        for (uint32_t i = 0; !list.isNull() && i < list->size(); ++i) {
            const auto* property = dynamic_cast<const DWFManifest::SimpleProperty*>((*list)[i].Object());
            if (property == nullptr) continue;
            properties.emplace_back(property->getPropertyName().toUtf8(), property->getValue().toUtf8());
        }
        return true;
    } catch (const DWF::DwfResult::Enum code) {
        error = package ? packageFailureText(code, package->failure()) : packageFailureText(code);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    return false;
}

void printPlot(DWFPlotFileReader& reader, std::ostream& out) {
    double width = 0, height = 0, xScale = 0, yScale = 0;
    std::string units;
    reader.getPageSize(width, height);
    reader.getPlotScale(xScale, yScale);
    reader.getPlotUnits(units);
    std::vector<std::string> pages;
    reader.getPages(pages);
    out << "pages: " << pages.size() << "\n";
    out << "page size: " << exactNumber(width) << " x " << exactNumber(height) << " plot units\n";
    out << "scale: " << exactNumber(xScale) << " x " << exactNumber(yScale) << "\n";
    out << "units: " << quoted(units) << "\n";
    out << "encoding: " << quoted(reader.getEncoding()) << "\n";
    out << "page streams: " << reader.size() << " bytes\n";
}

}  // namespace

int runInfo(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    std::ostream& out = context.out;
    DWFPlotFileReader reader;
    std::string message;
    const bool accepted = reader.canRead(fileName, message);
    out << "file: " << fileName << "\n";
    out << "plot reader: " << (accepted ? "accepts it" : "refuses it: " + message) << "\n";
    if (accepted && reader.openPlot(fileName)) printPlot(reader, out);
    PageStreams streams;
    std::string error;
    if (streams.open(fileName, error)) {
        for (size_t page = 0; page < streams.paths().size(); ++page) {
            out << "page " << page + 1 << " stream: " << W2dFile(streams.paths()[page]).size() << " bytes\n";
        }
    } else {
        out << "page streams: none (" << error << ")\n";
    }
    std::vector<std::pair<std::string, std::string>> properties;
    if (manifestProperties(fileName, properties, error)) {
        out << "manifest properties:\n";
        for (const auto& [name, value] : properties) out << "  " << name << " = " << quoted(value) << "\n";
    } else if (!looksLikeW2dStream(fileName)) {
        out << "manifest: unreadable (" << error << ")\n";
    }
    if (accepted) return ExitOk;
    context.err << "dwfplot info: " << fileName << ": " << message << "\n";
    return ExitBadInput;
}

}  // namespace dwfplot_tool
