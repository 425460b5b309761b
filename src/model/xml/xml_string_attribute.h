// A text-valued attribute; any text is a valid value.
#ifndef DWFPLOT_MODEL_XML_XML_STRING_ATTRIBUTE_H
#define DWFPLOT_MODEL_XML_XML_STRING_ATTRIBUTE_H

#include <utility>

#include "model/xml/xml_attribute_object.h"

namespace DWFXmlObjects {

class XmlStringAttribute : public XmlAttributeObject {
public:
    explicit XmlStringAttribute(const DWFUtil::String& name, bool required = false);
    XmlStringAttribute(const DWFUtil::String& name, const DWFUtil::String& defaultValue);
    // Spelled out so that a text default is not taken for the required flag.
    XmlStringAttribute(const DWFUtil::String& name, const char* defaultValue);

    DWFUtil::String toString() const override { return getString(); }
    bool fromString(const DWFUtil::String& text) override { return setString(text); }
    bool takeString(DWFUtil::String&& text) override;

    // The effective value.
    const DWFUtil::String& getString() const;
    // The effective value, handed over: the attribute keeps its value no longer.
    DWFUtil::String takeValue() { return isSet() ? std::move(value_) : default_; }
    bool setString(const DWFUtil::String& value);

private:
    DWFUtil::String value_;
    DWFUtil::String default_;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_STRING_ATTRIBUTE_H
