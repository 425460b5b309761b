// The builder of one element. While the element is read it collects the
// attributes, the text and the finished builders of its children; at the
// element's end `build` makes the model object. Each builder class keeps a
// registry from child element names to factories; elements it does not know
// get a plain builder, which reads and drops them with their content.
#ifndef DWFPLOT_MODEL_XML_XML_BUILDER_H
#define DWFPLOT_MODEL_XML_XML_BUILDER_H

#include <utility>

#include "model/util/map.h"
#include "model/util/object_ref.h"
#include "model/util/ref_count.h"
#include "model/util/string.h"
#include "model/util/vector.h"
#include "model/xml/xml_name.h"
#include "model/xml/xml_parser.h"
#include "model/xml/xml_prefix_mapping.h"

namespace DWFXmlBuilder {

using DWFXmlFramework::XmlName;
using DWFXmlFramework::XmlPrefixMapping;

class XmlBuilder;
using XmlBuilderFactory = DWFUtil::ObjectRef<XmlBuilder> (*)(const DWFUtil::ObjectRef<XmlName>& name);
using XmlPrefixMappings = DWFUtil::Vector<DWFUtil::ObjectRef<XmlPrefixMapping>>;

// One entry of a builder's child dispatch table: the handler runs for a
// finished child builder that `accepts` takes. A table ends with an entry
// without handler.
struct XmlChildHandler {
    bool (*accepts)(XmlBuilder& child) = nullptr;
    void (*handler)(XmlBuilder& parent, XmlBuilder& child) = nullptr;
};

// The table entry that hands a child of class `Child` (or derived from it)
// to `Parent::*Handle`. List more derived child classes first.
template <typename Parent, typename Child, void (Parent::*Handle)(Child&)>
constexpr XmlChildHandler childHandler() {
    return XmlChildHandler{
        [](XmlBuilder& child) { return dynamic_cast<Child*>(&child) != nullptr; },
        [](XmlBuilder& parent, XmlBuilder& child) {
            (static_cast<Parent&>(parent).*Handle)(dynamic_cast<Child&>(child));
        }};
}

class XmlBuilder : public DWFUtil::RefCount {
public:
    XmlBuilder() = default;
    explicit XmlBuilder(const DWFUtil::ObjectRef<XmlName>& name) : name_(name) {}

    // Makes the model object from what was collected; a plain builder makes nothing.
    virtual void build();
    // Takes a finished child builder through the `childHandlers` table; a
    // child no entry accepts is dropped.
    virtual void addChild(const DWFUtil::ObjectRef<XmlBuilder>& child);
    virtual void appendText(const DWFUtil::String& text);
    // The builder the registry names for `name` (tried by its effective name,
    // then by its local or raw name), or null. A null name throws InvalidArgument.
    virtual DWFUtil::ObjectRef<XmlBuilder> createChildBuilder(const DWFUtil::ObjectRef<XmlName>& name);
    // Records the attributes as written, in document order.
    virtual void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes);
    // The child dispatch table; the base has no entries.
    virtual const XmlChildHandler* childHandlers() const;

    const DWFUtil::ObjectRef<XmlName>& getName() const { return name_; }
    void setName(const DWFUtil::ObjectRef<XmlName>& name) { name_ = name; }
    const DWFUtil::String& getText() const { return text_; }
    const XmlPrefixMappings& getPrefixMappings() const { return prefixMappings_; }
    void setPrefixMappings(const XmlPrefixMappings& mappings) { prefixMappings_ = mappings; }
    const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& getAttributes() const { return attributes_; }
    // The raw value of the first attribute written as `name`, or null.
    const DWFUtil::String* findAttribute(const DWFUtil::String& name) const;

protected:
    // The collected text, handed over once the element is built: the model
    // object keeps the only copy.
    DWFUtil::String takeText() { return std::move(text_); }
    // Registries are keyed by unprefixed element names, so a document may
    // write its elements with any prefix, or none.
    void registerChild(const DWFUtil::String& elementName, XmlBuilderFactory factory);

private:
    DWFUtil::ObjectRef<XmlName> name_;
    DWFUtil::String text_;
    XmlPrefixMappings prefixMappings_;
    // Kept as a list, not a sorted map: inserting thousands of attributes of
    // a hostile element one by one into a sorted array would be quadratic.
    DWFUtil::Vector<DWFUtil::XmlParser::Attribute> attributes_;
    DWFUtil::Map<DWFUtil::String, XmlBuilderFactory> registry_;
};

}  // namespace DWFXmlBuilder

#endif  // DWFPLOT_MODEL_XML_XML_BUILDER_H
