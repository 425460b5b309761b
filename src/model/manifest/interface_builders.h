// Builders of the manifest's interface list; a list without interfaces
// builds nothing.
#ifndef DWFPLOT_MODEL_MANIFEST_INTERFACE_BUILDERS_H
#define DWFPLOT_MODEL_MANIFEST_INTERFACE_BUILDERS_H

#include "model/manifest/interface.h"
#include "model/manifest/object_builder.h"

namespace DWFManifestBuilders {

class InterfaceBuilder : public LeafBuilder<DWFManifest::Interface> {
public:
    using LeafBuilder::LeafBuilder;
};

class InterfacesBuilder : public ObjectBuilder<DWFManifest::Interfaces> {
public:
    explicit InterfacesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void build() override;
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addInterface(InterfaceBuilder& child) { candidate().add(child.getObject()); }
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_INTERFACE_BUILDERS_H
