// The property list of a descriptor.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTIES_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTIES_H

#include "model/eplot/eplot_property.h"
#include "model/manifest/properties.h"

namespace DWFEPlot {

class EPlotProperties : public DWFManifest::PropertyList<EPlotAnyProperty> {};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTIES_H
