// A signed 32-bit integer attribute, written in decimal.
#ifndef DWFPLOT_MODEL_XML_XML_LONG_ATTRIBUTE_H
#define DWFPLOT_MODEL_XML_XML_LONG_ATTRIBUTE_H

#include <cstdint>

#include "model/xml/xml_attribute_object.h"

namespace DWFXmlObjects {

class XmlLongAttribute : public XmlAttributeObject {
public:
    explicit XmlLongAttribute(const DWFUtil::String& name, bool required = false);
    XmlLongAttribute(const DWFUtil::String& name, int32_t defaultValue);

    DWFUtil::String toString() const override;
    // "12abc" reads as 12; empty text and values beyond 32 bits fail.
    bool fromString(const DWFUtil::String& text) override;

    int32_t getLong() const { return isSet() ? value_ : default_; }
    bool setLong(int32_t value);

private:
    int32_t value_ = 0;
    int32_t default_ = 0;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_LONG_ATTRIBUTE_H
