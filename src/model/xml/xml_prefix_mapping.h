// A namespace declaration carried by an element: the URI, the prefix it is
// written with and, optionally, where its schema lives.
#ifndef DWFPLOT_MODEL_XML_XML_PREFIX_MAPPING_H
#define DWFPLOT_MODEL_XML_XML_PREFIX_MAPPING_H

#include "model/util/ref_count.h"
#include "model/util/string.h"

namespace DWFXmlFramework {

class XmlPrefixMapping : public DWFUtil::RefCount {
public:
    XmlPrefixMapping(const DWFUtil::String& uri, const DWFUtil::String& prefix,
                     const DWFUtil::String& schemaLocation = DWFUtil::String())
        : uri_(uri), schemaLocation_(schemaLocation), prefix_(prefix) {}

    const DWFUtil::String& getUri() const { return uri_; }
    const DWFUtil::String& getSchemaLocation() const { return schemaLocation_; }
    const DWFUtil::String& getPrefix() const { return prefix_; }

private:
    DWFUtil::String uri_;
    DWFUtil::String schemaLocation_;
    DWFUtil::String prefix_;
};

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_PREFIX_MAPPING_H
