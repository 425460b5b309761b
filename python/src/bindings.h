// The pieces of the dwfplot Python module, each bound by its own file, and
// the one error type they all raise.
#ifndef DWFPLOT_PYTHON_BINDINGS_H
#define DWFPLOT_PYTHON_BINDINGS_H

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "dwfplot/PlotFile.h"

namespace dwfplot_python {

namespace py = pybind11;

// Thrown anywhere in the bindings and raised in Python as dwfplot.Error,
// with `reason` (a reader's "PLT_..." text or a result name such as
// "WriteFailed") as its attribute and at the head of its message.
struct Failure {
    std::string reason;
    std::string message;
};

// The name of a result code of the package layers ("WriteFailed"), or
// "DwfResult -N" for a code the library does not define.
std::string resultName(int code);

// A point list from an (n, 2) array or a sequence of (x, y) pairs; an empty
// sequence is no points. TypeError or ValueError for anything else.
std::vector<PlottingPoint> pointsFrom(const py::handle& points);
std::vector<std::vector<PlottingPoint>> contoursFrom(const py::handle& contours);

void bindErrors(py::module_& module);
void bindReader(py::module_& module);
void bindWriter(py::module_& module);
void bindRender(py::module_& module);

}  // namespace dwfplot_python

#endif  // DWFPLOT_PYTHON_BINDINGS_H
