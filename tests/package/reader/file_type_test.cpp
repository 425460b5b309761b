// The file-type table: packages whose first 12 bytes vary, read through the
// reader's detection, and the classification of bare headers.
#include <gtest/gtest.h>

#include <cstring>

#include "dwfplot/DwfResult.h"
#include "package/reader/dwf_reader.h"
#include "package/reader/file_type.h"
#include "package_files.h"

namespace {

using namespace readertest;
using DWFReader::DwfReader;

struct TypeCase {
    const char* prefix;  // 12 bytes in front of a plain archive; empty: none
    int32_t type;
    int32_t version;
};

class DetectDwfTypeTest : public testsupport::TempDirTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(DetectDwfTypeTest, ClassifiesTheFirstTwelveBytes) {
    const TypeCase& c = GetParam();
    const std::string path = workDir() + "typed.dwf";
    writePrefixedArchive(path, c.prefix, {{"manifest.xml", "<Manifest/>"}});
    DwfReader reader(str(path), DWFUtil::String());
    int32_t version = 12345;
    DWFUtil::String typeInfo("unchanged");
    EXPECT_EQ(reader.detectDwfType(version, typeInfo), c.type);
    if (c.type != DWFReader::UnknownType) {
        EXPECT_EQ(version, c.version);
    }
    // A known type is cached and answered again without reading.
    int32_t again = 0;
    EXPECT_EQ(reader.detectDwfType(again, typeInfo), c.type);
}

INSTANTIATE_TEST_SUITE_P(
    FileTypes, DetectDwfTypeTest,
    ::testing::Values(TypeCase{"(DWF V06.00)", 0, 600}, TypeCase{"(DWF V06.01)", 0, 601},
                      TypeCase{"(W2D V06.00)", 1, 600}, TypeCase{"(DWF V05.50)", 2, 550},
                      TypeCase{"", 3, -1}, TypeCase{"(DWF V6.00))", 4, -1}, TypeCase{"(W2D V05.00)", 4, 500},
                      TypeCase{"(DWF V06.0a)", 4, -1}, TypeCase{"(DWF V06,00)", 4, -1},
                      TypeCase{"PK\x05\x06xxxxxxxx", 4, -1}));

TEST(ClassifyFileHeaderTest, ShortOrMissingHeadersAreUnknown) {
    int32_t version = 0;
    EXPECT_EQ(DWFReader::classifyFileHeader(reinterpret_cast<const uint8_t*>("(DWF V06.00"), 11, version),
              DWFReader::UnknownType);
    EXPECT_EQ(version, -1);
    EXPECT_EQ(DWFReader::classifyFileHeader(nullptr, 12, version), DWFReader::UnknownType);
}

class TypeInfoTest : public testsupport::TempDirTest {};

TEST_F(TypeInfoTest, PackageTypeComesFromTheTypeInfoEntryOnlyForPackages) {
    const std::string path = workDir() + "typed.dwf";
    writeArchive(path, {{"manifest.xml", "<Manifest/>"}, {"ePlot.TYPEINFO", ""}});
    DwfReader reader(str(path), DWFUtil::String());
    int32_t version = 0;
    DWFUtil::String typeInfo;
    EXPECT_EQ(reader.detectDwfType(version, typeInfo), DWFReader::DwfPackage);
    EXPECT_EQ(typeInfo, "ePlot");
    EXPECT_EQ(version, 600);

    // Without such an entry the type info is empty.
    const std::string plain = workDir() + "plain.dwf";
    writeArchive(plain, {{"manifest.xml", "<Manifest/>"}});
    DwfReader plainReader(str(plain), DWFUtil::String());
    typeInfo = DWFUtil::String("x");
    EXPECT_EQ(plainReader.detectDwfType(version, typeInfo), DWFReader::DwfPackage);
    EXPECT_TRUE(typeInfo.empty());
}

TEST_F(TypeInfoTest, ReaderWithoutPackageKnowsNoType) {
    DwfReader reader{DWFUtil::String(), DWFUtil::String()};
    int32_t version = 0;
    DWFUtil::String typeInfo;
    EXPECT_EQ(reader.detectDwfType(version, typeInfo), DWFReader::UnknownType);
    EXPECT_THROW(reader.hasEntry(str("manifest.xml")), DWF::DwfResult::Enum);
    DWFReader::ArchiveFileInfo info;
    EXPECT_EQ(reader.getEntryInfo(str("manifest.xml"), info), DWF::DwfResult::NoPackageOpen);
}

TEST_F(TypeInfoTest, FileThatIsNoArchiveCannotBeOpened) {
    const std::string path = workDir() + "stream.w2d";
    testsupport::writeFile(path, "(W2D V06.00)not an archive at all");
    try {
        DwfReader reader(str(path), DWFUtil::String());
        FAIL() << "opened";
    } catch (DWF::DwfResult::Enum rc) {
        EXPECT_EQ(rc, DWF::DwfResult::FileOpenFailed);
    }
    EXPECT_THROW(DwfReader(str(workDir() + "missing.dwf"), DWFUtil::String()), DWF::DwfResult::Enum);
}

}  // namespace
