// The ePlot policy of the package writer: sections named after their type
// and a compact identifier, resources named by compact identifiers, and the
// manifest that lists the sections, their resources, the interfaces and the
// properties, closed by the product properties when the package finishes.
#ifndef DWFPLOT_PACKAGE_WRITER_EPLOT_SECTION_MANAGER_H
#define DWFPLOT_PACKAGE_WRITER_EPLOT_SECTION_MANAGER_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/manifest/interface.h"
#include "model/manifest/manifest.h"
#include "model/manifest/properties.h"
#include "model/manifest/resource.h"
#include "model/manifest/section.h"
#include "model/manifest/source.h"
#include "package/writer/section_manager.h"

namespace DWFEPlot {

class EPlotSectionManager : public DWFWriter::SectionManager {
public:
    static constexpr const char* kFrameworkVersion = "2.1";
    static constexpr const char* kToolkitVersion = "6.0.1.15";

    EPlotSectionManager(const DWFUtil::String& sourceVendor, const DWFUtil::String& sourceName,
                        const DWFUtil::String& sourceVersion, const DWFUtil::String& dwfVendor,
                        const DWFUtil::String& dwfVersion);
    virtual ~EPlotSectionManager();
    EPlotSectionManager(const EPlotSectionManager&) = delete;
    EPlotSectionManager& operator=(const EPlotSectionManager&) = delete;

    // The type, '_' and 32 hexadecimal digits.
    void makeSectionName(const DWFUtil::String& type, DWFUtil::String& name) override;
    // A manifest section for the descriptor, with the next order number; a
    // descriptor without name, or with a name already registered, is not
    // registered.
    void sectionOpened(DWFWriter::SectionDescriptor& descriptor) override;
    // Appended unless an interface with the same objectId is listed.
    void addInterface(const DWFUtil::String& name, const DWFUtil::String& objectId,
                      const DWFUtil::String& href) override;
    void addProperty(const DWFUtil::String& name, const DWFUtil::String& value) override;
    void addProperty(const DWFUtil::String& name, const platform::Variant& value) override;
    DWFUtil::ObjectRef<DWFManifest::Source> sectionSource(const DWFUtil::String& section) override;
    DWFUtil::ObjectRef<DWFManifest::Section> findSection(const DWFUtil::String& section) override;
    // The manifest gains a dependency of `section` on `dependsOn`, both by
    // order number; unknown sections add nothing.
    void addDependency(const DWFUtil::String& section, const DWFUtil::String& dependsOn) override;
    // 32 hexadecimal digits, then '.' and the extension when there is one.
    void makeResourceName(const DWFUtil::String& section, const DWFUtil::String& extension,
                          DWFUtil::String& name) override;
    bool resourceAdded(const DWFUtil::String& section, const DWFUtil::String& href, const DWFUtil::String& role,
                       const DWFUtil::String& mime) override;
    // The closing properties (once), then the manifest with the interfaces,
    // properties and sections in the order they were registered.
    DWFUtil::ObjectRef<DWFManifest::Manifest> buildManifest() override;

    // The section's order number (from 1), or 0 for a section not registered.
    int32_t getSectionOrder(const DWFUtil::String& section) const;

private:
    struct SectionData {  // _SectionDataStruct
        int32_t order = 0;
        DWFUtil::ObjectRef<DWFManifest::Source> source;
        DWFUtil::ObjectRef<DWFManifest::Toc> toc;
        DWFUtil::ObjectRef<DWFManifest::Section> section;
    };

    const SectionData* find(const DWFUtil::String& section) const;
    void addClosingProperties();

    DWFUtil::String sourceVendor_;
    DWFUtil::String sourceName_;
    DWFUtil::String sourceVersion_;
    DWFUtil::String dwfVendor_;
    DWFUtil::String dwfVersion_;
    DWFUtil::ObjectRef<DWFManifest::Interfaces> interfaces_;
    std::map<std::string, SectionData> sections_;
    std::vector<std::string> sectionNames_;
    int32_t sectionCount_ = 0;
    DWFUtil::ObjectRef<DWFManifest::Properties> properties_;
    std::vector<DWFUtil::ObjectRef<DWFManifest::Dependencies>> dependencies_;
    bool closingPropertiesAdded_ = false;
    DWFUtil::ObjectRef<DWFManifest::Manifest> manifest_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_PACKAGE_WRITER_EPLOT_SECTION_MANAGER_H
