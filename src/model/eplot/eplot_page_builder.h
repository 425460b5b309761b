// The root builder of a page descriptor. It builds a page only when the
// descriptor held a Resources element, and refuses descriptors of a version
// above 2.1.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PAGE_BUILDER_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PAGE_BUILDER_H

#include "model/eplot/eplot_page.h"
#include "model/eplot/eplot_paper.h"
#include "model/eplot/eplot_property_builders.h"
#include "model/eplot/eplot_resource_builders.h"
#include "model/manifest/object_builder.h"

namespace DWFEPlot {

class EPlotPaperBuilder : public DWFManifestBuilders::LeafBuilder<EPlotPaper> {
public:
    using LeafBuilder::LeafBuilder;
};

class EPlotPageBuilder : public DWFManifestBuilders::ObjectBuilder<EPlotPage> {
public:
    EPlotPageBuilder();

    // Throws UnsupportedVersion for a descriptor newer than 2.1.
    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override;
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

    const DWFUtil::ObjectRef<EPlotPage>& getPage() const { return getObject(); }

private:
    void addPaper(EPlotPaperBuilder& child) { candidate().setPaper(child.getObject()); }
    void addResources(EPlotResourcesBuilder& child);
    void addProperties(EPlotPropertiesBuilder& child) { candidate().setProperties(child.getObject()); }

    bool resourcesArrived_ = false;
};

// The version rule of the descriptor root builders.
void checkDescriptorVersion(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes,
                            const DWFXmlBuilder::XmlPrefixMappings& mappings);

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PAGE_BUILDER_H
