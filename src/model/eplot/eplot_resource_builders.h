// Builders of a page's resources. They form a hierarchy like the resource
// classes: each build lets the base builder make the object through the
// creation operation its subclass overrides, checks that the object is of
// its own class, and copies the attributes it read through the class
// setters, so a word outside an enumeration or a list of the wrong length
// leaves that attribute unset.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_BUILDERS_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_BUILDERS_H

#include "model/eplot/eplot_font_resource.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_resource.h"
#include "model/manifest/object_builder.h"
#include "model/xml/xml_boolean_attribute.h"
#include "model/xml/xml_builder.h"
#include "model/xml/xml_list_attribute.h"
#include "model/xml/xml_long_attribute.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

class EPlotResourceBuilder : public DWFXmlBuilder::XmlBuilder {
public:
    explicit EPlotResourceBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name) : XmlBuilder(name) {}

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override;

    // The resource once built.
    const DWFUtil::ObjectRef<EPlotResource>& getResource() const { return resource_; }

protected:
    virtual DWFUtil::ObjectRef<EPlotResource> createResource();
    // The built resource as a `T`; XmlBuildFailed when it is of another class.
    template <typename T>
    T& builtAs() const {
        T* resource = dynamic_cast<T*>(resource_.Object());
        if (!resource) throw DWF::DwfResult::XmlBuildFailed;
        return *resource;
    }

private:
    DWFUtil::ObjectRef<EPlotResource> resource_;
    DWFXmlObjects::XmlStringAttribute role_{"role"};
    DWFXmlObjects::XmlStringAttribute mime_{"mime"};
    DWFXmlObjects::XmlStringAttribute href_{"href"};
    DWFXmlObjects::XmlStringAttribute title_{"title"};
    DWFXmlObjects::XmlLongAttribute size_{"size"};
    DWFXmlObjects::XmlStringAttribute objectId_{"objectId"};
};

class EPlotGraphicResourceBuilder : public EPlotResourceBuilder {
public:
    using EPlotResourceBuilder::EPlotResourceBuilder;

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override;

protected:
    DWFUtil::ObjectRef<EPlotResource> createResource() override;

private:
    DWFXmlObjects::XmlListOfDoubleAttribute transform_{"transform"};
    DWFXmlObjects::XmlListOfDoubleAttribute extents_{"extents"};
    DWFXmlObjects::XmlListOfDoubleAttribute clip_{"clip"};
    DWFXmlObjects::XmlStringAttribute author_{"author"};
    DWFXmlObjects::XmlStringAttribute description_{"description"};
    DWFXmlObjects::XmlStringAttribute creationTime_{"creationTime"};
    DWFXmlObjects::XmlStringAttribute modificationTime_{"modificationTime"};
    DWFXmlObjects::XmlStringAttribute orientation_{"orientation"};
    DWFXmlObjects::XmlLongAttribute effectiveResolution_{"effectiveResolution"};
    DWFXmlObjects::XmlLongAttribute zOrder_{"zOrder"};
    DWFXmlObjects::XmlBooleanAttribute show_{"show"};
};

class EPlotImageResourceBuilder : public EPlotGraphicResourceBuilder {
public:
    using EPlotGraphicResourceBuilder::EPlotGraphicResourceBuilder;

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    // invertColors and scanned are true only when written as "true".
    void build() override;

protected:
    DWFUtil::ObjectRef<EPlotResource> createResource() override;

private:
    DWFXmlObjects::XmlBooleanAttribute invertColors_{"invertColors"};
    DWFXmlObjects::XmlBooleanAttribute scanned_{"scanned"};
    DWFXmlObjects::XmlListOfDoubleAttribute originalExtents_{"originalExtents"};
    DWFXmlObjects::XmlLongAttribute colorDepth_{"colorDepth"};
    DWFXmlObjects::XmlLongAttribute scannedResolution_{"scannedResolution"};
    DWFXmlObjects::XmlLongAttribute parentResourceIndex_{"parentResourceIndex"};
};

class EPlotFontResourceBuilder : public EPlotResourceBuilder {
public:
    using EPlotResourceBuilder::EPlotResourceBuilder;

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override;

protected:
    DWFUtil::ObjectRef<EPlotResource> createResource() override;

private:
    DWFXmlObjects::XmlLongAttribute request_{"request"};
    DWFXmlObjects::XmlStringAttribute privilege_{"privilege"};
    DWFXmlObjects::XmlStringAttribute characterCode_{"characterCode"};
    DWFXmlObjects::XmlStringAttribute canonicalName_{"canonicalName"};
    DWFXmlObjects::XmlStringAttribute logfontName_{"logfontName"};
};

class EPlotResourcesBuilder : public DWFManifestBuilders::ObjectBuilder<EPlotResources> {
public:
    explicit EPlotResourcesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void build() override { publish(); }
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addResource(EPlotResourceBuilder& child) { candidate().add(child.getResource()); }
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_BUILDERS_H
