#include "model/eplot/eplot_property.h"

#include "model/manifest/value_types.h"
#include "model/xml/xml_writer.h"

namespace DWFEPlot {

EPlotAnyProperty::EPlotAnyProperty(const DWFUtil::String& name) : EPlotAnyProperty(PropertyElement{""}, name) {}

EPlotAnyProperty::EPlotAnyProperty(PropertyElement element, const DWFUtil::String& name) : XmlObject(element.name) {
    name_.setString(name);
}

void EPlotAnyProperty::readAttributes(const XmlAttributes& attributes) {
    name_.setFromAttributes(attributes);
    category_.setFromAttributes(attributes);
}

void EPlotAnyProperty::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    writer.writeAttribute(name_);
    writer.writeAttribute(category_);
}

EPlotSimpleProperty::EPlotSimpleProperty(const DWFUtil::String& name, const DWFUtil::String& value)
    : EPlotSimpleProperty(PropertyElement{"SimpleProperty"}, name, value) {}

EPlotSimpleProperty::EPlotSimpleProperty(PropertyElement element)
    : EPlotAnyProperty(element), type_("type", DWFManifest::kDefaultValueType) {}

EPlotSimpleProperty::EPlotSimpleProperty(PropertyElement element, const DWFUtil::String& name,
                                         const DWFUtil::String& value)
    : EPlotAnyProperty(element, name), type_("type", DWFManifest::kDefaultValueType) {
    value_.setString(value);
}

int32_t EPlotSimpleProperty::getTypeCode() const { return DWFManifest::propertyValueTypes().codeOf(getType()); }

bool EPlotSimpleProperty::setType(const DWFUtil::String& word) {
    if (!DWFManifest::propertyValueTypes().find(word)) return false;
    return type_.setString(word);
}

bool EPlotSimpleProperty::hasKnownType() const {
    return !type_.isSet() || DWFManifest::propertyValueTypes().find(type_.getString());
}

bool EPlotSimpleProperty::validate() const {
    return EPlotAnyProperty::validate() && value_.isValid() && units_.isValid() && type_.isValid();
}

void EPlotSimpleProperty::readAttributes(const XmlAttributes& attributes) {
    EPlotAnyProperty::readAttributes(attributes);
    value_.setFromAttributes(attributes);
    units_.setFromAttributes(attributes);
    type_.setFromAttributes(attributes);
}

void EPlotSimpleProperty::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writeAttributes(writer);
    writer.writeAttribute(type_);
    writer.writeAttribute(units_);
    writer.writeAttribute(value_);
    writer.writeRaw(getText());
    writer.endElement();
}

}  // namespace DWFEPlot
