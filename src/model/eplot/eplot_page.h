// The descriptor of one plot page: its attributes, properties, paper and
// resources.
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PAGE_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PAGE_H

#include <cstdint>

#include "model/eplot/eplot_paper.h"
#include "model/eplot/eplot_properties.h"
#include "model/eplot/eplot_resource.h"
#include "model/xml/xml_double_attribute.h"
#include "model/xml/xml_list_attribute.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

class EPlotPage : public DWFXmlObjects::XmlObject {
public:
    // Version 1.1, plot order 1, a new compact identifier as its name,
    // colour 128 128 128, and empty properties, resources and paper.
    EPlotPage();

    double getPlotOrder() const { return plotOrder_.getDouble(); }
    void setPlotOrder(double order) { plotOrder_.setDouble(order); }
    const DWFUtil::String& getVersion() const { return version_.getString(); }
    const DWFUtil::String& getPageName() const { return name_.getString(); }
    void setPageName(const DWFUtil::String& name) { name_.setString(name); }
    const DWFUtil::String& getObjectId() const { return objectId_.getString(); }
    void setObjectId(const DWFUtil::String& objectId) { objectId_.setString(objectId); }
    int32_t getColor(DWFUtil::Vector<int32_t>& color) const;
    void setColor(const DWFUtil::Vector<int32_t>& color) { color_.setFromVector(color); }

    const DWFUtil::ObjectRef<EPlotProperties>& getProperties() const { return properties_; }
    const DWFUtil::ObjectRef<EPlotResources>& getResources() const { return resources_; }
    const DWFUtil::ObjectRef<EPlotPaper>& getPaper() const { return paper_; }
    // Null handles leave the part as it is.
    void setProperties(const DWFUtil::ObjectRef<EPlotProperties>& properties);
    void setResources(const DWFUtil::ObjectRef<EPlotResources>& resources);
    void setPaper(const DWFUtil::ObjectRef<EPlotPaper>& paper);

    // The attributes, properties and resources valid; the paper is written
    // only when it is valid itself.
    bool validate() const override;
    bool bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) override;
    void readAttributes(const DWFManifest::XmlAttributes& attributes);
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

private:
    DWFXmlObjects::XmlDoubleAttribute plotOrder_{"plotOrder"};
    DWFXmlObjects::XmlStringAttribute version_{"version", true};
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlStringAttribute objectId_{"objectId"};
    DWFXmlObjects::XmlListOfLongAttribute color_{"color"};
    DWFUtil::ObjectRef<EPlotProperties> properties_;
    DWFUtil::ObjectRef<EPlotResources> resources_;
    DWFUtil::ObjectRef<EPlotPaper> paper_;
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PAGE_H
