#include "package/reader/eplot_dwf_reader.h"

#include <new>
#include <vector>

#include "model/eplot/eplot_identifiers.h"
#include "model/eplot/eplot_page_builder.h"
#include "model/manifest/resource.h"
#include "model/util/allocation.h"
#include "model/xml/new_object.h"
#include "platform/debug_output.h"

namespace DWFEPlot {
namespace {

constexpr const char* kDescriptorRole = "descriptor";

}  // namespace

EPlotDwfReader::EPlotDwfReader(const DWFUtil::String& packagePath, const DWFUtil::String& password)
    : DwfReader(packagePath, password) {
    addInterface(makeEPlotInterface());
}

void EPlotDwfReader::setRootBuilder(const DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>& builder) {
    DwfReader::setRootBuilder(builder);
}

DWFUtil::Vector<DWFUtil::ObjectRef<EPlotPage>> EPlotDwfReader::getEPlotPages() {
    if (getState() != kFileMode) throw DWF::DwfResult::InvalidState;
    if (!pages_.empty()) return pages_;
    // Collected aside: a failure part way leaves no partial list behind.
    DWFUtil::Vector<DWFUtil::ObjectRef<EPlotPage>> pages;
    std::vector<std::pair<DWFUtil::ObjectRef<DWFManifest::Section>, DWFUtil::ObjectRef<EPlotPage>>> found;
    visitPages(true, [&](const DWFUtil::ObjectRef<DWFManifest::Section>& section,
                         const DWFUtil::ObjectRef<EPlotPage>& page) {
        pages.push_back(page);
        try {
            found.emplace_back(section, page);
        } catch (const std::bad_alloc&) {
            DWFUtil::throwOutOfMemory();
        }
    });
    try {
        for (const auto& [section, page] : found) sectionPages_[section] = page;
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    pages_ = pages;
    return pages_;
}

void EPlotDwfReader::forEachEPlotPage(const std::function<void(const DWFUtil::ObjectRef<EPlotPage>&)>& visit) {
    if (getState() != kFileMode) throw DWF::DwfResult::InvalidState;
    visitPages(false, [&](const DWFUtil::ObjectRef<DWFManifest::Section>&, const DWFUtil::ObjectRef<EPlotPage>& page) {
        visit(page);
    });
}

void EPlotDwfReader::visitPages(bool keep, const SectionPageVisitor& visit) {
    const DWFUtil::ObjectRef<DWFManifest::Manifest> manifest = getManifest();
    const DWFUtil::ObjectRef<DWFManifest::Sections>& sections = manifest->getSections();
    for (uint32_t i = 0; sections.Object() != nullptr && i < sections->size(); ++i) {
        const DWFUtil::ObjectRef<DWFManifest::Section>& section = (*sections)[i];
        if (section->getType() != kEPlotSectionType) continue;
        const DWFUtil::ObjectRef<DWFManifest::Source>& source = section->getSource();
        platform::debugOutput("Found ePlot section " + section->getSectionName().toUtf8() + " (" +
                              (source.Object() ? source->getHref().toUtf8() : std::string()) + " - " +
                              section->getTitle().toUtf8() + ")\n");
        const DWFUtil::ObjectRef<DWFManifest::Toc>& toc = section->getToc();
        for (uint32_t r = 0; toc.Object() != nullptr && r < toc->size(); ++r) {
            const DWFUtil::ObjectRef<DWFManifest::Resource>& resource = (*toc)[r];
            if (resource->getRole() != kDescriptorRole) continue;
            const DWFUtil::ObjectRef<EPlotPage> page = parseDescriptor(resource->getHref(), keep);
            if (page.Object() == nullptr) throw DWF::DwfResult::XmlBuildFailed;
            visit(section, page);
        }
    }
}

DWFUtil::ObjectRef<EPlotPage> EPlotDwfReader::getSectionPage(
    const DWFUtil::ObjectRef<DWFManifest::Section>& section) const {
    const auto it = sectionPages_.find(section);
    return it == sectionPages_.end() ? DWFUtil::ObjectRef<EPlotPage>() : it->second;
}

DWFUtil::ObjectRef<EPlotPage> EPlotDwfReader::parseDescriptor(const DWFUtil::String& href, bool keep) {
    const std::string key = DWFReader::entryKey(href);
    const auto it = descriptorPages_.find(key);
    if (it != descriptorPages_.end()) return it->second;
    const DWFUtil::ObjectRef<EPlotPageBuilder> builder = DWFXmlFramework::newObject<EPlotPageBuilder>();
    const DWF::DwfResult::Enum rc = parseDocument(href, builder);
    if (rc == DWF::DwfResult::XmlBuildFailed) return {};
    if (rc < 0) throw rc;
    const DWFUtil::ObjectRef<EPlotPage> page = builder->getPage();
    if (page.Object() == nullptr || !keep) return page;
    try {
        descriptorPages_[key] = page;
    } catch (const std::bad_alloc&) {
        DWFUtil::throwOutOfMemory();
    }
    return page;
}

}  // namespace DWFEPlot
