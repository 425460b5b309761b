#include "model/eplot/eplot_global_builder.h"

#include "model/eplot/eplot_page_builder.h"

namespace DWFEPlot {

using DWFManifestBuilders::makeBuilder;
using DWFXmlBuilder::XmlChildHandler;

EPlotBookmarkBuilder::EPlotBookmarkBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
    : LeafBuilder(name) {
    registerChild("Bookmark", &makeBuilder<EPlotBookmarkBuilder>);
}

const XmlChildHandler* EPlotBookmarkBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<EPlotBookmarkBuilder, EPlotBookmarkBuilder, &EPlotBookmarkBuilder::addBookmark>(),
        XmlChildHandler{}};
    return kHandlers;
}

EPlotGlobalBuilder::EPlotGlobalBuilder() {
    registerChild("Bookmark", &makeBuilder<EPlotBookmarkBuilder>);
    registerChild("Properties", &makeBuilder<EPlotPropertiesBuilder>);
}

void EPlotGlobalBuilder::setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) {
    candidate().readAttributes(attributes);
    checkDescriptorVersion(attributes, getPrefixMappings());
}

const XmlChildHandler* EPlotGlobalBuilder::childHandlers() const {
    static constexpr XmlChildHandler kHandlers[] = {
        DWFXmlBuilder::childHandler<EPlotGlobalBuilder, EPlotBookmarkBuilder, &EPlotGlobalBuilder::addBookmark>(),
        DWFXmlBuilder::childHandler<EPlotGlobalBuilder, EPlotPropertiesBuilder, &EPlotGlobalBuilder::addProperties>(),
        XmlChildHandler{}};
    return kHandlers;
}

}  // namespace DWFEPlot
