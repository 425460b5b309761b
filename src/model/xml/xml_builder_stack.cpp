#include "model/xml/xml_builder_stack.h"

#include "model/xml/new_object.h"
#include "model/xml/xml_parser.h"

namespace DWFXmlBuilder {

using DWFXmlFramework::newObject;

namespace {

// The builder of an element no registry names: it makes nothing, so it
// keeps nothing of the element's attributes and text either.
class PlainBuilder : public XmlBuilder {
public:
    using XmlBuilder::XmlBuilder;
    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>&) override {}
    void appendText(const DWFUtil::String&) override {}
};

}  // namespace

DWFUtil::ObjectRef<XmlName> parsedElementName(const DWFUtil::String& written) {
    const int32_t colon = written.find(':');
    if (colon < 0) return newObject<XmlName>(DWFUtil::String(), written, written);
    const auto at = static_cast<uint32_t>(colon);
    return newObject<XmlName>(written.substring(0, at), written.substring(at + 1), written);
}

void XmlBuilderStack::setRootBuilder(const DWFUtil::ObjectRef<XmlBuilder>& root) {
    root_ = root;
    names_.clear();
    stack_.clear();
    pending_.clear();
    scope_.clear();
}

void XmlBuilderStack::startPrefixMapping(const DWFUtil::String& uri, const DWFUtil::String& prefix,
                                         const DWFUtil::String& schemaLocation) {
    pending_.push_back(newObject<XmlPrefixMapping>(uri, prefix, schemaLocation));
}

const DWFUtil::ObjectRef<XmlName>& XmlBuilderStack::elementName(const DWFUtil::String& written) {
    const auto found = names_.find(written);
    if (found != names_.end()) return found->second;
    return names_.emplace(written, parsedElementName(written)).first->second;
}

void XmlBuilderStack::startElement(const DWFUtil::XmlNode& node) {
    if (node.name.empty()) return;
    const DWFUtil::ObjectRef<XmlName> name = elementName(node.name);
    DWFUtil::ObjectRef<XmlBuilder> builder;
    if (stack_.empty() && !root_.isNull()) {
        builder = root_;
        builder->setName(name);
    } else {
        if (!stack_.empty()) builder = stack_.back()->createChildBuilder(name);
        if (builder.isNull()) builder = newObject<PlainBuilder>(name);
    }
    builder->setPrefixMappings(pending_);
    for (const auto& mapping : pending_) scope_.insert_or_assign(mapping->getUri(), mapping);
    pending_.clear();
    builder->setAttributes(node.attributes);
    stack_.push_back(builder);
}

void XmlBuilderStack::endElement(const DWFUtil::XmlNode& node) {
    if (stack_.empty() || node.name.empty()) return;
    const DWFUtil::ObjectRef<XmlBuilder> finished = stack_.back();
    stack_.pop_back();
    finished->appendText(node.text);
    finished->build();
    if (!stack_.empty()) stack_.back()->addChild(finished);
}

void XmlBuilderStack::endPrefixMapping(const DWFUtil::String& uri) { scope_.erase(uri); }

}  // namespace DWFXmlBuilder
