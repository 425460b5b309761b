// The package readers on packages made without our writers, the ePlot reader
// on documents in forms our writer never gives them.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <set>
#include <tuple>

#include "model/eplot/eplot_graphic_resource.h"
#include "model/eplot/eplot_identifiers.h"
#include "model/manifest/interface.h"
#include "model/xml/new_object.h"
#include "model/xml/xml_builder.h"
#include "package/package_test_support.h"
#include "package/reader/dwf_reader.h"
#include "package/reader/eplot_dwf_reader.h"
#include "package/reader/file_type.h"
#include "platform/debug_output.h"

namespace {

using namespace packagetest;
using DWF::DwfResult;
using DWFEPlot::EPlotDwfReader;
using DWFReader::DwfReader;

std::string readAll(DWFUtil::InputStream& stream, uint32_t piece) {
    std::string out;
    std::string buffer(piece, '\0');
    int64_t n;
    while ((n = stream.read(buffer.data(), piece)) > 0) out.append(buffer.data(), static_cast<size_t>(n));
    return n < 0 ? out + "#" + std::to_string(n) : out;
}

std::string directoryOf(const std::string& path) { return path.substr(0, path.rfind('/') + 1); }

class DwfReaderTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        path_ = workDir() + "package.dwf";
        // Local extras unlike the central ones; a DWF header the offsets do not count.
        writeFile(path_, kDwfHeader + archive_.bytes);
    }
    std::string write(const std::vector<Entry>& entries) {
        const std::string path = workDir() + "other" + std::to_string(++written_) + ".dwf";
        writeArchive(path, entries);
        return path;
    }

    std::string path_;
    int written_ = 0;
    const std::string page_ = noise(200000, 7) + std::string(100000, 'w');
    const std::string locked_ = noise(5000, 3) + std::string(5000, 'z');
    const ZipArchive archive_ = zipArchive({
        {"manifest.xml", "<dwf:Manifest version=\"6.0\"></dwf:Manifest>", 8, "UT-LOCAL"},
        {"Section_1\\Page.W2D", page_}, {"Section_2\\page.w2d", "second page", 8, "", "CENTRAL"},
        {"stored.txt", "kept as it is", 0}, {"damaged.txt", "stored content", 0, "", "", "", true, 0x12345678, 14},
        {"locked.w2d", locked_, 8, "", "", "secret"},
    });
};

TEST_F(DwfReaderTest, EntryInfoAndCopiesFollowTheDirectoryRecord) {
    DwfReader reader(str(path_), {});
    DWFReader::ArchiveFileInfo info;
    ASSERT_EQ(reader.getEntryInfo(str("/SECTION_2/PAGE.W2D"), info), DwfResult::Success);
    const uint64_t local = 12 + archive_.local[2];
    EXPECT_EQ(std::make_tuple(info.name, std::string(info.extra.begin(), info.extra.end()), info.versionNeeded,
                              info.flags, info.method, info.time, info.date, info.crc, info.compressedSize,
                              info.uncompressedSize, info.nameLength, info.extraLength),
              std::make_tuple("Section_2\\page.w2d", "CENTRAL", 20, 0, 8, 0x6A5A, 0x58B1, crcOf("second page"),
                              get32(archive_.bytes, archive_.local[2] + 18), 11, 18, 7));
    EXPECT_EQ(std::make_pair(info.localHeaderPosition, info.dataPosition), std::make_pair(local, local + 30 + 18));
    EXPECT_EQ(reader.getEntryInfo(str("absent.txt"), info), DwfResult::NotFoundInPackage);
    EXPECT_FALSE(reader.hasEntry(str("")));

    // Copies keep content and extension and are made once.
    DWFUtil::String first, again, other, stored;
    reader.materializeEntry(first, str("Section_1\\Page.W2D"));
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(readFile(first.toUtf8()), page_);
    EXPECT_EQ(directoryOf(first.toUtf8()), reader.workingDirectory());
    EXPECT_EQ(first.toUtf8().substr(first.length() - 4), ".W2D");
    struct stat status {};
    ASSERT_EQ(::stat(first.chars(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);

    // The same entry, however it is spelled, is the same copy.
    reader.materializeEntry(again, str("/section_1/page.w2d"));
    EXPECT_EQ(again, first);
    reader.materializeEntry(other, str("Section_2\\page.w2d"));
    EXPECT_NE(other, first);
    EXPECT_EQ(readFile(other.toUtf8()), "second page");
    reader.materializeEntry(stored, str("stored.txt"));
    EXPECT_EQ(readFile(stored.toUtf8()), "kept as it is");

    DWFUtil::String missing("something");
    reader.materializeEntry(missing, str("no\\such.w2d"));
    EXPECT_TRUE(missing.empty());
}

TEST_F(DwfReaderTest, StreamsReadTheContentIndependentlyAndOutliveTheReader) {
    auto reader = std::make_unique<DwfReader>(str(path_), DWFUtil::String());
    std::unique_ptr<DWFUtil::InputStream> one = reader->openEntryStream(str("section_1\\page.w2d"));
    std::unique_ptr<DWFUtil::InputStream> two = reader->openEntryStream(str("/Section_1/Page.W2D"));
    char head[10];
    ASSERT_EQ(two->read(head, 10), 10);
    EXPECT_EQ(std::string(head, 10), page_.substr(0, 10));
    // A stream of an entry with a copy reads the copy.
    DWFUtil::String copy;
    reader->materializeEntry(copy, str("manifest.xml"));
    writeFile(copy.toUtf8(), "changed on disk");
    EXPECT_EQ(readAll(*reader->openEntryStream(str("manifest.xml")), 4), "changed on disk");
    EXPECT_EQ(readAll(*reader->openEntryStream(str("stored.txt")), 4), "kept as it is");
    EXPECT_EQ(thrownBy([&] { reader->openEntryStream(str("absent.xml")); }), DwfResult::NotFoundInPackage);
    reader.reset();
    EXPECT_EQ(readAll(*one, 777), page_);
    EXPECT_EQ(readAll(*two, 65536), page_.substr(10));
}

// New private files whatever the name says, keeping only a short plain extension.
TEST_F(DwfReaderTest, TemporaryFilesAreNewAndPrivateAndGoWithTheReader) {
    const struct { const char *name, *extension; } cases[] = {
        {"x\\image.png", "png"},           {"y\\image.png", "png"}, {"..\\..\\..\\evil.w2d", "w2d"},
        {"../../x/../../evil.png", "png"}, {"a.b/../../c", ""},     {"page.w2d/../../../etc", ""},
        {"x.abcdefghijklmnopq", ""},       {"x.ab-c", ""},          {"x.", ""},
        {"noextension", ""},               {"x.a_1", "a_1"},        {"/abs/olute.jpg", "jpg"}};
    std::string directory;
    {
        DwfReader reader(str(path_), {});
        std::set<std::string> made;
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            DWFUtil::String name;
            reader.makeTemporaryFileName(name, str(c.name));
            const std::string file = name.toUtf8();
            EXPECT_EQ(directoryOf(file), reader.workingDirectory());
            EXPECT_TRUE(platform::fileExists(file));
            const std::string base = file.substr(reader.workingDirectory().size());
            EXPECT_EQ(base.find('.') == std::string::npos ? "" : base.substr(base.find('.') + 1), c.extension);
            made.insert(file);
        }
        EXPECT_EQ(made.size(), std::size(cases));
        directory = reader.workingDirectory();
        EXPECT_EQ(directory.rfind(tempDir(), 0), 0u);
    }
    EXPECT_FALSE(platform::fileExists(directory));
}

// A failed copy leaves none behind; a stream hands over what it read, then the failure.
TEST_F(DwfReaderTest, DamagedAndEncryptedEntriesReadOnlyWhenIntact) {
    const auto code = [](DwfResult::Enum rc) { return "#" + std::to_string(rc); };
    const struct { const char *entry, *password; std::string copy, stream; } cases[] = {
        {"damaged.txt", "", code(DwfResult::ArchiveEntryError), "stored content" + code(DwfResult::ArchiveEntryError)},
        {"locked.w2d", "secret", locked_, locked_},
        {"LOCKED.W2D", "guess", code(DwfResult::BadPassword), code(DwfResult::BadPassword)},
        {"locked.w2d", "", code(DwfResult::BadPassword), code(DwfResult::BadPassword)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        DwfReader reader(str(path_), str(c.password));
        DWFUtil::String copy;
        const DwfResult::Enum rc = thrownBy([&] { reader.materializeEntry(copy, str(c.entry)); });
        EXPECT_EQ(rc == DwfResult::Success ? readFile(copy.toUtf8()) : code(rc), c.copy);
        EXPECT_EQ(listTree(reader.workingDirectory()).size(), copy.empty() ? 0u : 1u);
        EXPECT_EQ(readAll(*reader.openEntryStream(str(c.entry)), 1000), c.stream);
    }
}

// The first 12 bytes of a package (none: a bare archive) and what they make it.
TEST_F(DwfReaderTest, FileTypeComesFromTheFirstTwelveBytesAndTheTypeInfoEntryOrIsUnknown) {
    const struct { const char* prefix; int32_t type, version; } cases[] = {
        {"(DWF V06.00)", 0, 600}, {"(DWF V06.01)", 0, 601}, {"(W2D V06.00)", 1, 600}, {"(DWF V05.50)", 2, 550},
        {"", 3, -1},              {"(DWF V6.00))", 4, -1}, {"(W2D V05.00)", 4, 500}, {"(DWF V06.0a)", 4, -1},
        {"(DWF V06,00)", 4, -1},  {"PK\x05\x06xxxxxxxx", 4, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prefix);
        const std::string path = workDir() + "typed" + std::to_string(++written_) + ".dwf";
        // An archive without DWF header, the prefix put in front afterwards: its offsets do not count it.
        writeArchive(path, {{"manifest.xml", "<Manifest/>"}, {"ePlot.TYPEINFO", ""}}, 0);
        writeFile(path, c.prefix + readFile(path));
        DwfReader reader(str(path), {});
        int32_t version = 12345;
        DWFUtil::String typeInfo("unchanged");
        EXPECT_EQ(reader.detectDwfType(version, typeInfo), c.type);
        EXPECT_EQ(version, c.version);
        // Only a package takes its type from the entry named so.
        EXPECT_EQ(typeInfo.toUtf8(), c.type == DWFReader::DwfPackage ? "ePlot" : "unchanged");
        // A known type is kept and answered again without reading.
        int32_t again = 0;
        EXPECT_EQ(reader.detectDwfType(again, typeInfo), c.type);
        EXPECT_EQ(again, c.version);
    }
    // Short or missing headers.
    int32_t version = 0;
    EXPECT_EQ(DWFReader::classifyFileHeader(reinterpret_cast<const uint8_t*>("(DWF V06.00"), 11, version),
              DWFReader::UnknownType);
    EXPECT_EQ(version, -1);
    EXPECT_EQ(DWFReader::classifyFileHeader(nullptr, 12, version), DWFReader::UnknownType);
    // A reader without an archive knows no type and no entries.
    DwfReader reader{DWFUtil::String(), DWFUtil::String()};
    DWFUtil::String typeInfo;
    EXPECT_EQ(reader.detectDwfType(version, typeInfo), DWFReader::UnknownType);
    EXPECT_EQ(thrownBy([&] { reader.hasEntry(str("manifest.xml")); }), DwfResult::NoPackageOpen);
    DWFReader::ArchiveFileInfo info;
    EXPECT_EQ(reader.getEntryInfo(str("manifest.xml"), info), DwfResult::NoPackageOpen);
    // A file that is no archive, or no file, cannot be opened.
    writeFile(workDir() + "stream.w2d", "(W2D V06.00)not an archive at all");
    for (const char* name : {"stream.w2d", "missing.dwf"}) {
        EXPECT_EQ(thrownBy([&] { DwfReader(str(workDir() + name), {}); }), DwfResult::FileOpenFailed);
    }
}

struct DocumentReader : DwfReader {
    using DwfReader::DwfReader;
    DwfResult::Enum parse(const char* name) {
        return parseDocument(str(name), DWFUtil::ObjectRef<DWFXmlBuilder::XmlBuilder>(new DWFXmlBuilder::XmlBuilder()));
    }
};

// A well-formed document of `size` bytes, almost all of it one comment.
std::string document(size_t size) { return "<a><!--" + std::string(size - 14, ' ') + "--></a>"; }

// All documents of a package share one size limit: one past it is refused unread.
TEST_F(DwfReaderTest, DocumentsTogetherStayWithinTheLimit) {
    const uint64_t limit = DwfReader::kDocumentSizeLimit;
    const std::string small = "<a><b x='1'/>text</a>", broken = "<a><b></a>";
    const size_t rest = limit - limit / 8 * 5 - small.size() - broken.size();
    DocumentReader reader(str(write({{"manifest.xml", small}, {"broken.xml", broken},
                                     {"one.xml", document(limit / 8 * 5)}, {"two.xml", document(rest + 1)},
                                     {"three.xml", document(rest)}})),
                          {});
    EXPECT_EQ(reader.parse("/manifest.xml"), DwfResult::Success);
    EXPECT_EQ(reader.parse("broken.xml"), DwfResult::XmlParseError);  // counted all the same
    EXPECT_EQ(reader.failure().describe(), "byte 6, entry \"broken.xml\", element <b>: end tag </a> does not close it");
    EXPECT_EQ(reader.parse("one.xml"), DwfResult::Success);
    EXPECT_FALSE(reader.failure().failed()) << "a record tells of the last parse only";
    EXPECT_EQ(reader.parse("/ONE.xml"), DwfResult::InvalidData);  // another parse is another copy
    EXPECT_EQ(reader.parse("two.xml"), DwfResult::InvalidData);  // alone it would pass
    EXPECT_EQ(reader.failure().describe(),
              "byte 0, entry \"two.xml\": the package's documents would take more than 64 MiB");
    EXPECT_EQ(reader.parse("three.xml"), DwfResult::Success);  // exactly up to the limit
    EXPECT_THROW(reader.parse("absent.xml"), DwfResult::Enum);
    // Its copies and records belong to its package: it opens no other.
    EXPECT_EQ(thrownBy([&] { reader.openPackage(str(workDir() + "other.dwf")); }), DwfResult::InvalidState);
    // A document whose data fails its CRC-32 says so, at the byte of the file its data ended (after the 12-byte
    // header, the local header and the name).
    const ZipArchive crc = zipArchive({{"bad.xml", "<a/>", 0, "", "", "", true, 0x12345678, 4}});
    writeFile(workDir() + "crc.dwf", kDwfHeader + crc.bytes);
    DocumentReader damaged(str(workDir() + "crc.dwf"), {});
    EXPECT_EQ(damaged.parse("bad.xml"), DwfResult::ArchiveEntryError);
    EXPECT_EQ(damaged.failure().describe(), "byte " + std::to_string(12 + crc.local[0] + 30 + 7 + 4) +
                                                ", entry \"bad.xml\": the data's CRC-32 differs from the directory's");
}

// Two pages behind a global section, as another producer might write them:
// a property of another kind, and product properties under both names.
std::vector<Entry> plotEntries() {
    PackageLayout layout = plotPackage({"page1", "page2"});
    layout.properties = {{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", "1.2"},
        {"SourceProductVendor", "TALMOR"}, {"SourceProductName", "Kestra"}, {"SourceProductVersion", "9.1"},
        {"PackagerProductVendor", "Old"}, {"DwfProductVendor", "TALMOR"}, {"PackagerProductVersion", "9.0"},
        {"DwfProductVersion", "9.2"}, {"DwfFrameworkVersion", "2.1"}};
    std::string manifest = manifestXml(layout);
    manifest.insert(manifest.find("<dwf:Properties>") + 16, "<dwf:SimpleProperty name=\"Simple\" value=\"skipped\"/>");
    manifest.insert(manifest.find("<dwf:Sections>") + 14,
                    "<dwf:Section type=\"dwf.ePlotGlobal\" name=\"global\" title=\"Global\"><dwf:Source "
                    "provider=\"other\" dwf:href=\"global\"/><dwf:Toc><dwf:Resource dwf:role=\"descriptor\" "
                    "dwf:mime=\"text/xml\" dwf:href=\"global\\descriptor.xml\"/></dwf:Toc></dwf:Section>");
    layout.manifestOverride = manifest;
    return packageEntries(layout);
}

TEST_F(DwfReaderTest, ReadsManifestPropertiesAndPagesInSectionOrder) {
    std::vector<std::string> notes;
    const platform::DebugSink previous = platform::setDebugSink([&](std::string_view n) { notes.emplace_back(n); });
    {
        EPlotDwfReader reader(str(write(plotEntries())), {});
        const auto manifest = reader.getManifest();
        ASSERT_FALSE(manifest.isNull());
        EXPECT_EQ(reader.getManifest().Object(), manifest.Object());
        EXPECT_EQ(manifest->getObjectId(), "0123");

        const auto pages = reader.getEPlotPages();
        ASSERT_EQ(pages.size(), 2u);
        EXPECT_EQ(pages[0]->getPageName(), "section1");
        EXPECT_EQ(pages[1]->getPageName(), "section2");
        EXPECT_EQ(reader.getEPlotPages()[1].Object(), pages[1].Object());
        EXPECT_EQ(reader.getSectionPage((*manifest->getSections())[2]).Object(), pages[1].Object());
        EXPECT_TRUE(reader.getSectionPage((*manifest->getSections())[0]).isNull());
        DWFUtil::String copy;
        reader.materializeEntry(copy, (*pages[1]->getResources())[0]->getHref());
        EXPECT_EQ(testsupport::readFile(copy.toUtf8()), "page2");

        // Product properties are set aside, the rest returned in order.
        DWFUtil::String vendor, name, version, packager, packagerVersion;
        DWFUtil::Vector<DWFUtil::ObjectRef<DWFManifest::AnyProperty>> others;
        ASSERT_TRUE(reader.getManifestProperties(vendor, name, version, packager, packagerVersion, others));
        EXPECT_EQ(vendor + "|" + name + "|" + version + "|" + packager + "|" + packagerVersion,
                  "TALMOR|Kestra|9.1|TALMOR|9.2");  // the packager under the later of its two names
        std::string rest;
        for (uint32_t i = 0; i < others.size(); ++i) rest += others[i]->getPropertyName().toUtf8() + " ";
        EXPECT_EQ(rest, "DwfToolkitVersion PlotFileVersion DwfFrameworkVersion ");

        // Only the ePlot interface is supported, its identifier compared exactly.
        EXPECT_TRUE(reader.isInterfaceSupported((*manifest->getInterfaces())[0]));
        EXPECT_TRUE(reader.isInterfaceSupported(DWFEPlot::makeEPlotInterface()));
        EXPECT_FALSE(reader.isInterfaceSupported(DWFXmlFramework::newObject<DWFManifest::Interface>(
            str("715941d4-1ac2-4545-8185-bc40e053b551"), str("ePlot"), str("urn:dwf:ePlot"))));
    }
    platform::setDebugSink(previous);
    EXPECT_EQ(notes, (std::vector<std::string>{"Found ePlot section section1 (section1\\descriptor.xml - Sheet 1)\n",
                                               "Found ePlot section section2 (section2\\descriptor.xml - Sheet 2)\n"}));
}

TEST_F(DwfReaderTest, BrokenPackagesFailWithTheirCode) {
    // `content` replaces the entry (manifest, descriptor or graphics); none leaves it out.
    using R = DwfResult;
    const struct { const char *what; size_t entry; const char* content; R::Enum manifest, pages; } cases[] = {
        {"no manifest", 0, nullptr, R::NotFoundInPackage, R::NotFoundInPackage},
        {"manifest without Sections", 0, "<dwf:Manifest version=\"6.0\"><dwf:Properties /></dwf:Manifest>",
         R::XmlBuildFailed, R::XmlBuildFailed},
        {"malformed manifest", 0, "<Manifest><Sections></Manifest>", R::XmlParseError, R::XmlParseError},
        {"manifest too new", 0, "<Manifest version=\"7.5\"/>", R::UnsupportedVersion, R::UnsupportedVersion},
        {"descriptor without Resources", 1, "<Page version=\"1.1\"><Paper units=\"mm\" /></Page>", R::Success,
         R::XmlBuildFailed},
        {"descriptor missing", 1, nullptr, R::Success, R::NotFoundInPackage},
        {"descriptor malformed", 1, "<Page><Resources>", R::Success, R::XmlBuildFailed},
        {"descriptor cut in a tag", 1, "<Page><Resources", R::Success, R::XmlParseError},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Entry> entries = packageEntries(plotPackage({"page"}));
        c.content ? void(entries[c.entry].content = c.content) : void(entries.erase(entries.begin() + c.entry));
        EPlotDwfReader reader(str(write(entries)), {});
        EXPECT_EQ(thrownBy([&] { reader.getManifest(); }), c.manifest);
        EXPECT_EQ(thrownBy([&] { reader.getEPlotPages(); }), c.pages);
        EXPECT_EQ(thrownBy([&] { reader.getEPlotPages(); }), c.pages);  // no partial list is kept
    }
}

}  // namespace
