// The descriptor of the global section that other producers write: package
// properties and a bookmark tree. It contributes no page.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_GLOBAL_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_GLOBAL_H

#include "model/eplot/eplot_bookmark.h"
#include "model/eplot/eplot_properties.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

class EPlotGlobal : public DWFXmlObjects::XmlObject {
public:
    // Version 1.1, empty properties and an empty root bookmark.
    EPlotGlobal();

    const DWFUtil::String& getVersion() const { return version_.getString(); }
    const DWFUtil::ObjectRef<EPlotProperties>& getProperties() const { return properties_; }
    const DWFUtil::ObjectRef<EPlotBookmark>& getBookmark() const { return bookmark_; }
    // Null handles leave the part as it is; a bookmark given becomes the root.
    void setProperties(const DWFUtil::ObjectRef<EPlotProperties>& properties);
    void setBookmark(const DWFUtil::ObjectRef<EPlotBookmark>& bookmark);

    // The version valid, the parts valid where they hold anything, and at
    // least one of a named, linked or non-empty root bookmark, a property or
    // some text.
    bool validate() const override;
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const DWFManifest::XmlAttributes& attributes) { version_.setFromAttributes(attributes); }
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlStringAttribute version_{"version", true};
    DWFUtil::ObjectRef<EPlotProperties> properties_;
    DWFUtil::ObjectRef<EPlotBookmark> bookmark_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_GLOBAL_H
