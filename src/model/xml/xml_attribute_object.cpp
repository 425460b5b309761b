#include "model/xml/xml_attribute_object.h"

#include "model/xml/xml_escape.h"

namespace DWFXmlObjects {
namespace {

// The part after the first colon, or the whole name.
DWFUtil::String localPart(const DWFUtil::String& name) {
    const int32_t colon = name.find(':');
    return colon < 0 ? name : name.substring(static_cast<uint32_t>(colon) + 1);
}

}  // namespace

XmlAttributeObject::XmlAttributeObject(const DWFUtil::String& name, bool required)
    : XmlNamedEntity(name), required_(required) {}

bool XmlAttributeObject::isValid() const { return !required_ || set_; }

bool XmlAttributeObject::setFromAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) {
    const DWFUtil::String& own = getPlainText();
    const DWFUtil::String ownLocal = localPart(own);
    for (const DWFUtil::XmlParser::Attribute& attribute : attributes) {
        const DWFUtil::String& written = attribute.name;
        bool matches = written == own || written == ownLocal;
        if (!matches) {
            const DWFUtil::String writtenLocal = localPart(written);
            matches = writtenLocal == own || writtenLocal == ownLocal;
        }
        if (matches) return takeString(DWFXmlFramework::xmlUnescape(attribute.value));
    }
    return false;
}

}  // namespace DWFXmlObjects
