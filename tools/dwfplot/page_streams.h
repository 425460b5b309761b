// The page streams of a plot file, found through the manifest's
// "2d streaming graphics" resources rather than through the plot reader, so
// that packages the reader refuses can still be inspected. A bare W2D
// stream counts as a one-page file.
#ifndef DWFPLOT_TOOL_PAGE_STREAMS_H
#define DWFPLOT_TOOL_PAGE_STREAMS_H

#include <memory>
#include <string>
#include <vector>

namespace DWFReader {
class DwfReader;
}

namespace dwfplot_tool {

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

private:
    bool openPackage(const std::string& fileName, std::string& error);

    std::unique_ptr<DWFReader::DwfReader> package_;
    std::vector<std::string> paths_;
};

// Whether the file starts like a bare W2D stream rather than a package.
bool looksLikeW2dStream(const std::string& fileName);

// A readable text for a package failure code.
std::string packageFailureText(int code);

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_PAGE_STREAMS_H
