// The base of every manifest and ePlot model class: an element with its
// namespace declarations, its raw text and its own serialisation.
#ifndef DWFPLOT_MODEL_XML_XML_OBJECT_H
#define DWFPLOT_MODEL_XML_XML_OBJECT_H

#include <utility>

#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_named_entity.h"
#include "model/xml/xml_namespace.h"
#include "model/xml/xml_prefix_mapping.h"

namespace DWFXmlFramework {
class XmlWriter;
}

namespace DWFXmlObjects {

using XmlPrefixMappings = DWFUtil::Vector<DWFUtil::ObjectRef<DWFXmlFramework::XmlPrefixMapping>>;

class XmlObject : public DWFXmlFramework::XmlNamedEntity {
public:
    // `elementName` is the element's plain name, for example "Manifest".
    explicit XmlObject(const DWFUtil::String& elementName);

    virtual bool validate() const = 0;
    // Writes the element; the base writes nothing.
    virtual void serialize(DWFXmlFramework::XmlWriter& writer) const;
    // The element as one line of XML, written by a fresh writer.
    DWFUtil::String toXml() const;

    // Declares `nameSpace` on this element with `prefix` (first among its
    // declarations, replacing the one for the namespace of its current name)
    // when the namespace has a schema location, then binds the names. A
    // namespace without schema location binds the names and declares nothing.
    void addNamespace(const DWFUtil::ObjectRef<DWFXmlFramework::XmlNamespace>& nameSpace,
                      const DWFUtil::String& prefix);

    const XmlPrefixMappings& getPrefixMappings() const { return prefixMappings_; }
    void setPrefixMappings(const XmlPrefixMappings& mappings) { prefixMappings_ = mappings; }
    void addPrefixMapping(const DWFUtil::ObjectRef<DWFXmlFramework::XmlPrefixMapping>& mapping);

    // Character content, written unescaped after the children.
    const DWFUtil::String& getText() const { return text_; }
    void setText(const DWFUtil::String& text) { text_ = text; }
    void setText(DWFUtil::String&& text) { text_ = std::move(text); }

private:
    XmlPrefixMappings prefixMappings_;
    DWFUtil::String text_;
};

}  // namespace DWFXmlObjects

#endif  // DWFPLOT_MODEL_XML_XML_OBJECT_H
