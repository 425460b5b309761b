// Construction, openPlot, openPage, closePage, closePlot and destruction.
#include "plotfile/dwf_plot_file_writer_imp.h"

#include <charconv>
#include <new>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/xml/new_object.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "plotfile/logical_units.h"
#include "plotfile/records/user_data_records.h"
#include "w2d/contour_set.h"
#include "w2d/file_handlers.h"
#include "w2d/line_style.h"
#include "w2d/viewport.h"

namespace {

constexpr char kGraphicsRole[] = "2d streaming graphics";
constexpr char kGraphicsMime[] = "application/x-w2d";
constexpr char kInchUnits[] = "I";
constexpr double kMillimetresPerInch = 39.37;
// Paper is in millimetres, ten per plot unit; one logical unit is 0.01 mm.
constexpr double kPaperPerPlotUnit = 10.0;
constexpr double kPaperPerLogicalUnit = 0.01;

DWFUtil::String utf8(const std::string& text) { return DWFUtil::String::fromUtf8(text); }

// ScaleFormat ("%.16g") as the C locale writes it, whatever locale the host
// has set: a decimal comma would make the scale unreadable elsewhere.
std::string formatScale(double scale) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, scale, std::chars_format::general, 16);
    return std::string(text, written.ptr);
}

}  // namespace

DWFPlotFileWriterImp::DWFPlotFileWriterImp(ImageEncodeCallback encode, ImageReleaseCallback release)
    : encode_(encode), release_(release) {
    stream_.set_client_data(this);
    stream_.set_write_action(writePageBytes);
    stream_.set_close_action(closePageFile);
}

DWFPlotFileWriterImp::~DWFPlotFileWriterImp() {
    // The section first (its descriptor is still written; a page still open
    // never gets its graphics), then the package writer, which needs the
    // section manager while it writes manifest.xml, then the manager, and
    // last the page stream file.
    try {
        std::unique_ptr<DWFEPlot::EPlotPageDescriptor> section = std::move(pageSection_);
        if (section && !section->close()) writeFailed_ = true;
        section.reset();
        paper_ = DWFUtil::ObjectRef<DWFEPlot::EPlotPaper>();
        finishPlot();
    } catch (...) {
        // Destruction cannot report anything.
    }
    sectionManager_.reset();
    removePageStream();
}

WT_Result::Enum DWFPlotFileWriterImp::writePageBytes(WT_Stream& stream, int size, const void* data) {
    const WT_Result::Enum result = wt_default_write(stream, size, data);
    if (result != WT_Result::Success) static_cast<DWFPlotFileWriterImp*>(stream.client_data())->writeFailed_ = true;
    return result;
}

WT_Result::Enum DWFPlotFileWriterImp::closePageFile(WT_Stream& stream) {
    // Closing writes what stdio still buffers.
    const WT_Result::Enum result = wt_default_close(stream);
    if (result == WT_Result::Write_Failed) static_cast<DWFPlotFileWriterImp*>(stream.client_data())->writeFailed_ = true;
    return result;
}

bool DWFPlotFileWriterImp::openPlot(const std::string& fileName, double pageWidth, double pageHeight,
                                    double xScale, double yScale, const std::string& units,
                                    const std::string& encoding, const std::string& productName,
                                    const std::string& productVersion) {
    if (plotOpen()) {
        // An earlier plot that could not be written whole is reported here,
        // the only call left to report it.
        try {
            closePlot();
        } catch (DWF::DwfResult::Enum) {
            return false;
        }
    }
    // openPlot answers false rather than throw, out of memory included.
    try {
        if (!makeScratch()) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    writeFailed_ = false;
    productName_ = productName;
    if (units == kInchUnits) {
        xScale /= kMillimetresPerInch;
        yScale /= kMillimetresPerInch;
    }
    packagePath_.clear();
    try {
        startPlot(fileName, units, formatScale(xScale), formatScale(yScale), encoding, productVersion);
    } catch (DWF::DwfResult::Enum) {
        abandonPlot();
        return false;
    } catch (const std::bad_alloc&) {
        abandonPlot();
        return false;
    }
    pageWidth_ = pageWidth;
    pageHeight_ = pageHeight;
    return true;
}

// The page streams' directory is made before the host is told it may draw:
// without it every page would lose its graphics and the plot would fail only
// at closePlot. One removed behind the writer's back is made anew.
bool DWFPlotFileWriterImp::makeScratch() {
    if (scratch_.exists() && !platform::fileExists(scratch_.path())) scratch_ = platform::PrivateDirectory();
    return scratch_.create();
}

void DWFPlotFileWriterImp::startPlot(const std::string& fileName, const std::string& units,
                                     const std::string& xScale, const std::string& yScale,
                                     const std::string& encoding, const std::string& productVersion) {
    // Host file names are narrow in the active code page.
    const DWFUtil::String path = DWFUtil::String::fromUtf16(platform::activeCodePageToUtf16(fileName));
    const DWFUtil::String vendor = utf8(DWFPlotProperties::ProductVendorValue);
    sectionManager_ = std::make_unique<DWFEPlot::EPlotSectionManager>(
        vendor, utf8(productName_), utf8(productVersion), vendor, utf8(productVersion));
    // A package that fails half-way through being created is removed again,
    // but never a file that was there before and could not be opened.
    const std::string packagePath = path.toUtf8();
    if (!platform::fileExists(packagePath)) {
        packagePath_ = packagePath;
    }
    packageWriter_ = std::make_unique<DWFWriter::DwfWriter>(
        path, *sectionManager_, utf8(DWFEPlot::kEPlotInterfaceObjectId),
        DWFUtil::ObjectRef<DWFWriter::ResourceHandler>(), DWFUtil::String(),
        DWFWriter::DwfWriter::kPackageVersion);
    packagePath_ = packagePath;
    sectionManager_->addProperty(utf8(DWFPlotProperties::DwfToolkitVersion), utf8(DWFPlotProperties::ReadOnlyMark));
    sectionManager_->addProperty(utf8(DWFPlotProperties::PlotFileVersion),
                                 utf8(DWFPlotProperties::CurrentPlotFileVersion));
    sectionManager_->addProperty(utf8(DWFPlotProperties::Encoding), utf8(encoding));
    sectionManager_->addInterface(utf8(DWFEPlot::kEPlotInterfaceName), utf8(DWFEPlot::kEPlotInterfaceObjectId),
                                  utf8(DWFEPlot::kEPlotInterfaceHref));
    sectionManager_->addProperty(utf8(DWFPlotProperties::XScale), utf8(xScale));
    sectionManager_->addProperty(utf8(DWFPlotProperties::YScale), utf8(yScale));
    sectionManager_->addProperty(utf8(DWFPlotProperties::Units), utf8(units));
}

void DWFPlotFileWriterImp::abandonPlot() {
    // A plot that could not be started leaves no file: the package, if it was
    // created at all, is closed and removed again.
    try {
        packageWriter_.reset();
    } catch (...) {
        // The writer is gone either way; there is nothing left to report to.
    }
    if (!packagePath_.empty()) {
        platform::removeFile(packagePath_);
        packagePath_.clear();
    }
    sectionManager_.reset();
}

void DWFPlotFileWriterImp::openPage(const std::set<std::string>& groupOptions) {
    if (pageOpen()) {
        closePage();
    }
    groupOptions_ = groupOptions;
    if (!plotOpen()) {
        return;
    }
    ++pageCount_;
    const DWFUtil::String pageName = utf8("Page " + std::to_string(pageCount_));
    pageSection_ = DWFEPlot::openPageSection(*sectionManager_, *packageWriter_, pageName, DWFUtil::String(),
                                             utf8(productName_), pageName);
    paper_ = pageSection_->getPage()->getPaper();
    paper_->setUnits(utf8("mm"));
    paper_->setShow(false);
    openPageStream();
    // The paper refuses sizes of 0 or less and keeps the previous ones.
    paper_->setHeight(pageHeight_ * kPaperPerPlotUnit);
    paper_->setWidth(pageWidth_ * kPaperPerPlotUnit);
    setPageClip();
    if (currentPen_ >= 0) {
        const int pen = currentPen_;
        currentPen_ = kNoPen;
        setPen(pen);
    }
    setRoundLineStyle();
}

void DWFPlotFileWriterImp::openPageStream() {
    // A page whose stream file cannot be made stays open without graphics:
    // its drawing calls are ignored and its section gets a descriptor only.
    std::string path;
    // Such a page makes the package unreadable: the plot has failed.
    if ((!scratch_.exists() && !scratch_.create()) || !scratch_.createFile("w2d", path).valid()) {
        writeFailed_ = true;
        return;
    }
    pageStreamPath_ = path;
    stream_.set_filename(pageStreamPath_);
    stream_.set_file_mode(WT_Stream::File_Write);
    if (stream_.open() != WT_Result::Success) writeFailed_ = true;
}

void DWFPlotFileWriterImp::setPageClip() {
    const int32_t height = DWFPlotUnits::truncateToInt32(pageHeight_ * kPaperPerPlotUnit / kPaperPerLogicalUnit);
    const int32_t width = DWFPlotUnits::truncateToInt32(pageWidth_ * kPaperPerPlotUnit / kPaperPerLogicalUnit);
    const WT_Contour_Set page({{0, 0}, {0, height}, {width, height}, {width, 0}});
    stream_.desired_attributes().set(WT_Viewport(WT_String("Clip"), page));
}

void DWFPlotFileWriterImp::setRoundLineStyle() {
    WT_Line_Style style = stream_.desired_attributes().line_style();
    style.set_line_start_cap(WT_Line_Style::Round_Cap);
    style.set_line_end_cap(WT_Line_Style::Round_Cap);
    style.set_line_join(WT_Line_Style::Round_Join);
    stream_.desired_attributes().set(style);
}

void DWFPlotFileWriterImp::closePage() {
    if (drawing()) {
        writePendingLine();
        for (const std::string& option : groupOptions_) {
            writeRecord(DWFPlotRecords::GroupOptionsDescription, DWFPlotRecords::formatPlainText(option));
        }
        stream_.close();
    }
    if (pageSection_) {
        // Whatever storing the page throws, its stream file goes.
        struct RemoveStream {
            DWFPlotFileWriterImp& writer;
            ~RemoveStream() { writer.removePageStream(); }
        } removeStream{*this};
        if (drawing()) {
            storePageGraphics();
        }
        std::unique_ptr<DWFEPlot::EPlotPageDescriptor> section = std::move(pageSection_);
        paper_ = DWFUtil::ObjectRef<DWFEPlot::EPlotPaper>();
        if (!section->close()) writeFailed_ = true;
        return;
    }
    removePageStream();
}

void DWFPlotFileWriterImp::storePageGraphics() {
    DWFWriter::FileResourceHandler handler(utf8(pageStreamPath_), utf8(kGraphicsRole), utf8(kGraphicsMime));
    DWFUtil::Vector<double> clip;
    for (double value : {0.0, 0.0, paper_->getWidth(), paper_->getHeight()}) {
        clip.push_back(value);
    }
    paper_->setClip(clip);
    auto resource = DWFXmlFramework::newObject<DWFEPlot::EPlotGraphicResource>();
    DWFUtil::Vector<double> transform;
    for (double value : {kPaperPerLogicalUnit, 0.0, 0.0, 0.0, 0.0, kPaperPerLogicalUnit, 0.0, 0.0, 0.0, 0.0, 1.0,
                         0.0, 0.0, 0.0, 0.0, 1.0}) {
        transform.push_back(value);
    }
    resource->setTransform(transform);
    if (!DWFEPlot::addGraphicResource(*pageSection_, resource, handler)) writeFailed_ = true;
}

void DWFPlotFileWriterImp::removePageStream() {
    if (pageStreamPath_.empty()) {
        return;
    }
    stream_.close();
    scratch_.removeFile(pageStreamPath_);
    pageStreamPath_.clear();
}

void DWFPlotFileWriterImp::closePlot() {
    if (pageOpen()) {
        closePage();
    }
    pageCount_ = 0;
    pageSection_.reset();
    paper_ = DWFUtil::ObjectRef<DWFEPlot::EPlotPaper>();
    finishPlot();
    if (writeFailed_) {
        writeFailed_ = false;
        throw DWF::DwfResult::WriteFailed;
    }
}

void DWFPlotFileWriterImp::finishPlot() {
    // Declared in this order, the writer goes before the manager it reports to
    // even when finishing throws.
    std::unique_ptr<DWFEPlot::EPlotSectionManager> manager = std::move(sectionManager_);
    std::unique_ptr<DWFWriter::DwfWriter> writer = std::move(packageWriter_);
    const std::string packagePath = std::move(packagePath_);
    packagePath_.clear();
    // A package that could not be written whole is removed, not left for a
    // reader to find half-written.
    try {
        if (writer && !writer->finish()) writeFailed_ = true;
    } catch (...) {
        if (!packagePath.empty()) platform::removeFile(packagePath);
        throw;
    }
    if (writeFailed_ && !packagePath.empty()) platform::removeFile(packagePath);
}
