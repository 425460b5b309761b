#include "model/xml/xml_long_attribute.h"

#include "model/xml/xml_number_text.h"

namespace DWFXmlObjects {

XmlLongAttribute::XmlLongAttribute(const DWFUtil::String& name, bool required) : XmlAttributeObject(name, required) {}

XmlLongAttribute::XmlLongAttribute(const DWFUtil::String& name, int32_t defaultValue)
    : XmlAttributeObject(name), default_(defaultValue) {
    markDefault();
}

DWFUtil::String XmlLongAttribute::toString() const {
    if (!isSet() && !hasDefault()) return DWFUtil::String();
    return formatLong(getLong());
}

bool XmlLongAttribute::fromString(const DWFUtil::String& text) {
    int32_t value = 0;
    return parseLongText(text, value) && setLong(value);
}

bool XmlLongAttribute::setLong(int32_t value) {
    value_ = value;
    markSet();
    return true;
}

}  // namespace DWFXmlObjects
