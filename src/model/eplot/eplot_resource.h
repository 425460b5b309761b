// The resources of a page as its descriptor lists them, and their list.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_H

#include <cstdint>
#include <utility>

#include "model/manifest/parsed_attributes.h"
#include "model/manifest/child_list.h"
#include "model/xml/xml_long_attribute.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

// Text setters take their text by value: a builder hands over what it read
// instead of leaving a copy behind.
class EPlotResource : public DWFXmlObjects::XmlObject {
public:
    EPlotResource() : EPlotResource("Resource") {}

    // The name of the object's class: EPlotResource, EPlotGraphicResource, ...
    virtual const char* getResourceType() const { return "EPlotResource"; }

    const DWFUtil::String& getRole() const { return role_.getString(); }
    void setRole(DWFUtil::String role) { role_.takeString(std::move(role)); }
    const DWFUtil::String& getMime() const { return mime_.getString(); }
    void setMime(DWFUtil::String mime) { mime_.takeString(std::move(mime)); }
    const DWFUtil::String& getHref() const { return href_.getString(); }
    void setHref(DWFUtil::String href) { href_.takeString(std::move(href)); }
    const DWFUtil::String& getTitle() const { return title_.getString(); }
    void setTitle(DWFUtil::String title) { title_.takeString(std::move(title)); }
    int32_t getSize() const { return size_.getLong(); }
    void setSize(int32_t size) { size_.setLong(size); }
    const DWFUtil::String& getObjectId() const { return objectId_.getString(); }
    void setObjectId(DWFUtil::String objectId) { objectId_.takeString(std::move(objectId)); }

    // Takes the attributes the document set, each through its setter's checks.
    virtual void readAttributes(const DWFManifest::XmlAttributes& attributes);
    bool validate() const override;
    // An empty element with the attributes in the order of the class chain.
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

protected:
    explicit EPlotResource(const char* elementName) : XmlObject(elementName) {}
    virtual void writeAttributes(DWFXmlFramework::XmlWriter& writer) const;

private:
    DWFXmlObjects::XmlStringAttribute role_{"role"};
    DWFXmlObjects::XmlStringAttribute mime_{"mime"};
    DWFXmlObjects::XmlStringAttribute href_{"href"};
    DWFXmlObjects::XmlStringAttribute title_{"title"};
    DWFXmlObjects::XmlLongAttribute size_{"size"};
    DWFXmlObjects::XmlStringAttribute objectId_{"objectId"};
};

class EPlotResources : public DWFXmlObjects::XmlObject {
public:
    EPlotResources() : XmlObject("Resources") {}

    // A null handle is not added.
    void add(const DWFUtil::ObjectRef<EPlotResource>& resource);
    uint32_t size() const { return resources_.size(); }
    const DWFUtil::ObjectRef<EPlotResource>& operator[](uint32_t index) const { return resources_[index]; }
    // The position (from 0) of this very object, or -1.
    int32_t indexOf(const DWFUtil::ObjectRef<EPlotResource>& resource) const;

    bool validate() const override { return DWFManifest::allChildrenValid(resources_); }
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFManifest::ChildList<EPlotResource> resources_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_H
