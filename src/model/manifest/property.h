// Package properties: a name with an optional category (AnyProperty), a
// typed value (SimpleProperty) and its usual element form (Property).
#ifndef DWFPLOT_MODEL_MANIFEST_PROPERTY_H
#define DWFPLOT_MODEL_MANIFEST_PROPERTY_H

#include <cstdint>

#include "model/manifest/parsed_attributes.h"
#include "model/util/string.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"
#include "platform/variant.h"

namespace DWFManifest {

// The element a property class is written as.
struct PropertyElement {
    const char* name;
};

class AnyProperty : public DWFXmlObjects::XmlObject {
public:
    AnyProperty();
    explicit AnyProperty(const DWFUtil::String& name);

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
    explicit AnyProperty(PropertyElement element);
    AnyProperty(PropertyElement element, const DWFUtil::String& name);
    void writeAttributes(DWFXmlFramework::XmlWriter& writer) const;

private:
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlStringAttribute category_{"category"};
};

class SimpleProperty : public AnyProperty {
public:
    SimpleProperty();
    SimpleProperty(const DWFUtil::String& name, const DWFUtil::String& value);
    // `value` and `type` from the typed value (see typedValueText).
    SimpleProperty(const DWFUtil::String& name, const platform::Variant& typedValue);

    const DWFUtil::String& getValue() const { return value_.getString(); }
    void setValue(const DWFUtil::String& value) { value_.setString(value); }
    const DWFUtil::String& getUnits() const { return units_.getString(); }
    void setUnits(const DWFUtil::String& units) { units_.setString(units); }
    // The value-type word; "string" when none was given.
    const DWFUtil::String& getType() const { return type_.getString(); }
    int32_t getTypeCode() const;
    // Only value-type words are taken.
    bool setType(const DWFUtil::String& word);
    // No type given, or one of the value-type words.
    bool hasKnownType() const;

    bool validate() const override;
    void readAttributes(const XmlAttributes& attributes) override;
    void serialize(DWFXmlFramework::XmlWriter& writer) const override;

protected:
    explicit SimpleProperty(PropertyElement element);
    SimpleProperty(PropertyElement element, const DWFUtil::String& name, const DWFUtil::String& value);
    SimpleProperty(PropertyElement element, const DWFUtil::String& name, const platform::Variant& typedValue);

private:
    void assignTypedValue(const platform::Variant& typedValue);

    DWFXmlObjects::XmlStringAttribute value_{"value", true};
    DWFXmlObjects::XmlStringAttribute units_{"units"};
    DWFXmlObjects::XmlStringAttribute type_;
};

class Property : public SimpleProperty {
public:
    Property();
    Property(const DWFUtil::String& name, const DWFUtil::String& value);
    Property(const DWFUtil::String& name, const platform::Variant& typedValue);
};

}  // namespace DWFManifest

#endif  // DWFPLOT_MODEL_MANIFEST_PROPERTY_H
