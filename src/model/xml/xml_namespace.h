// A namespace with the names it declares. The manifest and ePlot layers
// derive their namespaces from it and declare their element and attribute
// names in their constructors.
#ifndef DWFPLOT_MODEL_XML_XML_NAMESPACE_H
#define DWFPLOT_MODEL_XML_XML_NAMESPACE_H

#include "model/util/map.h"
#include "model/util/object_ref.h"
#include "model/util/ref_count.h"
#include "model/util/string.h"
#include "model/xml/xml_name.h"

namespace DWFXmlFramework {

class XmlNamespace : public DWFUtil::RefCount {
public:
    XmlNamespace(const DWFUtil::String& uri, const DWFUtil::String& schemaLocation)
        : uri_(uri), schemaLocation_(schemaLocation) {}

    const DWFUtil::String& getUri() const { return uri_; }
    const DWFUtil::String& getSchemaLocation() const { return schemaLocation_; }

    // The declared name, or a new empty name when `localName` is not declared.
    DWFUtil::ObjectRef<XmlName> lookup(const DWFUtil::String& localName) const;
    bool declares(const DWFUtil::String& localName) const;

protected:
    // Declares `localName` in this namespace (namespace field = the URI).
    void declareName(const DWFUtil::String& localName);

private:
    DWFUtil::String uri_;
    DWFUtil::String schemaLocation_;
    DWFUtil::Map<DWFUtil::String, DWFUtil::ObjectRef<XmlName>> names_;
};

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_NAMESPACE_H
