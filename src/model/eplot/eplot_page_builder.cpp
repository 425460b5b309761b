#include "model/eplot/eplot_page_builder.h"

#include "model/eplot/eplot_identifiers.h"
#include "model/manifest/document_version.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

using DWFManifestBuilders::makeBuilder;
using DWFXmlBuilder::XmlChildHandler;

void checkDescriptorVersion(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes,
                            const DWFXmlBuilder::XmlPrefixMappings& mappings) {
    DWFXmlObjects::XmlStringAttribute version("version");
    version.setFromAttributes(attributes);
    DWFManifestBuilders::checkDocumentVersion(version.isSet() ? &version.getString() : nullptr, mappings,
                                              kEPlotUriBase, 1.1);
}

EPlotPageBuilder::EPlotPageBuilder() {
    registerChild("Paper", &makeBuilder<EPlotPaperBuilder>);
    registerChild("Resources", &makeBuilder<EPlotResourcesBuilder>);
    registerChild("Properties", &makeBuilder<EPlotPropertiesBuilder>);
}

void EPlotPageBuilder::setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) {
    candidate().readAttributes(attributes);
    checkDescriptorVersion(attributes, getPrefixMappings());
}

void EPlotPageBuilder::build() {
    if (resourcesArrived_) publish();
}

void EPlotPageBuilder::addResources(EPlotResourcesBuilder& child) {
    if (child.getObject().isNull()) return;
    candidate().setResources(child.getObject());
    resourcesArrived_ = true;
}

const XmlChildHandler* EPlotPageBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<EPlotPageBuilder, EPlotPaperBuilder, &EPlotPageBuilder::addPaper>(),
        DWFXmlBuilder::childHandler<EPlotPageBuilder, EPlotResourcesBuilder, &EPlotPageBuilder::addResources>(),
        DWFXmlBuilder::childHandler<EPlotPageBuilder, EPlotPropertiesBuilder, &EPlotPageBuilder::addProperties>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFEPlot
