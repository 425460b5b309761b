#include "model/manifest/manifest_builder.h"

#include <gtest/gtest.h>

#include <string>

#include "document_reading.h"
#include "model/manifest/manifest_namespace.h"
#include "model/xml/new_object.h"

namespace {

using DWF::DwfResult;
using DWFManifest::Manifest;
using DWFManifestBuilders::ManifestBuilder;
using DWFUtil::ObjectRef;
using DWFXmlFramework::newObject;

// Reads `text` and answers the manifest built, or null.
ObjectRef<Manifest> buildManifest(const std::string& text) {
    ObjectRef<ManifestBuilder> builder = newObject<ManifestBuilder>();
    EXPECT_EQ(modeltest::readDocument(text, builder), DwfResult::Success);
    return builder->getManifest();
}

// A manifest as another producer might write it, with `p` standing for the
// prefix (with its colon) of every element and `h` for that of the href,
// role and mime attributes.
std::string foreignManifest(const std::string& p, const std::string& h, const std::string& declaration) {
    return "<" + p + "Manifest " + declaration + " version='6.0' objectId='ID-1'>\n" +
           "  <" + p + "Interfaces><" + p + "Interface name='ePlot' objectId='715941D4-1AC2-4545-8185-BC40E053B551' href='urn:dwf:ePlot'/></" + p + "Interfaces>\n" +
           "  <" + p + "Properties>\n" +
           "    <" + p + "Property name='SourceProductName' value='KESTRA &amp; Co' category='Product'/>\n" +
           "    <" + p + "SimpleProperty name='XScale' value='2.5' type='double' units='mm'/>\n" +
           "  </" + p + "Properties>\n" +
           "  <" + p + "Sections>\n" +
           "    <" + p + "Section name='s1' type='dwf.ePlot' title='Page 1'>\n" +
           "      <" + p + "Source " + h + "href='s1' provider='Other'/>\n" +
           "      <" + p + "Toc>\n" +
           "        <" + p + "Resource " + h + "role='descriptor' " + h + "mime='text/xml' " + h + "href='s1\\descriptor.xml'/>\n" +
           "        <" + p + "Resource " + h + "href='s1\\a.w2d' " + h + "role='2d streaming graphics'/>\n" +
           "      </" + p + "Toc>\n" +
           "    </" + p + "Section>\n" +
           "  </" + p + "Sections>\n" +
           "  <" + p + "Dependencies " + h + "sectionIndex='1'><" + p + "Dependency sectionIndex='0'/></" + p + "Dependencies>\n" +
           "</" + p + "Manifest>";
}

void expectForeignManifest(const ObjectRef<Manifest>& manifest) {
    ASSERT_FALSE(manifest.isNull());
    EXPECT_EQ(manifest->getVersion(), "6.0");
    EXPECT_EQ(manifest->getObjectId(), "ID-1");
    ASSERT_EQ(manifest->getInterfaces()->size(), 1u);
    EXPECT_EQ((*manifest->getInterfaces())[0]->getHref(), "urn:dwf:ePlot");
    const auto& properties = *manifest->getProperties();
    ASSERT_EQ(properties.size(), 2u);
    const auto* product = dynamic_cast<DWFManifest::Property*>(properties[0].Object());
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->getValue(), "KESTRA & Co");
    EXPECT_EQ(product->getCategory(), "Product");
    const auto* scale = dynamic_cast<DWFManifest::SimpleProperty*>(properties[1].Object());
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(dynamic_cast<DWFManifest::Property*>(properties[1].Object()), nullptr);
    EXPECT_EQ(scale->getTypeCode(), 13);
    EXPECT_EQ(scale->getUnits(), "mm");
    ASSERT_EQ(manifest->getSections()->size(), 1u);
    const auto& section = *(*manifest->getSections())[0];
    EXPECT_EQ(section.getSectionName(), "s1");
    EXPECT_EQ(section.getType(), "dwf.ePlot");
    EXPECT_EQ(section.getTitle(), "Page 1");
    EXPECT_EQ(section.getSource()->getHref(), "s1");
    EXPECT_EQ(section.getSource()->getProvider(), "Other");
    ASSERT_EQ(section.getToc()->size(), 2u);
    EXPECT_EQ((*section.getToc())[0]->getHref(), "s1\\descriptor.xml");
    EXPECT_EQ((*section.getToc())[0]->getMime(), "text/xml");
    EXPECT_EQ((*section.getToc())[1]->getRoleCode(), 1);
    ASSERT_EQ(manifest->getDependencies().size(), 1u);
    EXPECT_EQ(manifest->getDependencies()[0]->getSectionIndex(), 1);
    EXPECT_EQ((*manifest->getDependencies()[0])[0]->getSectionIndex(), 0);
    EXPECT_TRUE(manifest->validate());
}

TEST(ManifestBuilder, AnyPrefixOrNoneBuildsTheSameObjects) {
    const std::string declare = "xmlns:dwf='DWF-Manifest:6.0' xmlns:xsi='http://www.w3.org/2000/10/XMLSchema-instance' "
                                "xsi:schemaLocation='DWF-Manifest:6.0 DWF-Manifest.xsd'";
    expectForeignManifest(buildManifest(foreignManifest("dwf:", "dwf:", declare)));
    expectForeignManifest(buildManifest(foreignManifest("dwf:", "", declare)));
    expectForeignManifest(buildManifest(foreignManifest("m:", "m:", "xmlns:m='DWF-Manifest:6.0'")));
    expectForeignManifest(buildManifest(foreignManifest("", "", "xmlns='DWF-Manifest:6.0'")));
}

TEST(ManifestBuilder, KeepsTheNamespaceDeclarationsOfTheDocument) {
    const ObjectRef<Manifest> manifest = buildManifest(foreignManifest(
        "dwf:", "dwf:", "xmlns:dwf='DWF-Manifest:6.0' xsi:schemaLocation='DWF-Manifest:6.0 DWF-Manifest.xsd'"));
    ASSERT_FALSE(manifest.isNull());
    ASSERT_EQ(manifest->getPrefixMappings().size(), 1u);
    EXPECT_EQ(manifest->getPrefixMappings()[0]->getPrefix(), "dwf");
    EXPECT_EQ(manifest->getPrefixMappings()[0]->getSchemaLocation(), "DWF-Manifest.xsd");
}

struct VersionCase {
    const char* attributes;
    int32_t result;
};

class ManifestVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ManifestVersionTest, DocumentsAboveVersionSevenAreRefused) {
    const std::string text = std::string("<dwf:Manifest xmlns:dwf='DWF-Manifest:6.0' ") + GetParam().attributes +
                             "><dwf:Sections><dwf:Section name='a'><dwf:Source href='a'/><dwf:Toc>"
                             "<dwf:Resource href='a\\b'/></dwf:Toc></dwf:Section></dwf:Sections></dwf:Manifest>";
    ObjectRef<ManifestBuilder> builder = newObject<ManifestBuilder>();
    EXPECT_EQ(modeltest::readingFailure(text, builder), GetParam().result) << GetParam().attributes;
    EXPECT_EQ(builder->getManifest().isNull(), GetParam().result != DwfResult::Success);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ManifestVersionTest,
    ::testing::Values(VersionCase{"version='6.0'", DwfResult::Success}, VersionCase{"version='7.0'", DwfResult::Success},
                      VersionCase{"version='7.01'", DwfResult::UnsupportedVersion},
                      VersionCase{"version='8'", DwfResult::UnsupportedVersion},
                      VersionCase{"version='1e300'", DwfResult::UnsupportedVersion},
                      VersionCase{"version='six'", DwfResult::Success}, VersionCase{"version=''", DwfResult::Success},
                      VersionCase{"", DwfResult::Success},
                      VersionCase{"xsi:schemaLocation='DWF-Manifest:6.0 DWF-Manifest.xsd'", DwfResult::Success},
                      VersionCase{"xmlns:xmlns='U' xsi:schemaLocation='U DWF-Manifest:7.5'",
                                  DwfResult::UnsupportedVersion},
                      VersionCase{"xmlns:xmlns='U' xsi:schemaLocation='U DWF-Manifest:7.0'", DwfResult::Success},
                      VersionCase{"version='7.0' xmlns:xmlns='U' xsi:schemaLocation='U DWF-Manifest:9.0'",
                                  DwfResult::Success}));

// Documents whose structure is incomplete or wrongly nested build no manifest.
TEST(ManifestBuilder, BuildsNothingWithoutASectionThatQualifies) {
    const char* const documents[] = {
        "<Manifest version='6.0'><Properties/></Manifest>",
        "<Manifest><Sections/></Manifest>",
        "<Manifest><Sections><Section name='a'><Toc><Resource href='r'/></Toc></Section></Sections></Manifest>",
        "<Manifest><Sections><Section name='a'><Source href='a'/></Section></Sections></Manifest>",
        "<Manifest><Sections><Section name='a'><Source href='a'/><Toc/></Section></Sections></Manifest>",
        ("<Manifest><Sections><Section name='a'><Source href='a'/><Toc><Source href='r'/></Toc></Section></Sections>"
         "</Manifest>"),
        "<Manifest><Section name='a'><Source href='a'/><Toc><Resource href='r'/></Toc></Section></Manifest>",
        ("<Manifest><Other><Sections><Section name='a'><Source href='a'/><Toc><Resource href='r'/></Toc></Section>"
         "</Sections></Other></Manifest>"),
        "<Manifest><Sections><Toc><Resource href='r'/></Toc><Source href='a'/></Sections></Manifest>",
    };
    for (const char* document : documents) EXPECT_TRUE(buildManifest(document).isNull()) << document;
}

TEST(ManifestBuilder, DropsWhatDoesNotQualifyAndKeepsTheRest) {
    const ObjectRef<Manifest> manifest = buildManifest(
        "<Manifest><Interfaces/><Properties><Property name='a' value='1' type='bogus'/>"
        "<Property name='b' value='2' type='int'/><SimpleProperty name='c'/><Unknown name='d' value='4'/></Properties>"
        "<Sections><Section name='bad'><Source href='x'/></Section>"
        "<Section name='good'><Toc><Resource href='r'/></Toc><Source href='g'/><Toc/></Section></Sections>"
        "<Dependencies sectionIndex='99999999999'><Dependency sectionIndex='abc'/></Dependencies></Manifest>");
    ASSERT_FALSE(manifest.isNull());
    EXPECT_EQ(manifest->getVersion(), "6.0");  // kept from construction
    EXPECT_EQ(manifest->getObjectId().length(), 36u);
    EXPECT_EQ(manifest->getInterfaces()->size(), 0u);
    ASSERT_EQ(manifest->getProperties()->size(), 2u);
    EXPECT_EQ((*manifest->getProperties())[0]->getPropertyName(), "b");
    EXPECT_EQ((*manifest->getProperties())[1]->getPropertyName(), "c");
    ASSERT_EQ(manifest->getSections()->size(), 1u);
    EXPECT_EQ((*manifest->getSections())[0]->getSectionName(), "good");
    EXPECT_EQ((*manifest->getSections())[0]->getToc()->size(), 1u);  // the empty Toc did not replace it
    // A missing value and an index that does not fit 32 bits fail validation, not reading.
    EXPECT_FALSE(manifest->validate());
    EXPECT_EQ((*manifest->getDependencies()[0])[0]->getSectionIndex(), 0);
}

TEST(ManifestBuilder, MalformedDocumentsReportTheParseErrorAndBuildNothing) {
    const char* const documents[] = {
        ("<Manifest><Sections><Section name='a'><Source href='a'/><Toc><Resource href='r'/></Toc></Section>"
         "</Sections></Manifst>"),
        "<Manifest><Sections><Section name='a'><Source href='a'/><Toc><Resource href='r",
        "<Manifest version='7.0",
    };
    for (const char* document : documents) {
        ObjectRef<ManifestBuilder> builder = newObject<ManifestBuilder>();
        EXPECT_EQ(modeltest::readDocument(document, builder), DwfResult::XmlParseError) << document;
        EXPECT_TRUE(builder->getManifest().isNull());
    }
}

// Attribute values and structures no producer should write are read without
// harm: references are resolved or kept, duplicates give the first value.
TEST(ManifestBuilder, HostileAttributeValuesAreReadSafely) {
    const std::string huge(1 << 20, 'x');
    const ObjectRef<Manifest> manifest = buildManifest(
        "<Manifest version='&#x37;.0' objectId='&#0;&#xD800;&#99999999999;&#;&#x;&amp'>"
        "<Properties><Property name='a' name='b' value='" + huge + "' type='&#x69;nt'/>"
        "<Property name='c' value='&lt;&gt;&quot;&apos;' type=''/></Properties>"
        "<Sections><Section name='s'><Source href=''/><Toc><Resource href='\\..\\..\\etc' role='font\n'/>"
        "</Toc></Section></Sections>"
        "<Dependencies sectionIndex='-2147483648'><Dependency sectionIndex='2147483648'/>"
        "<Dependency sectionIndex=' +7junk'/></Dependencies></Manifest>");
    ASSERT_FALSE(manifest.isNull());
    EXPECT_EQ(manifest->getVersion(), "7.0");  // resolved before the version rule: accepted
    ASSERT_EQ(manifest->getProperties()->size(), 1u);  // an empty type is no value type
    const auto* property = dynamic_cast<DWFManifest::Property*>((*manifest->getProperties())[0].Object());
    ASSERT_NE(property, nullptr);
    EXPECT_EQ(property->getPropertyName(), "a");
    EXPECT_EQ(property->getValue().length(), huge.size());
    EXPECT_EQ(property->getTypeCode(), 15);
    const auto& dependencies = *manifest->getDependencies()[0];
    EXPECT_EQ(dependencies.getSectionIndex(), INT32_MIN);
    EXPECT_EQ(dependencies[1]->getSectionIndex(), 7);
    EXPECT_FALSE(manifest->validate());  // negative and unreadable section indexes
    // Writing it again escapes what it read.
    const std::string text = manifest->toXml().toUtf8();
    EXPECT_NE(text.find("objectId=\"&#x00;&#65533;"), std::string::npos) << text.substr(0, 200);
}

TEST(ManifestBuilder, AVersionAboveSevenResolvedFromAReferenceIsRefused) {
    ObjectRef<ManifestBuilder> builder = newObject<ManifestBuilder>();
    EXPECT_EQ(modeltest::readingFailure("<Manifest version='&#56;'/>", builder), DwfResult::UnsupportedVersion);
}

TEST(ManifestBuilder, ReadsManyChildren) {
    std::string text = "<Manifest><Properties>";
    for (int i = 0; i < 5000; ++i) text += "<Property name='p" + std::to_string(i) + "' value='v'/>";
    text += "</Properties><Sections><Section name='a'><Source href='a'/><Toc>";
    for (int i = 0; i < 5000; ++i) text += "<Resource href='r" + std::to_string(i) + "'/>";
    text += "</Toc></Section></Sections></Manifest>";
    const ObjectRef<Manifest> manifest = buildManifest(text);
    ASSERT_FALSE(manifest.isNull());
    ASSERT_EQ(manifest->getProperties()->size(), 5000u);
    EXPECT_EQ((*manifest->getProperties())[4999]->getPropertyName(), "p4999");
    EXPECT_EQ((*manifest->getSections())[0]->getToc()->size(), 5000u);
}

TEST(ManifestBuilder, ReadsWhatTheManifestWrites) {
    ObjectRef<Manifest> written = newObject<Manifest>();
    written->getProperties()->add(newObject<DWFManifest::Property>("XScale", platform::Variant::fromDouble(0.1)));
    ObjectRef<DWFManifest::Section> section = newObject<DWFManifest::Section>("s");
    section->setSource(newObject<DWFManifest::Source>("KESTRA", "s", "OBJ"));
    ObjectRef<DWFManifest::Toc> toc = newObject<DWFManifest::Toc>();
    toc->add(newObject<DWFManifest::Resource>("descriptor", "s\\descriptor.xml", "text/xml"));
    section->setToc(toc);
    written->getSections()->add(section);
    written->addNamespace(newObject<DWFManifest::ManifestNamespace>(), "dwf");

    const ObjectRef<Manifest> read = buildManifest(written->toXml().toUtf8());
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read->getObjectId(), written->getObjectId());
    const auto* scale = dynamic_cast<DWFManifest::Property*>((*read->getProperties())[0].Object());
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->getValue(), "0.10000000000000000555111512312578");
    EXPECT_EQ(scale->getType(), "double");
    const auto& readSection = *(*read->getSections())[0];
    EXPECT_EQ(readSection.getSource()->getObjectId(), "OBJ");
    EXPECT_EQ((*readSection.getToc())[0]->getHref(), "s\\descriptor.xml");
    EXPECT_TRUE(read->validate());
}

}  // namespace
