// Package properties: a name with an optional category (AnyProperty), a
// typed value (SimpleProperty) and its usual element form (Property).
// Descriptors have properties of their own classes, made of the same parts.
#ifndef DWFPLOT_MODEL_MANIFEST_PROPERTY_H
#define DWFPLOT_MODEL_MANIFEST_PROPERTY_H

#include <cstdint>

#include "model/manifest/parsed_attributes.h"
#include "model/manifest/value_types.h"
#include "model/util/string.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"
#include "model/xml/xml_writer.h"
#include "platform/variant.h"

namespace DWFManifest {

// The element a property class is written as.
struct PropertyElement {
    const char* name;
};

// The name and category of a property. Each model derives its own
// AnyProperty from it, so that a property list of one model takes no
// property of the other.
class NamedProperty : public DWFXmlObjects::XmlObject {
public:
    // A property that is no element of its own writes nothing.
    NamedProperty() : NamedProperty(PropertyElement{""}) {}
    explicit NamedProperty(const DWFUtil::String& name) : NamedProperty(PropertyElement{""}, name) {}

    const DWFUtil::String& getPropertyName() const { return name_.getString(); }
    void setPropertyName(const DWFUtil::String& name) { name_.setString(name); }
    const DWFUtil::String& getCategory() const { return category_.getString(); }
    void setCategory(const DWFUtil::String& category) { category_.setString(category); }

    // Every attribute valid: a required one has a value.
    bool validate() const override;
    // Takes the attributes the document set.
    virtual void readAttributes(const XmlAttributes& attributes);

protected:
    // A property made without arguments has no attribute set; the builders
    // fill it from the document.
    explicit NamedProperty(PropertyElement element) : XmlObject(element.name) {}
    NamedProperty(PropertyElement element, const DWFUtil::String& name);
    void writeAttributes(DWFXmlFramework::XmlWriter& writer) const;

private:
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlStringAttribute category_{"category"};
};

class AnyProperty : public NamedProperty {
public:
    using NamedProperty::NamedProperty;
};

// The value, units and value type that a SimpleProperty adds to the
// AnyProperty of its model, `Any`.
template <typename Any>
class TypedProperty : public Any {
public:
    TypedProperty() : TypedProperty(PropertyElement{"SimpleProperty"}) {}
    TypedProperty(const DWFUtil::String& name, const DWFUtil::String& value)
        : TypedProperty(PropertyElement{"SimpleProperty"}, name, value) {}

    const DWFUtil::String& getValue() const { return value_.getString(); }
    void setValue(const DWFUtil::String& value) { value_.setString(value); }
    const DWFUtil::String& getUnits() const { return units_.getString(); }
    void setUnits(const DWFUtil::String& units) { units_.setString(units); }
    // The value-type word; "string" when none was given.
    const DWFUtil::String& getType() const { return type_.getString(); }
    int32_t getTypeCode() const { return propertyValueTypes().codeOf(getType()); }
    // Only value-type words are taken.
    bool setType(const DWFUtil::String& word) { return propertyValueTypes().find(word) && type_.setString(word); }
    // No type given, or one of the value-type words.
    bool hasKnownType() const { return !type_.isSet() || propertyValueTypes().find(getType()); }

    bool validate() const override;
    void readAttributes(const XmlAttributes& attributes) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

protected:
    explicit TypedProperty(PropertyElement element) : Any(element) {}
    TypedProperty(PropertyElement element, const DWFUtil::String& name, const DWFUtil::String& value)
        : Any(element, name) {
        value_.setString(value);
    }

private:
    DWFXmlObjects::XmlStringAttribute value_{"value", true};
    DWFXmlObjects::XmlStringAttribute units_{"units"};
    DWFXmlObjects::XmlStringAttribute type_{"type", kDefaultValueType};
};

template <typename Any>
bool TypedProperty<Any>::validate() const {
    return Any::validate() && value_.isValid() && units_.isValid() && type_.isValid();
}

template <typename Any>
void TypedProperty<Any>::readAttributes(const XmlAttributes& attributes) {
    Any::readAttributes(attributes);
    value_.setFromAttributes(attributes);
    units_.setFromAttributes(attributes);
    type_.setFromAttributes(attributes);
}

template <typename Any>
void TypedProperty<Any>::serialize(DWFXmlFramework::XmlWriter& writer) const {
    writer.startElement(this->getName());
    this->writeAttributes(writer);
    writer.writeAttribute(type_);
    writer.writeAttribute(units_);
    writer.writeAttribute(value_);
    writer.writeRaw(this->getText());
    writer.endElement();
}

class SimpleProperty : public TypedProperty<AnyProperty> {
public:
    using TypedProperty::TypedProperty;
    SimpleProperty() = default;
    // `value` and `type` from the typed value (see typedValueText).
    SimpleProperty(const DWFUtil::String& name, const platform::Variant& typedValue)
        : SimpleProperty(PropertyElement{"SimpleProperty"}, name, typedValue) {}

protected:
    SimpleProperty(PropertyElement element, const DWFUtil::String& name, const platform::Variant& typedValue);
};

class Property : public SimpleProperty {
public:
    Property() : SimpleProperty(PropertyElement{"Property"}) {}
    Property(const DWFUtil::String& name, const DWFUtil::String& value)
        : SimpleProperty(PropertyElement{"Property"}, name, value) {}
    Property(const DWFUtil::String& name, const platform::Variant& typedValue)
        : SimpleProperty(PropertyElement{"Property"}, name, typedValue) {}
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_PROPERTY_H
