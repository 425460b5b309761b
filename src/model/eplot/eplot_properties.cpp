#include "model/eplot/eplot_properties.h"

namespace DWFEPlot {

void EPlotProperties::add(const DWFUtil::ObjectRef<EPlotAnyProperty>& property) {
    if (!property.isNull()) DWFManifest::appendChild(properties_, property);
}

bool EPlotProperties::bindNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace) {
    XmlObject::bindNamespace(nameSpace);
    DWFManifest::bindChildren(properties_, nameSpace);
    return true;
}

void EPlotProperties::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    DWFManifest::serializeChildren(properties_, writer);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFEPlot
