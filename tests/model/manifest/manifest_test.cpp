#include "model/manifest/manifest.h"

#include <gtest/gtest.h>

#include <vector>

#include "model/manifest/manifest_builder.h"
#include "model/manifest/manifest_namespace.h"
#include "model/xml/xml_test_support.h"

namespace {

using namespace DWFManifest;
using DWF::DwfResult;
using DWFManifestBuilders::ManifestBuilder;
using DWFUtil::ObjectRef;
using DWFUtil::String;
using DWFXmlFramework::newObject;
using xmltest::replaceAll;

constexpr int32_t OK = DwfResult::Success;
constexpr int32_t BAD = DwfResult::XmlParseError;
constexpr int32_t NEWER = DwfResult::UnsupportedVersion;

const std::string kHead =
    "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" xmlns:xsi=\"http://www.w3.org/2000/10/XMLSchema-instance\" "
    "xsi:schemaLocation=\"DWF-Manifest:6.0 DWF-Manifest.xsd\" version=\"6.0\" objectId=\"";

const std::string kFullManifest =
    kHead + "0F1E2D3C-4B5A-6978-8796-A5B4C3D2E1F0\">"
    "<dwf:Interfaces><dwf:Interface objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" name=\"ePlot\" "
    "href=\"urn:dwf:ePlot\" /></dwf:Interfaces><dwf:Properties><dwf:Property name=\"DwfToolkitVersion\" "
    "value=\"6.0.1.15\" /><dwf:Property name=\"XScale\" type=\"double\" value=\"0.10000000000000000555111512312578\" />"
    "<dwf:SimpleProperty name=\"Units\" category=\"Plot\" units=\"mm\" value=\"a&lt;b &amp; &quot;c&quot;\" />"
    "</dwf:Properties><dwf:Sections><dwf:Section type=\"dwf.ePlot\" name=\"dwf.ePlot_AB\" title=\"Page 1\"><dwf:Source "
    "provider=\"KESTRA\" dwf:href=\"dwf.ePlot_AB\" /><dwf:Toc><dwf:Resource dwf:role=\"2d streaming graphics\" "
    "dwf:mime=\"application/x-w2d\" dwf:href=\"dwf.ePlot_AB\\AB.w2d\" /><dwf:Resource dwf:role=\"descriptor\" "
    "dwf:mime=\"text/xml\" dwf:href=\"dwf.ePlot_AB\\descriptor.xml\" /></dwf:Toc></dwf:Section><dwf:Section "
    "type=\"dwf.ePlot\" name=\"dwf.ePlot_CD\" title=\"Page 2\"><dwf:Source provider=\"KESTRA\" "
    "dwf:href=\"dwf.ePlot_CD\" objectId=\"77\" /><dwf:Toc><dwf:Resource dwf:role=\"2d streaming graphics\" "
    "dwf:mime=\"application/x-w2d\" dwf:href=\"dwf.ePlot_CD\\CD.w2d\" /><dwf:Resource dwf:role=\"descriptor\" "
    "dwf:mime=\"text/xml\" dwf:href=\"dwf.ePlot_CD\\descriptor.xml\" /></dwf:Toc></dwf:Section></dwf:Sections>"
    "<dwf:Dependencies dwf:sectionIndex=\"2\"><dwf:Dependency dwf:sectionIndex=\"1\" /></dwf:Dependencies>"
    "</dwf:Manifest>";

ObjectRef<Manifest> readManifest(const std::string& text, int32_t* result = nullptr) {
    return xmltest::readWith<ManifestBuilder>(text, result)->getManifest();
}

// The manifest built from `text` as it writes itself, bound to the manifest namespace when `bind`, marked when it does
// not validate; "null" when the builder made none.
std::string rebuilt(const std::string& text, bool bind = true) {
    int32_t result = 0;
    const ObjectRef<Manifest> manifest = readManifest(text, &result);
    EXPECT_EQ(result, OK);
    if (manifest.isNull()) return "null";
    if (bind) manifest->addNamespace(newObject<ManifestNamespace>(), "dwf");
    return (manifest->validate() ? "" : "invalid ") + manifest->toXml().toUtf8();
}

// kFullManifest with the prefix `element` (with its colon) on elements and `attribute` on attributes.
std::string withPrefixes(const std::string& element, const std::string& attribute) {
    return replaceAll(replaceAll(replaceAll(kFullManifest, "<dwf:", "<" + element), "</dwf:", "</" + element), " dwf:",
                      " " + attribute);
}

class ManifestWriterTest : public testsupport::TempDirTest {};

// Any prefix or none, on elements or attributes, builds the same objects.
TEST_F(ManifestWriterTest, ReadsAndWritesEveryChildInItsOrder) {
    const std::string documents[] = {
        kFullManifest, withPrefixes("dwf:", ""),
        replaceAll(replaceAll(withPrefixes("m:", "m:"), "xmlns:dwf", "xmlns:m"), "\"", "'"),
        replaceAll(withPrefixes("", ""), "xmlns:dwf", "xmlns")};
    for (const std::string& document : documents) EXPECT_EQ(rebuilt(document), kFullManifest) << document;
    EXPECT_TRUE(xmltest::xmllintAccepts(workDir(), kFullManifest));
    // Unbound, the read names keep no prefix, but the declarations read are written again.
    EXPECT_EQ(rebuilt(kFullManifest, false), withPrefixes("", ""));
    // A source made by the program without object identifier writes none.
    EXPECT_EQ(newObject<Source>("K", "h", "")->toXml() + newObject<Source>("K", "h", "7")->toXml(),
              "<Source provider=\"K\" href=\"h\" /><Source provider=\"K\" href=\"h\" objectId=\"7\" />");
    // A new manifest has no Interfaces element but an empty property list.
    const ObjectRef<Manifest> created = newObject<Manifest>();
    const std::string objectId = created->getObjectId().toUtf8();
    created->addNamespace(newObject<ManifestNamespace>(), "dwf");
    EXPECT_TRUE(objectId.size() == 36 && created->validate());
    EXPECT_EQ(created->toXml().toUtf8(), kHead + objectId + "\"><dwf:Properties /><dwf:Sections /></dwf:Manifest>");
}

// What does not qualify is dropped, references are resolved or kept, a duplicate attribute gives its first value; a
// missing value and section indexes that are negative or do not fit 32 bits fail validation, not reading.
TEST(ManifestBuilder, DropsWhatDoesNotQualifyAndReadsHostileValuesSafely) {
    const std::string huge(1 << 20, 'x');
    const struct { std::string document; std::string expected; } cases[] = {
        {"<Manifest objectId='d'><Interfaces/><Properties><Property name='a' value='1' type='bogus'/>"
         "<Property name='b' value='2' type='int'/><SimpleProperty name='c'/><Unknown name='d' value='4'/></Properties>"
         "<Sections><Section name='bad'><Source href='x'/></Section>"
         "<Section name='good'><Toc><Resource href='r'/></Toc><Source href='g'/><Toc/></Section></Sections>"
         "<Dependencies sectionIndex='99999999999'><Dependency sectionIndex='abc'/></Dependencies></Manifest>",
         "invalid <Manifest version=\"6.0\" objectId=\"d\"><Properties><Property name=\"b\" type=\"int\" value=\"2\" />"
         "<SimpleProperty name=\"c\" /></Properties><Sections><Section name=\"good\"><Source href=\"g\" /><Toc>"
         "<Resource href=\"r\" /></Toc></Section></Sections><Dependencies><Dependency sectionIndex=\"0\" />"
         "</Dependencies></Manifest>"},
        {"<Manifest version='&#x37;.0' objectId='&#0;&#xD800;&#99999999999;&#;&#x;&amp'>"
         "<Properties><Property name='a' name='b' value='" + huge + "' type='&#x69;nt'/>"
         "<Property name='c' value='&lt;&gt;&quot;&apos;' type=''/></Properties><Sections><Section name='s'><Source "
         "href=''/><Toc><Resource href='\\..\\..\\etc' role='font\n'/></Toc></Section></Sections><Dependencies "
         "sectionIndex='-2147483648'><Dependency sectionIndex='2147483648'/><Dependency sectionIndex=' +7junk'/>"
         "</Dependencies></Manifest>",
         "invalid <Manifest version=\"7.0\" objectId=\"&#x00;&#65533;&#65533;&#x00;&#x00;&amp;amp\"><Properties>"
         "<Property name=\"a\" type=\"int\" value=\"" + huge + "\" /></Properties><Sections><Section name=\"s\">"
         "<Source href=\"\" /><Toc><Resource role=\"font&#x0A;\" href=\"\\..\\..\\etc\" /></Toc></Section></Sections>"
         "<Dependencies sectionIndex=\"-2147483648\"><Dependency /><Dependency sectionIndex=\"7\" /></Dependencies>"
         "</Manifest>"},
    };
    for (const auto& c : cases) EXPECT_EQ(rebuilt(c.document, false), c.expected);
}

std::string section(const std::string& children) {
    return "<Manifest><Sections><Section name='a'>" + children + "</Section></Sections></Manifest>";
}

std::string minimal(const std::string& attributes) {
    return "<dwf:Manifest xmlns:dwf='DWF-Manifest:6.0' " + attributes +
           "><dwf:Sections><dwf:Section name='a'><dwf:Source href='a'/><dwf:Toc>"
           "<dwf:Resource href='a\\b'/></dwf:Toc></dwf:Section></dwf:Sections></dwf:Manifest>";
}

// Documents above version 7 are refused; a manifest is built only when the
// document ends with a section that has a source and a resource.
TEST(ManifestBuilder, BuildsOnlyCompleteDocumentsOfAKnownVersion) {
    const struct { std::string document; int32_t result; bool built; } cases[] = {
        {minimal("version='6.0'"), OK, true}, {minimal("version='7.0'"), OK, true}, {minimal(""), OK, true},
        {minimal("version='six'"), OK, true}, {minimal("version=''"), OK, true}, {minimal("version='8'"), NEWER, false},
        {minimal("version='7.01'"), NEWER, false}, {minimal("version='1e300'"), NEWER, false},
        {minimal("version='&#56;'"), NEWER, false},
        {minimal("xsi:schemaLocation='DWF-Manifest:6.0 DWF-Manifest.xsd'"), OK, true},
        {minimal("xmlns:xmlns='U' xsi:schemaLocation='U DWF-Manifest:7.5'"), NEWER, false},
        {minimal("xmlns:xmlns='U' xsi:schemaLocation='U DWF-Manifest:7.0'"), OK, true},
        {minimal("version='7.0' xmlns:xmlns='U' xsi:schemaLocation='U DWF-Manifest:9.0'"), OK, true},
        {"<Manifest version='6.0'><Properties/></Manifest>", OK, false},
        {"<Manifest><Sections/></Manifest>", OK, false}, {section("<Source href='a'/>"), OK, false},
        {section("<Toc><Resource href='r'/></Toc>"), OK, false}, {section("<Source href='a'/><Toc/>"), OK, false},
        {section("<Source href='a'/><Toc><Source href='r'/></Toc>"), OK, false},
        {"<Manifest><Section name='a'><Source href='a'/><Toc><Resource href='r'/></Toc></Section></Manifest>", OK,
         false},
        {"<Manifest><Other><Sections><Section name='a'><Source href='a'/><Toc><Resource href='r'/></Toc></Section>"
         "</Sections></Other></Manifest>", OK, false},
        {"<Manifest><Sections><Toc><Resource href='r'/></Toc><Source href='a'/></Sections></Manifest>", OK, false},
        {replaceAll(minimal(""), "</dwf:Manifest>", "</dwf:Manifst>"), BAD, false},
        {"<Manifest><Sections><Section name='a'><Source href='a'/><Toc><Resource href='r", BAD, false},
        {"<Manifest version='7.0", BAD, false},
    };
    for (const auto& c : cases) {
        int32_t result = 0;
        EXPECT_TRUE(!readManifest(c.document, &result).isNull() == c.built && result == c.result) << c.document;
    }
}

TEST(ManifestValidation, DependenciesMayNameSectionsUpToTheirCount) {
    const struct { int32_t ownIndex; int32_t dependencyIndex; bool valid; } cases[] = {
        {2, 2, true}, {0, 1, true}, {3, 1, false}, {2, 3, false}, {-1, 1, false}, {1, -5, false}};
    for (const auto& c : cases) {
        ObjectRef<Manifest> manifest = readManifest(kFullManifest);
        ObjectRef<Dependencies> dependencies = newObject<Dependencies>(c.ownIndex);
        dependencies->add(newObject<Dependency>(c.dependencyIndex));
        manifest->addDependencies(dependencies);
        EXPECT_EQ(manifest->validate(), c.valid) << c.ownIndex << " " << c.dependencyIndex;
    }
    // A property without name or value, a section without source or toc, no interfaces, dependencies without
    // index make it invalid; properties cannot be taken away.
    void (*const breakers[])(Manifest&) = {
        [](Manifest& m) { m.getProperties()->add(newObject<Property>()); },
        [](Manifest& m) { m.getSections()->add(newObject<Section>("s")); },
        [](Manifest& m) { m.setInterfaces(ObjectRef<Interfaces>()); },
        [](Manifest& m) { m.addDependencies(newObject<Dependencies>()); }};
    for (const auto& breakIt : breakers) {
        const ObjectRef<Manifest> manifest = readManifest(kFullManifest);
        breakIt(*manifest);
        const bool valid = manifest->validate();
        manifest->setProperties(ObjectRef<Properties>());
        EXPECT_TRUE(!valid && !manifest->getProperties().isNull()) << &breakIt - breakers;
    }
    // Sections are found by name or source, interfaces by object identifier, roles by word.
    const ObjectRef<Manifest> manifest = readManifest(kFullManifest);
    const ObjectRef<Sections>& sections = manifest->getSections();
    const ObjectRef<Interfaces>& interfaces = manifest->getInterfaces();
    const ObjectRef<Toc>& toc = (*sections)[0]->getToc();
    const std::vector<int32_t> found = {
        sections->findByName("dwf.ePlot_CD"), sections->findByName("dwf.ePlot_XX"),
        sections->findByHref("dwf.ePlot_AB"), sections->findByHref("elsewhere"),
        interfaces->findByObjectId("715941D4-1AC2-4545-8185-BC40E053B551"),
        interfaces->findByObjectId("715941d4-1ac2-4545-8185-bc40e053b551"), (*toc)[0]->getRoleCode(),
        (*toc)[1]->getRoleCode(), Resource("raster markup", "x", "y").getRoleCode(),
        Resource("2D streaming graphics", "x", "y").getRoleCode()};
    EXPECT_EQ(found, (std::vector<int32_t>{2, -1, 1, -1, 1, -1, 1, 4, 21, 0}));
}

TEST(PropertyTypes, ValueAndTypeAreWrittenByTheVariantType) {
    using V = platform::Variant;
    V oddBoolean = V::fromBool(true);
    oddBoolean.boolVal = 1;
    V date = V::fromDouble(1.0);
    date.type = 7;  // not among the types a property takes
    const uint64_t fileTime = 126256467067890000ULL;  // 2001-02-03 04:05:06.789 UTC in 100 ns ticks since 1601
    const struct { V value; const char* expected; } cases[] = {
        {V::fromInt16(-32768), " type=\"short\" value=\"-32768\""}, {V::fromInt32(-7), " type=\"int\" value=\"-7\""},
        {V::fromFloat(0.1f), " type=\"float\" value=\"0.100000001490116119384765625\""},
        {V::fromDouble(0.5), " type=\"double\" value=\"0.5\""}, {V::fromWide(u"A\u00e9"), " value=\"A&#xE9;\""},
        {V::fromWide(std::nullopt), " value=\"\""}, {V::fromWide(u"w", platform::VT_LPWSTR), " value=\"w\""},
        {V::fromNarrow("n"), " value=\"n\""}, {V::fromNarrow(std::nullopt), " value=\"\""}, {V::fromFileTime(0), ""},
        {V::fromBool(true), " type=\"boolean\" value=\"true\""},
        {V::fromBool(false), " type=\"boolean\" value=\"false\""}, {oddBoolean, " type=\"boolean\""},
        {V::fromUInt16(65535), " type=\"unsignedShort\" value=\"65535\""},
        {V::fromUInt32(4294967295u), " type=\"unsignedInt\" value=\"4294967295\""},
        {V::fromInt64(INT64_MIN), " type=\"long\" value=\"-9223372036854775808\""},
        {V::fromUInt64(UINT64_MAX), " type=\"unsignedLong\" value=\"18446744073709551615\""},
        {V::fromFileTime(fileTime), " type=\"timeInstant\" value=\"2001-02-03T04:05:06\""},
        {V::fromUInt8(255), " type=\"unsignedByte\" value=\"255\""}, {V::fromFileTime(UINT64_MAX), ""}, {date, ""}};
    const std::string p = "<Property name=\"p\"";
    for (const auto& c : cases) EXPECT_EQ(newObject<Property>("p", c.value)->toXml().toUtf8(), p + c.expected + " />");
    // Only value type words are taken, and an unset type reads as string.
    SimpleProperty property("n", "v");
    EXPECT_TRUE(property.getType() == "string" && property.getTypeCode() == 1 && !property.setType("String"));
    EXPECT_EQ(property.toXml().toUtf8(), "<SimpleProperty name=\"n\" value=\"v\" />");
    EXPECT_TRUE(property.setType("string"));  // set, so written though equal to the default
    EXPECT_EQ(property.toXml().toUtf8(), "<SimpleProperty name=\"n\" type=\"string\" value=\"v\" />");
    EXPECT_TRUE(property.setType("longList") && property.getTypeCode() == 24);
}

}  // namespace
