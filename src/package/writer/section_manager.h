// The policy a package writer reports to: how sections and resources are
// named, and what the manifest says about them. The ePlot flavour is
// DWFEPlot::EPlotSectionManager.
#ifndef DWFPLOT_PACKAGE_WRITER_SECTION_MANAGER_H
#define DWFPLOT_PACKAGE_WRITER_SECTION_MANAGER_H

#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "platform/variant.h"

namespace DWFManifest {
class Manifest;
class Section;
class Source;
}  // namespace DWFManifest

namespace DWFWriter {

class SectionDescriptor;

// The slots in their order; owners delete the concrete class.
class SectionManager {
public:
    virtual void makeSectionName(const DWFUtil::String& type, DWFUtil::String& name) = 0;
    virtual void sectionOpened(SectionDescriptor& descriptor) = 0;
    virtual void addInterface(const DWFUtil::String& name, const DWFUtil::String& objectId,
                              const DWFUtil::String& href) = 0;
    virtual void addProperty(const DWFUtil::String& name, const DWFUtil::String& value) = 0;
    virtual void addProperty(const DWFUtil::String& name, const platform::Variant& value) = 0;
    virtual DWFUtil::ObjectRef<DWFManifest::Source> sectionSource(const DWFUtil::String& section) = 0;
    virtual DWFUtil::ObjectRef<DWFManifest::Section> findSection(const DWFUtil::String& section) = 0;
    virtual void addDependency(const DWFUtil::String& section, const DWFUtil::String& dependsOn) = 0;
    virtual void makeResourceName(const DWFUtil::String& section, const DWFUtil::String& extension,
                                  DWFUtil::String& name) = 0;
    // False when the section is not one the manager knows: the resource is refused.
    virtual bool resourceAdded(const DWFUtil::String& section, const DWFUtil::String& href,
                               const DWFUtil::String& role, const DWFUtil::String& mime) = 0;
    virtual DWFUtil::ObjectRef<DWFManifest::Manifest> buildManifest() = 0;

protected:
    ~SectionManager() = default;
};

}  // namespace DWFWriter

#endif  // DWFPLOT_PACKAGE_WRITER_SECTION_MANAGER_H
