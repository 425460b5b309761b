#include "model/xml/xml_named_entity.h"

#include "model/xml/new_object.h"

namespace DWFXmlFramework {

XmlNamedEntity::XmlNamedEntity(const DWFUtil::String& plainName) { setPlainName(plainName); }

DWFUtil::ObjectRef<XmlName> XmlNamedEntity::getName() const {
    if (!name_.isNull() && !name_->isEmpty()) return name_;
    return getPlainName();
}

DWFUtil::ObjectRef<XmlName> XmlNamedEntity::getPlainName() const {
    return hasPlainName_ ? newObject<XmlName>(plainText_) : DWFUtil::ObjectRef<XmlName>();
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

}  // namespace DWFXmlFramework
