// The plot reader behind DWFPlotFileReader: it probes and opens a package
// with the ePlot package reader, keeps one W2D graphics stream per page, and
// replays the open page's stream as plot operations, reading objects only
// until one of them has something to report.
#ifndef DWFPLOT_PLOTFILE_DWF_PLOT_FILE_READER_IMP_H
#define DWFPLOT_PLOTFILE_DWF_PLOT_FILE_READER_IMP_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dwfplot/PlotFile.h"
#include "plotfile/reader_operation_record.h"

namespace DWFEPlot {
class EPlotDwfReader;
class EPlotPage;
}
class WT_Stream;

class DWFPlotFileReaderImp final : public PlotFileReader {
public:
    DWFPlotFileReaderImp();
    ~DWFPlotFileReaderImp() override;
    DWFPlotFileReaderImp(const DWFPlotFileReaderImp&) = delete;
    DWFPlotFileReaderImp& operator=(const DWFPlotFileReaderImp&) = delete;

    long size() override;
    long position() override;
    bool canRead(const std::string& fileName, std::string& message) override;
    bool openPlot(const std::string& fileName) override;
    void getPageSize(double& width, double& height) override;
    void getPlotScale(double& xScale, double& yScale) override;
    void getPlotUnits(std::string& units) override;
    Plt_Plot_Operation_T getOperation() override;
    int getPen() override;
    void getGroupInfo(std::string& name, bool& first, bool& second) override;
    void getLine(std::vector<PlottingPoint>& points) override;
    void getTableString(std::string& table) override;
    void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen, std::string& group) override;
    void getPolygons(std::vector<std::vector<PlottingPoint>>& polygons, int& pen) override;
    void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled, std::string& name,
                   std::string& group) override;
    void getSymbol(double& x, double& y, double& scale, double& angle, bool& filled, std::string& name) override;
    const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle, std::string& group) override;
    const wchar_t* getText(double& x, double& y, PlotFont& font, double& angle) override;
    std::string getEncoding() override;
    void closePlot() override;
    void getImage(double& x, double& y, double& height, double& width, IMAGE** image, std::string& group) override;
    void getImage(double& x, double& y, double& height, double& width, IMAGE** image) override;

    void getPages(std::vector<std::string>& pageStreamPaths);
    // Ends the open page where it stands, as a stream that breaks off does.
    void endPageEarly() { streamEnded_ = true; }

private:
    // One page, as much as is needed before it is reached: the temporary
    // copy of its stream and where it falls in the plot's bytes.
    struct PageStream {
        std::string path;  // as the file system takes it
        uint64_t size = 0;
        uint64_t before = 0;  // the sizes of the pages before it
    };

    // --- package (dwf_plot_file_reader_imp.cpp) ---------------------------
    // Replaces the package by a new one on `fileName`: its file type, and
    // its version through `version`.
    int32_t openPackage(const std::string& fileName, int32_t& version);
    // Forgets the package and everything read from it; no page stays open.
    void releasePackage();
    bool probe(const std::string& fileName, std::string& message);
    bool openPages(const std::string& fileName);
    void readScaleAndUnits();
    bool interfacesSupported();
    bool collectPages();
    // Keeps the page's one graphics stream; false when it has not exactly one.
    bool collectPage(const DWFEPlot::EPlotPage& page);
    void measurePages();

    // --- operations (dwf_plot_file_reader_operations.cpp) -----------------
    Plt_Plot_Operation_T nextOperation();
    Plt_Plot_Operation_T openNextPage();
    // Reads objects until one leaves an operation pending; false when the
    // page stream ends or fails first.
    // The next object of the page; false once the stream has ended.
    bool readObject();
    bool readUntilOperation();
    // Reads objects until a drawable has been seen; false at the stream's end.
    bool readUntilDrawable();
    void skipSymbolBody();
    void endPage();

    std::unique_ptr<DWFEPlot::EPlotDwfReader> package_;
    std::vector<PageStream> pages_;
    size_t currentPage_ = 0;
    // The open page's stream; a fresh one per page, so nothing a page defines
    // (layers, named views, attributes) reaches the next.
    std::unique_ptr<WT_Stream> stream_;
    bool pageOpen_ = false;
    // The open page's stream has ended or failed; it is not read again.
    bool streamEnded_ = false;
    DWFPlotReader::OperationRecord record_;

    double pageWidth_ = 1.0;
    double pageHeight_ = 1.0;
    double xScale_ = -1.0;
    double yScale_ = -1.0;
    std::string units_ = "M";
    // The open plot's "Encoding", read with its units: getEncoding then has
    // nothing left to fail on. Absent while no plot names one.
    std::optional<std::string> encoding_;
    std::wstring text_;
};

#endif  // DWFPLOT_PLOTFILE_DWF_PLOT_FILE_READER_IMP_H
