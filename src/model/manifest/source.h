// Where a section comes from: the producing application and the section's
// own identification.
#ifndef DWFPLOT_MODEL_MANIFEST_SOURCE_H
#define DWFPLOT_MODEL_MANIFEST_SOURCE_H

#include "model/manifest/parsed_attributes.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFManifest {

class Source : public DWFXmlObjects::XmlObject {
public:
    Source() : XmlObject("Source") {}
    // An empty object identifier is not set, so it is not written.
    Source(const DWFUtil::String& provider, const DWFUtil::String& href, const DWFUtil::String& objectId);

    const DWFUtil::String& getProvider() const { return provider_.getString(); }
    const DWFUtil::String& getHref() const { return href_.getString(); }
    const DWFUtil::String& getObjectId() const { return objectId_.getString(); }

    bool validate() const override { return provider_.isValid() && href_.isValid() && objectId_.isValid(); }
    // Also qualifies the href attribute.
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute provider_{"provider", ""};
    DWFXmlObjects::XmlStringAttribute href_{"href", true};
    DWFXmlObjects::XmlStringAttribute objectId_{"objectId"};
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_SOURCE_H
