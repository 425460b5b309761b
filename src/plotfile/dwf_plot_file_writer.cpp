// The exported writer: a thin handle that forwards every call to the one
// DWFPlotFileWriterImp it owns.
#include "dwfplot/DWFPlotFile.h"

#include "plotfile/dwf_plot_file_writer_imp.h"

namespace {

// A call that throws leaves the plot without what it was to add: the plot has
// failed, and closePlot or the writer's end removes its package rather than
// leave it half-written.
template <class Call>
void whole(DWFPlotFileWriterImp& imp, Call&& call) {
    try {
        call();
    } catch (...) {
        imp.failPlot();
        throw;
    }
}

}  // namespace

DWFPlotFileWriter::DWFPlotFileWriter() : imp_(new DWFPlotFileWriterImp(nullptr, nullptr)) {}

DWFPlotFileWriter::DWFPlotFileWriter(ImageEncodeCallback encode, ImageReleaseCallback release)
    : imp_(new DWFPlotFileWriterImp(encode, release)) {}

DWFPlotFileWriter::~DWFPlotFileWriter() { delete imp_; }

bool DWFPlotFileWriter::openPlot(const std::string& fileName, double pageWidth, double pageHeight,
                                 double xScale, double yScale, std::string units, unsigned int /*reserved*/,
                                 const std::string& encoding, const std::string& productName,
                                 const std::string& productVersion) {
    return imp_->openPlot(fileName, pageWidth, pageHeight, xScale, yScale, units, encoding, productName,
                          productVersion);
}

void DWFPlotFileWriter::closePlot() {
    whole(*imp_, [&] { imp_->closePlot(); });
}

void DWFPlotFileWriter::openPage(const std::set<std::string>& groupOptions) {
    whole(*imp_, [&] { imp_->openPage(groupOptions); });
}

void DWFPlotFileWriter::closePage() {
    whole(*imp_, [&] { imp_->closePage(); });
}

void DWFPlotFileWriter::addLine(double x, double y, int penCode, const std::string& group) {
    whole(*imp_, [&] { imp_->addLine(x, y, penCode, group); });
}

void DWFPlotFileWriter::addTable(std::string table) {
    whole(*imp_, [&] { imp_->addTable(table); });
}

void DWFPlotFileWriter::addPolygons(const std::vector<std::vector<PlottingPoint>>& polygons, int pen,
                                    const std::string& group) {
    whole(*imp_, [&] { imp_->addPolygons(polygons, pen, group); });
}

void DWFPlotFileWriter::addSymbol(double x, double y, double scale, double angle, bool filled,
                                  const std::string& name, const std::vector<std::vector<PlottingPoint>>& shape,
                                  const std::string& group) {
    whole(*imp_, [&] { imp_->addSymbol(x, y, scale, angle, filled, name, shape, group); });
}

void DWFPlotFileWriter::addText(double x, double y, const PlotFont& font, double angle, const wchar_t* line,
                                int lineIndex, int lineCount, double width, double height, double descentFactor,
                                const std::string& group) {
    whole(*imp_, [&] {
        imp_->addText(x, y, font, angle, line, lineIndex, lineCount, width, height, descentFactor, group);
    });
}

void DWFPlotFileWriter::addImage(double x, double y, double width, double height, IMAGE* image,
                                 const std::string& group) {
    whole(*imp_, [&] { imp_->addImage(x, y, width, height, image, group); });
}

void DWFPlotFileWriter::setPen(int pen) {
    whole(*imp_, [&] { imp_->setPen(pen); });
}

void DWFPlotFileWriter::setPenDetails(std::vector<PenDetail>& pens) {
    whole(*imp_, [&] { imp_->setPenDetails(pens); });
}
