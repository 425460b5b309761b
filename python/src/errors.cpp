// dwfplot.Error, the names of the library's result codes, and the point
// lists every drawing call and the reader share.
#include <pybind11/numpy.h>

#include "bindings.h"
#include "dwfplot/DwfResult.h"

namespace dwfplot_python {
namespace {

using Result = DWF::DwfResult;

// Kept as a plain pointer: the type lives as long as the interpreter, and a
// py::object would be released after it at exit.
PyObject* errorType = nullptr;

constexpr std::pair<Result::Enum, const char*> kResultNames[] = {
    {Result::Success, "Success"},
    {Result::CorruptData, "CorruptData"},
    {Result::XmlBuildFailed, "XmlBuildFailed"},
    {Result::NotFoundInPackage, "NotFoundInPackage"},
    {Result::FileOpenFailed, "FileOpenFailed"},
    {Result::ReadFailed, "ReadFailed"},
    {Result::WriteFailed, "WriteFailed"},
    {Result::InvalidData, "InvalidData"},
    {Result::InvalidArgument, "InvalidArgument"},
    {Result::XmlParseError, "XmlParseError"},
    {Result::UnsupportedPackageVersion, "UnsupportedPackageVersion"},
    {Result::ObjectInUse, "ObjectInUse"},
    {Result::OutOfMemory, "OutOfMemory"},
    {Result::TempDirectoryFailed, "TempDirectoryFailed"},
    {Result::NoPackageOpen, "NoPackageOpen"},
    {Result::ArchiveEntryError, "ArchiveEntryError"},
    {Result::BadPassword, "BadPassword"},
    {Result::InvalidState, "InvalidState"},
    {Result::Aborted, "Aborted"},
    {Result::NoTempPath, "NoTempPath"},
    {Result::UnsupportedVersion, "UnsupportedVersion"},
    {Result::ValueNotSet, "ValueNotSet"},
};

void raiseFailure(const Failure& failure) {
    const py::str text(failure.reason + ": " + failure.message);
    py::object error = py::reinterpret_borrow<py::object>(errorType)(text);
    error.attr("reason") = failure.reason;
    PyErr_SetObject(errorType, error.ptr());
}

}  // namespace

std::string resultName(int code) {
    for (const auto& [result, name] : kResultNames) {
        if (result == code) return name;
    }
    return "DwfResult " + std::to_string(code);
}

std::vector<PlottingPoint> pointsFrom(const py::handle& points) {
    using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;
    const Array array = Array::ensure(points);
    if (!array) throw py::type_error("points must be an (n, 2) array or a sequence of (x, y) pairs of numbers");
    std::vector<PlottingPoint> list;
    if (array.size() == 0) return list;
    if (array.ndim() != 2 || array.shape(1) != 2) {
        std::string shape;
        for (py::ssize_t axis = 0; axis < array.ndim(); ++axis) shape += std::to_string(array.shape(axis)) + ", ";
        throw py::value_error("points must have the shape (n, 2), not (" + shape.substr(0, shape.size() - 2) + ")");
    }
    const auto view = array.unchecked<2>();
    list.reserve(static_cast<size_t>(view.shape(0)));
    for (py::ssize_t i = 0; i < view.shape(0); ++i) list.emplace_back(view(i, 0), view(i, 1));
    return list;
}

std::vector<std::vector<PlottingPoint>> contoursFrom(const py::handle& contours) {
    if (py::isinstance<py::str>(contours) || !py::isinstance<py::sequence>(contours)) {
        throw py::type_error("contours must be a sequence of point lists");
    }
    std::vector<std::vector<PlottingPoint>> list;
    for (const py::handle contour : contours) list.push_back(pointsFrom(contour));
    return list;
}

void bindErrors(py::module_& module) {
    errorType = PyErr_NewExceptionWithDoc(
        "dwfplot.Error",
        "A plot file that cannot be read or written. `reason` names why: the reader's \"PLT_...\" text, or the "
        "library's result name (\"WriteFailed\", \"InvalidState\", ...).",
        nullptr, nullptr);
    if (errorType == nullptr) throw py::error_already_set();
    module.attr("Error") = py::handle(errorType);
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown) std::rethrow_exception(thrown);
        } catch (const Failure& failure) {
            raiseFailure(failure);
        }
    });
}

}  // namespace dwfplot_python
