#include "model/manifest/manifest.h"

#include <gtest/gtest.h>

#include <string>

#include "document_reading.h"
#include "model/manifest/manifest_namespace.h"
#include "model/xml/new_object.h"
#include "support/temp_dir_test.h"

namespace {

using DWFManifest::Dependencies;
using DWFManifest::Dependency;
using DWFManifest::Interface;
using DWFManifest::Interfaces;
using DWFManifest::Manifest;
using DWFManifest::ManifestNamespace;
using DWFManifest::Properties;
using DWFManifest::Property;
using DWFManifest::Resource;
using DWFManifest::Section;
using DWFManifest::Sections;
using DWFManifest::SimpleProperty;
using DWFManifest::Source;
using DWFManifest::Toc;
using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFXmlFramework::newObject;

ObjectRef<Section> pageSection(const String& id, const String& title, const String& sourceObjectId) {
    const String name = String("dwf.ePlot_") + id;
    ObjectRef<Section> section = newObject<Section>(name);
    section->setType("dwf.ePlot");
    section->setTitle(title);
    section->setSource(newObject<Source>("KESTRA", name, sourceObjectId));
    ObjectRef<Toc> toc = newObject<Toc>();
    toc->add(newObject<Resource>("2d streaming graphics", name + "\\" + id + ".w2d", "application/x-w2d"));
    toc->add(newObject<Resource>("descriptor", name + "\\descriptor.xml", "text/xml"));
    section->setToc(toc);
    return section;
}

ObjectRef<Manifest> fullManifest() {
    ObjectRef<Manifest> manifest = newObject<Manifest>();
    manifest->setObjectId("0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0");
    ObjectRef<Interfaces> interfaces = newObject<Interfaces>();
    interfaces->add(newObject<Interface>("715941D4-1AC2-4545-8185-BC40E053B551", "ePlot", "urn:dwf:ePlot"));
    manifest->setInterfaces(interfaces);
    ObjectRef<Properties> properties = manifest->getProperties();
    properties->add(newObject<Property>("DwfToolkitVersion", "6.0.1.15"));
    properties->add(newObject<Property>("XScale", platform::Variant::fromDouble(0.1)));
    ObjectRef<SimpleProperty> units = newObject<SimpleProperty>("Units", "a<b & \"c\"");
    units->setCategory("Plot");
    units->setUnits("mm");
    properties->add(units);
    manifest->getSections()->add(pageSection("AB", "Page 1", ""));
    manifest->getSections()->add(pageSection("CD", "Page 2", "77"));
    ObjectRef<Dependencies> dependencies = newObject<Dependencies>(2);
    dependencies->add(newObject<Dependency>(1));
    manifest->addDependencies(dependencies);
    manifest->addNamespace(newObject<ManifestNamespace>(), "dwf");
    return manifest;
}

const char* const kFullManifest =
    "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
    "xsi:schemaLocation=\"DWF-Manifest:6.0 DWF-Manifest.xsd\" version=\"6.0\" "
    "objectId=\"0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0\">"
    "<dwf:Interfaces><dwf:Interface objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" "
    "href=\"urn:dwf:ePlot\" /></dwf:Interfaces>"
    "<dwf:Properties><dwf:Property name=\"DwfToolkitVersion\" value=\"6.0.1.15\" />"
    "<dwf:Property name=\"XScale\" type=\"double\" value=\"0.10000000000000000555111512312578\" />"
    "<dwf:SimpleProperty name=\"Units\" category=\"Plot\" units=\"mm\" value=\"a&lt;b &amp; &quot;c&quot;\" />"
    "</dwf:Properties>"
    "<dwf:Sections><dwf:Section type=\"dwf.ePlot\" name=\"dwf.ePlot_AB\" title=\"Page 1\">"
    "<dwf:Source provider=\"KESTRA\" dwf:href=\"dwf.ePlot_AB\" />"
    "<dwf:Toc><dwf:Resource dwf:role=\"2d streaming graphics\" dwf:mime=\"application/x-w2d\" "
    "dwf:href=\"dwf.ePlot_AB\\AB.w2d\" />"
    "<dwf:Resource dwf:role=\"descriptor\" dwf:mime=\"text/xml\" dwf:href=\"dwf.ePlot_AB\\descriptor.xml\" />"
    "</dwf:Toc></dwf:Section>"
    "<dwf:Section type=\"dwf.ePlot\" name=\"dwf.ePlot_CD\" title=\"Page 2\">"
    "<dwf:Source provider=\"KESTRA\" dwf:href=\"dwf.ePlot_CD\" objectId=\"77\" />"
    "<dwf:Toc><dwf:Resource dwf:role=\"2d streaming graphics\" dwf:mime=\"application/x-w2d\" "
    "dwf:href=\"dwf.ePlot_CD\\CD.w2d\" />"
    "<dwf:Resource dwf:role=\"descriptor\" dwf:mime=\"text/xml\" dwf:href=\"dwf.ePlot_CD\\descriptor.xml\" />"
    "</dwf:Toc></dwf:Section></dwf:Sections>"
    "<dwf:Dependencies dwf:sectionIndex=\"2\"><dwf:Dependency dwf:sectionIndex=\"1\" /></dwf:Dependencies>"
    "</dwf:Manifest>";

class ManifestWriterTest : public testsupport::TempDirTest {};

TEST_F(ManifestWriterTest, WritesEveryPartInItsOrderAndXmllintAcceptsIt) {
    const ObjectRef<Manifest> manifest = fullManifest();
    EXPECT_TRUE(manifest->validate());
    const std::string text = manifest->toXml().toUtf8();
    EXPECT_EQ(text, kFullManifest);
    EXPECT_TRUE(modeltest::xmllintAccepts(workDir(), text));
}

TEST_F(ManifestWriterTest, NewManifestHasNoInterfacesElementButAnEmptyPropertyList) {
    ObjectRef<Manifest> manifest = newObject<Manifest>();
    const std::string objectId = manifest->getObjectId().toUtf8();
    ASSERT_EQ(objectId.size(), 36u);
    EXPECT_EQ(objectId[8], '-');
    EXPECT_EQ(objectId[23], '-');
    manifest->addNamespace(newObject<ManifestNamespace>(), "dwf");
    const std::string text = manifest->toXml().toUtf8();
    EXPECT_EQ(text,
              "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
              "xsi:schemaLocation=\"DWF-Manifest:6.0 DWF-Manifest.xsd\" version=\"6.0\" objectId=\"" +
                  objectId + "\"><dwf:Properties /><dwf:Sections /></dwf:Manifest>");
    EXPECT_TRUE(modeltest::xmllintAccepts(workDir(), text));
    EXPECT_TRUE(manifest->validate());
}

TEST(ManifestValidation, DependenciesMayNameSectionsUpToTheirCount) {
    struct Case {
        int32_t ownIndex;
        int32_t dependencyIndex;
        bool valid;
    };
    for (const Case& c : {Case{2, 2, true}, Case{0, 1, true}, Case{3, 1, false}, Case{2, 3, false},
                          Case{-1, 1, false}, Case{1, -5, false}}) {
        ObjectRef<Manifest> manifest = fullManifest();
        ObjectRef<Dependencies> dependencies = newObject<Dependencies>(c.ownIndex);
        dependencies->add(newObject<Dependency>(c.dependencyIndex));
        manifest->addDependencies(dependencies);
        EXPECT_EQ(manifest->validate(), c.valid) << c.ownIndex << " " << c.dependencyIndex;
    }
}

TEST(ManifestValidation, MissingRequiredPartsMakeItInvalid) {
    ObjectRef<Manifest> manifest = fullManifest();
    manifest->getProperties()->add(newObject<Property>());  // no name, no value
    EXPECT_FALSE(manifest->validate());

    manifest = fullManifest();
    manifest->getSections()->add(newObject<Section>("no source or toc"));
    EXPECT_FALSE(manifest->validate());

    manifest = fullManifest();
    manifest->setInterfaces(ObjectRef<Interfaces>());
    EXPECT_FALSE(manifest->validate());
    manifest->setProperties(ObjectRef<Properties>());  // ignored: a manifest always has properties
    EXPECT_FALSE(manifest->getProperties().isNull());

    manifest = fullManifest();
    ObjectRef<Dependencies> unset = newObject<Dependencies>();
    manifest->addDependencies(unset);
    EXPECT_FALSE(manifest->validate());
}

TEST(ManifestLookups, FindSectionsByNameOrSourceAndInterfacesByObjectId) {
    const ObjectRef<Manifest> manifest = fullManifest();
    const ObjectRef<Sections>& sections = manifest->getSections();
    EXPECT_EQ(sections->findByName("dwf.ePlot_CD"), 2);
    EXPECT_EQ(sections->findByName("dwf.ePlot_XX"), -1);
    EXPECT_EQ(sections->findByHref("dwf.ePlot_AB"), 1);
    EXPECT_EQ(sections->findByHref("elsewhere"), -1);
    EXPECT_EQ(manifest->getInterfaces()->findByObjectId("715941D4-1AC2-4545-8185-BC40E053B551"), 1);
    EXPECT_EQ(manifest->getInterfaces()->findByObjectId("715941d4-1ac2-4545-8185-bc40e053b551"), -1);
    EXPECT_EQ((*(*sections)[0]->getToc())[1]->getRoleCode(), 4);
    EXPECT_EQ(DWFManifest::Resource("raster markup", "x", "y").getRoleCode(), 21);
    EXPECT_EQ(DWFManifest::Resource("2D streaming graphics", "x", "y").getRoleCode(), 0);
}

struct TypedValueCase {
    const char* label;
    platform::Variant value;
    const char* expected;  // the written attributes after the name
};

class TypedPropertyTest : public ::testing::TestWithParam<TypedValueCase> {};

TEST_P(TypedPropertyTest, WritesValueAndTypeByTheVariantType) {
    const ObjectRef<Property> property = newObject<Property>("p", GetParam().value);
    EXPECT_EQ(property->toXml().toUtf8(), std::string("<Property name=\"p\"") + GetParam().expected + " />");
}

platform::Variant oddBoolean() {
    platform::Variant value = platform::Variant::fromBool(true);
    value.boolVal = 1;
    return value;
}

platform::Variant unlisted() {
    platform::Variant value;
    value.type = 7;  // a date: not among the types a property takes
    value.r8 = 1.0;
    return value;
}

// 2001-02-03 04:05:06.789 UTC in 100 ns ticks since 1601.
constexpr uint64_t kFileTime = 126256467067890000ULL;

INSTANTIATE_TEST_SUITE_P(
    Variants, TypedPropertyTest,
    ::testing::Values(
        TypedValueCase{"short", platform::Variant::fromInt16(-32768), " type=\"short\" value=\"-32768\""},
        TypedValueCase{"int", platform::Variant::fromInt32(-7), " type=\"int\" value=\"-7\""},
        TypedValueCase{"float", platform::Variant::fromFloat(0.1f),
                       " type=\"float\" value=\"0.100000001490116119384765625\""},
        TypedValueCase{"double", platform::Variant::fromDouble(0.5), " type=\"double\" value=\"0.5\""},
        TypedValueCase{"bstr", platform::Variant::fromWide(u"A\u00e9"), " value=\"A&#xE9;\""},
        TypedValueCase{"nullBstr", platform::Variant::fromWide(std::nullopt), " value=\"\""},
        TypedValueCase{"lpwstr", platform::Variant::fromWide(u"w", platform::VT_LPWSTR), " value=\"w\""},
        TypedValueCase{"lpstr", platform::Variant::fromNarrow("n"), " value=\"n\""},
        TypedValueCase{"nullLpstr", platform::Variant::fromNarrow(std::nullopt), " value=\"\""},
        TypedValueCase{"true", platform::Variant::fromBool(true), " type=\"boolean\" value=\"true\""},
        TypedValueCase{"false", platform::Variant::fromBool(false), " type=\"boolean\" value=\"false\""},
        TypedValueCase{"oddBoolean", oddBoolean(), " type=\"boolean\""},
        TypedValueCase{"ui1", platform::Variant::fromUInt8(255), " type=\"unsignedByte\" value=\"255\""},
        TypedValueCase{"ui2", platform::Variant::fromUInt16(65535), " type=\"unsignedShort\" value=\"65535\""},
        TypedValueCase{"ui4", platform::Variant::fromUInt32(4294967295u),
                       " type=\"unsignedInt\" value=\"4294967295\""},
        TypedValueCase{"i8", platform::Variant::fromInt64(INT64_MIN), " type=\"long\" value=\"-9223372036854775808\""},
        TypedValueCase{"ui8", platform::Variant::fromUInt64(UINT64_MAX),
                       " type=\"unsignedLong\" value=\"18446744073709551615\""},
        TypedValueCase{"fileTime", platform::Variant::fromFileTime(kFileTime),
                       " type=\"timeInstant\" value=\"2001-02-03T04:05:06\""},
        TypedValueCase{"zeroFileTime", platform::Variant::fromFileTime(0), ""},
        TypedValueCase{"hugeFileTime", platform::Variant::fromFileTime(UINT64_MAX), ""},
        TypedValueCase{"unlisted", unlisted(), ""}),
    [](const ::testing::TestParamInfo<TypedValueCase>& info) { return std::string(info.param.label); });

TEST(PropertyTypes, OnlyValueTypeWordsAreTakenAndAnUnsetTypeReadsAsString) {
    SimpleProperty property("n", "v");
    EXPECT_EQ(property.getType(), "string");
    EXPECT_EQ(property.getTypeCode(), 1);
    EXPECT_FALSE(property.setType("String"));
    EXPECT_EQ(property.toXml().toUtf8(), "<SimpleProperty name=\"n\" value=\"v\" />");
    EXPECT_TRUE(property.setType("string"));  // set, so written though equal to the default
    EXPECT_EQ(property.toXml().toUtf8(), "<SimpleProperty name=\"n\" type=\"string\" value=\"v\" />");
    EXPECT_TRUE(property.setType("longList"));
    EXPECT_EQ(property.getTypeCode(), 24);
}

}  // namespace
