#include "model/manifest/property.h"

#include "model/manifest/typed_value.h"
#include "model/manifest/value_types.h"
#include "model/xml/xml_writer.h"

namespace DWFManifest {

// A property that is no element of its own writes nothing.
AnyProperty::AnyProperty() : AnyProperty(PropertyElement{""}) {}

AnyProperty::AnyProperty(const DWFUtil::String& name) : AnyProperty(PropertyElement{""}, name) {}

AnyProperty::AnyProperty(PropertyElement element) : XmlObject(element.name) {}

AnyProperty::AnyProperty(PropertyElement element, const DWFUtil::String& name) : XmlObject(element.name) {
    name_.setString(name);
}

bool AnyProperty::validate() const { return name_.isValid() && category_.isValid(); }

void AnyProperty::readAttributes(const XmlAttributes& attributes) {
    name_.setFromAttributes(attributes);
    category_.setFromAttributes(attributes);
}

void AnyProperty::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    writer.writeAttribute(name_);
    writer.writeAttribute(category_);
}

SimpleProperty::SimpleProperty() : SimpleProperty(PropertyElement{"SimpleProperty"}) {}

SimpleProperty::SimpleProperty(const DWFUtil::String& name, const DWFUtil::String& value)
    : SimpleProperty(PropertyElement{"SimpleProperty"}, name, value) {}

SimpleProperty::SimpleProperty(const DWFUtil::String& name, const platform::Variant& typedValue)
    : SimpleProperty(PropertyElement{"SimpleProperty"}, name, typedValue) {}

SimpleProperty::SimpleProperty(PropertyElement element) : AnyProperty(element), type_("type", kDefaultValueType) {}

SimpleProperty::SimpleProperty(PropertyElement element, const DWFUtil::String& name, const DWFUtil::String& value)
    : AnyProperty(element, name), type_("type", kDefaultValueType) {
    value_.setString(value);
}

SimpleProperty::SimpleProperty(PropertyElement element, const DWFUtil::String& name,
                               const platform::Variant& typedValue)
    : AnyProperty(element, name), type_("type", kDefaultValueType) {
    assignTypedValue(typedValue);
}

void SimpleProperty::assignTypedValue(const platform::Variant& typedValue) {
    const TypedValueText text = typedValueText(typedValue);
    if (text.hasValue) value_.setString(text.value);
    if (text.hasType) type_.setString(text.type);
}

int32_t SimpleProperty::getTypeCode() const { return propertyValueTypes().codeOf(type_.getString()); }

bool SimpleProperty::setType(const DWFUtil::String& word) {
    if (!propertyValueTypes().find(word)) return false;
    return type_.setString(word);
}

bool SimpleProperty::hasKnownType() const { return !type_.isSet() || propertyValueTypes().find(type_.getString()); }

bool SimpleProperty::validate() const {
    return AnyProperty::validate() && value_.isValid() && units_.isValid() && type_.isValid();
}

void SimpleProperty::readAttributes(const XmlAttributes& attributes) {
    AnyProperty::readAttributes(attributes);
    value_.setFromAttributes(attributes);
    units_.setFromAttributes(attributes);
    type_.setFromAttributes(attributes);
}

void SimpleProperty::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(getName());
    writeAttributes(writer);
    writer.writeAttribute(type_);
    writer.writeAttribute(units_);
    writer.writeAttribute(value_);
    writer.writeRaw(getText());
    writer.endElement();
}

Property::Property() : SimpleProperty(PropertyElement{"Property"}) {}

Property::Property(const DWFUtil::String& name, const DWFUtil::String& value)
    : SimpleProperty(PropertyElement{"Property"}, name, value) {}

Property::Property(const DWFUtil::String& name, const platform::Variant& typedValue)
    : SimpleProperty(PropertyElement{"Property"}, name, typedValue) {}

}  // namespace DWFManifest
