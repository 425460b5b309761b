// The extension inside the dwfplot package: read, info, Writer, render and
// the exception they raise.
#include "bindings.h"

PYBIND11_MODULE(_dwfplot, module) {
    module.doc() = "Write, read and render DWF plot files";
    module.attr("__version__") = DWFPLOT_VERSION;
    dwfplot_python::bindErrors(module);
    dwfplot_python::bindReader(module);
    dwfplot_python::bindWriter(module);
    dwfplot_python::bindRender(module);
}
