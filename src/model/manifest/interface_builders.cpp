#include "model/manifest/interface_builders.h"

namespace DWFManifestBuilders {

using DWFXmlBuilder::XmlChildHandler;

InterfacesBuilder::InterfacesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : ObjectBuilder(name) {
    registerChild("Interface", &makeBuilder<InterfaceBuilder>);
}

void InterfacesBuilder::build() {
    if (candidate().size() > 0) publish();
}

const XmlChildHandler* InterfacesBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<InterfacesBuilder, InterfaceBuilder, &InterfacesBuilder::addInterface>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFManifestBuilders
