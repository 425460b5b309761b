#include "model/xml/xml_named_entity.h"

#include "model/xml/new_object.h"

namespace DWFXmlFramework {

XmlNamedEntity::XmlNamedEntity(const DWFUtil::String& plainName) { setPlainName(plainName); }

DWFUtil::ObjectRef<XmlName> XmlNamedEntity::getName() const {
    if (!name_.isNull() && !name_->isEmpty()) return name_;
    return plainName_;
}

void XmlNamedEntity::setName(const DWFUtil::ObjectRef<XmlName>& name) {
    if (name_.isNull() || name_->isEmpty()) name_ = name;
}

bool XmlNamedEntity::bindNamespace(const DWFUtil::ObjectRef<XmlNamespace>& nameSpace) {
    if (nameSpace.isNull()) return true;
    const DWFUtil::ObjectRef<XmlName> current = getName();
    if (current.isNull()) {
        name_ = newObject<XmlName>();
        return true;
    }
    name_ = nameSpace->lookup(current->effectiveName());
    return true;
}

void XmlNamedEntity::setPlainName(const DWFUtil::String& plainName) {
    plainName_ = newObject<XmlName>(plainName);
}

}  // namespace DWFXmlFramework
