#include "model/xml/xml_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "model/xml/xml_name.h"
#include "model/xml/xml_prefix_mapping.h"
#include "support/temp_dir_test.h"
#include "test_model.h"

namespace {

using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFXmlFramework::newObject;
using DWFXmlFramework::XmlName;
using DWFXmlFramework::XmlPrefixMapping;
using DWFXmlFramework::XmlWriter;
using xmltest::Doc;
using xmltest::TestNamespace;

constexpr const char* kXsi = "xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\"";

std::string sampleDocument() {
    Doc doc;
    doc.version.setString("1.0");
    doc.addItem("a\"b<c", "x&y");
    doc.addItem("");
    doc.addItem("t")->content = "line\nand \"more\" \u00E9";
    doc.addNamespace(newObject<TestNamespace>("U", "U.xsd"), "t");
    return doc.toXml().toUtf8();
}

TEST(XmlWriter, WritesNameDeclarationsSchemaLocationThenAttributes) {
    EXPECT_EQ(sampleDocument(),
              std::string("<t:Doc xmlns:t=\"U\" ") + kXsi +
                  " xsi:schemaLocation=\"U U.xsd\" version=\"1.0\">"
                  "<t:Item name=\"a&quot;b&lt;c\" t:href=\"x&amp;y\" />"
                  "<t:Item name=\"\" />"
                  "<t:Item name=\"t\">line&#x0A;and \"more\" &#xE9;</t:Item>"
                  "</t:Doc>");
}

TEST(XmlWriter, ANamespaceAddedToAReadObjectIsDeclaredOnce) {
    Doc doc;
    // As the builders leave a read element: its mapping kept, its name unbound.
    doc.addPrefixMapping(newObject<XmlPrefixMapping>("U", "t", "U.xsd"));
    doc.addPrefixMapping(newObject<XmlPrefixMapping>("V", "v", "V.xsd"));
    doc.addNamespace(newObject<TestNamespace>("U", "U.xsd"), "t");
    const std::string text = doc.toXml().toUtf8();
    EXPECT_EQ(text.find("xmlns:t="), text.rfind("xmlns:t=")) << text;
    EXPECT_NE(text.find("xmlns:v=\"V\""), std::string::npos) << text;
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
    DWFUtil::StringIOHandler output;
    {
        XmlWriter writer(output);
        DWFXmlObjects::XmlPrefixMappings mappings;
        mappings.push_back(newObject<XmlPrefixMapping>("", "", "first.xsd"));
        mappings.push_back(newObject<XmlPrefixMapping>("", "", "second.xsd"));
        mappings.push_back(newObject<XmlPrefixMapping>("X", "xsi", "ignored.xsd"));
        mappings.push_back(newObject<XmlPrefixMapping>("A", "a", "a.xsd"));
        mappings.push_back(newObject<XmlPrefixMapping>("B", "", "b.xsd"));
        mappings.push_back(newObject<XmlPrefixMapping>("C", "c"));
        writer.startElement(newObject<XmlName>("r"));
        writer.writeNamespaceDeclarations(mappings);
        writer.startElement(newObject<XmlName>("s"));
        writer.writeNamespaceDeclarations(mappings);
        writer.endElement();
        writer.endElement();
    }
    String text;
    output.getContents(text);
    const std::string declarations =
        std::string(" xmlns:a=\"A\" xmlns=\"B\" xmlns:c=\"C\"");
    const std::string locations =
        " xsi:noNamespaceSchemaLocation=\"first.xsd\" xsi:schemaLocation=\"A a.xsd B b.xsd\"";
    EXPECT_EQ(text.toUtf8(), "<r" + declarations + " " + kXsi + locations + "><s" + declarations + locations +
                                 " /></r>");
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
    DWFUtil::StringIOHandler output;
    {
        XmlWriter writer(output);
        writer.writeAttribute(set);  // no start tag yet
        writer.startElement(newObject<XmlName>("a"));
        writer.writeAttribute(defaulted);
        writer.writeAttribute(set);
        writer.writeText("");
        writer.writeText("x");
        writer.writeAttribute(set);  // start tag closed by the text
        writer.endElement();
        writer.endElement();  // nothing open: ignored
    }
    String text;
    output.getContents(text);
    EXPECT_EQ(text.toUtf8(), "<a title=\"T\">x</a>");

    DWFUtil::IOHandler refusing;  // the base handler supports no operation
    XmlWriter failing(refusing);
    failing.startElement(newObject<XmlName>("a"));
    EXPECT_EQ(failing.flush(), -1);
    failing.endElement();
    EXPECT_EQ(failing.flush(), -1);
}

class WrittenDocuments : public testsupport::TempDirTest {};

TEST_F(WrittenDocuments, AreWellFormedForXmllint) {
    Doc doc;
    doc.version.setString("\t<1.0> & 'one' \u20AC \U0001F600\r\n");
    doc.addItem("\u00E9", "a b");
    doc.addItem("second")->content = "<&>\"'";
    doc.addNamespace(newObject<TestNamespace>("DWF-Test:1.0", "DWF-Test.xsd"), "t");
    const std::string documents[] = {doc.toXml().toUtf8(), sampleDocument()};
    for (const std::string& document : documents) {
        const std::string path = workDir() + "written.xml";
        testsupport::writeFile(path, document);
        // xmllint reports namespace errors without failing, so its output must be empty too.
        const std::string command = "xmllint --noout '" + path + "' 2>&1";
        std::string output;
        FILE* pipe = ::popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
        EXPECT_EQ(::pclose(pipe), 0) << document;
        EXPECT_EQ(output, "") << document;
        for (const char c : document) ASSERT_TRUE(c > 0 && c < 127) << document;
    }
}

}  // namespace
