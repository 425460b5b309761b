// Builders of the manifest's property list.
#ifndef DWFPLOT_MODEL_MANIFEST_PROPERTY_BUILDERS_H
#define DWFPLOT_MODEL_MANIFEST_PROPERTY_BUILDERS_H

#include "model/manifest/object_builder.h"
#include "model/manifest/properties.h"
#include "model/manifest/property.h"

namespace DWFManifestBuilders {

// A property whose `type` is not a value-type word builds nothing.
template <typename T>
class TypedPropertyBuilder : public ObjectBuilder<T> {
public:
    using ObjectBuilder<T>::ObjectBuilder;

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override {
        this->candidate().readAttributes(attributes);
    }
    void build() override {
        if (this->candidate().hasKnownType()) this->publish();
    }
};

class SimplePropertyBuilder : public TypedPropertyBuilder<DWFManifest::SimpleProperty> {
public:
    using TypedPropertyBuilder::TypedPropertyBuilder;
};

class PropertyBuilder : public TypedPropertyBuilder<DWFManifest::Property> {
public:
    using TypedPropertyBuilder::TypedPropertyBuilder;
};

class PropertiesBuilder : public ObjectBuilder<DWFManifest::Properties> {
public:
    explicit PropertiesBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name);

    void build() override { publish(); }
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override;

private:
    void addProperty(PropertyBuilder& child) { candidate().add(child.getObject()); }
    void addSimpleProperty(SimplePropertyBuilder& child) { candidate().add(child.getObject()); }
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_PROPERTY_BUILDERS_H
