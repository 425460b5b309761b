#include "model/xml/xml_writer.h"

#include <gtest/gtest.h>

#include <string>

#include "model/util/map.h"
#include "model/xml/xml_name.h"
#include "model/xml/xml_named_entity.h"
#include "model/xml/xml_prefix_mapping.h"
#include "xml_test_support.h"

namespace {

using DWFUtil::String;
using DWFXmlFramework::newObject;
using DWFXmlFramework::XmlName;
using DWFXmlFramework::XmlNamedEntity;
using DWFXmlFramework::XmlPrefixMapping;
using DWFXmlFramework::XmlWriter;
using xmltest::Doc;
using xmltest::TestNamespace;

const std::string kXsi = "xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\"";

// What `write` makes a fresh writer put out.
template <typename Write>
std::string written(Write write) {
    DWFUtil::StringIOHandler output;
    {
        XmlWriter writer(output);
        write(writer);
    }
    String text;
    output.getContents(text);
    return text.toUtf8();
}

TEST(XmlWriter, WritesNameDeclarationsSchemaLocationThenAttributes) {
    Doc doc;
    doc.version.setString("\t<1.0> & 'one' \"\u20AC\" \U0001F600\r\n");
    doc.addItem("a\"b<c", "x&y");
    doc.addItem("");
    doc.addItem("t")->content = "line\nand \"more\" \u00E9 <&>'";
    doc.addNamespace(newObject<TestNamespace>("U", "U.xsd"), "t");
    // xmllint finds this well formed.
    EXPECT_EQ(doc.toXml().toUtf8(),
              "<t:Doc xmlns:t=\"U\" " + kXsi +
                  " xsi:schemaLocation=\"U U.xsd\" version=\"&#x09;&lt;1.0&gt; &amp; &apos;one&apos; "
                  "&quot;&#8364;&quot; &#128512;&#x0D;&#x0A;\"><t:Item name=\"a&quot;b&lt;c\" t:href=\"x&amp;y\" />"
                  "<t:Item name=\"\" /><t:Item name=\"t\">line&#x0A;and \"more\" &#xE9; &lt;&amp;&gt;'</t:Item>"
                  "</t:Doc>");
}

TEST(XmlWriter, LeavesOutUnsetAttributesAndNamesOutsideTheNamespace) {
    Doc doc;
    doc.addItem("n")->name = DWFXmlObjects::XmlStringAttribute("name", true);
    doc.setText("raw<text>");
    // No schema location: the names are bound, but nothing declares a prefix.
    doc.addNamespace(newObject<TestNamespace>("U", ""), "t");
    EXPECT_EQ(doc.toXml().toUtf8(), "<Doc><Item />raw<text></Doc>");
}

TEST(XmlWriter, DeclaresTheSchemaInstanceOnceAndTakesOneNoNamespaceLocation) {
    DWFXmlObjects::XmlPrefixMappings mappings;
    mappings.push_back(newObject<XmlPrefixMapping>("", "", "first.xsd"));
    mappings.push_back(newObject<XmlPrefixMapping>("", "", "second.xsd"));
    mappings.push_back(newObject<XmlPrefixMapping>("X", "xsi", "ignored.xsd"));
    mappings.push_back(newObject<XmlPrefixMapping>("A", "a", "a.xsd"));
    mappings.push_back(newObject<XmlPrefixMapping>("B", "", "b.xsd"));
    mappings.push_back(newObject<XmlPrefixMapping>("C", "c"));
    const std::string declarations = " xmlns:a=\"A\" xmlns=\"B\" xmlns:c=\"C\"";
    const std::string locations = " xsi:noNamespaceSchemaLocation=\"first.xsd\" xsi:schemaLocation=\"A a.xsd B b.xsd\"";
    EXPECT_EQ(written([&](XmlWriter& writer) {
                  writer.startElement(newObject<XmlName>("r"));
                  writer.writeNamespaceDeclarations(mappings);
                  writer.startElement(newObject<XmlName>("s"));
                  writer.writeNamespaceDeclarations(mappings);
                  writer.endElement();
                  writer.endElement();
              }),
              "<r" + declarations + " " + kXsi + locations + "><s" + declarations + locations + " /></r>");
}

TEST(XmlWriter, QualifiesNamesWhoseNamespaceIsInScope) {
    DWFUtil::StringIOHandler output;
    XmlWriter writer(output);
    Doc doc;
    doc.addPrefixMapping(newObject<XmlPrefixMapping>("U", "t", "U.xsd"));
    doc.addPrefixMapping(newObject<XmlPrefixMapping>("D", "", "D.xsd"));
    writer.startObject(doc);
    EXPECT_EQ(writer.qualifiedName(XmlName("U", "Item")).toUtf8(), "t:Item");
    EXPECT_EQ(writer.qualifiedName(XmlName("D", "Item")).toUtf8(), "Item");
    EXPECT_EQ(writer.qualifiedName(XmlName("V", "Item")).toUtf8(), "Item");
    EXPECT_EQ(writer.qualifiedName(XmlName("raw:name")).toUtf8(), "raw:name");
    writer.endObject();
    EXPECT_EQ(writer.qualifiedName(XmlName("U", "Item")).toUtf8(), "Item");
}

TEST(XmlWriter, WritesOnlySetAttributesInsideAStartTag) {
    DWFXmlObjects::XmlStringAttribute defaulted("provider", "default");
    DWFXmlObjects::XmlStringAttribute set("title");
    set.setString("T");
    EXPECT_EQ(written([&](XmlWriter& writer) {
                  writer.writeAttribute(set);  // no start tag yet
                  writer.startElement(newObject<XmlName>("a"));
                  writer.writeAttribute(defaulted);
                  writer.writeAttribute(set);
                  writer.writeText("");
                  writer.writeText("x");
                  writer.writeAttribute(set);  // start tag closed by the text
                  writer.endElement();
                  writer.endElement();  // nothing open: ignored
              }),
              "<a title=\"T\">x</a>");

    DWFUtil::IOHandler refusing;  // the base handler supports no operation
    XmlWriter failing(refusing);
    failing.startElement(newObject<XmlName>("a"));
    EXPECT_EQ(failing.flush(), -1);
    failing.endElement();
    EXPECT_EQ(failing.flush(), -1);
}

TEST(XmlName, EffectiveNameEqualityAndOrder) {
    EXPECT_EQ(XmlName("raw").effectiveName().toUtf8(), "raw");
    EXPECT_EQ(XmlName("U", "local", "raw").effectiveName().toUtf8(), "local");
    EXPECT_EQ(XmlName("U", "", "raw").effectiveName().toUtf8(), "");
    EXPECT_TRUE(XmlName().isEmpty());
    EXPECT_TRUE(XmlName("U", "").isEmpty());
    EXPECT_TRUE(XmlName("U", "a", "r") == XmlName("U", "a", "r"));
    EXPECT_TRUE(XmlName("U", "a", "r") != XmlName("U", "a", ""));
    // Ordered by the text "'namespace local raw'".
    EXPECT_TRUE(XmlName("A", "z") < XmlName("B", "a"));
    EXPECT_TRUE(XmlName("", "", "b") < XmlName("", "a", ""));
    DWFUtil::Map<XmlName, int> byName;
    byName.insert(XmlName("U", "b"), 2);
    byName.insert(XmlName("U", "a"), 1);
    byName.insert(XmlName("U", "b"), 3);
    ASSERT_EQ(byName.size(), 2u);
    EXPECT_EQ(byName.find(XmlName("U", "b"))->second, 2);
}

TEST(XmlNamedEntity, BindsDeclaredNamesAndKeepsPlainOnesOtherwise) {
    const auto nameSpace = newObject<TestNamespace>("U", "U.xsd");
    EXPECT_TRUE(nameSpace->lookup("Undeclared")->isEmpty());
    XmlNamedEntity declared("href");
    EXPECT_TRUE(declared.bindNamespace(nameSpace));
    EXPECT_EQ(declared.getName()->getNamespace().toUtf8(), "U");
    XmlNamedEntity undeclared("title");
    EXPECT_TRUE(undeclared.bindNamespace(nameSpace));
    EXPECT_EQ(undeclared.getName()->getRawName().toUtf8(), "title");
    EXPECT_TRUE(undeclared.getName()->getNamespace().empty());
    // setName replaces only a missing or empty bound name.
    XmlNamedEntity entity("plain");
    entity.setName(newObject<XmlName>("p", "first", "p:first"));
    entity.setName(newObject<XmlName>("second"));
    EXPECT_EQ(entity.getName()->effectiveName().toUtf8(), "first");
}

TEST(XmlObject, AddNamespaceDeclaresFirstAndReplacesTheOldDeclaration) {
    Doc doc;
    doc.addPrefixMapping(newObject<XmlPrefixMapping>("Other", "o", "o.xsd"));
    doc.addNamespace(newObject<TestNamespace>("U", "U.xsd"), "t");
    doc.addNamespace(newObject<TestNamespace>("U", "U2.xsd"), "t");
    EXPECT_EQ(doc.getName()->getNamespace().toUtf8(), "U");
    EXPECT_EQ(doc.toXml().toUtf8(),
              "<t:Doc xmlns:t=\"U\" xmlns:o=\"Other\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
              "xsi:schemaLocation=\"U U2.xsd Other o.xsd\" />");
}

}  // namespace
