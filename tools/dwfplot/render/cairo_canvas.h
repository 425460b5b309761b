// The cairo backend: pages as one PDF document, or each page as a PNG
// image with a white background. The page's logical units map onto the
// paper (PDF points) or the pixels (PNG at the chosen resolution) with y
// turned down. A failure (the file cannot be written, a page too large for
// an image) is kept and ends the drawing; the caller asks `failed`.
#ifndef DWFPLOT_TOOL_RENDER_CAIRO_CANVAS_H
#define DWFPLOT_TOOL_RENDER_CAIRO_CANVAS_H

#include <string>

#include "dwfplot/render/canvas.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace dwfplot_tool {

// The largest image side cairo draws.
constexpr int kMostPixels = 32767;

class CairoCanvas : public Canvas {
public:
    enum class Target { Pdf, Png };

    // A PDF document written to `path`, or PNG images at `dpi`.
    static CairoCanvas pdf(const std::string& path) { return CairoCanvas(Target::Pdf, path, 0); }
    static CairoCanvas png(double dpi) { return CairoCanvas(Target::Png, "", dpi); }
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void beginPage(const PageFrame& frame) override;
    void endPage() override;
    void setClip(const std::vector<Contour>& contours) override;
    void setLayer(const std::string&) override {}  // cairo's PDF has no layers
    void setLink(const std::string& url) override;
    void stroke(const std::vector<Contour>& paths, bool closed, const Stroke& stroke) override;
    void fill(const std::vector<Contour>& contours, const Fill& fill) override;
    void text(const TextRun& run) override;
    void image(const PageImage& image) override;

    // PNG: the last page, written to `path`.
    bool writePng(const std::string& path);
    // PDF: the document completed and flushed.
    bool finish();

    bool failed() const { return !error_.empty(); }
    const std::string& error() const { return error_; }

private:
    CairoCanvas(Target target, std::string path, double dpi) : target_(target), path_(std::move(path)), dpi_(dpi) {}

    bool drawing() const { return cr_ != nullptr && error_.empty(); }
    void fail(const std::string& why);
    void failWith(int status);  // a cairo_status_t
    void release();
    void addPath(const std::vector<Contour>& contours, bool closed);
    void showRun(const TextRun& run);

    Target target_;
    std::string path_;
    double dpi_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    PageFrame frame_;
    bool linkOpen_ = false;
    std::string error_;
};

}  // namespace dwfplot_tool

#endif  // DWFPLOT_TOOL_RENDER_CAIRO_CANVAS_H
