// The page streams of a plot file, found through the manifest's
// "2d streaming graphics" resources rather than through the plot reader, so
// that packages the reader refuses can still be inspected. A bare W2D
// stream counts as a one-page file.
#ifndef DWFPLOT_TOOL_PAGE_STREAMS_H
#define DWFPLOT_TOOL_PAGE_STREAMS_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/failure.h"

namespace DWFEPlot {
class EPlotDwfReader;
}

namespace dwfplot_tool {

// The paper a page is plotted on, from its descriptor: its size and how
// many of the stream's logical units make a millimetre of it (the graphics
// resource's transform).
struct PagePaper {
    double widthMm = 0;
    double heightMm = 0;
    double unitsPerMillimetre = 0;
};

class PageStreams {
public:
    PageStreams();
    ~PageStreams();
    PageStreams(const PageStreams&) = delete;
    PageStreams& operator=(const PageStreams&) = delete;

    // False with `error` set when the file is neither a package nor a W2D
    // stream, or a package without page streams.
    bool open(const std::string& fileName, std::string& error);

    // Files holding the uncompressed page streams, in manifest order; they
    // live as long as this object.
    const std::vector<std::string>& paths() const { return paths_; }
    // The paper of each page, where its descriptor tells it (not for a bare
    // stream, nor for a package whose descriptors do not read).
    const std::vector<std::optional<PagePaper>>& papers() const { return papers_; }

private:
    bool openPackage(const std::string& fileName, std::string& error);

    std::unique_ptr<DWFEPlot::EPlotDwfReader> package_;
    std::vector<std::string> paths_;
    std::vector<std::optional<PagePaper>> papers_;
};

// Whether the file starts like a bare W2D stream rather than a package.
bool looksLikeW2dStream(const std::string& fileName);

// A readable text for a package failure code, and with where and why the
// package reader recorded.
std::string packageFailureText(int code);
std::string packageFailureText(int code, const platform::Failure& failure);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_PAGE_STREAMS_H
