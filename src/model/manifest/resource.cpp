#include "model/manifest/resource.h"

#include "model/manifest/resource_roles.h"

namespace DWFManifest {

Resource::Resource(const DWFUtil::String& role, const DWFUtil::String& href, const DWFUtil::String& mime)
    : XmlObject("Resource") {
    role_.setString(role);
    href_.setString(href);
    mime_.setString(mime);
}

int32_t Resource::getRoleCode() const { return resourceRoles().codeOf(role_.getString()); }

bool Resource::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    role_.bindNamespace(nameSpace);
    href_.bindNamespace(nameSpace);
    mime_.bindNamespace(nameSpace);
    return XmlObject::bindNamespace(nameSpace);
}

void Resource::readAttributes(const XmlAttributes& attributes) {
    role_.setFromAttributes(attributes);
    href_.setFromAttributes(attributes);
    mime_.setFromAttributes(attributes);
}

void Resource::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(role_);
    writer.writeAttribute(mime_);
    writer.writeAttribute(href_);
    writer.writeRaw(getText());
    writer.endElement();
}

void Toc::add(const DWFUtil::ObjectRef<Resource>& resource) {
    if (!resource.isNull()) appendChild(resources_, resource);
}

bool Toc::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    bindChildren(resources_, nameSpace);
    return true;
}

void Toc::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    serializeChildren(resources_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFManifest
