// Properties of a descriptor: a name with an optional category
// (EPlotAnyProperty), a typed value (EPlotSimpleProperty) and its usual
// element form (EPlotProperty).
#ifndef DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_H
#define DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_H

#include <cstdint>

#include "model/manifest/property.h"
#include "model/util/string.h"
#include "model/xml/xml_object.h"
#include "model/xml/xml_string_attribute.h"

namespace DWFEPlot {

using DWFManifest::PropertyElement;
using DWFManifest::XmlAttributes;

class EPlotAnyProperty : public DWFXmlObjects::XmlObject {
public:
    EPlotAnyProperty() : EPlotAnyProperty(PropertyElement{""}) {}
    explicit EPlotAnyProperty(const DWFUtil::String& name);

    const DWFUtil::String& getPropertyName() const { return name_.getString(); }
    void setPropertyName(const DWFUtil::String& name) { name_.setString(name); }
    const DWFUtil::String& getCategory() const { return category_.getString(); }
    void setCategory(const DWFUtil::String& category) { category_.setString(category); }

    bool validate() const override { return name_.isValid() && category_.isValid(); }
    virtual void readAttributes(const XmlAttributes& attributes);

protected:
    explicit EPlotAnyProperty(PropertyElement element) : XmlObject(element.name) {}
    EPlotAnyProperty(PropertyElement element, const DWFUtil::String& name);
    void writeAttributes(DWFXmlFramework::XmlWriter& writer) const;

private:
    DWFXmlObjects::XmlStringAttribute name_{"name", true};
    DWFXmlObjects::XmlStringAttribute category_{"category"};
};

class EPlotSimpleProperty : public EPlotAnyProperty {
public:
    EPlotSimpleProperty() : EPlotSimpleProperty(PropertyElement{"SimpleProperty"}) {}
    EPlotSimpleProperty(const DWFUtil::String& name, const DWFUtil::String& value);

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
    explicit EPlotSimpleProperty(PropertyElement element);
    EPlotSimpleProperty(PropertyElement element, const DWFUtil::String& name, const DWFUtil::String& value);

private:
    DWFXmlObjects::XmlStringAttribute value_{"value", true};
    DWFXmlObjects::XmlStringAttribute units_{"units"};
    DWFXmlObjects::XmlStringAttribute type_;
};

class EPlotProperty : public EPlotSimpleProperty {
public:
    EPlotProperty() : EPlotSimpleProperty(PropertyElement{"Property"}) {}
    EPlotProperty(const DWFUtil::String& name, const DWFUtil::String& value)
        : EPlotSimpleProperty(PropertyElement{"Property"}, name, value) {}
};

}  // namespace DWFEPlot

#endif  // DWFPLOT_MODEL_EPLOT_EPLOT_PROPERTY_H
