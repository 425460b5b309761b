#include "model/manifest/source.h"

#include "model/xml/xml_writer.h"

namespace DWFManifest {

Source::Source(const DWFUtil::String& provider, const DWFUtil::String& href, const DWFUtil::String& objectId)
    : XmlObject("Source") {
    provider_.setString(provider);
    href_.setString(href);
    if (!objectId.empty()) objectId_.setString(objectId);
}

bool Source::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    href_.bindNamespace(nameSpace);
    return XmlObject::bindNamespace(nameSpace);
}

void Source::readAttributes(const XmlAttributes& attributes) {
    provider_.setFromAttributes(attributes);
    href_.setFromAttributes(attributes);
    objectId_.setFromAttributes(attributes);
}

void Source::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(provider_);
    writer.writeAttribute(href_);
    writer.writeAttribute(objectId_);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFManifest
