// The root builder of manifest.xml. It builds a Manifest only when the
// document held a Sections element that built, and refuses documents of a
// version above 7.0.
#ifndef DWFPLOT_MODEL_MANIFEST_MANIFEST_BUILDER_H
#define DWFPLOT_MODEL_MANIFEST_MANIFEST_BUILDER_H

#include "model/manifest/dependency_builders.h"
#include "model/manifest/interface_builders.h"
#include "model/manifest/manifest.h"
#include "model/manifest/object_builder.h"
#include "model/manifest/property_builders.h"
#include "model/manifest/section_builders.h"

namespace DWFManifestBuilders {

class ManifestBuilder : public ObjectBuilder<DWFManifest::Manifest> {
public:
    ManifestBuilder();

    // Throws UnsupportedVersion for a document newer than 7.0.
    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override;
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

    const DWFUtil::ObjectRef<DWFManifest::Manifest>& getManifest() const { return getObject(); }

private:
    void addSections(SectionsBuilder& child);
    void addProperties(PropertiesBuilder& child) { candidate().setProperties(child.getObject()); }
    void addInterfaces(InterfacesBuilder& child);
    void addDependencies(DependenciesBuilder& child) { candidate().addDependencies(child.getObject()); }

    bool sectionsArrived_ = false;
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_MANIFEST_BUILDER_H
