// The interfaces a package implements (the ePlot interface for plots) and
// their list.
#ifndef DWFPLOT_MODEL_MANIFEST_INTERFACE_H
#define DWFPLOT_MODEL_MANIFEST_INTERFACE_H

#include <cstdint>

#include "model/manifest/child_list.h"
#include "model/manifest/parsed_attributes.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFManifest {

class Interface : public DWFXmlObjects::XmlObject {
public:
    Interface() : XmlObject("Interface") {}
    Interface(const DWFUtil::String& objectId, const DWFUtil::String& name, const DWFUtil::String& href);

    const DWFUtil::String& getObjectId() const { return objectId_.getString(); }
    const DWFUtil::String& getInterfaceName() const { return name_.getString(); }
    const DWFUtil::String& getHref() const { return href_.getString(); }

    bool validate() const override { return name_.isValid() && objectId_.isValid() && href_.isValid(); }
    void readAttributes(const XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlStringAttribute objectId_{"objectId", true};
    DWFXmlObjects::XmlStringAttribute href_{"href", true};
};

class Interfaces : public DWFXmlObjects::XmlObject {
public:
    Interfaces() : XmlObject("Interfaces") {}

    void add(const DWFUtil::ObjectRef<Interface>& item);
    uint32_t size() const { return interfaces_.size(); }
    const DWFUtil::ObjectRef<Interface>& operator[](uint32_t index) const { return interfaces_[index]; }
    // The position (from 1) of the first interface with `objectId`, or -1.
    int32_t findByObjectId(const DWFUtil::String& objectId) const;

    bool validate() const override { return allChildrenValid(interfaces_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    ChildList<Interface> interfaces_;
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_INTERFACE_H
