#include "model/manifest/property_builders.h"

namespace DWFManifestBuilders {

PropertiesBuilder::PropertiesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : ObjectBuilder(name) {
    registerChild("Property", &makeBuilder<PropertyBuilder>);
    registerChild("SimpleProperty", &makeBuilder<SimplePropertyBuilder>);
}

const DWFXmlBuilder::XmlChildHandler* PropertiesBuilder::childHandlers() const {
    static constexpr DWFXmlBuilder::XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<PropertiesBuilder, PropertyBuilder, &PropertiesBuilder::addProperty>(),
        DWFXmlBuilder::childHandler<PropertiesBuilder, SimplePropertyBuilder, &PropertiesBuilder::addSimpleProperty>(),
        DWFXmlBuilder::XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFManifestBuilders
