// Element and attribute names. A name declared by a namespace carries the
// namespace URI; a name read from a document carries the prefix it was
// written with; a plain name has only its raw text.
#ifndef DWFPLOT_MODEL_XML_XML_NAME_H
#define DWFPLOT_MODEL_XML_XML_NAME_H

#include "model/util/object_ref.h"
#include "model/util/ref_count.h"
#include "model/util/string.h"

namespace DWFXmlFramework {

class XmlName : public DWFUtil::RefCount {
public:
    XmlName() = default;
    // A plain name, written as given.
    explicit XmlName(const DWFUtil::String& rawName);
    XmlName(const DWFUtil::String& nameSpace, const DWFUtil::String& localName,
            const DWFUtil::String& rawName = DWFUtil::String());

    // For a declared name the namespace URI; for a parsed name the prefix.
    const DWFUtil::String& getNamespace() const { return namespace_; }
    const DWFUtil::String& getLocalName() const { return localName_; }
    const DWFUtil::String& getRawName() const { return rawName_; }

    // The local name when the namespace or the local name is set, else the raw name.
    const DWFUtil::String& effectiveName() const;
    bool isEmpty() const { return effectiveName().empty(); }

    bool operator==(const XmlName& other) const;
    bool operator!=(const XmlName& other) const { return !(*this == other); }
    // Orders by the text '<namespace> <local> <raw>', so names can key a Map.
    bool operator<(const XmlName& other) const;

private:
    DWFUtil::String orderText() const;

    DWFUtil::String namespace_;
    DWFUtil::String localName_;
    DWFUtil::String rawName_;
};

// A fresh plain name held by a handle.
DWFUtil::ObjectRef<XmlName> makeXmlName(const DWFUtil::String& rawName);

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_NAME_H
