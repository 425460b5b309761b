#include "model/xml/xml_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "model/xml/xml_builder_stack.h"
#include "model/xml/xml_parser.h"
#include "test_model.h"

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
    static ObjectRef<XmlBuilder> create(const ObjectRef<XmlName>& name) {
        return newObject<SpecialItemBuilder>(name);
    }
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
        if (doc->version.getString() == "throw") throw DwfResult::UnsupportedVersion;
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

TEST(XmlBuilderStack, BuildsChildrenByUnprefixedNamesAndDropsUnknownElements) {
    const struct {
        const char* document;
        const char* items;
    } cases[] = {
        {"<Doc><Item name='a' href='h'/></Doc>", "[a|h|]"},
        {"<x:Doc><y:Item y:name='a' z:href='h'>t</y:Item><Item name='b'/></x:Doc>", "[a|h|t][b||]"},
        {"<Doc><Unknown><Item name='lost'/></Unknown><Special name='s'>x</Special></Doc>", "[s||x!]"},
        {"<Doc><Item name='&lt;&#x0A;&amp;'>&lt;kept&gt;</Item></Doc>", "[<\n&||&lt;kept&gt;]"},
    };
    for (const auto& c : cases) {
        Reading reading(c.document);
        EXPECT_EQ(reading.result, DwfResult::Success);
        EXPECT_TRUE(reading.root->built);
        EXPECT_EQ(reading.items(), c.items) << c.document;
        EXPECT_EQ(reading.stack.depth(), 0u);
    }
}

TEST(XmlBuilderStack, HandsMappingsToBuildersAndKeepsTheScope) {
    Reading reading("<t:Doc xmlns:t='U' xmlns:u='V' xsi:schemaLocation='U U.xsd' t:version='2'>text</t:Doc>");
    ASSERT_EQ(reading.result, DwfResult::Success);
    const ObjectRef<Doc>& doc = reading.root->doc;
    EXPECT_EQ(doc->version.getString().toUtf8(), "2");
    EXPECT_EQ(doc->getText().toUtf8(), "text");
    ASSERT_EQ(doc->getPrefixMappings().size(), 2u);
    EXPECT_EQ(doc->getPrefixMappings()[0]->getPrefix().toUtf8(), "t");
    EXPECT_EQ(doc->getPrefixMappings()[0]->getSchemaLocation().toUtf8(), "U.xsd");
    EXPECT_EQ(doc->getPrefixMappings()[1]->getUri().toUtf8(), "V");
    EXPECT_EQ(reading.stack.getScope().size(), 0u);
    const ObjectRef<XmlName>& name = reading.root->getName();
    EXPECT_EQ(name->getNamespace().toUtf8(), "t");
    EXPECT_EQ(name->getLocalName().toUtf8(), "Doc");
    EXPECT_EQ(name->getRawName().toUtf8(), "t:Doc");
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

TEST(XmlBuilderStack, LeavesAnUnfinishedDocumentUnbuilt) {
    Reading truncated("<Doc><Item name='a'/>");
    EXPECT_EQ(truncated.result, DwfResult::Success);
    EXPECT_FALSE(truncated.root->built);
    Reading broken("<Doc><Item></Doc>");
    EXPECT_EQ(broken.result, DwfResult::XmlParseError);
    EXPECT_FALSE(broken.root->built);
}

TEST(XmlBuilderStack, PassesBuilderExceptionsThrough) {
    EXPECT_THROW(Reading("<Doc version='throw'/>"), DwfResult::Enum);
}

TEST(XmlBuilderStack, ReadsBackWhatTheWriterWrote) {
    Doc doc;
    doc.version.setString("1 \"&\" <\u00E9\u20AC>\n");
    doc.addItem("\t'x'", "h&h");
    doc.addNamespace(newObject<xmltest::TestNamespace>("U", "U.xsd"), "t");
    Reading reading(doc.toXml().toUtf8());
    ASSERT_EQ(reading.result, DwfResult::Success);
    EXPECT_TRUE(reading.root->doc->version.getString() == doc.version.getString());
    EXPECT_EQ(reading.items(), "[\t'x'|h&h|]");
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
