#include "model/manifest/manifest.h"

#include "model/manifest/manifest_namespace.h"
#include "model/util/guid.h"
#include "model/xml/new_object.h"

namespace DWFManifest {

using DWFXmlFramework::newObject;

Manifest::Manifest() : Manifest(DWFUtil::ObjectRef<Properties>(), DWFUtil::ObjectRef<Sections>()) {}

Manifest::Manifest(const DWFUtil::ObjectRef<Properties>& properties, const DWFUtil::ObjectRef<Sections>& sections)
    : XmlObject("Manifest"),
      interfaces_(newObject<Interfaces>()),
      properties_(properties.isNull() ? newObject<Properties>() : properties),
      sections_(sections.isNull() ? newObject<Sections>() : sections) {
    version_.setString(kManifestVersion);
    objectId_.setString(DWFUtil::createGuidString(false));
}

void Manifest::setProperties(const DWFUtil::ObjectRef<Properties>& properties) {
    if (!properties.isNull()) properties_ = properties;
}

void Manifest::setSections(const DWFUtil::ObjectRef<Sections>& sections) {
    if (!sections.isNull()) sections_ = sections;
}

void Manifest::addDependencies(const DWFUtil::ObjectRef<Dependencies>& dependencies) {
    if (!dependencies.isNull()) appendChild(dependencies_, dependencies);
}

bool Manifest::validate() const {
    if (!version_.isValid() || properties_.isNull() || sections_.isNull() || interfaces_.isNull()) return false;
    if (!properties_->validate() || !sections_->validate() || !interfaces_->validate()) return false;
    for (const auto& dependencies : dependencies_) {
        if (!dependencies->validate() || !dependencies->refersWithin(sections_->size())) return false;
    }
    return true;
}

bool Manifest::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    if (!interfaces_.isNull()) interfaces_->bindNamespace(nameSpace);
    if (!properties_.isNull()) properties_->bindNamespace(nameSpace);
    if (!sections_.isNull()) sections_->bindNamespace(nameSpace);
    bindChildren(dependencies_, nameSpace);
    return true;
}

void Manifest::readAttributes(const XmlAttributes& attributes) {
    version_.setFromAttributes(attributes);
    objectId_.setFromAttributes(attributes);
}

void Manifest::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startObject(*this);
    writer.writeAttribute(version_);
    writer.writeAttribute(objectId_);
    if (!interfaces_.isNull() && interfaces_->size() > 0) interfaces_->serialize(writer);
    if (!properties_.isNull()) properties_->serialize(writer);
    if (!sections_.isNull()) sections_->serialize(writer);
    serializeChildren(dependencies_, writer);
    writer.writeRaw(getText());
    writer.endObject();
}

}  // namespace DWFManifest
