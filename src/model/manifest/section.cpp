#include "model/manifest/section.h"

namespace DWFManifest {

Section::Section(const DWFUtil::String& name) : XmlObject("Section") { name_.setString(name); }

bool Section::validate() const {
    return name_.isValid() && type_.isValid() && title_.isValid() && !source_.isNull() && source_->validate() &&
           !toc_.isNull() && toc_->validate();
}

bool Section::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    if (!source_.isNull()) source_->bindNamespace(nameSpace);
    if (!toc_.isNull()) toc_->bindNamespace(nameSpace);
    return true;
}

void Section::readAttributes(const XmlAttributes& attributes) {
    name_.setFromAttributes(attributes);
    type_.setFromAttributes(attributes);
    title_.setFromAttributes(attributes);
}

void Section::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(type_);
    writer.writeAttribute(name_);
    writer.writeAttribute(title_);
    if (!source_.isNull()) source_->serialize(writer);
    if (!toc_.isNull()) toc_->serialize(writer);
    writer.writeRaw(getText());
    writer.endElement();
}

void Sections::add(const DWFUtil::ObjectRef<Section>& section) {
    if (!section.isNull()) appendChild(sections_, section);
}

int32_t Sections::findByName(const DWFUtil::String& name) const {
    for (uint32_t i = 0; i < sections_.size(); ++i) {
        if (sections_[i]->getSectionName() == name) return static_cast<int32_t>(i + 1);
    }
    return -1;
}

int32_t Sections::findByHref(const DWFUtil::String& href) const {
    for (uint32_t i = 0; i < sections_.size(); ++i) {
        const DWFUtil::ObjectRef<Source>& source = sections_[i]->getSource();
        if (!source.isNull() && source->getHref() == href) return static_cast<int32_t>(i + 1);
    }
    return -1;
}

bool Sections::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    bindChildren(sections_, nameSpace);
    return true;
}

void Sections::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    serializeChildren(sections_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFManifest
