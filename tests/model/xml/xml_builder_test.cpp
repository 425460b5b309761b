#include "model/xml/xml_builder.h"

#include <gtest/gtest.h>

#include "xml_test_support.h"

namespace {

using DWF::DwfResult;
using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFXmlBuilder::XmlBuilder;
using DWFXmlBuilder::XmlChildHandler;
using DWFXmlFramework::newObject;
using DWFXmlFramework::XmlName;
using xmltest::Doc;
using xmltest::Item;

class ItemBuilder : public XmlBuilder {
public:
    using XmlBuilder::XmlBuilder;
    static ObjectRef<XmlBuilder> create(const ObjectRef<XmlName>& name) { return newObject<ItemBuilder>(name); }
    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override {
        XmlBuilder::setAttributes(attributes);
        item->name.setFromAttributes(attributes);
        item->href.setFromAttributes(attributes);
    }
    void build() override { item->content = getText(); }

    ObjectRef<Item> item = newObject<Item>();
};

// A builder class derived from ItemBuilder, dispatched by its own entry.
class SpecialItemBuilder : public ItemBuilder {
public:
    using ItemBuilder::ItemBuilder;
    static ObjectRef<XmlBuilder> create(const ObjectRef<XmlName>& name) { return newObject<SpecialItemBuilder>(name); }
};

class DocBuilder : public XmlBuilder {
public:
    DocBuilder() {
        registerChild("Item", &ItemBuilder::create);
        registerChild("Special", &SpecialItemBuilder::create);
    }
    void setAttributes(const DWFUtil::Vector<DWFUtil::XmlParser::Attribute>& attributes) override {
        XmlBuilder::setAttributes(attributes);
        doc->version.setFromAttributes(attributes);
    }
    const XmlChildHandler* childHandlers() const override {
        static constexpr XmlChildHandler kHandlers[] = {
            DWFXmlBuilder::childHandler<DocBuilder, SpecialItemBuilder, &DocBuilder::addSpecial>(),
            DWFXmlBuilder::childHandler<DocBuilder, ItemBuilder, &DocBuilder::addItem>(),
            XmlChildHandler{}};
        return kHandlers;
    }
    void addItem(ItemBuilder& child) { doc->items.push_back(child.item); }
    void addSpecial(SpecialItemBuilder& child) { child.item->content += "!"; addItem(child); }
    void build() override {
        doc->setText(getText());
        doc->setPrefixMappings(getPrefixMappings());
        built = true;
    }

    ObjectRef<Doc> doc = newObject<Doc>();
    bool built = false;
};

// Parses `document` with a DocBuilder as the root builder.
struct Reading {
    explicit Reading(const std::string& document) : result(xmltest::readDocument(document, root, stack)) {}
    std::string items() const {
        std::string out;
        for (const auto& item : root->doc->items) {
            out += "[" + item->name.getString().toUtf8() + "|" + item->href.getString().toUtf8() + "|" +
                   item->content.toUtf8() + "]";
        }
        return out;
    }

    ObjectRef<DocBuilder> root = newObject<DocBuilder>();
    DWFXmlBuilder::XmlBuilderStack stack;
    int32_t result;
};

// A document that stops early or breaks off leaves its root unbuilt.
TEST(XmlBuilderStack, BuildsChildrenByUnprefixedNamesAndDropsUnknownElements) {
    constexpr DwfResult::Enum OK = DwfResult::Success;
    const struct { const char* document; const char* items; DwfResult::Enum result; bool built; } cases[] = {
        {"<Doc><Item name='a' href='h'/></Doc>", "[a|h|]", OK, true},
        {"<x:Doc><y:Item y:name='a' z:href='h'>t</y:Item><Item name='b'/></x:Doc>", "[a|h|t][b||]", OK, true},
        {"<Doc><Unknown><Item name='lost'/></Unknown><Special name='s'>x</Special></Doc>", "[s||x!]", OK, true},
        {"<Doc><Item name='&lt;&#x0A;&amp;'>&lt;kept&gt;</Item></Doc>", "[<\n&||&lt;kept&gt;]", OK, true},
        {"<Doc><Item name='a'/>", "[a||]", OK, false},
        {"<Doc><Item></Doc>", "", DwfResult::XmlParseError, false},
    };
    for (const auto& c : cases) {
        Reading reading(c.document);
        SCOPED_TRACE(c.document);
        EXPECT_TRUE(reading.result == c.result && reading.root->built == c.built);
        EXPECT_EQ(reading.items(), c.items);
        EXPECT_EQ(c.built ? reading.stack.depth() : 0u, 0u);
    }
}

TEST(XmlBuilderStack, HandsMappingsToBuildersAndKeepsTheScope) {
    Reading reading("<t:Doc xmlns:t='U' xmlns:u='V' xsi:schemaLocation='U U.xsd' t:version='2'>text</t:Doc>");
    ASSERT_EQ(reading.result, DwfResult::Success);
    EXPECT_EQ(reading.root->doc->toXml().toUtf8(),
              "<Doc xmlns:t=\"U\" xmlns:u=\"V\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
              "xsi:schemaLocation=\"U U.xsd\" version=\"2\">text</Doc>");
    const ObjectRef<XmlName>& name = reading.root->getName();
    EXPECT_EQ(std::to_string(reading.stack.getScope().size()) + "|" +
                  (name->getNamespace() + "|" + name->getLocalName() + "|" + name->getRawName()).toUtf8(),
              "0|t|Doc|t:Doc");
    // The most declarations an element may carry.
    std::string document = "<Doc";
    for (int i = 0; i < 10000; ++i) document += " xmlns:p" + std::to_string(i) + "='U" + std::to_string(9999 - i) + "'";
    Reading many(document + "><Item name='a'/></Doc>");
    ASSERT_EQ(many.result, DwfResult::Success);
    const auto& mappings = many.root->doc->getPrefixMappings();
    EXPECT_TRUE(mappings.size() == 10000 && mappings[9999]->getPrefix() == "p9999" && many.stack.getScope().empty());
    EXPECT_EQ(many.items(), "[a||]");
}

// The effective name picks the builder; a name with no local name falls back to its raw name.
TEST(XmlBuilder, CreatesChildBuildersFromItsRegistry) {
    DocBuilder builder;
    EXPECT_THROW(builder.createChildBuilder(ObjectRef<XmlName>()), DwfResult::Enum);
    const struct { const char* nameSpace; const char* local; const char* raw; const char* built; } cases[] = {
        {"", "", "Other", "none"}, {"", "", "Item", "Item"}, {"p", "Item", "p:Item", "Item"},
        {"URI", "Special", "", "Special"}, {"p", "Special", "Item", "Special"}, {"p", "Other", "Item", "none"},
        {"p", "", "Special", "Special"}, {"p", "", "Other", "none"}};
    for (const auto& c : cases) {
        const auto made = builder.createChildBuilder(newObject<XmlName>(c.nameSpace, c.local, c.raw));
        const bool special = dynamic_cast<SpecialItemBuilder*>(made.Object()) != nullptr;
        EXPECT_STREQ(made.isNull() ? "none" : special ? "Special" : "Item", c.built) << "row " << &c - cases;
    }
    builder.addChild(newObject<XmlBuilder>());  // no handler takes it
    EXPECT_EQ(builder.doc->items.size(), 0u);

    DWFUtil::Vector<DWFUtil::XmlParser::Attribute> attributes;
    attributes.push_back({"a", "1"});
    attributes.push_back({"a", "2"});
    builder.setAttributes(attributes);
    EXPECT_TRUE(builder.findAttribute("a") && *builder.findAttribute("a") == "1" && !builder.findAttribute("b"));
}

}  // namespace
