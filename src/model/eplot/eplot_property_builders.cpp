#include "model/eplot/eplot_property_builders.h"

namespace DWFEPlot {

using DWFManifestBuilders::makeBuilder;
using DWFXmlBuilder::XmlChildHandler;

EPlotPropertiesBuilder::EPlotPropertiesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : ObjectBuilder(name) {
    registerChild("Property", &makeBuilder<EPlotPropertyBuilder>);
    registerChild("SimpleProperty", &makeBuilder<EPlotSimplePropertyBuilder>);
}

const XmlChildHandler* EPlotPropertiesBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<EPlotPropertiesBuilder, EPlotPropertyBuilder,
                                    &EPlotPropertiesBuilder::addProperty>(),
        DWFXmlBuilder::childHandler<EPlotPropertiesBuilder, EPlotSimplePropertyBuilder,
                                    &EPlotPropertiesBuilder::addSimpleProperty>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFEPlot
