// Something with an XML name that a namespace can qualify: model elements
// and their attributes. The entity keeps its plain name, so binding to a
// namespace that does not declare it leaves the name unprefixed.
#ifndef DWFPLOT_MODEL_XML_XML_NAMED_ENTITY_H
#define DWFPLOT_MODEL_XML_XML_NAMED_ENTITY_H

#include "model/util/object_ref.h"
#include "model/util/ref_count.h"
#include "model/xml/xml_name.h"
#include "model/xml/xml_namespace.h"

namespace DWFXmlFramework {

class XmlNamedEntity : public DWFUtil::RefCount {
public:
    XmlNamedEntity() = default;
    explicit XmlNamedEntity(const DWFUtil::String& plainName);

    // The bound name when one is bound and not empty, else the plain name.
    virtual DWFUtil::ObjectRef<XmlName> getName() const;
    // Replaces the bound name only while it is null or empty.
    virtual void setName(const DWFUtil::ObjectRef<XmlName>& name);
    // Binds the name the namespace declares for this entity's name; an
    // undeclared name unbinds, so the plain name applies. Answers true.
    virtual bool bindNamespace(const DWFUtil::ObjectRef<XmlNamespace>& nameSpace);

    // A fresh name object of the plain name; null when none was given.
    DWFUtil::ObjectRef<XmlName> getPlainName() const;
    const DWFUtil::String& getPlainText() const { return plainText_; }

private:
    DWFUtil::ObjectRef<XmlName> name_;
    // Only the text, shared: a model of many objects holds a plain name for
    // each of their attributes, and a copy for each would be most of its size.
    DWFUtil::String plainText_;
    bool hasPlainName_ = false;
};

}  // namespace DWFXmlFramework

#endif  // DWFPLOT_MODEL_XML_XML_NAMED_ENTITY_H
