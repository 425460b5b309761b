#include "model/manifest/properties.h"

namespace DWFManifest {

void Properties::add(const DWFUtil::ObjectRef<AnyProperty>& property) {
    if (!property.isNull()) appendChild(properties_, property);
}

bool Properties::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    bindChildren(properties_, nameSpace);
    return true;
}

void Properties::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    serializeChildren(properties_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFManifest
