// Writes the seed corpora of the fuzz targets, all made by the project
// itself: a small plot package from the plot writer, its manifest.xml,
// descriptor.xml and page stream, an archive with stored, deflated and
// encrypted entries, and W2D streams with every kind of object in binary,
// ASCII, compressed and old-version form.
//
//   make_seeds DIR     writes DIR/<target>/<seed>
//
// The plot writer stamps packages with the time and fresh identifiers, so
// package seeds differ from run to run; the W2D and archive seeds do not.
#include <sys/stat.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dwfplot/DWFPlotFile.h"
#include "package/zip/archive_reader.h"
#include "package/zip/archive_result.h"
#include "package/zip/archive_writer.h"
#include "platform/unicode.h"
#include "w2d/attribute_set.h"
#include "w2d/contour_set.h"
#include "w2d/drawing_records.h"
#include "w2d/ellipse.h"
#include "w2d/group.h"
#include "w2d/image.h"
#include "w2d/metadata.h"
#include "w2d/origin.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/text.h"
#include "w2d/user_data.h"
#include "w2d/view.h"
#include "w2d_memory_stream.h"

namespace {

using Points = std::vector<WT_Logical_Point>;
using Bytes = std::vector<uint8_t>;

std::string outputDirectory;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "make_seeds: %s\n", what.c_str());
    std::exit(1);
}

void save(const std::string& target, const std::string& name, const std::string& bytes) {
    const std::string dir = outputDirectory + "/" + target;
    mkdir(outputDirectory.c_str(), 0755);
    mkdir(dir.c_str(), 0755);
    const std::string path = dir + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0) {
        fail("cannot write " + path);
    }
    std::printf("%7zu  %s\n", bytes.size(), path.c_str());
}

std::string readFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) fail("cannot read " + path);
    std::string bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

// --- a tiny real PNG for the image callbacks --------------------------------

void appendChunk(std::string& png, const char* type, const std::string& data) {
    const uint32_t length = static_cast<uint32_t>(data.size());
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<char>(length >> shift));
    const std::string body = std::string(type, 4) + data;
    png += body;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
    for (int shift = 24; shift >= 0; shift -= 8) png.push_back(static_cast<char>(crc >> shift));
}

// A 2 x 2 RGB picture: red, green / blue, white.
std::string tinyPng() {
    const std::string rows = std::string("\0\xFF\0\0\0\xFF\0", 7) + std::string("\0\0\0\xFF\xFF\xFF\xFF", 7);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::string packed(packedSize, '\0');
    if (compress(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(rows.data()),
                 static_cast<uLong>(rows.size())) != Z_OK) {
        fail("zlib");
    }
    packed.resize(packedSize);
    std::string png("\x89PNG\r\n\x1A\n", 8);
    appendChunk(png, "IHDR", std::string("\0\0\0\x02\0\0\0\x02\x08\x02\0\0\0", 13));
    appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", "");
    return png;
}

int encodeImage(IMAGE*, long& size, void*& data) {
    static const std::string png = tinyPng();
    size = static_cast<long>(png.size());
    data = const_cast<char*>(png.data());
    return 1;
}

void releaseImage(void*) {}

// --- the plot package ------------------------------------------------------

std::vector<PlottingPoint> square(double x, double y, double side) {
    return {{x, y}, {x + side, y}, {x + side, y + side}, {x, y + side}};
}

// One page with a few lines, a polygon with a hole, two lines of text, a
// symbol, a table and an image.
void writePlot(const std::string& path) {
    DWFPlotFileWriter writer(encodeImage, releaseImage);
    std::vector<PenDetail> pens = {{0, 0, 0, 0.35}, {200, 30, 30, 0.7}, {30, 140, 30, 0.5}};
    writer.setPenDetails(pens);
    if (!writer.openPlot(path, 21.0, 14.8, 1.0, 1.0, "Centimeters", 0, "ISO8859_1", "make_seeds", "1.0")) {
        fail("openPlot " + path);
    }
    writer.openPage({"1 \"Roads\" 1 0", "2 \"Labels\" 0 1"});
    writer.setPen(1);
    writer.addLine(1, 1, 3, "Roads");
    writer.addLine(5, 3, 2, "Roads");
    writer.addLine(9, 2, 2, "Roads");
    writer.setPen(2);
    writer.addLine(1, 10, 3, "Roads");
    writer.addLine(4, 12, 2, "Roads");
    writer.addPolygons({square(10, 5, 4), square(11, 6, 1)}, 2, "Blocks");
    PlotFont font;
    font.name = "Sans";
    font.height = 0.5;
    font.bold = true;
    writer.addText(2, 7, font, 30, L"Two lines", 1, 2, 2.5, 0.5, 0.2, "Labels");
    writer.addText(2, 6.2, font, 30, L"of text \u00e9", 2, 2, 2.5, 0.5, 0.2, "Labels");
    writer.addSymbol(15, 2, 1.0, 45, true, "dot", {square(-0.2, -0.2, 0.4)}, "Symbols");
    writer.addTable("Part|Count\nBolt|12");
    IMAGE image;
    image.width = 2;
    image.height = 2;
    image.channels = 3;
    image.encoding = 1;
    writer.addImage(16, 8, 2, 2, &image, "Pictures");
    writer.closePage();
    writer.closePlot();
}

// The entries of an archive by name.
std::vector<std::pair<std::string, std::string>> entriesOf(const std::string& path) {
    std::unique_ptr<DWFZip::ArchiveReader> archive = DWFZip::ArchiveReader::open(platform::utf8ToUtf16(path));
    if (!archive) fail("cannot open " + path);
    std::vector<std::pair<std::string, std::string>> entries;
    for (int32_t rc = archive->firstEntry(); rc == DWFZip::ArchiveOk; rc = archive->nextEntry()) {
        char name[1024];
        DWFZip::ArchiveEntryInfo info;
        if (archive->entryInfo(&info, name, sizeof name, nullptr, 0, nullptr, 0) != DWFZip::ArchiveOk ||
            archive->openEntry(nullptr) != DWFZip::ArchiveOk) {
            fail("cannot read an entry of " + path);
        }
        std::string content(info.uncompressedSize, '\0');
        if (archive->readEntry(content.data(), info.uncompressedSize) != static_cast<int32_t>(info.uncompressedSize) ||
            archive->closeEntry() != DWFZip::ArchiveOk) {
            fail(std::string("cannot read ") + name);
        }
        entries.emplace_back(name, content);
    }
    return entries;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void packageSeeds(const std::string& scratch) {
    const std::string path = scratch + "/plot.dwf";
    writePlot(path);
    const std::string package = readFile(path);
    save("fuzz_plot_reader", "one_page.dwf", package);
    save("fuzz_zip_reader", "one_page.dwf", package);
    // The same entries as fuzz_plot_reader's entry list: flags (bit 0:
    // deflate), name length, name, content length (16 bits), content.
    std::string list;
    for (const auto& [name, content] : entriesOf(path)) {
        if (name.size() > 255 || content.size() > 65535) fail("entry too large for an entry list: " + name);
        list.push_back(endsWith(name, ".w2d") ? '\1' : '\0');
        list.push_back(static_cast<char>(name.size()));
        list += name;
        list.push_back(static_cast<char>(content.size() & 0xFF));
        list.push_back(static_cast<char>(content.size() >> 8));
        list += content;
    }
    save("fuzz_plot_reader", "one_page_entries.bin", list);
    for (const auto& [name, content] : entriesOf(path)) {
        if (name == "manifest.xml") save("fuzz_xml_documents", "manifest.xml", content);
        if (endsWith(name, "descriptor.xml")) save("fuzz_xml_documents", "descriptor.xml", content);
        if (endsWith(name, ".w2d")) {
            save("fuzz_w2d_reader", "plot_page.w2d", std::string(1, '\0') + content);
            // The same, three bytes per read call and written again.
            save("fuzz_w2d_reader", "plot_page_pieces.w2d", std::string(1, '\x13') + content);
        }
    }
    std::remove(path.c_str());
}

// --- a plain archive -------------------------------------------------------

void archiveSeeds(const std::string& scratch) {
    const std::string path = scratch + "/entries.zip";
    {
        std::unique_ptr<DWFZip::ArchiveWriter> writer = DWFZip::ArchiveWriter::create(platform::utf8ToUtf16(path), false, 0);
        if (!writer) fail("cannot create " + path);
        DWFZip::ArchiveEntryFileInfo info;
        info.dosDateTime = (45u << 25 | 1u << 21 | 2u << 16) | (12u << 11 | 30u << 5);
        const std::string text = "Deflate me, deflate me, deflate me: the same words again and again.\n";
        const uint8_t extra[] = {0x55, 0x54, 0x01, 0x00, 0x00};
        const struct {
            const char* name;
            int32_t method;
            const char* password;
            const char* comment;
        } entries[] = {
            {"stored.txt", 0, nullptr, "a comment"},
            {"dir/deflated.txt", 8, nullptr, nullptr},
            {"secret\\stored.txt", 0, "secret", nullptr},
            {"secret/deflated.txt", 8, "secret", nullptr},
            {"empty", 8, nullptr, nullptr},
        };
        for (const auto& entry : entries) {
            if (writer->openEntry(entry.name, &info, extra, extra, entry.comment, entry.method, 6, entry.password) != 0 ||
                (std::string(entry.name) != "empty" && writer->writeEntry(text.data(), text.size()) != 0) ||
                writer->closeEntry() != 0) {
                fail("cannot write " + path);
            }
        }
        if (writer->close("archive comment") != 0) fail("cannot finish " + path);
    }
    save("fuzz_zip_reader", "entries.zip", readFile(path));
    std::remove(path.c_str());
}

// --- W2D streams ------------------------------------------------------------

std::string writeStream(const std::function<void(WT_Stream&)>& body, const std::function<void(WT_Stream&)>& setup) {
    fuzz::W2dMemory memory;
    WT_Stream stream;
    fuzz::useW2dMemory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Write);
    setup(stream);
    if (stream.open() != WT_Result::Success) fail("cannot open a W2D stream");
    body(stream);
    if (stream.close() != WT_Result::Success) fail("cannot close a W2D stream");
    return memory.output;
}

void attributes(WT_Stream& s) {
    WT_Line_Style style;
    style.set_line_join(WT_Line_Style::Diamond_Join);
    style.set_line_start_cap(WT_Line_Style::Round_Cap);
    style.set_miter_angle(30);
    WT_Font font;
    font.set_name(WT_String("Sans"));
    font.set_height(500);
    font.set_rotation(16384);
    font.set_style(WT_Font::Bold);
    WT_Units::WT_Matrix matrix{};
    matrix[0] = 0.5;
    matrix[5] = 0.5;
    matrix[15] = 1;
    const Points clip = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    WT_Color(10, 20, 30, 255).write(s);
    WT_Color_Map(std::vector<WT_RGBA32>{{1, 2, 3, 255}, {5, 6, 7, 255}}).write(s);
    WT_Color(1, WT_Color_Map()).write(s);
    WT_Fill(true).write(s);
    WT_Fill(false).write(s);
    WT_Visibility(true).write(s);
    WT_Line_Weight(35).write(s);
    style.write(s);
    font.write(s);
    WT_Viewport(WT_String("Clip"), WT_Contour_Set(clip), WT_Units(WT_String("mm"), matrix)).write(s);
    WT_Layer(3, WT_String("walls")).write(s);
    WT_Code_Page(1252).write(s);
    WT_Marker_Size(99).write(s);
    WT_Marker_Symbol(4).write(s);
    WT_Line_Pattern(WT_Line_Pattern::ISO_Dash_Dot).write(s);
    WT_Dash_Pattern(101, std::vector<int32_t>{10, 5, 2, 5}).write(s);
    WT_Fill_Pattern(WT_Fill_Pattern::Slant_Left, 0.25).write(s);
    WT_Merge_Control(WT_Merge_Control::Transparent).write(s);
    WT_URL(std::vector<WT_URL_Item>{{1, WT_String("http://x/y"), WT_String("here")}}).write(s);
    WT_Pen_Pattern(12).write(s);
    WT_Font_Extension(WT_String("Arial Narrow"), WT_String("ArialN")).write(s);
    WT_Object_Node(7, WT_String("node")).write(s);
    WT_Units(WT_String("ft"), matrix).write(s);
}

void structure(WT_Stream& s) {
    const WT_Logical_Box box = {WT_Logical_Point(0, -1), WT_Logical_Point(20, 30)};
    WT_Metadata(WT_Metadata::Author, "Seed").write(s);
    WT_Metadata(WT_Metadata::Modified, 77, "then", "g").write(s);
    WT_Named_View(box, "top").write(s);
    WT_View(WT_Named_View(box, "top")).write(s);
    WT_Background(WT_RGBA32(1, 2, 3, 4)).write(s);
    WT_Plot_Optimized(true).write(s);
    WT_Inked_Area({box[0], box[1], box[0], box[1]}).write(s);
    WT_Pen_Pattern_Options({true, false, false, true}).write(s);
    WT_Projection(WT_Projection::Chop).write(s);
    WT_Plot_Info(false, 90, WT_Plot_Info::Millimeters, {210, 297, 0, 0, 200, 287}).write(s);
    WT_Group("a group").write(s);
    WT_Group().write(s);
}

void drawables(WT_Stream& s) {
    WT_Polyline(Points{{0, 0}, {10, 0}}).write(s);
    WT_Polyline(Points{{10, 0}, {10, 10}, {70000, 5}}).write(s);
    WT_Polygon(Points{{100000, 0}, {100010, 0}, {100010, 10}}).write(s);
    WT_Contour_Set(std::vector<int32_t>{3, 3}, Points{{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}}).write(s);
    WT_Filled_Ellipse({5, 6}, 7, 7).write(s);
    WT_Outline_Ellipse({5, 6}, 9, 7, 10, 300, 4).write(s);
    WT_Text text({3, 4}, WT_String(u"Hi \u00e9"));
    text.set_bounds(WT_Text::WT_Bounds{{{3, 4}, {13, 4}, {13, 9}, {3, 9}}});
    text.set_underscore({1});
    text.write(s);
    WT_Image(1, 2, WT_Image::Mapped, 1, WT_Color_Map({{1, 2, 3, 4}, {5, 6, 7, 8}}), {0, 1}, {0, 0}, {2, 1}).write(s);
    WT_Image(1, 1, WT_Image::RGB, 2, std::nullopt, {9, 8, 7}, {0, 0}, {1, 1}).write(s);
    const std::string png = tinyPng();
    WT_PNG_Group4_Image(2, 2, WT_Image::PNG, 3, std::nullopt, Bytes(png.begin(), png.end()), {0, 0}, {5, 5}).write(s);
    WT_UserData(WT_String("Pen"), {'2'}).write(s);
    WT_UserData(WT_String("Group"), {'R', 'o', 'a', 'd', 's'}).write(s);
}

void everything(WT_Stream& s) {
    structure(s);
    attributes(s);
    drawables(s);
}

void w2dSeeds() {
    const auto binary = [](WT_Stream&) {};
    const auto ascii = [](WT_Stream& s) { s.options().set_allow_binary_data(false); };
    const auto compressed = [](WT_Stream& s) { s.options().set_allow_data_compression(true); };
    const auto oldAscii = [](WT_Stream& s) {
        s.options().set_target_version(55);
        s.options().set_allow_binary_data(false);
    };
    save("fuzz_w2d_reader", "every_object_binary.w2d", std::string(1, '\0') + writeStream(everything, binary));
    save("fuzz_w2d_reader", "every_object_ascii.w2d", std::string(1, '\0') + writeStream(everything, ascii));
    save("fuzz_w2d_reader", "every_object_ascii_rewritten.w2d", std::string(1, '\x31') + writeStream(everything, ascii));
    save("fuzz_w2d_reader", "drawables_compressed.w2d", std::string(1, '\x07') + writeStream(drawables, compressed));
    save("fuzz_w2d_reader", "drawables_version_55.w2d", std::string(1, '\0') + writeStream(drawables, oldAscii));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds DIR\n");
        return 2;
    }
    outputDirectory = argv[1];
    char scratch[] = "/tmp/dwfplot-seeds-XXXXXX";
    if (mkdtemp(scratch) == nullptr) fail("cannot make a scratch directory");
    packageSeeds(scratch);
    archiveSeeds(scratch);
    w2dSeeds();
    rmdir(scratch);
    return 0;
}
