#include "model/xml/xml_builder.h"

#include "dwfplot/DwfResult.h"

namespace DWFXmlBuilder {

void XmlBuilder::build() {}

void XmlBuilder::addChild(const DWFUtil::ObjectRef<XmlBuilder>& child) {
    if (child.isNull()) return;
    for (const XmlChildHandler* entry = childHandlers(); entry && entry->handler; ++entry) {
        if (entry->accepts(*child)) {
            entry->handler(*this, *child);
            return;
        }
    }
}

void XmlBuilder::appendText(const DWFUtil::String& text) {
    if (!text.empty()) text_ += text;
}

DWFUtil::ObjectRef<XmlBuilder> XmlBuilder::createChildBuilder(const DWFUtil::ObjectRef<XmlName>& name) {
    if (name.isNull()) throw DWF::DwfResult::InvalidArgument;
    auto* found = registry_.find(name->effectiveName());
    if (found == registry_.end()) {
        const DWFUtil::String& fallback = name->getLocalName().empty() ? name->getRawName() : name->getLocalName();
        found = registry_.find(fallback);
    }
    if (found == registry_.end() || !found->second) return DWFUtil::ObjectRef<XmlBuilder>();
    return found->second(name);
}

void XmlBuilder::setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) {
    attributes_ = attributes;
}

const DWFUtil::String* XmlBuilder::findAttribute(const DWFUtil::String& name) const {
    for (const DWFUtil::XmlParser::Attribute& attribute : attributes_) {
        if (attribute.name == name) return &attribute.value;
    }
    return nullptr;
}

const XmlChildHandler* XmlBuilder::childHandlers() const {
    static constexpr XmlChildHandler kNone[] = {XmlChildHandler{}};
    return kNone;
}

void XmlBuilder::registerChild(const DWFUtil::String& elementName, XmlBuilderFactory factory) {
    registry_.insert(elementName, factory);
}

}  // namespace DWFXmlBuilder
