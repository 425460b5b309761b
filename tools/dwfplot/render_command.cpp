#include "dwfplot/render_command.h"

#include <cstdio>
#include <fstream>
#include <new>
#include <numeric>

#include "dwfplot/command_line.h"
#include "dwfplot/commands.h"
#include "dwfplot/page_streams.h"
#include "dwfplot/render/cairo_canvas.h"
#include "dwfplot/render/page_renderer.h"
#include "dwfplot/render/svg_canvas.h"
#include "dwfplot/w2d_file.h"

namespace dwfplot_tool {
namespace {


bool renderPage(const std::string& path, const std::optional<PagePaper>& paper, Canvas& canvas,
                const RenderProgress& progress, std::string& error) {
    WT_Result::Enum result = WT_Result::Success;
    std::optional<PageRenderer> renderer;
    if (paper) {
        renderer.emplace(canvas, paperFrame(paper->widthMm, paper->heightMm, paper->unitsPerMillimetre));
    } else {
        renderer.emplace(canvas);
    }
    try {
        result = renderer->render(path, progress);
    } catch (const WT_Result::Enum thrown) {
        result = thrown;
    } catch (const std::bad_alloc&) {
        result = WT_Result::Out_Of_Memory;
    }
    if (result == WT_Result::Success) return true;
    error = readFailureText(renderer->failure(), result);
    return false;
}

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    return !file.fail();
}

// The byte size of each page stream, measured once for the progress bar.
std::vector<uint64_t> sizesOf(const std::vector<std::string>& paths) {
    std::vector<uint64_t> sizes;
    for (const std::string& path : paths) sizes.push_back(W2dFile(path).size());
    return sizes;
}

// Writes page N to PREFIX-page-N.EXTENSION through `write` and lists the file
// in `written`.
PageDone pageFiles(const std::string& prefix, const char* extension, std::vector<std::string>& written,
                   std::function<bool(const std::string& target, std::string& why)> write) {
    return [&prefix, extension, &written, write = std::move(write)](size_t page, std::string& why) {
        const std::string target = prefix + "-page-" + std::to_string(page) + "." + extension;
        if (!write(target, why)) return false;
        written.push_back(target);
        return true;
    };
}

int report(bool done, const std::vector<std::string>& written, const char* command, const std::string& fileName,
           const std::string& error, const CommandContext& context) {
    for (const std::string& name : written) context.out << name << "\n";
    if (done) return ExitOk;
    context.err << "dwfplot " << command << ": " << fileName << ": " << error << "\n";
    return ExitBadInput;
}

}  // namespace

std::string defaultPrefix(const std::string& fileName) {
    const size_t slash = fileName.rfind('/');
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot == slash + 1) return fileName;
    return fileName.substr(0, dot);
}

bool renderPages(const std::string& fileName, Canvas& canvas, const PageDone& pageDone, ProgressBar& progress,
                 std::string& error) {
    PageStreams streams;
    if (!streams.open(fileName, error)) return false;
    const std::vector<uint64_t> sizes = sizesOf(streams.paths());
    RenderProgress at{&progress, 0, std::accumulate(sizes.begin(), sizes.end(), uint64_t{0})};
    for (size_t page = 1; page <= streams.paths().size(); ++page) {
        const std::string& path = streams.paths()[page - 1];
        // "page 2, byte 18432, opcode ...": where the stream failed; "page 2:
        // cannot write ...": what failed after it was drawn.
        const bool drawn = renderPage(path, streams.papers()[page - 1], canvas, at, error);
        if (!drawn || !pageDone(page, error)) {
            error = "page " + std::to_string(page) + (drawn ? ": " : ", ") + error;
            return false;
        }
        at.before += sizes[page - 1];
    }
    return true;
}

bool renderSvgFiles(const std::string& fileName, const std::string& prefix, std::vector<std::string>& written,
                    ProgressBar& progress, std::string& error) {
    SvgCanvas canvas;
    const auto writeSvg = [&](const std::string& target, std::string& why) {
        if (writeText(target, canvas.document())) return true;
        why = "cannot write " + target;
        return false;
    };
    return renderPages(fileName, canvas, pageFiles(prefix, "svg", written, writeSvg), progress, error);
}

int runSvg(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    const std::string prefix = arguments.value("-o").value_or(defaultPrefix(fileName));
    std::vector<std::string> written;
    std::string error;
    ProgressBar progress(context.err, context.terminal, "svg");
    const bool done = renderSvgFiles(fileName, prefix, written, progress, error);
    progress.finish();
    return report(done, written, "svg", fileName, error, context);
}

bool renderPdfFile(const std::string& fileName, const std::string& target, ProgressBar& progress,
                   std::string& error) {
    CairoCanvas canvas = CairoCanvas::pdf(target);
    const auto checkPage = [&](size_t, std::string& why) {
        why = canvas.error();
        return !canvas.failed();
    };
    bool done = renderPages(fileName, canvas, checkPage, progress, error);
    if (!canvas.finish() && done) {
        error = canvas.error();
        done = false;
    }
    if (!done) std::remove(target.c_str());
    return done;
}

bool renderPngFiles(const std::string& fileName, const std::string& prefix, double dpi,
                    std::vector<std::string>& written, ProgressBar& progress, std::string& error) {
    CairoCanvas canvas = CairoCanvas::png(dpi);
    const auto writePng = [&](const std::string& target, std::string& why) {
        if (canvas.writePng(target)) return true;
        why = canvas.error();
        return false;
    };
    return renderPages(fileName, canvas, pageFiles(prefix, "png", written, writePng), progress, error);
}

int runPdf(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    const std::string target = arguments.value("-o").value_or(defaultPrefix(fileName) + ".pdf");
    std::string error;
    ProgressBar progress(context.err, context.terminal, "pdf");
    const bool done = renderPdfFile(fileName, target, progress, error);
    progress.finish();
    return report(done, done ? std::vector<std::string>{target} : std::vector<std::string>{}, "pdf", fileName, error,
                  context);
}

int runPng(const Arguments& arguments, const CommandContext& context) {
    const std::string& fileName = arguments.positional().front();
    const std::string prefix = arguments.value("-o").value_or(defaultPrefix(fileName));
    const std::optional<int> dpi = parsePositive(arguments.value("--dpi").value_or(std::to_string(kDefaultDpi)), kMostDpi);
    if (!dpi) {
        context.err << "dwfplot png: --dpi takes a whole number from 1 to " << kMostDpi << "\n";
        return ExitUsage;
    }
    std::vector<std::string> written;
    std::string error;
    ProgressBar progress(context.err, context.terminal, "png");
    const bool done = renderPngFiles(fileName, prefix, *dpi, written, progress, error);
    progress.finish();
    return report(done, written, "png", fileName, error, context);
}

}  // namespace dwfplot_tool
