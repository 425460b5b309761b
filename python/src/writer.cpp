// dwfplot.Writer: a plot written through DWFPlotFileWriter from Python, with
// the calling order checked here so that a call out of order is an error the
// script can see rather than a call the writer quietly ignores.
#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cstdio>
#include <memory>
#include <set>
#include <tuple>

#include "bindings.h"
#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "dwfplot/image_codec.h"
#include "dwfplot/text_lines.h"

namespace dwfplot_python {
namespace {

using Pen = std::tuple<int32_t, int32_t, int32_t, double>;
using Product = std::pair<std::string, std::string>;

// Runs a writer call; a package failure it throws becomes dwfplot.Error with
// the result's name.
template <typename Call>
void guarded(Call&& call) {
    try {
        call();
    } catch (const DWF::DwfResult::Enum code) {
        throw Failure{resultName(code), "the plot cannot be written"};
    }
}

// "3 \"Roads\" 1 0" from ("Roads", True, False) at position 3; strings pass
// unchanged, as the host composes them.
std::string groupOption(const py::handle& option, size_t number) {
    if (py::isinstance<py::str>(option)) return option.cast<std::string>();
    std::tuple<std::string, bool, bool> fields;
    try {
        fields = option.cast<std::tuple<std::string, bool, bool>>();
    } catch (const py::cast_error&) {
        throw py::type_error("a group option is a string or a (name, first, second) tuple");
    }
    const auto& [name, first, second] = fields;
    if (name.find('"') != std::string::npos) throw py::value_error("a group name cannot hold a double quote");
    return std::to_string(number) + " \"" + name + "\" " + (first ? "1" : "0") + " " + (second ? "1" : "0");
}

class Writer {
public:
    Writer(const std::string& path, double width, double height, const std::string& units, double xScale,
           double yScale, const std::string& encoding, const std::vector<Pen>& pens, const Product& product)
        : writer_(std::make_unique<DWFPlotFileWriter>(dwfplot_tool::encodeImageCallback,
                                                      dwfplot_tool::releaseImageCallback)),
          path_(path) {
        std::vector<PenDetail> details;
        for (const auto& [red, green, blue, widthMm] : pens) details.emplace_back(red, green, blue, widthMm);
        if (!details.empty()) writer_->setPenDetails(details);
        if (!writer_->openPlot(path, width, height, xScale, yScale, units, 0, encoding, product.first,
                               product.second)) {
            writer_.reset();
            throw Failure{resultName(DWF::DwfResult::FileOpenFailed), "cannot write a plot to " + path};
        }
    }

    void openPage(const py::iterable& options) {
        std::set<std::string> strings;
        size_t number = 0;
        for (const py::handle option : options) strings.insert(groupOption(option, ++number));
        plot();
        if (pageOpen_) throw Failure{"InvalidState", "a page is open already: close it first"};
        guarded([&] { writer_->openPage(strings); });
        pageOpen_ = true;
    }

    void closePage() {
        page();
        pageOpen_ = false;
        guarded([&] { writer_->closePage(); });
    }

    void setPen(int pen) {
        page();
        guarded([&] { writer_->setPen(pen); });
    }

    void line(const py::handle& points, const std::string& group) {
        const std::vector<PlottingPoint> list = pointsFrom(points);
        page();
        guarded([&] {
            for (size_t i = 0; i < list.size(); ++i) writer_->addLine(list[i].x, list[i].y, i == 0 ? 3 : 2, group);
        });
    }

    void polygons(const py::handle& contours, int pen, const std::string& group) {
        const auto list = contoursFrom(contours);
        page();
        guarded([&] { writer_->addPolygons(list, pen, group); });
    }

    void text(double x, double y, const std::wstring& text, double height, double angle, const std::string& font,
              bool bold, bool italic, bool underline, const std::string& group, const dwfplot_tool::TextLayout& layout) {
        PlotFont plotFont;
        plotFont.name = font;
        plotFont.height = height;
        plotFont.bold = bold;
        plotFont.italic = italic;
        plotFont.underline = underline;
        std::vector<std::wstring> lines;
        for (size_t start = 0;;) {
            const size_t end = text.find(L'\n', start);
            lines.push_back(text.substr(start, end - start));
            if (end == std::wstring::npos) break;
            start = end + 1;
        }
        page();
        guarded([&] { dwfplot_tool::addTextLines(*writer_, x, y, plotFont, angle, lines, group, layout); });
    }

    void symbol(double x, double y, double scale, double angle, bool filled, const std::string& name,
                const py::handle& shape, const std::string& group) {
        const auto contours = contoursFrom(shape);
        page();
        guarded([&] { writer_->addSymbol(x, y, scale, angle, filled, name, contours, group); });
    }

    void table(const std::string& text) {
        page();
        guarded([&] { writer_->addTable(text); });
    }

    void image(double x, double y, double width, double height, const py::handle& pixels, const std::string& group) {
        using Array = py::array_t<uint8_t, py::array::c_style>;
        const py::array given = py::array::ensure(pixels);
        if (!given || !given.dtype().is(py::dtype::of<uint8_t>())) {
            throw py::type_error("pixels must be an array of uint8");
        }
        const Array array = Array::ensure(given);
        if (array.ndim() != 3 || (array.shape(2) != 3 && array.shape(2) != 4) || array.shape(0) < 1 ||
            array.shape(1) < 1 || static_cast<uint64_t>(array.shape(0)) * static_cast<uint64_t>(array.shape(1)) >
                                      dwfplot_tool::kMostImagePixels) {
            throw py::value_error("pixels must have the shape (height, width, 3) or (height, width, 4)");
        }
        IMAGE image;
        image.height = static_cast<int32_t>(array.shape(0));
        image.width = static_cast<int32_t>(array.shape(1));
        image.channels = static_cast<int32_t>(array.shape(2));
        image.pixels = const_cast<unsigned char*>(array.data());
        image.encoding = dwfplot_tool::kPngEncoding;
        page();
        guarded([&] { writer_->addImage(x, y, width, height, &image, group); });
    }

    // A page still open is closed first.
    void close() {
        if (!writer_) return;
        std::unique_ptr<DWFPlotFileWriter> writer = std::move(writer_);
        try {
            if (pageOpen_) writer->closePage();
            pageOpen_ = false;
            writer->closePlot();
        } catch (const DWF::DwfResult::Enum code) {
            discard(std::move(writer));
            throw Failure{resultName(code), "the plot cannot be written to " + path_};
        }
    }

    // Stops writing and removes what was written.
    void abort() {
        if (writer_) discard(std::move(writer_));
    }

    bool closed() const { return !writer_; }
    const std::string& path() const { return path_; }

private:
    // The writer's destructor still finishes the package; it goes right after.
    void discard(std::unique_ptr<DWFPlotFileWriter> writer) {
        writer.reset();
        std::remove(path_.c_str());
        pageOpen_ = false;
    }

    DWFPlotFileWriter& plot() {
        if (!writer_) throw Failure{"InvalidState", "the writer is closed"};
        return *writer_;
    }

    DWFPlotFileWriter& page() {
        DWFPlotFileWriter& writer = plot();
        if (!pageOpen_) throw Failure{"InvalidState", "no page is open: call open_page first"};
        return writer;
    }

    std::unique_ptr<DWFPlotFileWriter> writer_;
    std::string path_;
    bool pageOpen_ = false;
};

}  // namespace

void bindWriter(py::module_& module) {
    py::class_<Writer>(module, "Writer", "A plot file being written: pages of lines, polygons, texts, symbols, "
                                         "tables and images.")
        .def(py::init<const std::string&, double, double, const std::string&, double, double, const std::string&,
                      const std::vector<Pen>&, const Product&>(),
             py::arg("path"), py::arg("width"), py::arg("height"), py::arg("units") = "Centimeters",
             py::arg("x_scale") = 1.0, py::arg("y_scale") = 1.0, py::arg("encoding") = "UTF-8",
             py::arg("pens") = std::vector<Pen>{}, py::arg("product") = Product{"dwfplot Python", DWFPLOT_VERSION})
        .def("open_page", &Writer::openPage, py::arg("group_options") = py::tuple())
        .def("close_page", &Writer::closePage)
        .def("set_pen", &Writer::setPen, py::arg("pen"))
        .def("line", &Writer::line, py::arg("points"), py::arg("group") = "")
        .def("polygons", &Writer::polygons, py::arg("contours"), py::arg("pen") = 0, py::arg("group") = "")
        .def(
            "text",
            [](Writer& self, double x, double y, const std::wstring& text, double height, double angle,
               const std::string& font, bool bold, bool italic, bool underline, const std::string& group,
               double lineSpacing, double glyphWidth, double descent) {
                self.text(x, y, text, height, angle, font, bold, italic, underline, group,
                          {lineSpacing, glyphWidth, descent});
            },
            py::arg("x"), py::arg("y"), py::arg("text"), py::arg("height"), py::arg("angle") = 0.0,
            py::arg("font") = "Default", py::arg("bold") = false, py::arg("italic") = false,
            py::arg("underline") = false, py::arg("group") = "", py::arg("line_spacing") = 1.5,
            py::arg("glyph_width") = 0.55, py::arg("descent") = 0.2)
        .def("symbol", &Writer::symbol, py::arg("x"), py::arg("y"), py::arg("scale") = 1.0, py::arg("angle") = 0.0,
             py::arg("filled") = false, py::arg("name") = "", py::arg("shape") = py::list(), py::arg("group") = "")
        .def("table", &Writer::table, py::arg("text"))
        .def("image", &Writer::image, py::arg("x"), py::arg("y"), py::arg("width"), py::arg("height"),
             py::arg("pixels"), py::arg("group") = "")
        .def("close", &Writer::close)
        .def("abort", &Writer::abort)
        .def_property_readonly("closed", &Writer::closed)
        .def_property_readonly("path", &Writer::path)
        .def("__enter__", [](Writer& self) -> Writer& { return self; })
        .def("__exit__", [](Writer& self, const py::object& type, const py::object&, const py::object&) {
            if (type.is_none()) {
                self.close();
            } else {
                self.abort();
            }
            return false;
        });
}

}  // namespace dwfplot_python
