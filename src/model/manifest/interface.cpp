#include "model/manifest/interface.h"

namespace DWFManifest {

Interface::Interface(const DWFUtil::String& objectId, const DWFUtil::String& name, const DWFUtil::String& href)
    : XmlObject("Interface") {
    objectId_.setString(objectId);
    name_.setString(name);
    href_.setString(href);
}

void Interface::readAttributes(const XmlAttributes& attributes) {
    name_.setFromAttributes(attributes);
    objectId_.setFromAttributes(attributes);
    href_.setFromAttributes(attributes);
}

void Interface::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(objectId_);
    writer.writeAttribute(name_);
    writer.writeAttribute(href_);
    writer.writeRaw(getText());
    writer.endElement();
}

void Interfaces::add(const DWFUtil::ObjectRef<Interface>& item) {
    if (!item.isNull()) appendChild(interfaces_, item);
}

int32_t Interfaces::findByObjectId(const DWFUtil::String& objectId) const {
    for (uint32_t i = 0; i < interfaces_.size(); ++i) {
        if (interfaces_[i]->getObjectId() == objectId) return static_cast<int32_t>(i + 1);
    }
    return -1;
}

bool Interfaces::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    bindChildren(interfaces_, nameSpace);
    return true;
}

void Interfaces::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    serializeChildren(interfaces_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFManifest
