#include "model/xml/xml_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_parser.h"
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
    explicit Reading(const std::string& document) {
        stack.setRootBuilder(root);
        DWFUtil::XmlParser parser(&stack);
        result = parser.parseBuffer(document.data(), document.size());
    }
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
    DwfResult::Enum result = DwfResult::Success;
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
        EXPECT_EQ(reading.result, c.result) << c.document;
        EXPECT_EQ(reading.root->built, c.built) << c.document;
        EXPECT_EQ(reading.items(), c.items) << c.document;
        if (c.built) {
            EXPECT_EQ(reading.stack.depth(), 0u);
        }
    }
}

TEST(XmlBuilderStack, HandsMappingsToBuildersAndKeepsTheScope) {
    Reading reading("<t:Doc xmlns:t='U' xmlns:u='V' xsi:schemaLocation='U U.xsd' t:version='2'>text</t:Doc>");
    ASSERT_EQ(reading.result, DwfResult::Success);
    EXPECT_EQ(reading.root->doc->toXml().toUtf8(),
              "<Doc xmlns:t=\"U\" xmlns:u=\"V\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
              "xsi:schemaLocation=\"U U.xsd\" version=\"2\">text</Doc>");
    EXPECT_EQ(reading.stack.getScope().size(), 0u);
    const ObjectRef<XmlName>& name = reading.root->getName();
    EXPECT_EQ(name->getNamespace().toUtf8() + "|" + name->getLocalName().toUtf8() + "|" + name->getRawName().toUtf8(),
              "t|Doc|t:Doc");
}

TEST(XmlBuilderStack, TakesTheMostDeclarationsAnElementMayCarry) {
    std::string document = "<Doc";
    for (int i = 0; i < 10000; ++i) document += " xmlns:p" + std::to_string(i) + "='U" + std::to_string(9999 - i) + "'";
    document += "><Item name='a'/></Doc>";
    Reading reading(document);
    ASSERT_EQ(reading.result, DwfResult::Success);
    EXPECT_EQ(reading.root->doc->getPrefixMappings().size(), 10000u);
    EXPECT_EQ(reading.root->doc->getPrefixMappings()[9999]->getPrefix().toUtf8(), "p9999");
    EXPECT_EQ(reading.items(), "[a||]");
    EXPECT_TRUE(reading.stack.getScope().empty());
}

TEST(XmlBuilder, CreatesChildBuildersFromItsRegistry) {
    DocBuilder builder;
    EXPECT_THROW(builder.createChildBuilder(ObjectRef<XmlName>()), DwfResult::Enum);
    EXPECT_TRUE(builder.createChildBuilder(newObject<XmlName>("Other")).isNull());
    EXPECT_FALSE(builder.createChildBuilder(newObject<XmlName>("Item")).isNull());
    EXPECT_FALSE(builder.createChildBuilder(newObject<XmlName>("p", "Item", "p:Item")).isNull());
    EXPECT_FALSE(builder.createChildBuilder(newObject<XmlName>("URI", "Special")).isNull());
    builder.addChild(newObject<XmlBuilder>());  // no handler takes it
    EXPECT_EQ(builder.doc->items.size(), 0u);

    DWFUtil::Vector<DWFUtil::XmlParser::Attribute> attributes;
    attributes.push_back({"a", "1"});
    attributes.push_back({"a", "2"});
    builder.setAttributes(attributes);
    ASSERT_NE(builder.findAttribute("a"), nullptr);
    EXPECT_EQ(builder.findAttribute("a")->toUtf8(), "1");
    EXPECT_EQ(builder.findAttribute("b"), nullptr);
}

}  // namespace
