#include "model/xml/xml_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

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

TEST(XmlWriter, LeavesOutUnsetAttributesAndDeclaresTheSchemaInstanceOnce) {
    Doc doc;
    doc.addItem("n")->name = DWFXmlObjects::XmlStringAttribute("name", true);
    doc.setText("raw<text>");
    // No schema location: the names are bound, but nothing declares a prefix.
    doc.addNamespace(newObject<TestNamespace>("U", ""), "t");
    EXPECT_EQ(doc.toXml().toUtf8(), "<Doc><Item />raw<text></Doc>");
    // The schema instance is declared once and one no-namespace location is taken.
    DWFXmlObjects::XmlPrefixMappings mappings;
    for (const auto& [uri, prefix, location] : {std::array{"", "", "first.xsd"}, {"", "", "second.xsd"},
                                                {"X", "xsi", "ignored.xsd"}, {"A", "a", "a.xsd"}, {"B", "", "b.xsd"}})
        mappings.push_back(newObject<XmlPrefixMapping>(uri, prefix, location));
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
    const String inScope = writer.qualifiedName(XmlName("U", "I")) + " " + writer.qualifiedName(XmlName("D", "I")) +
                           " " + writer.qualifiedName(XmlName("V", "I")) + " " + writer.qualifiedName(XmlName("r:n"));
    EXPECT_EQ(inScope.toUtf8(), "t:I I I r:n");
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
    const int32_t open = failing.flush();
    failing.endElement();
    EXPECT_TRUE(open == -1 && failing.flush() == -1);
}

// Ordered by the text "'namespace local raw'".
TEST(XmlName, EffectiveNameEqualityOrderAndBinding) {
    EXPECT_EQ((XmlName("raw").effectiveName() + "|" + XmlName("U", "local", "raw").effectiveName() + "|" +
               XmlName("U", "", "raw").effectiveName()).toUtf8(), "raw|local|");
    const std::vector<bool> holds = {
        XmlName().isEmpty(), XmlName("U", "").isEmpty(), XmlName("U", "a", "r") == XmlName("U", "a", "r"),
        XmlName("U", "a", "r") != XmlName("U", "a", ""), XmlName("A", "z") < XmlName("B", "a"),
        XmlName("", "", "b") < XmlName("", "a", ""), XmlName("U", "a") < XmlName("U", "a")};
    EXPECT_EQ(holds, (std::vector<bool>{true, true, true, true, true, true, false}));
    DWFUtil::Map<XmlName, int> byName;
    byName.insert(XmlName("U", "b"), 2);
    byName.insert(XmlName("U", "a"), 1);
    byName.insert(XmlName("U", "b"), 3);
    EXPECT_TRUE(byName.size() == 2 && byName.find(XmlName("U", "b"))->second == 2);
    // Named entities bind declared names and keep plain ones otherwise.
    const auto nameSpace = newObject<TestNamespace>("U", "U.xsd");
    EXPECT_TRUE(nameSpace->lookup("Undeclared")->isEmpty());
    XmlNamedEntity declared("href");
    XmlNamedEntity undeclared("title");
    EXPECT_TRUE(declared.bindNamespace(nameSpace) && undeclared.bindNamespace(nameSpace));
    EXPECT_EQ((declared.getName()->getNamespace() + "|" + undeclared.getName()->getNamespace() + "|" +
               undeclared.getName()->getRawName()).toUtf8(), "U||title");
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
    EXPECT_EQ((doc.getName()->getNamespace() + " " + doc.toXml()).toUtf8(),
              "U <t:Doc xmlns:t=\"U\" xmlns:o=\"Other\" " + kXsi + " xsi:schemaLocation=\"U U2.xsd Other o.xsd\" />");
}

}  // namespace
