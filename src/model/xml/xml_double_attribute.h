// A double attribute, written with all significant digits ("%.32g").
#ifndef DWFPLOT_MODEL_XML_XML_DOUBLE_ATTRIBUTE_H
#define DWFPLOT_MODEL_XML_XML_DOUBLE_ATTRIBUTE_H

#include "model/xml/xml_attribute_object.h"

namespace DWFXmlObjects {

class XmlDoubleAttribute : public XmlAttributeObject {
public:
    explicit XmlDoubleAttribute(const DWFUtil::String& name, bool required = false);
    XmlDoubleAttribute(const DWFUtil::String& name, double defaultValue);

    DWFUtil::String toString() const override;
    // The leading number; empty text and values out of range fail.
    bool fromString(const DWFUtil::String& text) override;

    double getDouble() const { return isSet() ? value_ : default_; }
    bool setDouble(double value);

private:
    double value_ = 0;
    double default_ = 0;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_DOUBLE_ATTRIBUTE_H
