#include "model/xml/xml_named_entity.h"

#include <mutex>
#include <set>
#include <string>

#include "model/xml/new_object.h"

namespace DWFXmlFramework {
namespace {

// Plain names are the few the model classes declare, each held by every
// object of its class: each is stored once for the process and borrowed by
// them all. The set is never freed, so a name outlives whatever borrows it.
// Null for a name that cannot be kept as plain text.
const char* sharedName(const DWFUtil::String& name) {
    static std::mutex guard;
    static auto* const names = new std::set<std::string, std::less<>>;
    const std::string_view text = name.narrowView();
    if (text.find('\0') != std::string_view::npos) return nullptr;
    const std::lock_guard<std::mutex> lock(guard);
    auto found = names->find(text);
    if (found == names->end()) found = names->emplace(text).first;
    return found->c_str();
}

// Made in place, so that the borrowing string is not copied on its way.
DWFUtil::String plainTextOf(const DWFUtil::String& name) {
    if (const char* shared = sharedName(name)) return DWFUtil::String(shared, false);
    return name;
}

}  // namespace

XmlNamedEntity::XmlNamedEntity(const DWFUtil::String& plainName)
    : plainText_(plainTextOf(plainName)), hasPlainName_(true) {}

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
