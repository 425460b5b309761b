// DWFPlotFileReader: the exported handle; everything happens in its
// DWFPlotFileReaderImp.
#include "dwfplot/DWFPlotFile.h"
#include "plotfile/dwf_plot_file_reader_imp.h"
#include "plotfile/reader_image_callback.h"

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
void DWFPlotFileReader::getPlotUnits(std::string& units) { imp_->getPlotUnits(units); }
Plt_Plot_Operation_T DWFPlotFileReader::getOperation() { return imp_->getOperation(); }
int DWFPlotFileReader::getPen() { return imp_->getPen(); }
void DWFPlotFileReader::getGroupInfo(std::string& name, bool& first, bool& second) {
    imp_->getGroupInfo(name, first, second);
}
void DWFPlotFileReader::getLine(std::vector<PlottingPoint>& points) { imp_->getLine(points); }
void DWFPlotFileReader::getTableString(std::string& table) { imp_->getTableString(table); }
void DWFPlotFileReader::getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen,
                                    std::string& group) {
    imp_->getPolygons(polygons, pen, group);
}
void DWFPlotFileReader::getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) {
    imp_->getPolygons(polygons, pen);
}
void DWFPlotFileReader::getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                                  std::string& name, std::string& group) {
    imp_->getSymbol(x, y, scale, angle, filled, name, group);
}
void DWFPlotFileReader::getSymbol(double& x, double& y, double& scale, double& angle, bool& filled,
                                  std::string& name) {
    imp_->getSymbol(x, y, scale, angle, filled, name);
}
const wchar_t* DWFPlotFileReader::getText(double& x, double& y, PlotFont& font, double& angle,
                                          std::string& group) {
    return imp_->getText(x, y, font, angle, group);
}
const wchar_t* DWFPlotFileReader::getText(double& x, double& y, PlotFont& font, double& angle) {
    return imp_->getText(x, y, font, angle);
}
std::string DWFPlotFileReader::getEncoding() { return imp_->getEncoding(); }
void DWFPlotFileReader::closePlot() { imp_->closePlot(); }
void DWFPlotFileReader::getImage(double& x, double& y, double& height, double& width, IMAGE** image,
                                 std::string& group) {
    imp_->getImage(x, y, height, width, image, group);
}
void DWFPlotFileReader::getImage(double& x, double& y, double& height, double& width, IMAGE** image) {
    imp_->getImage(x, y, height, width, image);
}
void DWFPlotFileReader::getPages(std::vector<std::string>& pageStreamPaths) { imp_->getPages(pageStreamPaths); }
