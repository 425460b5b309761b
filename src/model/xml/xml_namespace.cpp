#include "model/xml/xml_namespace.h"

#include "model/xml/new_object.h"

namespace DWFXmlFramework {

DWFUtil::ObjectRef<XmlName> XmlNamespace::lookup(const DWFUtil::String& localName) const {
    const auto* found = names_.find(localName);
    if (found != names_.end()) return found->second;
    return newObject<XmlName>();
}

bool XmlNamespace::declares(const DWFUtil::String& localName) const {
    return names_.find(localName) != names_.end();
}

void XmlNamespace::declareName(const DWFUtil::String& localName) {
    names_.insert(localName, newObject<XmlName>(uri_, localName, localName));
}

}  // namespace DWFXmlFramework
