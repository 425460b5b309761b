#include "model/manifest/property.h"

#include "model/manifest/typed_value.h"

namespace DWFManifest {

NamedProperty::NamedProperty(PropertyElement element, const DWFUtil::String& name) : XmlObject(element.name) {
    name_.setString(name);
}

bool NamedProperty::validate() const { return name_.isValid() && category_.isValid(); }

void NamedProperty::readAttributes(const XmlAttributes& attributes) {
    name_.setFromAttributes(attributes);
    category_.setFromAttributes(attributes);
}

void NamedProperty::writeAttributes(DWFXmlFramework::XmlWriter& writer) const {
    writer.writeAttribute(name_);
    writer.writeAttribute(category_);
}

SimpleProperty::SimpleProperty(PropertyElement element, const DWFUtil::String& name,
                               const platform::Variant& typedValue)
    : TypedProperty(element) {
    setPropertyName(name);
    const TypedValueText text = typedValueText(typedValue);
    if (text.hasValue) setValue(text.value);
    if (text.hasType) setType(text.type);
}

}  // namespace DWFManifest
