#include "model/xml/xml_name.h"

#include <gtest/gtest.h>

#include "model/util/map.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_named_entity.h"
#include "test_model.h"

namespace {

using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFXmlFramework::newObject;
using DWFXmlFramework::XmlName;
using DWFXmlFramework::XmlNamedEntity;

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
    const auto nameSpace = newObject<xmltest::TestNamespace>("U", "U.xsd");
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
    xmltest::Doc doc;
    doc.addPrefixMapping(newObject<DWFXmlFramework::XmlPrefixMapping>("Other", "o", "o.xsd"));
    doc.addNamespace(newObject<xmltest::TestNamespace>("U", "U.xsd"), "t");
    doc.addNamespace(newObject<xmltest::TestNamespace>("U", "U2.xsd"), "t");
    ASSERT_EQ(doc.getPrefixMappings().size(), 2u);
    EXPECT_EQ(doc.getPrefixMappings()[0]->getSchemaLocation().toUtf8(), "U2.xsd");
    EXPECT_EQ(doc.getPrefixMappings()[1]->getUri().toUtf8(), "Other");
    EXPECT_EQ(doc.getName()->getNamespace().toUtf8(), "U");
    EXPECT_EQ(doc.toXml().toUtf8(),
              "<t:Doc xmlns:t=\"U\" xmlns:o=\"Other\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
              "xsi:schemaLocation=\"U U2.xsd Other o.xsd\" />");
}

}  // namespace
