// Builders of the manifest's property list, and the builder classes a
// descriptor's property list is read with too.
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

// Builds the property list `List` of Property and SimpleProperty elements,
// made as `PropertyT` and `SimpleT`.
template <typename List, typename PropertyT, typename SimpleT>
class PropertyListBuilder : public ObjectBuilder<List> {
public:
    explicit PropertyListBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name)
        : ObjectBuilder<List>(name) {
        this->registerChild("Property", &makeBuilder<TypedPropertyBuilder<PropertyT>>);
        this->registerChild("SimpleProperty", &makeBuilder<TypedPropertyBuilder<SimpleT>>);
    }

    void build() override { this->publish(); }
    const DWFXmlBuilder::XmlChildHandler* childHandlers() const override {
        using DWFXmlBuilder::childHandler;
        static constexpr DWFXmlBuilder::XmlChildHandler kHandlers[] = {
            childHandler<PropertyListBuilder, TypedPropertyBuilder<PropertyT>, &PropertyListBuilder::add>(),
            childHandler<PropertyListBuilder, TypedPropertyBuilder<SimpleT>, &PropertyListBuilder::add>(),
            DWFXmlBuilder::XmlChildHandler{}};
        return kHandlers;
    }

private:
    template <typename Child>
    void add(Child& child) {
        this->candidate().add(child.getObject());
    }
};

using SimplePropertyBuilder = TypedPropertyBuilder<DWFManifest::SimpleProperty>;
using PropertyBuilder = TypedPropertyBuilder<DWFManifest::Property>;

class PropertiesBuilder
    : public PropertyListBuilder<DWFManifest::Properties, DWFManifest::Property, DWFManifest::SimpleProperty> {
public:
    using PropertyListBuilder::PropertyListBuilder;
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_PROPERTY_BUILDERS_H
