#include "support/package_builder.h"

#include <gtest/gtest.h>

#include "package/zip/archive_reader.h"
#include "package/zip/archive_writer.h"
#include "platform/unicode.h"
#include "support/bytes.h"
#include "support/temp_dir_test.h"
#include "support/zip_cipher.h"

namespace testsupport {

ZipEntry inflatingEntry(const std::string& name, const std::string& prefix, char fill, uint32_t fillMegabytes,
                        const std::string& suffix) {
    const std::string megabyte(size_t{1} << 20, fill);
    const std::string block = deflateRaw(megabyte, Z_FULL_FLUSH);
    const uint32_t blockCrc = crcOf(megabyte);
    ZipEntry entry{name, deflateRaw(prefix, Z_FULL_FLUSH)};
    entry.prepared = true;
    entry.crc = crcOf(prefix);
    entry.content.reserve(entry.content.size() + block.size() * fillMegabytes + 64);
    for (uint32_t i = 0; i < fillMegabytes; ++i) {
        entry.content += block;
        entry.crc = static_cast<uint32_t>(crc32_combine(entry.crc, blockCrc, static_cast<z_off_t>(megabyte.size())));
    }
    entry.content += deflateRaw(suffix);
    entry.crc = crcOf(suffix, entry.crc);
    entry.size = static_cast<uint32_t>(prefix.size() + (uint64_t{fillMegabytes} << 20) + suffix.size());
    return entry;
}

namespace {

// The stored bytes of an entry with its CRC and size.
struct Stored {
    std::string data;
    uint32_t crc, size;
};

Stored storedForm(const ZipEntry& e) {
    if (e.prepared) return {e.content, e.crc, e.size};
    Stored stored{e.method == 8 ? deflateRaw(e.content) : e.content, crcOf(e.content),
                  static_cast<uint32_t>(e.content.size())};
    if (!e.password.empty()) {
        // The last header byte is the CRC's high byte: no data descriptor.
        const std::string header = "0123456789A" + std::string(1, static_cast<char>(stored.crc >> 24));
        stored.data = ZipCipher(e.password).encrypt(header + stored.data);
    }
    return stored;
}

}  // namespace

ZipArchive zipArchive(const std::vector<ZipEntry>& entries, const std::string& prefix) {
    ZipArchive a;
    a.bytes = prefix;
    std::string directory;
    for (const ZipEntry& e : entries) {
        const Stored stored = storedForm(e);
        // The fields both headers share, from "version needed" on.
        const std::string fixed = Bytes().u16(20).u16(e.password.empty() ? 0 : 1).u16(e.method).u32(0x58B16A5Au)
                                      .u32(stored.crc).u32(stored.data.size()).u32(stored.size).u16(e.name.size());
        a.local.push_back(a.bytes.size());
        a.central.push_back(directory.size());  // made absolute below
        directory += Bytes().u32(0x02014B50).u16(20).raw(fixed).u16(e.centralExtra.size()).u16(0).u16(0).u16(0)
                         .u32(0x20).u32(a.local.back()).raw(e.name + e.centralExtra).str();
        a.bytes += Bytes().u32(0x04034B50).raw(fixed).u16(e.localExtra.size()).raw(e.name + e.localExtra).str();
        a.bytes += stored.data;
    }
    const size_t directoryOffset = a.bytes.size();
    for (size_t& at : a.central) at += directoryOffset;
    a.bytes += directory;
    a.end = a.bytes.size();
    a.bytes += Bytes().u32(0x06054B50).u32(0).u16(entries.size()).u16(entries.size()).u32(directory.size())
                   .u32(directoryOffset).u16(0).str();
    return a;
}

std::vector<ZipRecord> zipRecords(const std::string& archive) {
    std::vector<ZipRecord> records;
    const size_t end = archive.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos || end + 22 > archive.size()) return records;
    for (size_t at = get32(archive, end + 16); at + 46 <= end;) {
        const size_t names = size_t{get16(archive, at + 28)} + get16(archive, at + 30) + get16(archive, at + 32);
        const size_t local = get32(archive, at + 42);
        records.push_back({local, 30, size_t{get16(archive, local + 26)} + get16(archive, local + 28)});
        records.push_back({at, 46, names});
        at += 46 + names;
    }
    records.push_back({end, 22, get16(archive, end + 20)});
    return records;
}

void writeArchive(const std::string& path, const std::vector<Entry>& entries, int32_t version,
                  const char* password) {
    auto writer = DWFZip::ArchiveWriter::create(platform::utf8ToUtf16(path), false, version);
    ASSERT_TRUE(writer);
    for (const Entry& e : entries) {
        ASSERT_EQ(writer->openEntry(e.name.c_str(), nullptr, {}, {}, nullptr, e.method, -1, password), 0);
        ASSERT_EQ(writer->writeEntry(e.content.data(), e.content.size()), 0);
        ASSERT_EQ(writer->closeEntry(), 0);
    }
    ASSERT_EQ(writer->close(nullptr), 0);
}

std::string readCurrent(DWFZip::ArchiveReader& reader, const char* password, uint32_t piece) {
    const int32_t rc = reader.openEntry(password);
    if (rc != 0) return "#open" + std::to_string(rc);
    std::string out;
    std::vector<char> buffer(piece);
    int32_t n;
    while ((n = reader.readEntry(buffer.data(), piece)) > 0) out.append(buffer.data(), static_cast<size_t>(n));
    if (n < 0) out += "#" + std::to_string(n);
    const int32_t closed = reader.closeEntry();
    return closed == 0 ? out : out + "#close" + std::to_string(closed);
}

std::vector<Entry> readArchive(const std::string& path) {
    std::vector<Entry> entries;
    auto reader = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
    EXPECT_TRUE(reader) << path;
    for (int32_t rc = reader ? reader->firstEntry() : -1; rc == 0; rc = reader->nextEntry()) {
        char name[512] = {};
        reader->entryInfo(nullptr, name, sizeof name, nullptr, 0, nullptr, 0);
        entries.push_back({name, readCurrent(*reader)});
    }
    return entries;
}

std::string entryNames(const std::string& path) {
    std::string names;
    for (const Entry& entry : readArchive(path)) names += entry.name + " ";
    return names;
}

std::string entryContent(const std::string& path, const std::string& name, const char* password) {
    auto reader = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
    if (!reader || reader->locateEntry(name.c_str(), 1) != 0) return "<missing>";
    return readCurrent(*reader, password);
}

std::vector<std::pair<std::string, std::string>> plotProperties(const std::string& version) {
    return {{"DwfToolkitVersion", "Read Only"}, {"PlotFileVersion", version}, {"Encoding", "UTF-8"},
            {"XScale", "2.5"},                  {"YScale", "0.125"},          {"Units", "mm"},
            {"DwfFrameworkVersion", "2.1"},     {"SourceProductVendor", "TALMOR"},
            {"DwfToolkitVersion", "6.0.1.15"}};
}

PackageLayout plotPackage(const std::vector<std::string>& pages) {
    PackageLayout layout;
    layout.properties = plotProperties();
    layout.interfaceIds = {kEPlotInterfaceId};
    for (const std::string& page : pages) layout.pages.push_back(PageSpec{page, 2970, 2100, {}});
    return layout;
}

namespace {

std::string sectionName(size_t index) { return "section" + std::to_string(index + 1); }

std::vector<ResourceSpec> resourcesOf(const PageSpec& page) {
    return page.resources.empty() ? std::vector<ResourceSpec>{ResourceSpec{"page.w2d"}} : page.resources;
}

// `prefix` goes before every resource's href.
std::string descriptorOf(const PageSpec& page, const std::string& name, const std::string& prefix) {
    std::string xml = "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" version=\"1.1\" name=\"" + name +
                      "\"><ePlot:Paper units=\"" + page.paperUnits + "\" width=\"" + std::to_string(page.paperWidth) +
                      "\" height=\"" + std::to_string(page.paperHeight) + "\"/><ePlot:Resources>";
    for (const ResourceSpec& resource : resourcesOf(page)) {
        xml += "<ePlot:" + resource.element + " role=\"" + resource.role + "\" mime=\"application/x-w2d\" href=\"" +
               prefix + resource.href + "\" zOrder=\"" + std::to_string(resource.zOrder) + "\"" +
               (resource.transform.empty() ? "" : " transform=\"" + resource.transform + "\"") + "/>";
    }
    return xml + "</ePlot:Resources></ePlot:Page>";
}

}  // namespace

std::string manifestXml(const PackageLayout& layout) {
    std::string xml = "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\" objectId=\"0123\">";
    if (!layout.interfaceIds.empty()) {
        xml += "<dwf:Interfaces>";
        for (const std::string& id : layout.interfaceIds) {
            xml += "<dwf:Interface name=\"ePlot\" objectId=\"" + id + "\" href=\"urn:dwf:ePlot\"/>";
        }
        xml += "</dwf:Interfaces>";
    }
    xml += "<dwf:Properties>";
    for (const auto& [name, value] : layout.properties) {
        xml += "<dwf:Property name=\"" + name + "\" value=\"" + value + "\"/>";
    }
    xml += "</dwf:Properties><dwf:Sections>";
    for (size_t i = 0; i < layout.pages.size(); ++i) {
        const std::string section = sectionName(i);
        xml += "<dwf:Section type=\"dwf.ePlot\" name=\"" + section + "\" title=\"Sheet " + std::to_string(i + 1) +
               "\"><dwf:Source provider=\"other\" dwf:href=\"" + section +
               "\\descriptor.xml\"/><dwf:Toc><dwf:Resource dwf:role=\"descriptor\" dwf:mime=\"text/xml\" "
               "dwf:href=\"" + section + "\\descriptor.xml\"/></dwf:Toc></dwf:Section>";
    }
    return xml + "</dwf:Sections></dwf:Manifest>";
}

std::string descriptorXml(const PageSpec& page, const std::string& section) {
    return descriptorOf(page, section, section + "\\");
}

std::string descriptorXml(const std::string& href) { return descriptorOf(PageSpec{"", 2970, 2100, {{href}}}, "p", ""); }

std::vector<Entry> packageEntries(const PackageLayout& layout) {
    std::vector<Entry> entries;
    if (layout.withManifest) {
        entries.push_back({"manifest.xml", layout.manifestOverride.empty() ? manifestXml(layout)
                                                                           : layout.manifestOverride});
    }
    for (size_t i = 0; i < layout.pages.size(); ++i) {
        const std::string section = sectionName(i);
        entries.push_back({section + "\\descriptor.xml", descriptorXml(layout.pages[i], section)});
        for (const ResourceSpec& resource : resourcesOf(layout.pages[i])) {
            if (resource.inPackage) entries.push_back({section + "\\" + resource.href, layout.pages[i].w2d});
        }
    }
    return entries;
}

void writePackage(const std::string& path, const PackageLayout& layout) {
    writeArchive(path, packageEntries(layout), layout.headerVersion);
}

std::vector<Entry> onePagePackage(const std::string& w2d, const std::string& streamName) {
    std::vector<Entry> entries = packageEntries(plotPackage({w2d}));
    entries[1].content = descriptorXml(streamName);
    entries[2].name = streamName;
    return entries;
}

}  // namespace testsupport
