// Builders of a descriptor's property list.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_BUILDERS_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_BUILDERS_H

#include "model/eplot/eplot_properties.h"
#include "model/eplot/eplot_property.h"
#include "model/manifest/property_builders.h"

namespace DWFEPlot {

using EPlotSimplePropertyBuilder = DWFManifestBuilders::TypedPropertyBuilder<EPlotSimpleProperty>;
using EPlotPropertyBuilder = DWFManifestBuilders::TypedPropertyBuilder<EPlotProperty>;

class EPlotPropertiesBuilder
    : public DWFManifestBuilders::PropertyListBuilder<EPlotProperties, EPlotProperty, EPlotSimpleProperty> {
public:
    using PropertyListBuilder::PropertyListBuilder;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_BUILDERS_H
