// dwfplot.render: every page of a plot file drawn by the tool's viewer.
#include <pybind11/stl.h>

#include <sstream>

#include "bindings.h"
#include "dwfplot/progress_bar.h"
#include "dwfplot/render_command.h"

namespace dwfplot_python {
namespace {

std::vector<std::string> render(const std::string& path, const std::string& out, const std::string& format,
                                int dpi) {
    if (format != "svg" && format != "pdf" && format != "png") {
        throw py::value_error("format must be \"svg\", \"pdf\" or \"png\", not \"" + format + "\"");
    }
    if (dpi < 1 || dpi > dwfplot_tool::kMostDpi) {
        throw py::value_error("dpi must be from 1 to " + std::to_string(dwfplot_tool::kMostDpi));
    }
    std::vector<std::string> written;
    std::string error;
    bool done = false;
    {
        // Drawing a large plot takes a while; other Python threads go on meanwhile.
        const py::gil_scoped_release unlocked;
        std::ostringstream quiet;
        dwfplot_tool::ProgressBar progress(quiet, false, format);
        if (format == "svg") {
            done = dwfplot_tool::renderSvgFiles(path, out, written, progress, error);
        } else if (format == "pdf") {
            done = dwfplot_tool::renderPdfFile(path, out, progress, error);
            if (done) written.push_back(out);
        } else {
            done = dwfplot_tool::renderPngFiles(path, out, dpi, written, progress, error);
        }
    }
    if (!done) throw Failure{"RenderFailed", path + ": " + error};
    return written;
}

}  // namespace

void bindRender(py::module_& module) {
    module.def("render", &render, py::arg("path"), py::arg("out"), py::arg("format") = "svg",
               py::arg("dpi") = dwfplot_tool::kDefaultDpi,
               "Draws every page of the plot file (or bare W2D stream) at `path`. SVG and PNG pages go to "
               "OUT-page-N.svg / .png, a PDF to the file `out`. Returns the names of the files written.");
}

}  // namespace dwfplot_python
