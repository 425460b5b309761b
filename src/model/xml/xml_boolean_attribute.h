// A boolean attribute. It holds the registered word it was given, not only
// the truth value.
#ifndef DWFPLOT_MODEL_XML_XML_BOOLEAN_ATTRIBUTE_H
#define DWFPLOT_MODEL_XML_XML_BOOLEAN_ATTRIBUTE_H

#include "model/xml/xml_attribute_object.h"
#include "model/xml/xml_boolean_enum.h"

namespace DWFXmlObjects {

class XmlBooleanAttribute : public XmlAttributeObject {
public:
    explicit XmlBooleanAttribute(const DWFUtil::String& name, bool required = false);
    XmlBooleanAttribute(const DWFUtil::String& name, const XmlBooleanEnum& defaultEntry);

    DWFUtil::String toString() const override;
    // The text must be one of the registered words exactly.
    bool fromString(const DWFUtil::String& text) override;

    // The effective entry, or null when neither set nor defaulted.
    const XmlBooleanEnum* getEntry() const;
    // The effective truth value; false when there is none.
    bool getBoolean() const;
    // Uses the entry "true" or "false".
    bool setBoolean(bool value);
    // False, and no change, for a missing entry.
    bool setEntry(const XmlBooleanEnum* entry);

private:
    const XmlBooleanEnum* value_ = nullptr;
    const XmlBooleanEnum* default_ = nullptr;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_BOOLEAN_ATTRIBUTE_H
