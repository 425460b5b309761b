// One XML attribute of a model class: its name, whether it is required,
// whether it holds a value, an optional default, and the conversion of its
// value to and from text. The writer writes only attributes that were set;
// builders fill them from the parsed attribute list.
#ifndef DWFPLOT_MODEL_XML_XML_ATTRIBUTE_OBJECT_H
#define DWFPLOT_MODEL_XML_XML_ATTRIBUTE_OBJECT_H

#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_named_entity.h"
#include "model/xml/xml_parser.h"

namespace DWFXmlObjects {

class XmlAttributeObject : public DWFXmlFramework::XmlNamedEntity {
public:
    explicit XmlAttributeObject(const DWFUtil::String& name, bool required = false);

    // The effective value as text: the value when set, else the default,
    // else the type's empty value (empty text for most types).
    virtual DWFUtil::String toString() const = 0;
    // Base rule: not required, or set.
    virtual bool isValid() const;
    // Parses and assigns; on success the attribute is set. A failure leaves
    // the attribute unchanged.
    virtual bool fromString(const DWFUtil::String& text) = 0;
    // The same with text that is the attribute's to keep: an attribute that
    // holds text takes it over instead of copying it.
    virtual bool takeString(DWFUtil::String&& text) { return fromString(text); }

    bool isSet() const { return set_; }
    bool isRequired() const { return required_; }
    bool hasDefault() const { return hasDefault_; }
    void setRequired(bool required) { required_ = required; }

    // Finds this attribute among the parsed ones (by its name or its local
    // part, written with any prefix or none; the first match wins) and
    // assigns its unescaped value. Answers whether a value was found and
    // assigned.
    bool setFromAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes);

protected:
    void markSet() { set_ = true; }
    void markDefault() { hasDefault_ = true; }

private:
    bool required_ = false;
    bool set_ = false;
    bool hasDefault_ = false;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_ATTRIBUTE_OBJECT_H
