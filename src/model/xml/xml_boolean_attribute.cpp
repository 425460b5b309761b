#include "model/xml/xml_boolean_attribute.h"

namespace DWFXmlObjects {

XmlBooleanAttribute::XmlBooleanAttribute(const DWFUtil::String& name, bool required)
    : XmlAttributeObject(name, required) {}

XmlBooleanAttribute::XmlBooleanAttribute(const DWFUtil::String& name, const XmlBooleanEnum& defaultEntry)
    : XmlAttributeObject(name), default_(&defaultEntry) {
    markDefault();
}

DWFUtil::String XmlBooleanAttribute::toString() const {
    const XmlBooleanEnum* entry = getEntry();
    return entry ? entry->getWord() : DWFUtil::String();
}

bool XmlBooleanAttribute::fromString(const DWFUtil::String& text) { return setEntry(XmlBooleanEnum::find(text)); }

const XmlBooleanEnum* XmlBooleanAttribute::getEntry() const { return isSet() ? value_ : default_; }

bool XmlBooleanAttribute::getBoolean() const {
    const XmlBooleanEnum* entry = getEntry();
    return entry && entry->getValue();
}

bool XmlBooleanAttribute::setBoolean(bool value) { return setEntry(&XmlBooleanEnum::forValue(value)); }

bool XmlBooleanAttribute::setEntry(const XmlBooleanEnum* entry) {
    if (!entry) return false;
    value_ = entry;
    markSet();
    return true;
}

}  // namespace DWFXmlObjects
