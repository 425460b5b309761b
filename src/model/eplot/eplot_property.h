// Properties of a descriptor: a name with an optional category
// (EPlotAnyProperty), a typed value (EPlotSimpleProperty) and its usual
// element form (EPlotProperty). They are made of the parts of the package
// properties, as classes of their own.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_H

#include "model/manifest/property.h"
#include "model/util/string.h"

namespace DWFEPlot {

using DWFManifest::PropertyElement;
using DWFManifest::XmlAttributes;

class EPlotAnyProperty : public DWFManifest::NamedProperty {
public:
    using NamedProperty::NamedProperty;
};

class EPlotSimpleProperty : public DWFManifest::TypedProperty<EPlotAnyProperty> {
public:
    using TypedProperty::TypedProperty;
};

class EPlotProperty : public EPlotSimpleProperty {
public:
    EPlotProperty() : EPlotSimpleProperty(PropertyElement{"Property"}) {}
    EPlotProperty(const DWFUtil::String& name, const DWFUtil::String& value)
        : EPlotSimpleProperty(PropertyElement{"Property"}, name, value) {}
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_H
