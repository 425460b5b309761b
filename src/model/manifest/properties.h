// The property list of a manifest, and the list class a descriptor's
// property list is made of too.
#ifndef DWFPLOT_MODEL_MANIFEST_PROPERTIES_H
#define DWFPLOT_MODEL_MANIFEST_PROPERTIES_H

#include "model/manifest/child_list.h"
#include "model/manifest/property.h"

namespace DWFManifest {

// A list of the properties of one model, whose AnyProperty is `Any`.
template <typename Any>
class PropertyList : public DWFXmlObjects::XmlObject {
public:
    PropertyList() : XmlObject("Properties") {}

    // A null handle is not added.
    void add(const DWFUtil::ObjectRef<Any>& property) {
        if (!property.isNull()) appendChild(properties_, property);
    }
    uint32_t size() const { return properties_.size(); }
    const DWFUtil::ObjectRef<Any>& operator[](uint32_t index) const { return properties_[index]; }
    const ChildList<Any>& getProperties() const { return properties_; }

    bool validate() const override { return allChildrenValid(properties_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override {
        XmlObject::bindNamespace(nameSpace);
        bindChildren(properties_, nameSpace);
        return true;
    }
    // An empty list is written as an empty element.
    void serialize(DWFXmlFramework::XmlWriter& writer) const override {
        writer.startElement(getName());
        serializeChildren(properties_, writer);
        writer.writeRaw(getText());
        writer.endElement();
    }

private:
    ChildList<Any> properties_;
};

class Properties : public PropertyList<AnyProperty> {};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_PROPERTIES_H
