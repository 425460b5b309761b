// DWFPlotFileReader: the exported handle; everything happens in its
// DWFPlotFileReaderImp.
#include <new>

#include "dwfplot/DWFPlotFile.h"
#include "plotfile/dwf_plot_file_reader_imp.h"
#include "plotfile/reader_image_callback.h"

namespace {

// No call of the reader throws: a getter that runs out of memory handing its
// data over ends the page there, as a stream that breaks off does.
template <class Call>
void handOver(DWFPlotFileReaderImp& imp, Call&& call) {
    try {
        call();
    } catch (const std::bad_alloc&) {
        imp.endPageEarly();
    }
}

}  // namespace

DWFPlotFileReader::DWFPlotFileReader() : imp_(new DWFPlotFileReaderImp()) {}

DWFPlotFileReader::DWFPlotFileReader(ImageLoadCallback load) : imp_(new DWFPlotFileReaderImp()) {
    DWFPlotReader::setImageLoadCallback(load);
}

DWFPlotFileReader::~DWFPlotFileReader() { delete imp_; }

long DWFPlotFileReader::size() { return imp_->size(); }
long DWFPlotFileReader::position() { return imp_->position(); }
bool DWFPlotFileReader::canRead(const std::string& fileName, std::string& message) {
    return imp_->canRead(fileName, message);
}
bool DWFPlotFileReader::openPlot(const std::string& fileName) { return imp_->openPlot(fileName); }
void DWFPlotFileReader::getPageSize(double& width, double& height) { imp_->getPageSize(width, height); }
void DWFPlotFileReader::getPlotScale(double& xScale, double& yScale) { imp_->getPlotScale(xScale, yScale); }
void DWFPlotFileReader::getPlotUnits(std::string& units) {
    handOver(*imp_, [&] { imp_->getPlotUnits(units); });
}
Plt_Plot_Operation_T DWFPlotFileReader::getOperation() { return imp_->getOperation(); }
int DWFPlotFileReader::getPen() { return imp_->getPen(); }
void DWFPlotFileReader::getGroupInfo(std::string& name, bool& first, bool& second) {
    handOver(*imp_, [&] { imp_->getGroupInfo(name, first, second); });
}
void DWFPlotFileReader::getLine(std::vector<PlottingPoint>& points) {
    handOver(*imp_, [&] { imp_->getLine(points); });
}
void DWFPlotFileReader::getTableString(std::string& table) {
    handOver(*imp_, [&] { imp_->getTableString(table); });
}
void DWFPlotFileReader::getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen,
                                    std::string& group) {
    handOver(*imp_, [&] { imp_->getPolygons(polygons, pen, group); });
}
void DWFPlotFileReader::getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) {
    handOver(*imp_, [&] { imp_->getPolygons(polygons, pen); });
}
void DWFPlotFileReader::getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                                  std::string& name, std::string& group) {
    handOver(*imp_, [&] { imp_->getSymbol(x, y, scale, angle, filled, name, group); });
}
void DWFPlotFileReader::getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                                  std::string& name) {
    handOver(*imp_, [&] { imp_->getSymbol(x, y, scale, angle, filled, name); });
}
const wchar_t* DWFPlotFileReader::getText(double& x, double& y, PlotFont& font, double& angle,
                                          std::string& group) {
    const wchar_t* text = L"";
    handOver(*imp_, [&] { text = imp_->getText(x, y, font, angle, group); });
    return text;
}
const wchar_t* DWFPlotFileReader::getText(double& x, double& y, PlotFont& font, double& angle) {
    const wchar_t* text = L"";
    handOver(*imp_, [&] { text = imp_->getText(x, y, font, angle); });
    return text;
}
std::string DWFPlotFileReader::getEncoding() {
    std::string encoding;
    handOver(*imp_, [&] { encoding = imp_->getEncoding(); });
    return encoding;
}
void DWFPlotFileReader::closePlot() { imp_->closePlot(); }
void DWFPlotFileReader::getImage(double& x, double& y, double& height, double& width, IMAGE** image,
                                 std::string& group) {
    handOver(*imp_, [&] { imp_->getImage(x, y, height, width, image, group); });
}
void DWFPlotFileReader::getImage(double& x, double& y, double& height, double& width, IMAGE** image) {
    handOver(*imp_, [&] { imp_->getImage(x, y, height, width, image); });
}
void DWFPlotFileReader::getPages(std::vector<std::string>& pageStreamPaths) { imp_->getPages(pageStreamPaths); }
