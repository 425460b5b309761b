// The whole state of a plot being written: the package writer and section
// manager of the plot, the section of the open page, the page's W2D stream
// written to a temporary file, the pen table and the buffers that drawing
// calls fill until they can be written.
//
// States: Idle (no section manager), Plot open (section manager and package
// writer, no page), Page open (a page section and its stream). Drawing calls
// while no page is open are ignored. Package failures reach the caller as a
// thrown DWF::DwfResult::Enum, except in openPlot, which returns false.
//
// A plot whose files could not all be written (a full disk) is not left
// behind half-written: its package file is removed when the plot ends, and
// closePlot then throws WriteFailed.
#ifndef DWFPLOT_PLOTFILE_DWF_PLOT_FILE_WRITER_IMP_H
#define DWFPLOT_PLOTFILE_DWF_PLOT_FILE_WRITER_IMP_H

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dwfplot/PlotFile.h"
#include "model/eplot/eplot_paper.h"
#include "model/util/object_ref.h"
#include "package/writer/dwf_writer.h"
#include "package/writer/eplot_page_descriptor.h"
#include "package/writer/eplot_section_manager.h"
#include "platform/temp_files.h"
#include "plotfile/pending_line.h"
#include "plotfile/symbol_geometry.h"
#include "w2d/attribute_set.h"
#include "w2d/stream.h"

class WT_Object;

class DWFPlotFileWriterImp {
public:
    DWFPlotFileWriterImp(ImageEncodeCallback encode, ImageReleaseCallback release);
    ~DWFPlotFileWriterImp();
    DWFPlotFileWriterImp(const DWFPlotFileWriterImp&) = delete;
    DWFPlotFileWriterImp& operator=(const DWFPlotFileWriterImp&) = delete;

    bool openPlot(const std::string& fileName, double pageWidth, double pageHeight, double xScale,
                  double yScale, const std::string& units, const std::string& encoding,
                  const std::string& productName, const std::string& productVersion);
    void closePlot();
    void openPage(const std::set<std::string>& groupOptions);
    void closePage();

    void addLine(double x, double y, int penCode, const std::string& group);
    void addPolygons(const std::vector<std::vector<PlottingPoint>>& polygons, int pen,
                     const std::string& group);
    void addImage(double x, double y, double width, double height, IMAGE* image,
                  const std::string& group);
    void setPen(int pen);
    void setPenDetails(const std::vector<PenDetail>& pens);

    void addText(double x, double y, const PlotFont& font, double angle, const wchar_t* line,
                 int lineIndex, int lineCount, double width, double height, double descentFactor,
                 const std::string& group);
    void addSymbol(double x, double y, double scale, double angle, bool filled,
                   const std::string& name, const std::vector<std::vector<PlottingPoint>>& shape,
                   const std::string& group);
    void addTable(const std::string& table);
    // The open plot cannot be written whole: closePlot reports it, and the
    // package goes.
    void failPlot() { writeFailed_ = true; }

private:
    static constexpr int32_t kNoPen = -1000;

    // One line of a text that is still incomplete.
    struct TextLine {
        std::u16string text;
        double x = 0;
        double y = 0;
        std::string group;
        double width = 0;
        double height = 0;
        double descentFactor = 0;
    };

    bool plotOpen() const { return sectionManager_ != nullptr; }
    bool pageOpen() const { return pageSection_ != nullptr || !pageStreamPath_.empty(); }
    // Drawing calls write only while the open page has its stream.
    bool drawing() const { return !pageStreamPath_.empty(); }

    void startPlot(const std::string& fileName, const std::string& units, const std::string& xScale,
                   const std::string& yScale, const std::string& encoding,
                   const std::string& productVersion);
    void abandonPlot();
    bool makeScratch();
    void openPageStream();
    void setPageClip();
    void setRoundLineStyle();
    void storePageGraphics();
    void removePageStream();
    void finishPlot();
    // Page stream output that notes every write that did not reach the file.
    static WT_Result::Enum writePageBytes(WT_Stream& stream, int size, const void* data);
    static WT_Result::Enum closePageFile(WT_Stream& stream);

    // Writing into the page stream; an object the stream could not write
    // fails the plot (closePlot throws WriteFailed).
    void write(const WT_Object& object);
    void noteWrite(WT_Result::Enum result);
    void writeRecord(const char* description, const std::string& payload);
    void writeGroup(const std::string& group);
    void writePendingLine();
    void writeTextLines(double angle);
    void setTextFont(const PlotFont& font, double angle);
    void writeSymbolContour(const std::vector<PlottingPoint>& contour, bool filled,
                            const DWFPlotWriter::SymbolPlacement& placement);

    // Fields in the order the plot writer has always kept them.
    uint32_t pageCount_ = 0;
    std::unique_ptr<DWFEPlot::EPlotPageDescriptor> pageSection_;
    std::unique_ptr<DWFEPlot::EPlotSectionManager> sectionManager_;
    std::unique_ptr<DWFWriter::DwfWriter> packageWriter_;
    DWFUtil::ObjectRef<DWFEPlot::EPlotPaper> paper_;
    WT_Stream stream_;
    std::string pageStreamPath_;
    std::vector<PenDetail> pens_;
    int32_t currentPen_ = kNoPen;
    double pageHeight_ = 1.0;
    double pageWidth_ = 1.0;
    std::vector<TextLine> textLines_;
    DWFPlotWriter::PendingLine pendingLine_;
    int32_t imageCount_ = 0;
    std::string productName_;
    std::set<std::string> groupOptions_;
    ImageEncodeCallback encode_;
    ImageReleaseCallback release_;

    // Page streams are created exclusively in a directory of this writer's
    // own, never under a guessed free name in a shared directory.
    platform::PrivateDirectory scratch_;
    // The package file this writer created, removed again if openPlot fails
    // after creating it, or if the plot could not be written whole.
    std::string packagePath_;
    // A write of the open plot failed: its package cannot be complete.
    bool writeFailed_ = false;
};

#endif  // DWFPLOT_PLOTFILE_DWF_PLOT_FILE_WRITER_IMP_H
