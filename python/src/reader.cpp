// dwfplot.read and dwfplot.info: a plot replayed through DWFPlotFileReader as
// Python objects, one per operation the host would see.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <optional>

#include "bindings.h"
#include "dwfplot/DWFPlotFile.h"

namespace dwfplot_python {
namespace {

// What the load callback hands back: the image file as it came out of the
// package. The reader passes it on untouched and the replay frees it.
struct ImageFile : IMAGE {
    std::string bytes;
    std::string format;  // "png", "jpg" or "tif", from the file's name
};

// Readers share one loader per process, so an embedding host that makes its
// own reader later takes over the loading; its IMAGEs lack this mark and are
// left alone rather than freed as ours.
constexpr int32_t kImageFileMark = 0x44574650;

IMAGE* loadImageFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return nullptr;
    auto image = std::make_unique<ImageFile>();
    image->encoding = kImageFileMark;
    image->bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) return nullptr;
    const std::string name(path);
    const size_t dot = name.rfind('.');
    image->format = dot == std::string::npos ? "" : name.substr(dot + 1);
    return image.release();
}

// One operation: `kind` and the getter's data as attributes.
struct Operation {
    std::string kind;
};

// Both live in the module's namespace as long as the interpreter does; the
// raw pointers are not released at exit, after the interpreter is gone.
PyObject* fontType = nullptr;
PyObject* plotInfoType = nullptr;

// Names and tables as the package holds them: UTF-8 for plots written from
// Python, and any other bytes kept as surrogate escapes rather than refused.
py::str narrowText(const std::string& text) {
    PyObject* decoded = PyUnicode_DecodeUTF8(text.data(), static_cast<py::ssize_t>(text.size()), "surrogateescape");
    if (decoded == nullptr) throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

py::array_t<double> pointArray(const std::vector<PlottingPoint>& points) {
    py::array_t<double> array({static_cast<py::ssize_t>(points.size()), py::ssize_t{2}});
    auto view = array.mutable_unchecked<2>();
    for (size_t i = 0; i < points.size(); ++i) {
        view(static_cast<py::ssize_t>(i), 0) = points[i].x;
        view(static_cast<py::ssize_t>(i), 1) = points[i].y;
    }
    return array;
}

std::string operationRepr(const py::object& operation) {
    std::string text = "Operation(kind=" + py::repr(operation.attr("kind")).cast<std::string>();
    const py::dict fields = operation.attr("__dict__");
    for (const auto& [name, value] : fields) {
        text += ", " + py::str(name).cast<std::string>() + "=" + py::repr(value).cast<std::string>();
    }
    return text + ")";
}

// A plot open for replay; iterating it yields Operation objects until the
// end of the plot, then closes it.
class Reader {
public:
    explicit Reader(const std::string& path) : reader_(std::make_unique<DWFPlotFileReader>(loadImageFile)) {
        std::string message;
        if (!reader_->canRead(path, message)) throw Failure{message, "the plot reader refuses " + path};
        if (!reader_->openPlot(path)) throw Failure{PLT_FILE_OPEN_ERROR, "cannot open " + path};
    }

    DWFPlotFileReader& reader() {
        if (!reader_) throw Failure{"InvalidState", "the reader is closed"};
        return *reader_;
    }

    py::object next() {
        if (!reader_) throw py::stop_iteration();
        for (;;) {
            const Plt_Plot_Operation_T code = reader_->getOperation();
            if (code == PLT_END_OF_PLOT) {
                close();
                throw py::stop_iteration();
            }
            if (std::optional<py::object> operation = describe(code)) return *operation;
        }
    }

    void close() {
        if (!reader_) return;
        reader_->closePlot();
        reader_.reset();
    }

private:
    static py::object operation(const char* kind) { return py::cast(Operation{kind}); }

    std::optional<py::object> describe(Plt_Plot_Operation_T code) {
        switch (code) {
            case PLT_NEW_PAGE: return operation("page");
            case PLT_PEN: return pen();
            case PLT_GROUP_OPTIONS: return groupOptions();
            case PLT_LINE: return line();
            case PLT_POLYGONS: return polygons();
            case PLT_TEXT: return text();
            case PLT_SYMBOL: return symbol();
            case PLT_TABLE: return table();
            case PLT_IMAGE: return image();
            default: return std::nullopt;  // nothing for the host
        }
    }

    py::object pen() {
        py::object op = operation("pen");
        op.attr("pen") = reader_->getPen();
        return op;
    }

    py::object groupOptions() {
        std::string name;
        bool first = false, second = false;
        reader_->getGroupInfo(name, first, second);
        py::object op = operation("group_options");
        op.attr("name") = narrowText(name);
        op.attr("first") = first;
        op.attr("second") = second;
        return op;
    }

    py::object line() {
        std::vector<PlottingPoint> points;
        reader_->getLine(points);
        py::object op = operation("line");
        op.attr("points") = pointArray(points);
        op.attr("group") = narrowText(points.empty() ? std::string() : points.front().group);
        return op;
    }

    py::object polygons() {
        std::vector<std::vector<PlottingPoint>> contours;
        int pen = 0;
        std::string group;
        reader_->getPolygons(contours, pen, group);
        py::list arrays;
        for (const auto& contour : contours) arrays.append(pointArray(contour));
        py::object op = operation("polygons");
        op.attr("contours") = arrays;
        op.attr("pen") = pen;
        op.attr("group") = narrowText(group);
        return op;
    }

    py::object text() {
        double x = 0, y = 0, angle = 0;
        PlotFont font;
        std::string group;
        const wchar_t* lines = reader_->getText(x, y, font, angle, group);
        py::object op = operation("text");
        op.attr("x") = x;
        op.attr("y") = y;
        op.attr("text") = std::wstring(lines == nullptr ? L"" : lines);
        op.attr("angle") = angle;
        op.attr("font") = py::handle(fontType)(narrowText(font.name), font.height, font.bold, font.italic, font.underline);
        op.attr("group") = narrowText(group);
        return op;
    }

    py::object symbol() {
        double x = 0, y = 0, scale = 0, angle = 0;
        bool filled = false;
        std::string name, group;
        reader_->getSymbol(x, y, scale, angle, filled, name, group);
        py::object op = operation("symbol");
        op.attr("x") = x;
        op.attr("y") = y;
        op.attr("scale") = scale;
        op.attr("angle") = angle;
        op.attr("filled") = filled;
        op.attr("name") = narrowText(name);
        op.attr("group") = narrowText(group);
        return op;
    }

    py::object table() {
        std::string text;
        reader_->getTableString(text);
        py::object op = operation("table");
        op.attr("text") = narrowText(text);
        return op;
    }

    py::object image() {
        double x = 0, y = 0, height = 0, width = 0;
        IMAGE* loaded = nullptr;
        std::string group;
        reader_->getImage(x, y, height, width, &loaded, group);
        const std::unique_ptr<ImageFile> file(
            loaded != nullptr && loaded->encoding == kImageFileMark ? static_cast<ImageFile*>(loaded) : nullptr);
        py::object op = operation("image");
        op.attr("x") = x;
        op.attr("y") = y;
        op.attr("width") = width;
        op.attr("height") = height;
        op.attr("group") = narrowText(group);
        op.attr("data") = file ? py::bytes(file->bytes) : py::bytes();
        op.attr("format") = file ? file->format : std::string();
        return op;
    }

    std::unique_ptr<DWFPlotFileReader> reader_;
};

py::object plotInfo(const std::string& path) {
    Reader plot(path);
    DWFPlotFileReader& reader = plot.reader();
    double width = 0, height = 0, xScale = 0, yScale = 0;
    std::string units;
    std::vector<std::string> pages;
    reader.getPageSize(width, height);
    reader.getPlotScale(xScale, yScale);
    reader.getPlotUnits(units);
    reader.getPages(pages);
    const std::string encoding = reader.getEncoding();
    plot.close();
    return py::handle(plotInfoType)(width, height, xScale, yScale, narrowText(units), narrowText(encoding), pages.size());
}

}  // namespace

void bindReader(py::module_& module) {
    const py::object namedTuple = py::module_::import("collections").attr("namedtuple");
    const py::object fontTuple = namedTuple("Font", "name height bold italic underline", py::arg("module") = "dwfplot");
    const py::object plotInfoTuple = namedTuple("PlotInfo", "width height x_scale y_scale units encoding pages",
                                           py::arg("module") = "dwfplot");
    module.attr("Font") = fontTuple;
    module.attr("PlotInfo") = plotInfoTuple;
    fontType = fontTuple.inc_ref().ptr();
    plotInfoType = plotInfoTuple.inc_ref().ptr();

    py::class_<Operation>(module, "Operation", py::dynamic_attr(),
                          "One plot operation: `kind` and the data of its kind as attributes.")
        .def_readonly("kind", &Operation::kind)
        .def("__repr__", [](const py::object& self) { return operationRepr(self); });

    py::class_<Reader>(module, "Reader", "The operations of a plot file, in the order a host reads them.")
        .def("__iter__", [](Reader& self) -> Reader& { return self; })
        .def("__next__", &Reader::next)
        .def("close", &Reader::close, "Closes the plot; iteration then ends.")
        .def("__enter__", [](Reader& self) -> Reader& { return self; })
        .def("__exit__", [](Reader& self, const py::args&) { self.close(); });

    module.def(
        "read", [](const std::string& path) { return std::make_unique<Reader>(path); }, py::arg("path"),
        "Replays the plot file at `path` as an iterator of Operation objects. Raises dwfplot.Error with the "
        "reader's \"PLT_...\" reason when the file is refused.");
    module.def("info", &plotInfo, py::arg("path"),
               "Page size, scale, units, encoding and page count of the plot file at `path`.");
}

}  // namespace dwfplot_python
