#include "model/xml/xml_double_attribute.h"

#include "model/xml/xml_number_text.h"

namespace DWFXmlObjects {

XmlDoubleAttribute::XmlDoubleAttribute(const DWFUtil::String& name, bool required)
    : XmlAttributeObject(name, required) {}

XmlDoubleAttribute::XmlDoubleAttribute(const DWFUtil::String& name, double defaultValue)
    : XmlAttributeObject(name), default_(defaultValue) {
    markDefault();
}

DWFUtil::String XmlDoubleAttribute::toString() const {
    if (!isSet() && !hasDefault()) return DWFUtil::String();
    return formatDouble(getDouble());
}

bool XmlDoubleAttribute::fromString(const DWFUtil::String& text) {
    double value = 0;
    return parseDoubleText(text, value) && setDouble(value);
}

bool XmlDoubleAttribute::setDouble(double value) {
    value_ = value;
    markSet();
    return true;
}

}  // namespace DWFXmlObjects
