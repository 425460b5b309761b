// Builders of a page's resources. Each makes a resource of the class its
// element names, which reads its own attributes through its setters' checks,
// so a word outside an enumeration or a list of the wrong length leaves that
// attribute unset.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_BUILDERS_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_RESOURCE_BUILDERS_H

#include "model/eplot/eplot_font_resource.h"
#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_resource.h"
#include "model/manifest/object_builder.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_builder.h"

namespace DWFEPlot {

class EPlotResourceBuilder : public DWFXmlBuilder::XmlBuilder {
public:
    explicit EPlotResourceBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
        : EPlotResourceBuilder(name, DWFXmlFramework::newObject<EPlotResource>()) {}

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override {
        candidate_->readAttributes(attributes);
    }
    void build() override;

    // The resource once built.
    const DWFUtil::ObjectRef<EPlotResource>& getResource() const { return resource_; }

protected:
    EPlotResourceBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name,
                         const DWFUtil::ObjectRef<EPlotResource>& candidate)
        : XmlBuilder(name), candidate_(candidate) {}

private:
    DWFUtil::ObjectRef<EPlotResource> candidate_;
    DWFUtil::ObjectRef<EPlotResource> resource_;
};

// The builder of the resource class `T`.
template <typename T>
class EPlotResourceBuilderOf : public EPlotResourceBuilder {
public:
    explicit EPlotResourceBuilderOf(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
        : EPlotResourceBuilder(name, DWFXmlFramework::newObject<T>()) {}
};

using EPlotGraphicResourceBuilder = EPlotResourceBuilderOf<EPlotGraphicResource>;
using EPlotImageResourceBuilder = EPlotResourceBuilderOf<EPlotImageResource>;
using EPlotFontResourceBuilder = EPlotResourceBuilderOf<EPlotFontResource>;

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
