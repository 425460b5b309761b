#include "model/eplot/eplot_resource_builders.h"

namespace DWFEPlot {

using DWFManifestBuilders::makeBuilder;
using DWFXmlBuilder::XmlChildHandler;

void EPlotResourceBuilder::build() {
    candidate_->setName(getName());
    candidate_->setPrefixMappings(getPrefixMappings());
    resource_ = candidate_;
}

EPlotResourcesBuilder::EPlotResourcesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : ObjectBuilder(name) {
    registerChild("FontResource", &makeBuilder<EPlotFontResourceBuilder>);
    registerChild("ImageResource", &makeBuilder<EPlotImageResourceBuilder>);
    registerChild("GraphicResource", &makeBuilder<EPlotGraphicResourceBuilder>);
    registerChild("Resource", &makeBuilder<EPlotResourceBuilder>);
}

const XmlChildHandler* EPlotResourcesBuilder::childHandlers() const {
    // Every resource builder derives from EPlotResourceBuilder.
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<EPlotResourcesBuilder, EPlotResourceBuilder, &EPlotResourcesBuilder::addResource>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFEPlot
