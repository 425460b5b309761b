#include "model/manifest/dependency_builders.h"

namespace DWFManifestBuilders {

using DWFXmlBuilder::XmlChildHandler;

DependenciesBuilder::DependenciesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : LeafBuilder(name) {
    registerChild("Dependency", &makeBuilder<DependencyBuilder>);
}

const XmlChildHandler* DependenciesBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<DependenciesBuilder, DependencyBuilder, &DependenciesBuilder::addDependency>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFManifestBuilders
