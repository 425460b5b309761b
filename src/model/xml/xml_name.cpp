#include "model/xml/xml_name.h"

#include "model/xml/new_object.h"

namespace DWFXmlFramework {

XmlName::XmlName(const DWFUtil::String& rawName) : rawName_(rawName) {}

XmlName::XmlName(const DWFUtil::String& nameSpace, const DWFUtil::String& localName,
                 const DWFUtil::String& rawName)
    : namespace_(nameSpace), localName_(localName), rawName_(rawName) {}

const DWFUtil::String& XmlName::effectiveName() const {
    return (!namespace_.empty() || !localName_.empty()) ? localName_ : rawName_;
}

bool XmlName::operator==(const XmlName& other) const {
    return namespace_ == other.namespace_ && localName_ == other.localName_ && rawName_ == other.rawName_;
}

bool XmlName::operator<(const XmlName& other) const { return orderText() < other.orderText(); }

DWFUtil::String XmlName::orderText() const {
    return DWFUtil::String("'") + namespace_ + " " + localName_ + " " + rawName_ + "'";
}

DWFUtil::ObjectRef<XmlName> makeXmlName(const DWFUtil::String& rawName) {
    return newObject<XmlName>(rawName);
}

}  // namespace DWFXmlFramework
