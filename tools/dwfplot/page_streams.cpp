#include "dwfplot/page_streams.h"

#include <cstring>
#include <new>

#include "dwfplot/DwfResult.h"
#include "model/manifest/manifest.h"
#include "model/manifest/resource.h"
#include "model/manifest/resource_roles.h"
#include "model/manifest/section.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "package/reader/eplot_dwf_reader.h"
#include "platform/file.h"

namespace dwfplot_tool {
namespace {

constexpr double kMillimetresPerInch = 25.4;

// The paper of the section's page whose graphics resource is `href`. Only a
// transform that scales both axes alike (and moves nothing) is understood.
std::optional<PagePaper> paperOf(const DWFUtil::ObjectRef<DWFEPlot::EPlotPage>& page, const DWFUtil::String& href) {
    if (page.isNull() || page->getPaper().isNull() || page->getResources().isNull()) return std::nullopt;
    const DWFEPlot::EPlotPaper& paper = *page->getPaper();
    const double toMillimetres = paper.isMillimetres() ? 1 : paper.getUnits() == "in" ? kMillimetresPerInch : 0;
    const DWFEPlot::EPlotResources& resources = *page->getResources();
    for (uint32_t i = 0; i < resources.size(); ++i) {
        const auto* graphic = dynamic_cast<const DWFEPlot::EPlotGraphicResource*>(resources[i].Object());
        if (graphic == nullptr || !(graphic->getHref() == href)) continue;
        DWFUtil::Vector<double> t;
        if (graphic->getTransform(t) != DWF::DwfResult::Success || t.size() != 16) return std::nullopt;
        const double scale = t[0] * toMillimetres;
        if (!(scale > 0) || t[5] != t[0] || t[1] != 0 || t[4] != 0 || t[3] != 0 || t[7] != 0 || t[12] != 0 ||
            t[13] != 0 || !(paper.getWidth() > 0) || !(paper.getHeight() > 0)) {
            return std::nullopt;
        }
        return PagePaper{paper.getWidth() * toMillimetres, paper.getHeight() * toMillimetres, 1 / scale};
    }
    return std::nullopt;
}

// The section's page streams: those its table of contents lists, else those
// its descriptor lists (a table of contents may name the descriptor alone).
std::vector<DWFUtil::String> graphicsOf(const DWFManifest::Section& section,
                                        const DWFUtil::ObjectRef<DWFEPlot::EPlotPage>& page) {
    std::vector<DWFUtil::String> hrefs;
    if (!section.getToc().isNull()) {
        const auto& toc = *section.getToc();
        for (uint32_t r = 0; r < toc.size(); ++r) {
            if (!toc[r].isNull() && toc[r]->getRole() == DWFManifest::kRole2dStreamingGraphics) hrefs.push_back(toc[r]->getHref());
        }
    }
    if (!hrefs.empty() || page.isNull() || page->getResources().isNull()) return hrefs;
    const DWFEPlot::EPlotResources& resources = *page->getResources();
    for (uint32_t i = 0; i < resources.size(); ++i) {
        if (!resources[i].isNull() && resources[i]->getRole() == DWFManifest::kRole2dStreamingGraphics) {
            hrefs.push_back(resources[i]->getHref());
        }
    }
    return hrefs;
}

}  // namespace

PageStreams::PageStreams() = default;
PageStreams::~PageStreams() = default;

// "(DWF V06.00)" and later open a package; before version 6 the same
// prefix started a bare stream.
bool looksLikeW2dStream(const std::string& fileName) {
    const platform::UniqueFd file = platform::openForReading(fileName);
    if (!file.valid()) return false;
    char start[8] = {};
    if (platform::readUpTo(file.get(), start, sizeof start) != static_cast<ssize_t>(sizeof start)) return false;
    if (std::memcmp(start, "(W2D V", 6) == 0) return true;
    return std::memcmp(start, "(DWF V0", 7) == 0 && start[7] >= '0' && start[7] < '6';
}

std::string packageFailureText(int code, const platform::Failure& failure) {
    std::string text = packageFailureText(code);
    if (failure.failed()) text += ": " + failure.describe();
    return text;
}

std::string packageFailureText(int code) {
    switch (code) {
        case DWF::DwfResult::FileOpenFailed: return "cannot open it as a DWF package";
        case DWF::DwfResult::NotFoundInPackage: return "an entry the package names is missing";
        case DWF::DwfResult::XmlParseError: return "manifest.xml is not well-formed XML";
        case DWF::DwfResult::XmlBuildFailed: return "manifest.xml does not describe a package";
        case DWF::DwfResult::InvalidData: return "the package holds invalid data";
        case DWF::DwfResult::CorruptData: return "the package is corrupt";
        case DWF::DwfResult::ArchiveEntryError: return "an entry of the ZIP container is broken";
        case DWF::DwfResult::BadPassword: return "the package is encrypted";
        case DWF::DwfResult::OutOfMemory: return "out of memory";
        default: return "package error " + std::to_string(code);
    }
}

bool PageStreams::open(const std::string& fileName, std::string& error) {
    paths_.clear();
    papers_.clear();
    package_.reset();
    if (!platform::openForReading(fileName).valid()) {
        error = "cannot open " + fileName;
        return false;
    }
    if (looksLikeW2dStream(fileName)) {
        paths_.push_back(fileName);
        papers_.emplace_back();
        return true;
    }
    try {
        return openPackage(fileName, error);
    } catch (const DWF::DwfResult::Enum code) {
        error = package_ ? packageFailureText(code, package_->failure()) : packageFailureText(code);
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
    paths_.clear();
    papers_.clear();
    return false;
}

bool PageStreams::openPackage(const std::string& fileName, std::string& error) {
    // Opened in a second step, so that the reader keeps why it failed.
    package_ = std::make_unique<DWFEPlot::EPlotDwfReader>(DWFUtil::String(), DWFUtil::String());
    package_->openPackage(DWFUtil::String::fromUtf8(fileName));
    const auto manifest = package_->getManifest();
    // The streams render without their papers when a descriptor does not read.
    bool descriptors = true;
    try {
        package_->getEPlotPages();
    } catch (const DWF::DwfResult::Enum) {
        descriptors = false;
    }
    const auto& sections = manifest->getSections();
    for (uint32_t s = 0; !sections.isNull() && s < sections->size(); ++s) {
        const auto& section = (*sections)[s];
        if (section.isNull()) continue;
        const auto page = descriptors ? package_->getSectionPage(section) : DWFUtil::ObjectRef<DWFEPlot::EPlotPage>();
        for (const DWFUtil::String& href : graphicsOf(*section, page)) {
            DWFUtil::String path;
            package_->materializeEntry(path, href);
            if (path.empty()) continue;
            paths_.push_back(path.toUtf8());
            papers_.push_back(paperOf(page, href));
        }
    }
    if (paths_.empty()) {
        error = "the package has no 2d streaming graphics";
        return false;
    }
    return true;
}

}  // namespace dwfplot_tool
