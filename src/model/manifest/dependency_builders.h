// Builders of the manifest's section dependencies.
#ifndef DWFPLOT_MODEL_MANIFEST_DEPENDENCY_BUILDERS_H
#define DWFPLOT_MODEL_MANIFEST_DEPENDENCY_BUILDERS_H

#include "model/manifest/dependency.h"
#include "model/manifest/object_builder.h"

namespace DWFManifestBuilders {

class DependencyBuilder : public LeafBuilder<DWFManifest::Dependency> {
public:
    using LeafBuilder::LeafBuilder;
};

class DependenciesBuilder : public LeafBuilder<DWFManifest::Dependencies> {
public:
    explicit DependenciesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addDependency(DependencyBuilder& child) { candidate().add(child.getObject()); }
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_DEPENDENCY_BUILDERS_H
