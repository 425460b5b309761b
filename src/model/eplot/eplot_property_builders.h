// Builders of a descriptor's property list.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_BUILDERS_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_BUILDERS_H

#include "model/eplot/eplot_properties.h"
#include "model/eplot/eplot_property.h"
#include "model/manifest/object_builder.h"
#include "model/manifest/property_builders.h"

namespace DWFEPlot {

class EPlotSimplePropertyBuilder : public DWFManifestBuilders::TypedPropertyBuilder<EPlotSimpleProperty> {
public:
    using TypedPropertyBuilder::TypedPropertyBuilder;
};

class EPlotPropertyBuilder : public DWFManifestBuilders::TypedPropertyBuilder<EPlotProperty> {
public:
    using TypedPropertyBuilder::TypedPropertyBuilder;
};

class EPlotPropertiesBuilder : public DWFManifestBuilders::ObjectBuilder<EPlotProperties> {
public:
    explicit EPlotPropertiesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void build() override { publish(); }
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addProperty(EPlotPropertyBuilder& child) { candidate().add(child.getObject()); }
    void addSimpleProperty(EPlotSimplePropertyBuilder& child) { candidate().add(child.getObject()); }
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_BUILDERS_H
