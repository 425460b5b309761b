#include "plotfile/dwf_plot_file_reader_imp.h"

#include <new>
#include <optional>

#include "dwfplot/DWFPlotFile.h"
#include "dwfplot/DwfResult.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_page.h"
#include "model/manifest/resource_roles.h"
#include "package/reader/eplot_dwf_reader.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/unicode.h"
#include "plotfile/reader_host_messages.h"
#include "plotfile/reader_plot_properties.h"
#include "w2d/stream.h"

namespace {

// Version of the packages this library writes, as the DWF header gives it.
constexpr int32_t kPlotPackageVersion = 600;
// Paper sizes are stored in tenths of a plot unit.
constexpr double kPaperUnitsPerPlotUnit = 10.0;

}  // namespace

DWFPlotFileReaderImp::DWFPlotFileReaderImp() = default;

DWFPlotFileReaderImp::~DWFPlotFileReaderImp() { releasePackage(); }

int32_t DWFPlotFileReaderImp::openPackage(const std::string& fileName, int32_t& version) {
    releasePackage();
    const DWFUtil::String path = DWFUtil::String::fromUtf16(platform::activeCodePageToUtf16(fileName));
    package_ = std::make_unique<DWFEPlot::EPlotDwfReader>(path, DWFUtil::String());
    DWFUtil::String typeInfo;
    version = -1;
    return package_->detectDwfType(version, typeInfo);
}

void DWFPlotFileReaderImp::releasePackage() {
    if (stream_) stream_->close();
    stream_.reset();
    pageOpen_ = false;
    streamEnded_ = false;
    pages_.clear();
    currentPage_ = 0;
    record_.pending = PLT_NONE;
    package_.reset();
    encoding_.reset();
}

bool DWFPlotFileReaderImp::canRead(const std::string& fileName, std::string& message) {
    bool readable = false;
    try {
        readable = probe(fileName, message);
    } catch (DWF::DwfResult::Enum code) {
        message = DWFPlotReader::hostMessage(code);
    } catch (const std::bad_alloc&) {
        message = PLT_OUT_OF_MEMORY_ERROR;
    } catch (...) {
        message = PLT_GENERAL_ERROR;
    }
    releasePackage();
    return readable;
}

bool DWFPlotFileReaderImp::probe(const std::string& fileName, std::string& message) {
    int32_t version = -1;
    if (openPackage(fileName, version) != DWFReader::DwfPackage || version != kPlotPackageVersion) {
        message = PLT_NOT_A_KESTRA_GENERATED_FILE;
        return false;
    }
    return DWFPlotReader::checkPlotProperties(DWFPlotReader::plotProperties(*package_), message);
}

bool DWFPlotFileReaderImp::openPlot(const std::string& fileName) {
    try {
        if (openPages(fileName)) {
            record_.pending = PLT_PLOT_OPENED;
            return true;
        }
    } catch (DWF::DwfResult::Enum) {
        // A package that cannot be read is not opened; the host gets false.
    } catch (const std::bad_alloc&) {
    } catch (...) {
    }
    releasePackage();
    return false;
}

bool DWFPlotFileReaderImp::openPages(const std::string& fileName) {
    int32_t version = -1;
    if (openPackage(fileName, version) != DWFReader::DwfPackage) return false;
    const auto manifest = package_->getManifest();
    if (manifest.isNull() || manifest->getInterfaces().isNull() || manifest->getInterfaces()->size() == 0) {
        return false;
    }
    readScaleAndUnits();
    if (!interfacesSupported() || !collectPages()) return false;
    measurePages();
    currentPage_ = 0;
    return true;
}

void DWFPlotFileReaderImp::readScaleAndUnits() {
    using namespace DWFPlotProperties;
    for (const DWFPlotReader::PlotProperty& property : DWFPlotReader::plotProperties(*package_)) {
        if (property.name == Units) {
            units_ = DWFPlotReader::hostText(property.value);
        } else if (property.name == XScale) {
            xScale_ = DWFPlotReader::scaleValue(property.value);
        } else if (property.name == YScale) {
            yScale_ = DWFPlotReader::scaleValue(property.value);
        } else if (property.name == Encoding && !encoding_) {
            encoding_ = DWFPlotReader::hostText(property.value);
        }
    }
}

bool DWFPlotFileReaderImp::interfacesSupported() {
    const auto& interfaces = package_->getManifest()->getInterfaces();
    for (uint32_t i = 0; i < interfaces->size(); ++i) {
        if (!package_->isInterfaceSupported((*interfaces)[i])) return false;
    }
    return true;
}

// Each page must carry exactly one graphics stream present in the package;
// pages keep the order of the package's ePlot pages, whatever the z-order of
// their streams.
bool DWFPlotFileReaderImp::collectPages() {
    bool accepted = true;
    package_->forEachEPlotPage([&](const DWFUtil::ObjectRef<DWFEPlot::EPlotPage>& page) {
        if (accepted) accepted = collectPage(*page);
    });
    return accepted;
}

bool DWFPlotFileReaderImp::collectPage(const DWFEPlot::EPlotPage& page) {
    if (!page.getPaper().isNull()) {
        pageWidth_ = page.getPaper()->getWidth() / kPaperUnitsPerPlotUnit;
        pageHeight_ = page.getPaper()->getHeight() / kPaperUnitsPerPlotUnit;
    }
    const auto& resources = page.getResources();
    int streams = 0;
    std::optional<PageStream> found;
    for (uint32_t r = 0; !resources.isNull() && r < resources->size(); ++r) {
        const auto& resource = (*resources)[r];
        if (resource.isNull() || resource->getRole() != DWFManifest::kRole2dStreamingGraphics) continue;
        DWFUtil::String path;
        package_->materializeEntry(path, resource->getHref());
        if (path.empty()) continue;
        ++streams;
        if (dynamic_cast<DWFEPlot::EPlotGraphicResource*>(resource.Object()) != nullptr) {
            found = PageStream{path.toUtf8()};
        }
    }
    if (streams != 1) return false;
    // A stream resource of another class counts, but brings no page.
    if (found) pages_.push_back(std::move(*found));
    return true;
}

void DWFPlotFileReaderImp::measurePages() {
    uint64_t before = 0;
    for (PageStream& page : pages_) {
        const platform::UniqueFd file = platform::openForReading(page.path);
        const int64_t bytes = file.valid() ? platform::fileSize(file.get()) : -1;
        page.size = bytes > 0 ? static_cast<uint64_t>(bytes) : 0;
        page.before = before;
        before += page.size;
    }
}

void DWFPlotFileReaderImp::getPages(std::vector<std::string>& pageStreamPaths) {
    pageStreamPaths.clear();
    for (const PageStream& page : pages_) {
        pageStreamPaths.push_back(platform::utf16ToActiveCodePage(platform::utf8ToUtf16(page.path)));
    }
}

long DWFPlotFileReaderImp::size() {
    return pages_.empty() ? 0 : static_cast<long>(pages_.back().before + pages_.back().size);
}

long DWFPlotFileReaderImp::position() {
    uint64_t passed = 0;
    if (currentPage_ < pages_.size()) {
        passed = pages_[currentPage_].before;
    } else if (!pages_.empty()) {
        passed = static_cast<uint64_t>(size());
    }
    uint64_t within = 0;
    if (pageOpen_ && stream_ && stream_->tell_action()(*stream_, within) != WT_Result::Success) within = 0;
    return static_cast<long>(passed + within);
}

void DWFPlotFileReaderImp::getPageSize(double& width, double& height) {
    width = pageWidth_;
    height = pageHeight_;
}

void DWFPlotFileReaderImp::getPlotScale(double& xScale, double& yScale) {
    xScale = xScale_;
    yScale = yScale_;
}

void DWFPlotFileReaderImp::getPlotUnits(std::string& units) { units = units_; }

std::string DWFPlotFileReaderImp::getEncoding() {
    return encoding_ ? *encoding_ : std::string(DWFPlotProperties::DefaultEncoding);
}

void DWFPlotFileReaderImp::closePlot() {
    // The package and its temporary files stay until the reader goes or
    // another plot replaces them.
}
