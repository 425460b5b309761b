// Documents are parsed in memory only up to 64 MiB: larger ones, and ones
// whose directory record claims more, are refused before they are read.
#include <gtest/gtest.h>

#include <functional>

#include "dwfplot/DwfResult.h"
#include "model/xml/xml_builder.h"
#include "package/reader/dwf_reader.h"
#include "package_files.h"

namespace {

using namespace readertest;

class DocumentReader : public DWFReader::DwfReader {
public:
    using DwfReader::DwfReader;
    DWF::DwfResult::Enum parse(const char* name) {
        return parseDocument(str(name), DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>(new DWFXmlBuilder::XmlBuilder()));
    }
};

class DocumentLimitsTest : public testsupport::TempDirTest {};

TEST_F(DocumentLimitsTest, DocumentsParseUpToTheLimit) {
    const std::string path = workDir() + "docs.dwf";
    writeArchive(path, {{"manifest.xml", "<a><b x='1'/>text</a>"}, {"broken.xml", "<a><b></a>"}});
    DocumentReader reader(str(path), DWFUtil::String());
    EXPECT_EQ(reader.parse("/manifest.xml"), DWF::DwfResult::Success);
    EXPECT_EQ(reader.parse("broken.xml"), DWF::DwfResult::XmlParseError);
    EXPECT_THROW(reader.parse("absent.xml"), DWF::DwfResult::Enum);
}

TEST_F(DocumentLimitsTest, DocumentLargerThanTheLimitIsRefused) {
    const std::string path = workDir() + "large.dwf";
    std::string large = "<a>";
    large.append(DWFReader::DwfReader::kDocumentSizeLimit, ' ');
    large += "</a>";
    writeArchive(path, {{"manifest.xml", large}});
    large.clear();
    large.shrink_to_fit();
    DocumentReader reader(str(path), DWFUtil::String());
    EXPECT_EQ(reader.parse("manifest.xml"), DWF::DwfResult::InvalidData);
}

// The directory says 2 GiB; the data could inflate to that much, so the
// archive itself opens, but the document is refused by its size alone.
TEST_F(DocumentLimitsTest, ClaimOfGigabytesIsRefusedWithoutReading) {
    const std::string path = workDir() + "claim.dwf";
    writeArchive(path, {{"manifest.xml", noise(2200000, 5)}});
    std::string bytes = testsupport::readFile(path);
    const uint32_t claim = 0x80000000u;
    set32(bytes, 12 + 22, claim);  // the local header follows the DWF header
    set32(bytes, bytes.rfind("PK\x01\x02") + 24, claim);
    testsupport::writeFile(path, bytes);

    DocumentReader reader(str(path), DWFUtil::String());
    EXPECT_EQ(reader.parse("manifest.xml"), DWF::DwfResult::InvalidData);
    // Copying it finds the data short of the claim: no copy is left behind.
    DWFUtil::String copy;
    EXPECT_THROW(reader.materializeEntry(copy, str("manifest.xml")), DWF::DwfResult::Enum);
    EXPECT_TRUE(copy.empty());
    EXPECT_TRUE(testsupport::listTree(reader.workingDirectory()).empty());
}

}  // namespace
