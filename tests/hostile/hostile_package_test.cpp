// Packages from a hostile producer, written byte by byte or with the project's
// ZIP writer: a manifest that inflates to a gigabyte, entry names that look
// like paths out of the reader's directory, XML nested 100,000 deep. Each is
// refused with the error it calls for, or read with nothing written outside
// the reader's private directory, in bounded memory.
#include <gtest/gtest.h>

#include <filesystem>

#include "dwfplot/DWFPlotFile.h"
#include "hostile_support.h"

namespace {

using hostile::HostileTest;
using hostile::PackageReplay;
using testsupport::descriptorXml;
using testsupport::Entry;
using testsupport::ZipEntry;

// The plot's three entries, the page stream under `stream`, as records the test writes.
std::string handMade(ZipEntry manifest, const std::string& stream, const std::string& w2d) {
    return testsupport::zipArchive({manifest, ZipEntry{"section1\\descriptor.xml", descriptorXml(stream)},
                                    ZipEntry{stream, w2d}},
                                   testsupport::kDwfHeader)
        .bytes;
}

std::string ourManifest() { return testsupport::manifestXml(testsupport::plotPackage({""})); }

namespace fs = std::filesystem;

std::string onePageStream() { return hostile::onePolyline().finished(); }

std::string attributeText(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

class HostilePackageTest : public HostileTest {
protected:
    std::string write(const std::string& bytes) {
        const std::string path = workDir() + "hostile.dwf";
        testsupport::writeFile(path, bytes);
        return path;
    }
};

// --- a manifest that inflates to 1 GiB ---------------------------------------

struct InflatingCase {
    const char* name;
    uint32_t claimedSize;  // 0: the true size
    const char* message;
};

void PrintTo(const InflatingCase& c, std::ostream* out) { *out << c.name; }

class InflatingManifestTest : public HostilePackageTest, public ::testing::WithParamInterface<InflatingCase> {};

// Told the truth, the reader refuses the size before inflating anything;
// lied to, it stops where the directory says the manifest ends.
TEST_P(InflatingManifestTest, IsRefusedInBoundedMemory) {
    ZipEntry manifest = testsupport::inflatingEntry(
        "manifest.xml", "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\">", ' ', 1024, "</dwf:Manifest>");
    ASSERT_GT(manifest.size, 1u << 30);
    if (GetParam().claimedSize != 0) manifest.size = GetParam().claimedSize;
    const std::string path = write(handMade(manifest, "page.w2d", onePageStream()));
    const PackageReplay r = testsupport::replayPackage(path);
    EXPECT_FALSE(r.readable);
    EXPECT_EQ(r.message, GetParam().message);
    EXPECT_FALSE(r.opened);
    EXPECT_TRUE(r.ended);
    expectBoundedMemory();
}

INSTANTIATE_TEST_SUITE_P(Claims, InflatingManifestTest,
                         ::testing::Values(InflatingCase{"TrueSize", 0, "PLT_INTERNAL_ERROR"},
                                           InflatingCase{"JustBelowTheLimit", (64u << 20) - 1, "PLT_ZIPLIB_ERROR"},
                                           InflatingCase{"Small", 4096, "PLT_ZIPLIB_ERROR"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Just below the size limit and true to its claim, a manifest padded with a
// comment is read: inflated once and read into one buffer of its own size.
TEST_F(HostilePackageTest, ManifestAtTheSizeLimitReads) {
    const std::string manifest = ourManifest();
    const size_t cut = manifest.find("<dwf:Sections>");
    ZipEntry entry = testsupport::inflatingEntry("manifest.xml", manifest.substr(0, cut) + "<!--", ' ', 63,
                                                      "-->" + manifest.substr(cut));
    const std::string path = write(handMade(entry, "page.w2d", onePageStream()));
    const PackageReplay r = testsupport::replayPackage(path);
    EXPECT_TRUE(r.readable) << r.message;
    EXPECT_TRUE(r.opened);
    EXPECT_EQ(r.operations, hostile::kOnePolylinePlot);
    expectBoundedMemory();
}

// --- entry names that look like paths --------------------------------------

struct NameCase {
    const char* label;
    std::string entryName;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.label; }

class EntryNameTest : public HostilePackageTest, public ::testing::WithParamInterface<NameCase> {};

// Entry names are data: the page reads from the entry it names, and its
// temporary copy lies in the reader's private directory whatever the name
// says; nothing appears next to the temporary directory or the package.
TEST_P(EntryNameTest, StaysInsideThePrivateDirectory) {
    const std::string name = GetParam().entryName;
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

INSTANTIATE_TEST_SUITE_P(
    Names, EntryNameTest,
    ::testing::Values(NameCase{"ParentsWithBackslashes", "..\\..\\escape-hostile.w2d"},
                      NameCase{"ParentsWithSlashes", "../../escape-hostile.w2d"},
                      NameCase{"ParentsInsideTheSection", "section1\\..\\..\\..\\escape-hostile.w2d"},
                      NameCase{"AbsolutePath", "/tmp/escape-hostile.w2d"},
                      NameCase{"DrivePath", "C:\\escape-hostile.w2d"},
                      NameCase{"NetworkPath", "\\\\server\\share\\escape-hostile.w2d"},
                      NameCase{"ExtensionWithSeparators", "page.w2d/../../escape-hostile"},
                      NameCase{"ExtensionWithParent", "section1\\page.w2d\\..\\..\\escape-hostile"},
                      NameCase{"OtherSeparators", "a:b|c*d?e<f>g;h\t\"i&j.w2d"},
                      NameCase{"DotsOnly", "..."},
                      NameCase{"LongName", std::string(250, 'n') + ".w2d"},
                      NameCase{"ControlCharacters", "page\n\r\x01\x7F.w2d"}),
    [](const auto& info) { return std::string(info.param.label); });

// --- XML nested 100,000 deep ------------------------------------------------

std::string nested(const std::string& open, const std::string& close, size_t depth) {
    std::string out;
    out.reserve((open.size() + close.size()) * depth);
    for (size_t i = 0; i < depth; ++i) out += open;
    for (size_t i = 0; i < depth; ++i) out += close;
    return out;
}

// The parse error code, without recursion, both where canRead looks (the
// manifest) and where only openPlot does (a descriptor).
TEST_F(HostilePackageTest, DeeplyNestedXmlIsAParseError) {
    const std::string deep = nested("<dwf:Property>", "</dwf:Property>", 100000);
    std::vector<Entry> entries = testsupport::onePagePackage(onePageStream());
    entries[0].content.insert(entries[0].content.find("<dwf:Sections>"), deep);
    testsupport::writeArchive(workDir() + "manifest.dwf", entries);
    PackageReplay r = testsupport::replayPackage(workDir() + "manifest.dwf");
    EXPECT_FALSE(r.readable);
    EXPECT_EQ(r.message, "PLT_INVALID_XML_CONTENT_ERROR");
    EXPECT_FALSE(r.opened);

    entries = testsupport::onePagePackage(onePageStream());
    std::string& descriptor = entries[1].content;
    descriptor.insert(descriptor.find("<ePlot:Resources>"), nested("<ePlot:Paper>", "</ePlot:Paper>", 100000));
    testsupport::writeArchive(workDir() + "descriptor.dwf", entries);
    r = testsupport::replayPackage(workDir() + "descriptor.dwf");
    EXPECT_TRUE(r.readable);
    EXPECT_FALSE(r.opened);
    EXPECT_TRUE(r.ended);
    expectBoundedMemory();
}

// The hand-made package itself reads: the refusals above are the hostile
// parts' doing.
TEST_F(HostilePackageTest, TheHandMadePackageReads) {
    const std::string path = write(handMade(ZipEntry{"manifest.xml", ourManifest()}, "section1\\page.w2d",
                                            onePageStream()));
    const PackageReplay r = testsupport::replayPackage(path);
    EXPECT_TRUE(r.readable) << r.message;
    ASSERT_TRUE(r.opened);
    EXPECT_EQ(r.operations, hostile::kOnePolylinePlot);
}

}  // namespace
