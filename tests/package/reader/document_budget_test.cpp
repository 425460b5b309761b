// What a package's documents may cost is bounded as a whole: each parse of
// a document counts its size against the document size limit, so a manifest
// that lists one large descriptor under many spellings, or many large
// descriptors, cannot make the reader hold one copy per listing.
#include <gtest/gtest.h>

#include "dwfplot/DwfResult.h"
#include "model/xml/xml_builder.h"
#include "package/reader/dwf_reader.h"
#include "package_files.h"

namespace {

using namespace readertest;

class BudgetReader : public DWFReader::DwfReader {
public:
    using DwfReader::DwfReader;
    DWF::DwfResult::Enum parse(const char* name) {
        return parseDocument(str(name), DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>(new DWFXmlBuilder::XmlBuilder()));
    }
};

// A well-formed document of `size` bytes, almost all of it one comment.
std::string document(size_t size) {
    std::string text = "<a><!--";
    text.append(size - text.size() - 7, ' ');
    return text + "--></a>";
}

class DocumentBudgetTest : public testsupport::TempDirTest {};

TEST_F(DocumentBudgetTest, DocumentsTogetherStayWithinTheLimit) {
    const uint64_t limit = DWFReader::DwfReader::kDocumentSizeLimit;
    const std::string path = workDir() + "budget.dwf";
    writeArchive(path, {{"one.xml", document(limit / 8 * 5)},
                        {"two.xml", document(limit / 2)},
                        {"three.xml", document(1024)}});
    BudgetReader reader(str(path), DWFUtil::String());
    EXPECT_EQ(reader.parse("one.xml"), DWF::DwfResult::Success);
    // Alone it would pass; after the first it is too much.
    EXPECT_EQ(reader.parse("two.xml"), DWF::DwfResult::InvalidData);
    EXPECT_EQ(reader.parse("three.xml"), DWF::DwfResult::Success);
    // Another spelling of the same entry is another copy.
    EXPECT_EQ(reader.parse("/ONE.xml"), DWF::DwfResult::InvalidData);

    BudgetReader fresh(str(path), DWFUtil::String());
    EXPECT_EQ(fresh.parse("two.xml"), DWF::DwfResult::Success);
}

}  // namespace
