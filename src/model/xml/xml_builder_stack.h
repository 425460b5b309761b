// The parser callback that drives the builders of one document at a time:
// the root builder takes the document element, every other element gets the
// builder its parent's registry names (or a plain one), and each finished
// builder is built and handed to its parent. The package reader is this
// callback while it parses the manifest and the section descriptors.
#ifndef DWFPLOT_MODEL_XML_XML_BUILDER_STACK_H
#define DWFPLOT_MODEL_XML_XML_BUILDER_STACK_H

#include <map>

#include "model/util/object_ref.h"
#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_builder.h"
#include "model/xml/xml_parser_callback.h"
#include "model/xml/xml_prefix_mapping.h"

namespace DWFXmlBuilder {

class XmlBuilderStack : public DWFUtil::IXmlParserCallback {
public:
    virtual ~XmlBuilderStack() = default;

    void startElement(const DWFUtil::XmlNode& node) override;
    void startPrefixMapping(const DWFUtil::String& uri, const DWFUtil::String& prefix,
                            const DWFUtil::String& schemaLocation) override;
    void endElement(const DWFUtil::XmlNode& node) override;
    void endPrefixMapping(const DWFUtil::String& uri) override;

    // The builder that receives the next document's root element; also
    // forgets what an earlier, possibly broken, document left behind.
    void setRootBuilder(const DWFUtil::ObjectRef<XmlBuilder>& root);
    const DWFUtil::ObjectRef<XmlBuilder>& getRootBuilder() const { return root_; }

    // The mappings in scope, by namespace URI.
    using Scope = std::map<DWFUtil::String, DWFUtil::ObjectRef<XmlPrefixMapping>>;
    const Scope& getScope() const { return scope_; }
    uint32_t depth() const { return stack_.size(); }

private:
    const DWFUtil::ObjectRef<XmlName>& elementName(const DWFUtil::String& written);

    DWFUtil::ObjectRef<XmlBuilder> root_;
    // One name object per element name of the document, shared by every
    // element and model object of that name: a manifest of many sections
    // would otherwise hold a copy for each of their elements.
    std::map<DWFUtil::String, DWFUtil::ObjectRef<XmlName>> names_;
    DWFUtil::Vector<DWFUtil::ObjectRef<XmlBuilder>> stack_;
    XmlPrefixMappings pending_;
    // A tree, not a sorted array: an element may declare thousands of
    // namespaces, and each must enter and leave the scope cheaply.
    Scope scope_;
};

// The name of a parsed element: the prefix before the first colon goes to
// the namespace field, the rest is the local name, the raw name is as written.
DWFUtil::ObjectRef<XmlName> parsedElementName(const DWFUtil::String& written);

}  // namespace DWFXmlBuilder

#endif  // DWFPLOT_MODEL_XML_XML_BUILDER_STACK_H
