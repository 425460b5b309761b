// Packages from a hostile producer, written byte by byte or with the project's ZIP writer: each is refused with
// the error it calls for, or read with nothing written outside the reader's private directory, in bounded memory.
#include <gtest/gtest.h>

#include <filesystem>

#include "dwfplot/DWFPlotFile.h"
#include "hostile_support.h"

namespace {

using hostile::HostileTest;
using hostile::PackageReplay;
using testsupport::descriptorXml;
using testsupport::Entry;
using testsupport::repeat;
using testsupport::ZipEntry;

// The plot's three entries, the page stream under `stream`, as records the test writes.
std::string handMade(ZipEntry manifest, const std::string& stream, const std::string& w2d) {
    return testsupport::zipArchive({manifest, ZipEntry{"section1\\descriptor.xml", descriptorXml(stream)},
                                    ZipEntry{stream, w2d}},
                                   testsupport::kDwfHeader)
        .bytes;
}

namespace fs = std::filesystem;

std::string onePageStream() { return hostile::onePolyline().finished(); }

std::string attributeText(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '"' ? "&quot;" : std::string(1, c);
    return out;
}

class HostilePackageTest : public HostileTest {};

// A manifest that inflates to 1 GiB: told the truth, the reader refuses the size before inflating anything; lied
// to, it stops where the directory says the manifest ends. Just below the size limit and true to its claim, a
// manifest padded with a comment is read, inflated once into one buffer of its own size; and the hand-made package
// itself reads, so the refusals are the hostile parts' doing.
TEST_F(HostilePackageTest, ManifestsAreRefusedOrReadByWhatTheyHold) {
    const ZipEntry inflating = testsupport::inflatingEntry(
        "manifest.xml", "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\">", ' ', 1024, "</dwf:Manifest>");
    ASSERT_GT(inflating.size, 1u << 30);
    const auto claiming = [&inflating](uint32_t size) {
        ZipEntry entry = inflating;
        entry.size = size;
        return entry;
    };
    const std::string manifest = testsupport::manifestXml(testsupport::plotPackage({""}));
    const size_t cut = manifest.find("<dwf:Sections>");
    const ZipEntry padded = testsupport::inflatingEntry("manifest.xml", manifest.substr(0, cut) + "<!--", ' ', 63,
                                                        "-->" + manifest.substr(cut));
    const struct { const char* what; ZipEntry manifest; const char* stream; std::string message; } cases[] = {
        {"true size", inflating, "page.w2d", "PLT_INTERNAL_ERROR"},
        {"just below the limit", claiming((64u << 20) - 1), "page.w2d", "PLT_ZIPLIB_ERROR"},
        {"small", claiming(4096), "page.w2d", "PLT_ZIPLIB_ERROR"}, {"at the size limit", padded, "page.w2d", ""},
        {"hand-made", ZipEntry{"manifest.xml", manifest}, "section1\\page.w2d", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::writeFile(workDir() + "hostile.dwf", handMade(c.manifest, c.stream, onePageStream()));
        const PackageReplay r = testsupport::replayPackage(workDir() + "hostile.dwf");
        EXPECT_EQ(r.readable ? "" : r.message, c.message);
        EXPECT_EQ(r.opened, c.message.empty());
        EXPECT_TRUE(r.ended);
        EXPECT_EQ(r.operations, c.message.empty() ? hostile::kOnePolylinePlot : hostile::Lines{});
    }
    expectBoundedMemory();
}

// Entry names are data: the page reads from the entry it names, and its temporary copy lies in the reader's
// private directory whatever the name says; nothing appears next to the temporary directory or the package.
TEST_F(HostilePackageTest, EntryNamesStayInsideThePrivateDirectory) {
    const std::string names[] = {
        "..\\..\\escape-hostile.w2d", "../../escape-hostile.w2d", "section1\\..\\..\\..\\escape-hostile.w2d",
        "/tmp/escape-hostile.w2d", "C:\\escape-hostile.w2d", "\\\\server\\share\\escape-hostile.w2d",
        "page.w2d/../../escape-hostile", "section1\\page.w2d\\..\\..\\escape-hostile", "a:b|c*d?e<f>g;h\t\"i&j.w2d",
        "...", std::string(250, 'n') + ".w2d", "page\n\r\x01\x7F.w2d"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        std::vector<Entry> entries = testsupport::onePagePackage(onePageStream(), name);
        entries[1].content = descriptorXml(attributeText(name));
        testsupport::writeArchive(workDir() + "names.dwf", entries);
        DWFPlotFileReader reader;
        ASSERT_TRUE(reader.openPlot(workDir() + "names.dwf"));
        std::vector<std::string> pages;
        reader.getPages(pages);
        ASSERT_EQ(pages.size(), 1u);
        const fs::path copy = fs::weakly_canonical(pages[0]);
        EXPECT_EQ(copy.parent_path().parent_path(), fs::weakly_canonical(tempDir())) << pages[0];
        EXPECT_TRUE(fs::is_regular_file(copy));
        EXPECT_EQ(copy.filename().string().find("escape"), std::string::npos) << pages[0];
        bool ended = false;
        EXPECT_EQ(testsupport::replay(reader, 6, &ended), hostile::kOnePolylinePlot);
        EXPECT_TRUE(ended && reader.getOperation() == PLT_END_OF_PLOT && reader.getOperation() == PLT_END_OF_PLOT);
        for (const fs::path& place : {fs::path(tempDir()).parent_path().parent_path(), fs::path(workDir())}) {
            for (const fs::directory_entry& e : fs::directory_iterator(place)) {
                EXPECT_EQ(e.path().filename().string().find("escape-hostile"), std::string::npos) << e.path();
            }
        }
    }
}

// XML nested 100,000 deep is a parse error, without recursion, both where canRead looks (the manifest) and where
// only openPlot does (a descriptor).
TEST_F(HostilePackageTest, DeeplyNestedXmlIsAParseError) {
    const std::string deep = repeat("<dwf:Property>", 100000) + repeat("</dwf:Property>", 100000);
    std::vector<Entry> entries = testsupport::onePagePackage(onePageStream());
    entries[0].content.insert(entries[0].content.find("<dwf:Sections>"), deep);
    testsupport::writeArchive(workDir() + "manifest.dwf", entries);
    PackageReplay r = testsupport::replayPackage(workDir() + "manifest.dwf");
    EXPECT_FALSE(r.readable);
    EXPECT_EQ(r.message, "PLT_INVALID_XML_CONTENT_ERROR");
    EXPECT_FALSE(r.opened);

    entries = testsupport::onePagePackage(onePageStream());
    std::string& descriptor = entries[1].content;
    descriptor.insert(descriptor.find("<ePlot:Resources>"), repeat("<ePlot:Paper>", 100000) + repeat("</ePlot:Paper>", 100000));
    testsupport::writeArchive(workDir() + "descriptor.dwf", entries);
    r = testsupport::replayPackage(workDir() + "descriptor.dwf");
    EXPECT_TRUE(r.readable);
    EXPECT_FALSE(r.opened);
    EXPECT_TRUE(r.ended);
    expectBoundedMemory();
}

}  // namespace
