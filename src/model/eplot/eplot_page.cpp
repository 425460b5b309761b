#include "model/eplot/eplot_page.h"

#include "model/eplot/eplot_identifiers.h"
#include "model/eplot/typed_list.h"
#include "model/util/guid.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {

using DWFXmlFramework::newObject;

EPlotPage::EPlotPage()
    : XmlObject("Page"),
      properties_(newObject<EPlotProperties>()),
      resources_(newObject<EPlotResources>()),
      paper_(newObject<EPlotPaper>()) {
    plotOrder_.setDouble(1.0);
    version_.setString(kEPlotVersion);
    name_.setString(DWFUtil::createGuidString(true));
    color_.fromString("128 128 128");
}

int32_t EPlotPage::getColor(DWFUtil::Vector<int32_t>& color) const { return readList(color_, color); }

void EPlotPage::setProperties(const DWFUtil::ObjectRef<EPlotProperties>& properties) {
    if (!properties.isNull()) properties_ = properties;
}

void EPlotPage::setResources(const DWFUtil::ObjectRef<EPlotResources>& resources) {
    if (!resources.isNull()) resources_ = resources;
}

void EPlotPage::setPaper(const DWFUtil::ObjectRef<EPlotPaper>& paper) {
    if (!paper.isNull()) paper_ = paper;
}

bool EPlotPage::validate() const {
    return plotOrder_.isValid() && version_.isValid() && name_.isValid() && objectId_.isValid() &&
           color_.isValid() && properties_->validate() && resources_->validate();
}

bool EPlotPage::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    properties_->bindNamespace(nameSpace);
    resources_->bindNamespace(nameSpace);
    paper_->bindNamespace(nameSpace);
    return true;
}

void EPlotPage::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    plotOrder_.setFromAttributes(attributes);
    version_.setFromAttributes(attributes);
    name_.setFromAttributes(attributes);
    objectId_.setFromAttributes(attributes);
    color_.setFromAttributes(attributes);
}

void EPlotPage::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startObject(*this);
    writer.writeAttribute(version_);
    writer.writeAttribute(plotOrder_);
    writer.writeAttribute(name_);
    writer.writeAttribute(objectId_);
    writer.writeAttribute(color_);
    if (properties_->size() > 0 && properties_->validate()) properties_->serialize(writer);
    if (paper_->validate()) paper_->serialize(writer);
    if (resources_->validate()) resources_->serialize(writer);
    writer.writeRaw(getText());
    writer.endObject();
}

}  // namespace DWFEPlot
