// The common part of the model builders: each builder fills a fresh object
// of its class while its element is read, and publishes it at the element's
// end when the element qualifies.
#ifndef DWFPLOT_MODEL_MANIFEST_OBJECT_BUILDER_H
#define DWFPLOT_MODEL_MANIFEST_OBJECT_BUILDER_H

#include "model/util/object_ref.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_builder.h"

namespace DWFManifestBuilders {

// The registry factory of builder class `B`.
template <typename B>
DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder> makeBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name) {
    return DWFXmlFramework::newObject<B>(name);
}

template <typename T>
class ObjectBuilder : public DWFXmlBuilder::XmlBuilder {
public:
    ObjectBuilder() = default;
    explicit ObjectBuilder(const DWFUtil::ObjectRef<DWFXmlFramework::XmlName>& name) : XmlBuilder(name) {}

    // The object once `build` published it; null before, and when the
    // element did not qualify.
    const DWFUtil::ObjectRef<T>& getObject() const { return built_; }

protected:
    T& candidate() { return *candidate_; }

    // Hands the element's name, text and namespace declarations to the
    // object and makes it the result.
    void publish() {
        candidate_->setName(getName());
        candidate_->setText(takeText());
        candidate_->setPrefixMappings(getPrefixMappings());
        built_ = candidate_;
    }

private:
    DWFUtil::ObjectRef<T> candidate_ = DWFXmlFramework::newObject<T>();
    DWFUtil::ObjectRef<T> built_;
};

// Builds its object from the element's attributes, always.
template <typename T>
class LeafBuilder : public ObjectBuilder<T> {
public:
    using ObjectBuilder<T>::ObjectBuilder;

    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override {
        this->candidate().readAttributes(attributes);
    }
    void build() override { this->publish(); }
};

}  // namespace DWFManifestBuilders

#endif  // DWFPLOT_MODEL_MANIFEST_OBJECT_BUILDER_H
