#include "model/xml/xml_string_attribute.h"

#include <utility>

namespace DWFXmlObjects {

XmlStringAttribute::XmlStringAttribute(const DWFUtil::String& name, bool required)
    : XmlAttributeObject(name, required) {}

XmlStringAttribute::XmlStringAttribute(const DWFUtil::String& name, const DWFUtil::String& defaultValue)
    : XmlAttributeObject(name), default_(defaultValue) {
    markDefault();
}

XmlStringAttribute::XmlStringAttribute(const DWFUtil::String& name, const char* defaultValue)
    : XmlStringAttribute(name, DWFUtil::String(defaultValue)) {}

const DWFUtil::String& XmlStringAttribute::getString() const {
    if (isSet()) return value_;
    return default_;
}

bool XmlStringAttribute::takeString(DWFUtil::String&& text) {
    value_ = std::move(text);
    markSet();
    return true;
}

bool XmlStringAttribute::setString(const DWFUtil::String& value) {
    value_ = value;
    markSet();
    return true;
}

}  // namespace DWFXmlObjects
