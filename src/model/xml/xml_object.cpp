#include "model/xml/xml_object.h"

#include "model/util/io_handler.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_writer.h"

namespace DWFXmlObjects {

using DWFXmlFramework::newObject;
using DWFXmlFramework::XmlPrefixMapping;

XmlObject::XmlObject(const DWFUtil::String& elementName) : XmlNamedEntity(elementName) {}

void XmlObject::serialize(DWFXmlFramework::XmlWriter&) const {}

DWFUtil::String XmlObject::toXml() const {
    DWFUtil::StringIOHandler output;
    {
        DWFXmlFramework::XmlWriter writer(output);
        serialize(writer);
        writer.flush();
    }
    DWFUtil::String text;
    output.getContents(text);
    return text;
}

void XmlObject::addNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace,
                             const DWFUtil::String& prefix) {
    if (nameSpace.isNull()) return;
    const DWFUtil::ObjectRef<DWFXmlFramework::XmlName> current = getName();
    const DWFUtil::String currentUri = current.isNull() ? DWFUtil::String() : current->getNamespace();
    XmlPrefixMappings kept;
    if (!nameSpace->getSchemaLocation().empty()) {
        kept.push_back(newObject<XmlPrefixMapping>(nameSpace->getUri(), prefix, nameSpace->getSchemaLocation()));
    }
    // A read object's name may carry its prefix where the URI would be, so
    // mappings of the same URI or prefix as the new one go too: an element
    // must not declare one prefix twice.
    for (const auto& mapping : prefixMappings_) {
        const bool replaced = mapping->getUri() == currentUri || mapping->getUri() == nameSpace->getUri() ||
                              mapping->getPrefix() == prefix;
        if (!replaced) kept.push_back(mapping);
    }
    prefixMappings_ = kept;
    bindNamespace(nameSpace);
}

void XmlObject::addPrefixMapping(const DWFUtil::ObjectRef<XmlPrefixMapping>& mapping) {
    if (!mapping.isNull()) prefixMappings_.push_back(mapping);
}

}  // namespace DWFXmlObjects
