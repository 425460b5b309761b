#include "model/manifest/dependency.h"

namespace DWFManifest {
namespace {

// A negative index names no section either.
bool indexWithin(int32_t index, uint32_t sectionCount) {
    return index >= 0 && static_cast<uint32_t>(index) <= sectionCount;
}

}  // namespace

Dependency::Dependency(int32_t sectionIndex) : XmlObject("Dependency") { sectionIndex_.setLong(sectionIndex); }

bool Dependency::refersWithin(uint32_t sectionCount) const {
    return sectionIndex_.isSet() && indexWithin(sectionIndex_.getLong(), sectionCount);
}

bool Dependency::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    sectionIndex_.bindNamespace(nameSpace);
    return XmlObject::bindNamespace(nameSpace);
}

void Dependency::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(sectionIndex_);
    writer.writeRaw(getText());
    writer.endElement();
}

Dependencies::Dependencies(int32_t sectionIndex) : XmlObject("Dependencies") { sectionIndex_.setLong(sectionIndex); }

void Dependencies::add(const DWFUtil::ObjectRef<Dependency>& dependency) {
    if (!dependency.isNull()) appendChild(dependencies_, dependency);
}

bool Dependencies::refersWithin(uint32_t sectionCount) const {
    if (!sectionIndex_.isSet() || !indexWithin(sectionIndex_.getLong(), sectionCount)) return false;
    for (const auto& dependency : dependencies_) {
        if (!dependency->refersWithin(sectionCount)) return false;
    }
    return true;
}

bool Dependencies::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    sectionIndex_.bindNamespace(nameSpace);
    XmlObject::bindNamespace(nameSpace);
    bindChildren(dependencies_, nameSpace);
    return true;
}

void Dependencies::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writer.writeAttribute(sectionIndex_);
    serializeChildren(dependencies_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFManifest
