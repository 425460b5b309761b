// The property list of a manifest.
#ifndef DWFPLOT_MODEL_MANIFEST_PROPERTIES_H
#define DWFPLOT_MODEL_MANIFEST_PROPERTIES_H

#include "model/manifest/child_list.h"
#include "model/manifest/property.h"

namespace DWFManifest {

class Properties : public DWFXmlObjects::XmlObject {
public:
    Properties() : XmlObject("Properties") {}

    // A null handle is not added.
    void add(const DWFUtil::ObjectRef<AnyProperty>& property);
    uint32_t size() const { return properties_.size(); }
    const DWFUtil::ObjectRef<AnyProperty>& operator[](uint32_t index) const { return properties_[index]; }
    const ChildList<AnyProperty>& getProperties() const { return properties_; }

    bool validate() const override { return allChildrenValid(properties_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    // An empty list is written as an empty element.
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    ChildList<AnyProperty> properties_;
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_PROPERTIES_H
