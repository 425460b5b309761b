// The root builder of the global section's descriptor, and the builder of
// its bookmark tree.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_GLOBAL_BUILDER_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_GLOBAL_BUILDER_H

#include "model/eplot/eplot_bookmark.h"
#include "model/eplot/eplot_global.h"
#include "model/eplot/eplot_property_builders.h"
#include "model/manifest/object_builder.h"

namespace DWFEPlot {

class EPlotBookmarkBuilder : public DWFManifestBuilders::LeafBuilder<EPlotBookmark> {
public:
    explicit EPlotBookmarkBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addBookmark(EPlotBookmarkBuilder& child) { candidate().add(child.getObject()); }
};

class EPlotGlobalBuilder : public DWFManifestBuilders::ObjectBuilder<EPlotGlobal> {
public:
    EPlotGlobalBuilder();

    // Throws UnsupportedVersion for a descriptor newer than 2.1.
    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override;
    void build() override { publish(); }
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

    const DWFUtil::ObjectRef<EPlotGlobal>& getGlobal() const { return getObject(); }

private:
    void addBookmark(EPlotBookmarkBuilder& child) { candidate().setBookmark(child.getObject()); }
    void addProperties(EPlotPropertiesBuilder& child) { candidate().setProperties(child.getObject()); }
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_GLOBAL_BUILDER_H
