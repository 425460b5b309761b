#include "hostile_support.h"

#include <sys/resource.h>
#include <zlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "dwfplot/DWFPlotFile.h"
#include "package/zip/archive_writer.h"
#include "platform/unicode.h"

namespace hostile {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

std::string pointList(const std::vector<PlottingPoint>& points) {
    std::string out;
    for (const PlottingPoint& p : points) out += " " + number(p.x) + "," + number(p.y);
    return out;
}

// The host's loader: the image file must be where the reader said, in the
// working directory; the host keeps no image.
IMAGE* loadImage(const char* path) {
    if (path == nullptr || std::string(path).rfind("./", 0) != 0 || !std::filesystem::exists(path)) {
        ADD_FAILURE() << "image handed to the host is not a file in the working directory: "
                      << (path ? path : "(null)");
    }
    return nullptr;
}

std::string operationData(DWFPlotFileReader& reader, Plt_Plot_Operation_T op) {
    std::string group;
    switch (op) {
        case PLT_PEN: return std::to_string(reader.getPen());
        case PLT_LINE: {
            std::vector<PlottingPoint> points;
            reader.getLine(points);
            return (points.empty() ? std::string() : points.front().group) + pointList(points);
        }
        case PLT_POLYGONS: {
            std::vector<std::vector<PlottingPoint>> polygons;
            int pen = 0;
            reader.getPolygons(polygons, pen, group);
            std::string out = std::to_string(pen) + " " + group;
            for (const auto& polygon : polygons) out += " |" + pointList(polygon);
            return out;
        }
        case PLT_TEXT: {
            double x = 0, y = 0, angle = 0;
            PlotFont font;
            const wchar_t* text = reader.getText(x, y, font, angle, group);
            std::string out = number(x) + " " + number(y) + " " + font.name + " " + number(font.height) + " " +
                              number(angle) + " " + group + " ";
            for (; text != nullptr && *text != 0; ++text) out += std::to_string(static_cast<uint32_t>(*text)) + ".";
            return out;
        }
        case PLT_SYMBOL: {
            double x = 0, y = 0, scale = 0, angle = 0;
            bool filled = false;
            std::string name;
            reader.getSymbol(x, y, scale, angle, filled, name, group);
            return number(x) + " " + number(y) + " " + number(scale) + " " + number(angle) + " " +
                   std::to_string(filled) + " " + name + " " + group;
        }
        case PLT_IMAGE: {
            double x = 0, y = 0, height = 0, width = 0;
            IMAGE* image = nullptr;
            reader.getImage(x, y, height, width, &image, group);
            return number(x) + " " + number(y) + " " + number(height) + " " + number(width) + " " + group;
        }
        case PLT_GROUP_OPTIONS: {
            bool first = false, second = false;
            reader.getGroupInfo(group, first, second);
            return group + " " + std::to_string(first) + std::to_string(second);
        }
        case PLT_TABLE: {
            std::string table;
            reader.getTableString(table);
            return table;
        }
        default: return {};
    }
}

}  // namespace

void HostileTest::SetUp() {
    TempDirTest::SetUp();
    savedCwd_ = std::filesystem::current_path().string();
    runDir_ = workDir() + "run/";
    std::filesystem::create_directory(runDir_);
    ASSERT_EQ(::chdir(runDir_.c_str()), 0);
}

void HostileTest::TearDown() {
    ASSERT_EQ(::chdir(savedCwd_.c_str()), 0);
    const std::vector<std::string> left = testsupport::listTree(runDir_);
    EXPECT_TRUE(left.empty()) << "left behind in the working directory: " << ::testing::PrintToString(left);
    TempDirTest::TearDown();
}

void HostileTest::expectBoundedMemory() {
    if (kAddressSanitizer) return;
    rusage usage{};
    ASSERT_EQ(::getrusage(RUSAGE_SELF, &usage), 0);
    EXPECT_LT(usage.ru_maxrss, kResidentLimitKiB) << "peak resident size in KiB";
}

Replay replay(const std::string& path, size_t maxOperations) {
    Replay result;
    DWFPlotFileReader reader(loadImage);
    result.message = "untouched";
    result.readable = reader.canRead(path, result.message);
    result.opened = reader.openPlot(path);
    if (result.opened) {
        double width = 0, height = 0, xScale = 0, yScale = 0;
        std::string units;
        reader.getPageSize(width, height);
        reader.getPlotScale(xScale, yScale);
        reader.getPlotUnits(units);
        std::vector<std::string> pages;
        reader.getPages(pages);
        result.transcript = "plot " + number(width) + "x" + number(height) + " " + number(xScale) + " " +
                            number(yScale) + " " + units + " " + reader.getEncoding() + " pages " +
                            std::to_string(pages.size()) + " size " + std::to_string(reader.size()) + "\n";
    }
    while (result.operations < maxOperations) {
        const Plt_Plot_Operation_T op = reader.getOperation();
        ++result.operations;
        if (op == PLT_END_OF_PLOT) {
            // It stays ended.
            result.ended = reader.getOperation() == PLT_END_OF_PLOT;
            break;
        }
        result.transcript += std::to_string(op) + " " + operationData(reader, op) + "\n";
    }
    if (result.opened && result.ended && reader.position() != reader.size()) {
        result.transcript += "position " + std::to_string(reader.position()) + " of " +
                             std::to_string(reader.size()) + "\n";
    }
    reader.closePlot();
    return result;
}

bool isHostErrorName(const std::string& message) {
    static const std::set<std::string> names = {
        "PLT_NOT_A_KESTRA_GENERATED_FILE", "PLT_OLD_FILE_FORMAT",         "PLT_NEW_FILE_FORMAT",
        "PLT_CORRUPT_FILE_ERROR",          "PLT_BUILDING_XML_OBJECT_ERROR", "PLT_FILE_NOT_IN_DWF",
        "PLT_FILE_OPEN_ERROR",             "PLT_FILE_READ_ERROR",         "PLT_FILE_WRITE_ERROR",
        "PLT_INTERNAL_ERROR",              "PLT_INVALID_XML_CONTENT_ERROR", "PLT_OUT_OF_MEMORY_ERROR",
        "PLT_TEMP_FILE_ERROR",             "PLT_TOOLKIT_USAGE_ERROR",     "PLT_ZIPLIB_ERROR",
        "PLT_BAD_PASSWORD_ERROR",          "PLT_STREAM_IN_PROGRESS",      "PLT_USER_REQUESTED_ABORT",
        "PLT_UNSUPPORTED_FILE_TYPE_ERROR", "PLT_TEMP_PATH_ERROR",         "PLT_GENERAL_ERROR"};
    return names.count(message) != 0;
}

bool drawSmallPlot(const std::string& path, bool closePlot) {
    DWFPlotFileWriter writer;
    std::vector<PenDetail> pens = {{0, 0, 0, 0.25}, {255, 0, 0, 0.5}, {0, 128, 255, 1.0}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, 21, 29.7, 2.5, 0.125, "mm", 0, "UTF-8", "Hostile", "1.0")) return false;
    writer.openPage({"1 \"walls\" 1 0"});
    writer.setPen(1);
    writer.addLine(1, 1, 3, "walls");
    writer.addLine(5, 1, 2, "walls");
    writer.addLine(5, 4, 2, "walls");
    writer.addPolygons({{{2, 2}, {3, 2}, {3, 3}}, {{2.2, 2.2}, {2.8, 2.2}, {2.8, 2.8}}}, 2, "doors");
    PlotFont font;
    font.name = "Courier New";
    writer.addText(1, 9, font, 0, L"first line", 1, 2, 3, 1, 0, "notes");
    writer.addText(1, 8, font, 0, L"Z\u00FCrich", 2, 2, 3, 1, 0, "notes");
    writer.addTable("a|b|c");
    writer.closePage();
    writer.openPage({});
    writer.setPen(2);
    writer.addLine(0, 0, 3, "");
    writer.addLine(10, 10, 2, "");
    writer.closePage();
    // Without closePlot, destroying the writer finishes the package.
    if (closePlot) writer.closePlot();
    return true;
}

void put16(std::string& out, uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint16_t get16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes.at(at)) | static_cast<uint8_t>(bytes.at(at + 1)) << 8);
}

uint32_t get32(const std::string& bytes, size_t at) { return get16(bytes, at) | uint32_t{get16(bytes, at + 2)} << 16; }

W2dBytes onePolyline() { return W2dBytes().polyline({{1, 2}, {3000, 4000}}); }

std::string operationsOf(const Replay& replay) {
    const size_t line = replay.transcript.find('\n');
    return line == std::string::npos ? std::string() : replay.transcript.substr(line + 1);
}

std::string manifestXml(const std::vector<std::string>& descriptors) {
    std::string xml =
        "<dwf:Manifest xmlns:dwf=\"DWF-Manifest:6.0\" version=\"6.0\" objectId=\"0123\"><dwf:Interfaces>"
        "<dwf:Interface name=\"ePlot\" objectId=\"715941D4-1AC2-4545-8185-BC40E053B551\" href=\"urn:dwf:ePlot\"/>"
        "</dwf:Interfaces><dwf:Properties>"
        "<dwf:Property name=\"DwfToolkitVersion\" value=\"Read Only\"/>"
        "<dwf:Property name=\"PlotFileVersion\" value=\"1.2\"/>"
        "<dwf:Property name=\"Units\" value=\"mm\"/></dwf:Properties><dwf:Sections>";
    for (size_t i = 0; i < descriptors.size(); ++i) {
        const std::string section = "section" + std::to_string(i + 1);
        xml += "<dwf:Section type=\"dwf.ePlot\" name=\"" + section + "\" title=\"Sheet\"><dwf:Source provider=\"x\" "
               "dwf:href=\"" + descriptors[i] + "\"/><dwf:Toc><dwf:Resource dwf:role=\"descriptor\" "
               "dwf:mime=\"text/xml\" dwf:href=\"" + descriptors[i] + "\"/></dwf:Toc></dwf:Section>";
    }
    return xml + "</dwf:Sections></dwf:Manifest>";
}

std::string descriptorXml(const std::string& href) {
    return "<ePlot:Page xmlns:ePlot=\"DWF-ePlot:1.1\" version=\"1.1\" name=\"p\"><ePlot:Paper units=\"mm\" "
           "width=\"2970\" height=\"2100\"/><ePlot:Resources><ePlot:GraphicResource role=\"2d streaming graphics\" "
           "mime=\"application/x-w2d\" href=\"" + href + "\" zOrder=\"0\"/></ePlot:Resources></ePlot:Page>";
}

std::vector<Entry> onePagePackage(const std::string& w2d, const std::string& streamName) {
    return {{"manifest.xml", manifestXml({"section1\\descriptor.xml"})},
            {"section1\\descriptor.xml", descriptorXml(streamName)},
            {streamName, w2d}};
}

void writeArchive(const std::string& path, const std::vector<Entry>& entries) {
    auto archive = DWFZip::ArchiveWriter::create(platform::utf8ToUtf16(path), false, 600);
    ASSERT_TRUE(archive);
    for (const Entry& entry : entries) {
        ASSERT_EQ(archive->openEntry(entry.name.c_str(), nullptr, {}, {}, nullptr, 8, -1, nullptr), 0);
        ASSERT_EQ(archive->writeEntry(entry.content.data(), entry.content.size()), 0);
        ASSERT_EQ(archive->closeEntry(), 0);
    }
    ASSERT_EQ(archive->close(nullptr), 0);
}

namespace {

// Deflates `content` from a fresh state. A full flush leaves a block that
// refers to nothing before it, so copies of it can follow each other.
std::string deflateRaw(const std::string& content, int flush) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_FIXED) != Z_OK) return {};
    std::string out(deflateBound(&z, static_cast<uLong>(content.size())) + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    z.avail_in = static_cast<uInt>(content.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = deflate(&z, flush);
    out.resize(out.size() - z.avail_out);
    deflateEnd(&z);
    return rc == Z_OK || rc == Z_STREAM_END ? out : std::string();
}

uint32_t crcOf(const std::string& bytes, uint32_t crc = 0) {
    return static_cast<uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

}  // namespace

RawEntry deflatedEntry(const std::string& name, const std::string& content) {
    return {name, 8, crcOf(content), static_cast<uint32_t>(content.size()), deflateRaw(content, Z_FINISH)};
}

RawEntry inflatingEntry(const std::string& name, const std::string& prefix, char fill, uint32_t fillMegabytes,
                        const std::string& suffix) {
    const std::string megabyte(size_t{1} << 20, fill);
    const std::string block = deflateRaw(megabyte, Z_FULL_FLUSH);
    const uint32_t blockCrc = crcOf(megabyte);
    RawEntry entry{name, 8, crcOf(prefix), 0, deflateRaw(prefix, Z_FULL_FLUSH)};
    entry.data.reserve(entry.data.size() + block.size() * fillMegabytes + 64);
    for (uint32_t i = 0; i < fillMegabytes; ++i) {
        entry.data += block;
        entry.crc = static_cast<uint32_t>(crc32_combine(entry.crc, blockCrc, static_cast<z_off_t>(megabyte.size())));
    }
    entry.data += deflateRaw(suffix, Z_FINISH);
    entry.crc = crcOf(suffix, entry.crc);
    entry.uncompressedSize = static_cast<uint32_t>(prefix.size() + (uint64_t{fillMegabytes} << 20) + suffix.size());
    return entry;
}

std::string archiveBytes(const std::vector<RawEntry>& entries) {
    std::string file = "(DWF V06.00)";
    std::string directory;
    for (const RawEntry& e : entries) {
        std::string fields;  // version, flags, method, time, date, crc, sizes, name and extra lengths
        put16(fields, 20);
        put16(fields, 0);
        put16(fields, e.method);
        put32(fields, 0x20210000);  // 1996-01-01 00:00
        put32(fields, e.crc);
        put32(fields, static_cast<uint32_t>(e.data.size()));
        put32(fields, e.uncompressedSize);
        put16(fields, static_cast<uint16_t>(e.name.size()));
        put16(fields, 0);
        std::string central = std::string("PK\x01\x02", 4);
        put16(central, 20);
        central += fields;
        put16(central, 0);  // comment
        put16(central, 0);  // disk
        put16(central, 0);  // internal attributes
        put32(central, 0x20);
        put32(central, static_cast<uint32_t>(file.size()));
        directory += central + e.name;
        file += std::string("PK\x03\x04", 4) + fields + e.name + e.data;
    }
    std::string end = std::string("PK\x05\x06", 4);
    put32(end, 0);
    put16(end, static_cast<uint16_t>(entries.size()));
    put16(end, static_cast<uint16_t>(entries.size()));
    put32(end, static_cast<uint32_t>(directory.size()));
    put32(end, static_cast<uint32_t>(file.size()));
    put16(end, 0);
    return file + directory + end;
}

std::vector<Record> zipRecords(const std::string& archive) {
    std::vector<Record> records;
    const size_t end = archive.rfind(std::string("PK\x05\x06", 4));
    if (end == std::string::npos || end + 22 > archive.size()) return records;
    // Local headers are found through the directory, so that data bytes that
    // look like a signature do not count.
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

}  // namespace hostile
