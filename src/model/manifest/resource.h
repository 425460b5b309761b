// A section's resources as the manifest lists them, and the section's table
// of contents that holds them.
#ifndef DWFPLOT_MODEL_MANIFEST_RESOURCE_H
#define DWFPLOT_MODEL_MANIFEST_RESOURCE_H

#include <cstdint>

#include "model/manifest/child_list.h"
#include "model/manifest/parsed_attributes.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFManifest {

class Resource : public DWFXmlObjects::XmlObject {
public:
    Resource() : XmlObject("Resource") {}
    Resource(const DWFUtil::String& role, const DWFUtil::String& href, const DWFUtil::String& mime);

    const DWFUtil::String& getRole() const { return role_.getString(); }
    // The code of the role (0 for a role that is not registered).
    int32_t getRoleCode() const;
    const DWFUtil::String& getHref() const { return href_.getString(); }
    const DWFUtil::String& getMime() const { return mime_.getString(); }

    bool validate() const override { return role_.isValid() && href_.isValid() && mime_.isValid(); }
    // Also qualifies the role, href and mime attributes.
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute role_{"role"};
    DWFXmlObjects::XmlStringAttribute href_{"href", true};
    DWFXmlObjects::XmlStringAttribute mime_{"mime"};
};

class Toc : public DWFXmlObjects::XmlObject {
public:
    Toc() : XmlObject("Toc") {}

    void add(const DWFUtil::ObjectRef<Resource>& resource);
    uint32_t size() const { return resources_.size(); }
    const DWFUtil::ObjectRef<Resource>& operator[](uint32_t index) const { return resources_[index]; }

    bool validate() const override { return allChildrenValid(resources_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    ChildList<Resource> resources_;
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_RESOURCE_H
