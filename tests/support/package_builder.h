// Packages made without the package writer, as another producer would make them: ZIP archives written record
// by record, archives written with the project's ZIP writer, DWF packages with hand-written documents.
#ifndef DWFPLOT_TESTS_SUPPORT_PACKAGE_BUILDER_H
#define DWFPLOT_TESTS_SUPPORT_PACKAGE_BUILDER_H

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace DWFZip {
class ArchiveReader;
}

namespace testsupport {

inline constexpr char kDwfHeader[] = "(DWF V06.00)";

// One entry of an archive the test writes record by record.
struct ZipEntry {
    std::string name{};
    std::string content{};
    uint16_t method = 8;  // 0 stored, 8 deflated
    std::string localExtra{};
    std::string centralExtra{};
    std::string password{};  // non-empty: encrypted, with a fixed encryption header
    // True when `content` is already the data as stored, `crc` and `size` its headers' claims.
    bool prepared = false;
    uint32_t crc = 0;
    uint32_t size = 0;
};

// A deflated entry of `prefix`, `fillMegabytes` MiB of `fill` and `suffix`: one deflated MiB repeated.
ZipEntry inflatingEntry(const std::string& name, const std::string& prefix, char fill, uint32_t fillMegabytes,
                        const std::string& suffix);

// An archive and where its records are (offsets count the prefix).
struct ZipArchive {
    std::string bytes{};
    std::vector<size_t> local{};
    std::vector<size_t> central{};
    size_t end = 0;
};
ZipArchive zipArchive(const std::vector<ZipEntry>& entries, const std::string& prefix = "");

// Each local header, central header and the end record: a fixed part followed by names (file name, extra
// field, comment). Local headers are found through the directory.
struct ZipRecord {
    size_t start, fixedLength, nameLength;
};
std::vector<ZipRecord> zipRecords(const std::string& archive);

// An entry written with the project's ZIP writer.
struct Entry {
    std::string name{};
    std::string content{};
    int32_t method = 8;
};
// Version 600 puts the DWF header in front; the test fails when a write fails.
void writeArchive(const std::string& path, const std::vector<Entry>& entries, int32_t version = 600,
                  const char* password = nullptr);

// Archives read back through the project's ZIP reader. The current entry read whole: a failure ends the text
// with "#open<code>", "#<code>" or "#close<code>".
std::string readCurrent(DWFZip::ArchiveReader& reader, const char* password = "", uint32_t piece = 4096);
// Every entry in directory order; their names, each followed by a space; one entry, "<missing>" when absent.
std::vector<Entry> readArchive(const std::string& path);
std::string entryNames(const std::string& path);
std::string entryContent(const std::string& path, const std::string& name, const char* password = "");

// --- DWF packages -----------------------------------------------------------
inline constexpr char kEPlotInterfaceId[] = "715941D4-1AC2-4545-8185-BC40E053B551";

struct ResourceSpec {
    std::string href{};  // below the page's section folder
    std::string role = "2d streaming graphics";
    std::string element = "GraphicResource";
    int zOrder = 0;
    bool inPackage = true;  // the entry exists in the container
    std::string transform{};  // 16 numbers; empty: none written
};

struct PageSpec {
    std::string w2d{};
    double paperWidth = 2970;
    double paperHeight = 2100;
    std::vector<ResourceSpec> resources{};  // empty: one graphics stream "page.w2d"
    std::string paperUnits = "mm";
};

struct PackageLayout {
    int32_t headerVersion = 600;  // below 600: a bare ZIP without DWF header
    std::vector<std::pair<std::string, std::string>> properties{};
    std::vector<std::string> interfaceIds{};
    std::vector<PageSpec> pages{};
    std::string manifestOverride{};  // written instead of the manifest when not empty
    bool withManifest = true;
};

// The properties of a package of this library's, with `version` as plot file version.
std::vector<std::pair<std::string, std::string>> plotProperties(const std::string& version = "1.2");
// A package of one page per stream in `pages`, marked as this library's.
PackageLayout plotPackage(const std::vector<std::string>& pages);

// Page i lives in folder "section<i+1>", its descriptor is "section<i+1>\descriptor.xml".
std::string manifestXml(const PackageLayout& layout);
std::string descriptorXml(const PageSpec& page, const std::string& section);
// A descriptor of one graphics resource whose entry name is `href` as it stands.
std::string descriptorXml(const std::string& href);
std::vector<Entry> packageEntries(const PackageLayout& layout);
void writePackage(const std::string& path, const PackageLayout& layout);
// A one-page package of this library's, its page stream under `streamName`.
std::vector<Entry> onePagePackage(const std::string& w2d, const std::string& streamName = "section1\\page.w2d");

}  // namespace testsupport

#endif  // DWFPLOT_TESTS_SUPPORT_PACKAGE_BUILDER_H
