#include "model/eplot/eplot_resource.h"

#include "model/eplot/attribute_reading.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {

void EPlotResource::readAttributes(const DWFManifest::XmlAttributes& attributes) {
    readAll(attributes, {&role_, &mime_, &href_, &title_, &size_, &objectId_});
}

bool EPlotResource::validate() const {
    return role_.isValid() && mime_.isValid() && href_.isValid() && title_.isValid() && size_.isValid() &&
           objectId_.isValid();
}

void EPlotResource::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writeAttributes(writer);
    writer.endElement();
}

void EPlotResource::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    writer.writeAttribute(role_);
    writer.writeAttribute(mime_);
    writer.writeAttribute(href_);
    writer.writeAttribute(title_);
    writer.writeAttribute(size_);
    writer.writeAttribute(objectId_);
}

void EPlotResources::add(const DWFUtil::ObjectRef<EPlotResource>& resource) {
    if (!resource.isNull()) DWFManifest::appendChild(resources_, resource);
}

int32_t EPlotResources::indexOf(const DWFUtil::ObjectRef<EPlotResource>& resource) const {
    for (uint32_t i = 0; i < resources_.size(); ++i) {
        if (resources_[i] == resource) return static_cast<int32_t>(i);
    }
    return -1;
}

bool EPlotResources::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    DWFManifest::bindChildren(resources_, nameSpace);
    return true;
}

void EPlotResources::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    DWFManifest::serializeChildren(resources_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFEPlot
