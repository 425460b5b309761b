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
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
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
#include "plot_round_trip_input.h"
#include "w2d_round_trip_input.h"

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

// --- W2D round-trip programs -------------------------------------------------

// An input of fuzz_w2d_round_trip: per object its family's byte, then its
// fields in the order its generator reads them (w2d_round_trip_input.h).
class Program {
public:
    Program& bytes(std::initializer_list<uint8_t> values) {
        m_bytes.insert(m_bytes.end(), values.begin(), values.end());
        return *this;
    }
    Program& family(fuzz::W2dFamily family) { return bytes({static_cast<uint8_t>(family)}); }
    // A count of 1 to 7.
    Program& count(uint8_t count) { return bytes({static_cast<uint8_t>(count - 1)}); }
    // An integer of -128 to 127.
    Program& small(int8_t value) { return bytes({1, static_cast<uint8_t>(value)}); }
    Program& point(int8_t x, int8_t y) { return small(x).small(y); }
    Program& raw16(uint16_t value) { return bytes({static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)}); }
    // 8-bit text of up to 18 characters, each given as it is, in runs of
    // three characters said once.
    Program& text(std::string_view text) {
        if (text.empty()) return bytes({1});
        const size_t runs = (text.size() + 2) / 3;
        if (runs > 6) fail("seed text too long");
        bytes({2, static_cast<uint8_t>(runs - 1)});
        for (size_t run = 0; run < runs; ++run) {
            const std::string_view piece = text.substr(3 * run, 3);
            bytes({static_cast<uint8_t>(piece.size() - 1)});
            for (const char c : piece) bytes({0x80, static_cast<uint8_t>(c)});
            bytes({0});
        }
        return *this;
    }
    // `piece` (1 to 3 characters) said as often as entry `length` of the
    // generator's table of long runs says (10: 100,000 times).
    Program& repeated(std::string_view piece, uint8_t length) {
        bytes({2, 0, static_cast<uint8_t>(piece.size() - 1)});
        for (const char c : piece) bytes({0x80, static_cast<uint8_t>(c)});
        return bytes({255, length});
    }
    // Entry `index` of the generator's table of boundary counts.
    Program& boundary(uint8_t index) { return bytes({255, index}); }
    std::string str() const { return std::string(m_bytes.begin(), m_bytes.end()); }

private:
    std::vector<uint8_t> m_bytes;
};

std::string roundTripDrawables() {
    using F = fuzz::W2dFamily;
    Program p;
    p.family(F::Point_Set).bytes({0}).count(2).bytes({0}).point(10, 20).point(30, 40);  // a line
    p.family(F::Point_Set).bytes({1}).count(3).bytes({1}).point(5, 5).point(10, 0);     // a polygon, in steps
    p.family(F::Point_Set).bytes({2}).count(4).bytes({2, 1, 7, 0, 0, 0}).point(0, 0);   // polymarker, 16-bit walk
    p.family(F::Point_Set).bytes({3}).count(5).bytes({2, 3, 9, 0, 0, 0}).point(0, 0);   // polytriangle, 32-bit walk
    // Two contours of three points.
    p.family(F::Contour_Set).count(2).count(3).count(3).bytes({0});
    p.point(0, 0).point(90, 0).point(90, 90).point(10, 10).point(20, 10).point(20, 20).bytes({1});
    // A filled ellipse, then an outline arc of a circle.
    p.family(F::Ellipse).bytes({1}).point(100, 100).small(50).bytes({0}).small(25).bytes({1, 0, 0}).raw16(0x4000);
    p.family(F::Ellipse).bytes({0}).point(-50, 50).small(40).bytes({1, 0}).raw16(0x1000).bytes({4}).raw16(0x9000);
    p.bytes({1});
    // A text with underscore and bounds.
    p.family(F::Text).point(3, 4).text("Hi there").bytes({2 | 4}).count(1).bytes({1}).raw16(1).bytes({0});
    p.point(3, 4).point(13, 4).point(13, 9).point(3, 9);
    // A 1 x 1 RGB image, and a mapped one with a map of two colours.
    p.family(F::Image).bytes({4, 1}).raw16(1).raw16(1).bytes({7, 0, 0, 0, 0, 0, 2, 9, 8, 7, 0}).point(0, 0).point(1, 1);
    p.family(F::Image).bytes({3, 1}).raw16(1).raw16(2).bytes({8, 0, 0, 0, 1, 1, 1, 2, 3, 4, 5, 6, 7, 8});
    p.bytes({0, 1, 0, 1, 0}).point(0, 0).point(2, 1);
    // User data "Pen" with the byte '2'.
    p.family(F::User_Data).text("Pen").bytes({0, 0, '2', 0});
    return p.str();
}

std::string roundTripAttributes() {
    using F = fuzz::W2dFamily;
    Program p;
    p.family(F::Color).bytes({0, 10, 20, 30, 255});
    p.family(F::Color_Map).bytes({1, 1, 2, 3, 255, 5, 6, 7, 255});
    p.family(F::Color).bytes({2, 1}).raw16(1);  // entry 1 of the map just written
    p.family(F::Switch).bytes({0, 0});           // visibility off
    p.family(F::Line_Weight).small(35);
    p.family(F::Line_Style).raw16(0x4 | 0x20 | 0x40).bytes({2, 2, 2});  // round join and caps
    p.family(F::Font).raw16(0x1 | 0x20).text("Sans").small(100).bytes({0});
    p.family(F::Viewport).text("Clip").bytes({0}).count(1).count(4).bytes({0});
    p.point(0, 0).point(100, 0).point(100, 100).point(0, 100).bytes({1, 1});
    p.family(F::Layer).bytes({0}).small(3).text("walls");
    p.family(F::Layer).bytes({1, 0});  // the same layer again: by number alone in binary
    p.family(F::Code_Page).bytes({3, 0xE4, 0x04, 0, 0});
    p.family(F::Marker).bytes({1}).small(99);
    p.family(F::Line_Pattern).bytes({26});
    p.family(F::Dash_Pattern).small(101).count(3).small(10).small(5);
    p.family(F::Fill_Pattern).bytes({5, 0, 1, 1});  // slant left, scale 0.25
    p.family(F::Merge_Control).bytes({2});
    p.family(F::URL).bytes({1, 1}).small(1).text("http://x/y").text("here");
    p.family(F::Pen_Pattern).bytes({12, 0, 0, 0});
    p.family(F::Font_Extension).text("Arial Narrow").text("ArialN");
    p.family(F::Object_Node).small(7).bytes({2, 0}).text("node");
    p.family(F::Object_Node).small(0).bytes({0, 1});  // the next node: 0x0E in binary
    p.family(F::Units).raw16(0x21).bytes({1, 2, 1, 2}).text("mm");
    return p.str();
}

std::string roundTripStructure() {
    using F = fuzz::W2dFamily;
    Program p;
    p.family(F::Origin).point(-7, 7);
    p.family(F::Metadata).bytes({0}).text("Seed");
    p.family(F::Metadata).bytes({10}).small(77).text("then").text("g");
    p.family(F::View).bytes({0}).point(0, -1).point(20, 30).text("top");
    p.family(F::View).bytes({2, 0});  // by the name just defined
    p.family(F::View).bytes({1}).point(1, 2).point(3, 4);
    p.family(F::Drawing_Record).bytes({0, 1, 2, 3, 4});
    p.family(F::Drawing_Record).bytes({1, 1});
    p.family(F::Drawing_Record).bytes({2}).point(0, 0).point(9, 0).point(9, 9).point(0, 9);
    p.family(F::Drawing_Record).bytes({3, 1, 0, 0, 1});
    p.family(F::Drawing_Record).bytes({4, 2});
    p.family(F::Drawing_Record).bytes({5, 0}).small(90).bytes({1, 1, 84, 1, 120, 1, 0, 1, 0, 1, 80, 1, 116});
    p.family(F::Group).bytes({1}).text("a group");
    p.family(F::Group).bytes({0});
    p.family(F::Block_Record).bytes({2, 1, 1});  // orientation Always_Different
    p.family(F::Block_Record).bytes({5, 1});
    for (int index = 0; index < 32; ++index) p.bytes({static_cast<uint8_t>('A' + index % 26)});
    return p.str();
}

// The characters that decide quoting, in every position.
std::string roundTripStrings() {
    using F = fuzz::W2dFamily;
    Program p;
    for (const char* text : {"a\"b", "\"", "'", "a'b", "(x)", "{y}", "a\\b", "a b", "12ab", "-5", "+", ""}) {
        p.family(F::Group).bytes({1}).text(text);
        p.family(F::Metadata).bytes({6}).text(text);
    }
    p.family(F::View).bytes({0}).point(0, 0).point(9, 9).text("1st");
    p.family(F::View).bytes({2, 0});
    // UTF-16: a quote, U+00E9 and a lone surrogate.
    p.family(F::Text).point(0, 0).bytes({5, 0, 2, 1, 0x80, 0xE9, 0x00, 0x80, 0x00, 0xD8, 0, 0});
    return p.str();
}

// A 100,000-character text and point sets at the count encoding's limits.
std::string roundTripLong() {
    using F = fuzz::W2dFamily;
    Program p;
    p.family(F::Text).point(0, 0).repeated("ab", 10).bytes({0});
    p.family(F::Point_Set).bytes({0}).boundary(6).bytes({1}).point(0, 0).point(1, 1);   // 255 points
    p.family(F::Point_Set).bytes({0}).boundary(7).bytes({1}).point(0, 0).point(1, -1);  // 256 points
    p.family(F::Point_Set).bytes({0}).boundary(14).bytes({1}).point(0, 0).point(3, 0);  // 65,792 points
    return p.str();
}

void roundTripSeeds() {
    save("fuzz_w2d_round_trip", "drawables.bin", roundTripDrawables());
    save("fuzz_w2d_round_trip", "attributes.bin", roundTripAttributes());
    save("fuzz_w2d_round_trip", "structure.bin", roundTripStructure());
    save("fuzz_w2d_round_trip", "strings.bin", roundTripStrings());
    save("fuzz_w2d_round_trip", "long.bin", roundTripLong());
}

// --- plot round-trip host calls ----------------------------------------------

// An input of fuzz_plot_round_trip: the host's calls, each with its fields
// in the order the target decodes them (plot_round_trip_input.h).
class HostPlot {
public:
    using Call = plotinput::Call;
    using Points = std::vector<std::pair<double, double>>;
    struct Option {
        int32_t number;
        std::string_view name;
        bool first, second;
    };
    // A symbol contour: points, or `count` points sampled from a circle
    // (count 20 stays one point short of being taken for a circle).
    struct ShapeContour {
        Points points;
        size_t count = 0;
        double cx = 0, cy = 0, radius = 0;
    };
    struct Font {
        std::string_view name;
        double height;
        uint8_t style;  // 1 bold, 2 italic, 4 underline, 8 a host style text
    };
    struct TextPlace {
        double x, y, angle, width, height, descent;
    };

    HostPlot& pens(std::initializer_list<PenDetail> pens) {
        in_.u8(static_cast<uint8_t>(pens.size()));
        for (const PenDetail& pen : pens) {
            in_.i16(static_cast<int16_t>(pen.red)).i16(static_cast<int16_t>(pen.green));
            in_.i16(static_cast<int16_t>(pen.blue)).real(pen.width);
        }
        return *this;
    }
    HostPlot& openPlot(double width, double height, double xScale, double yScale, std::string_view units,
                       std::string_view encoding) {
        in_.real(width).real(height).real(xScale).real(yScale);
        in_.text(units, plotinput::kLabelPieces).text(encoding, plotinput::kLabelPieces);
        in_.text("Kestra", plotinput::kLabelPieces).text("9.9", plotinput::kLabelPieces);
        return *this;
    }
    HostPlot& openPage(std::initializer_list<Option> options) {
        in_.call(Call::OpenPage).u8(static_cast<uint8_t>(options.size()));
        for (const Option& o : options) {
            in_.number(o.number).text(o.name, plotinput::kOptionNamePieces).optionFlag(o.first).optionFlag(o.second);
        }
        return *this;
    }
    HostPlot& closePage() {
        in_.call(Call::ClosePage);
        return *this;
    }
    HostPlot& line(double x, double y, int penCode, std::string_view group) {
        in_.call(Call::AddLine).real(x).real(y).penCode(penCode).text(group, plotinput::kNamePieces);
        return *this;
    }
    HostPlot& lineRun(std::string_view group, const Points& points) {
        in_.call(Call::LineRun).text(group, plotinput::kNamePieces).u8(static_cast<uint8_t>(points.size() - 2));
        appendPoints(in_, points);
        return *this;
    }
    HostPlot& polygons(std::initializer_list<Points> contours, int32_t pen, std::string_view group) {
        in_.call(Call::AddPolygons).u8(static_cast<uint8_t>(contours.size()));
        for (const Points& contour : contours) appendPoints(in_.u8(static_cast<uint8_t>(contour.size())), contour);
        in_.number(pen).text(group, plotinput::kNamePieces);
        return *this;
    }
    HostPlot& setPen(int32_t pen) {
        in_.call(Call::SetPen).number(pen);
        return *this;
    }
    HostPlot& symbol(double x, double y, double scale, double angle, bool filled, std::string_view name,
                     std::initializer_list<ShapeContour> shape, std::string_view group) {
        in_.call(Call::AddSymbol).real(x).real(y).real(scale).real(angle).u8(filled ? 1 : 0);
        in_.text(name, plotinput::kNamePieces).u8(static_cast<uint8_t>(shape.size()));
        for (const ShapeContour& contour : shape) {
            if (contour.count >= 21) {
                in_.u8(0).u8(static_cast<uint8_t>(contour.count - 21)).real(contour.cx).real(contour.cy).real(contour.radius);
            } else if (contour.count > 0) {
                in_.u8(1).real(contour.cx).real(contour.cy).real(contour.radius);
            } else {
                appendPoints(in_.u8(2).u8(static_cast<uint8_t>(contour.points.size())), contour.points);
            }
        }
        in_.text(group, plotinput::kNamePieces);
        return *this;
    }
    HostPlot& text(const TextPlace& at, const Font& font, std::wstring_view line, int index, int count,
                   std::string_view group) {
        in_.call(Call::AddText).real(at.x).real(at.y);
        appendFont(font).real(at.angle).wide(line).lineNumber(index).lineNumber(count);
        in_.real(at.width).real(at.height).real(at.descent).text(group, plotinput::kNamePieces);
        return *this;
    }
    // Lines 1 to n of n, each a line height below the one before.
    HostPlot& textBlock(const TextPlace& at, const Font& font, std::string_view group,
                        std::initializer_list<std::wstring_view> lines) {
        in_.call(Call::TextBlock).u8(static_cast<uint8_t>(lines.size() - 1)).real(at.x).real(at.y);
        appendFont(font).real(at.angle).real(at.width).real(at.height).real(at.descent);
        in_.text(group, plotinput::kNamePieces);
        for (const std::wstring_view line : lines) in_.wide(line);
        return *this;
    }
    // A one-line text of one code point repeated: 65530 + extra times, or
    // with `steps`, 60000 + 16 * steps times.
    HostPlot& longText(const TextPlace& at, wchar_t c, uint8_t extra, std::optional<uint16_t> steps = {}) {
        in_.call(Call::AddText).real(at.x).real(at.y);
        appendFont({"a", 0.25, 0}).real(at.angle);
        if (steps) {
            in_.wideInSteps(c, *steps);
        } else {
            in_.wideNearLimit(c, extra);
        }
        in_.lineNumber(1).lineNumber(1).real(at.width).real(at.height).real(at.descent);
        in_.text("", plotinput::kNamePieces);
        return *this;
    }
    HostPlot& table(std::string_view table) {
        in_.call(Call::AddTable).text(table, plotinput::kNamePieces);
        return *this;
    }
    HostPlot& image(double x, double y, double width, double height, int kind, std::optional<size_t> bytes,
                    std::string_view group) {
        in_.call(Call::AddImage).real(x).real(y).real(width).real(height).i16(40).i16(30);
        in_.imageKind(kind).encodedSize(bytes).text(group, plotinput::kNamePieces);
        return *this;
    }
    HostPlot& penDetails(std::initializer_list<PenDetail> table) {
        in_.call(Call::SetPenDetails);
        return pens(table);
    }
    std::string str() const {
        if (!in_.spelled()) fail("a plot seed names a text the piece tables cannot spell");
        return in_.bytes();
    }

private:
    static void appendPoints(plotinput::InputBuilder& in, const Points& points) {
        for (const auto& [x, y] : points) in.real(x).real(y);
    }
    plotinput::InputBuilder& appendFont(const Font& font) {
        return in_.text(font.name, plotinput::kNamePieces).real(font.height).u8(font.style);
    }

    plotinput::InputBuilder in_;
};

// A host plot of one page using every call once or more.
std::string plotEveryCall() {
    HostPlot p;
    p.pens({{0, 0, 0, 0.35}, {200, 30, 30, 0.7}, {30, 140, 30, 0.5}}).openPlot(42, 29.7, 1, 1, "mm", "UTF-8");
    p.openPage({{3, "Roads", true, false}, {7, "a", false, true}});
    p.setPen(1).lineRun("Roads", {{1, 1}, {5, 3}, {9, 2}});
    p.line(9, 2, 3, "Roads").line(12, 2, 2, "Roads");  // pen up where the line ended: it goes on
    p.setPen(2).polygons({{{10, 5}, {14, 5}, {14, 9}, {10, 9}}, {{11, 6}, {12, 6}, {12, 7}}}, 2, "B");
    p.textBlock({2, 7, 30, 2.5, 0.5, 0.2}, {"Group 1", 0.5, 1}, "Group 1", {L"Two lines", L"of text \u00e9"});
    p.symbol(15, 2, 1.5, 45, true, "a", {{{}, 36, 0, 0, 5}, {{{-0.2, -0.2}, {0.2, -0.2}, {0.2, 0.2}}}}, "B");
    p.symbol(20, 2, 2, 0, false, "z", {{{{0, 0}, {3, 0}}}, {{{1, 1}}}, {{}, 20, 0, 0, 1}}, "");
    p.table("a|B\n7|1");
    p.image(16, 8, 2, 2, 1, 12, "a").image(0, 0, 8, 6, 0, 5, "B").image(1, 1, 1, 1, 5, 3, "z");
    p.image(2, 2, 1, 1, 2, std::nullopt, "a");
    return p.str();
}

// Pages: the pen carried over, a page opened over an open one, drawing
// between pages, a text begun on one page and ended on the next.
std::string plotPages() {
    HostPlot p;
    p.pens({{255, 0, 0, 0.25}, {0, 0, 255, 0.5}}).openPlot(21, 14.8, 39.37, 78.74, "I", "ISO8859_1");
    p.openPage({}).setPen(1).lineRun("a", {{0, 0}, {1, 1}});
    p.text({0, 0, 0, 1, 0.2, 0.25}, {"Roads", 0.2, 0}, L"begun", 1, 2, "a");
    p.openPage({{1, "B", true, true}}).text({0, 1, 0, 1, 0.2, 0.25}, {"Roads", 0.2, 0}, L"ended", 2, 2, "a");
    p.closePage().lineRun("z", {{5, 5}, {6, 6}}).table("z|a");
    p.openPage({}).setPen(0).penDetails({}).setPen(7).polygons({{{0, 0}, {1, 0}, {1, 1}}}, 8, "z");
    return p.str();
}

// Names that the records quote, end or cut: spaces, double quotes, zero
// bytes, other whitespace and bytes that are no UTF-8.
std::string plotNames() {
    HostPlot p;
    p.pens({}).openPlot(10, 10, 1, 1, "mm", "UTF-8");
    p.openPage({{-1, "a \"B\" 1 0", true, false}, {2, "", false, false}, {1000, "\xC3\xA9\xFF", true, true}});
    p.symbol(1, 1, 1, 0, true, "Group 1", {}, "a\"B\"").symbol(2, 2, 1, 0, false, "a\tB\n", {}, "");
    p.text({0, 0, 0, 1, 1, 0}, {"Roads \"B\"", 0.5, 7}, L"x", 1, 1, "  a \"B\" ");
    p.lineRun(std::string_view("a\0B", 3), {{0, 0}, {1, 0}}).table(std::string_view("a\0B", 3));
    p.lineRun("\xF0\x9F\x98\x80\xC3", {{0, 1}, {1, 1}}).table("%s{(nan),1+)");
    return p.str();
}

// Text lines out of step with their count, and text over all of Unicode.
std::string plotTexts() {
    HostPlot p;
    const HostPlot::Font font{"a B", 0.18, 0};
    p.pens({{0, 0, 0, 0.1}}).openPlot(30, 20, 1, 1, "mm", "UTF-8").openPage({});
    p.text({1, 1, 0, 5, 1, 0.2}, font, L"   ", 1, 1, "a").text({1, 2, 0, 5, 1, 0.2}, font, L"   ", 1, 3, "a");
    p.text({1, 3, 0, 5, 1, 0.2}, font, L"", 2, 3, "a").text({1, 4, 0, 5, 1, 0.2}, font, L"third", 3, 3, "a");
    p.text({1, 5, 0, 5, 1, 0.2}, font, L"alone", 2, 2, "B").lineRun("z", {{0, 0}, {9, 9}});
    p.text({1, 6, 0, 5, 1, 0.2}, font, std::wstring_view(L"\xD800\xDC00\x1F600\x110000", 4), 0, 0, "z");
    p.text({1, 7, 90, 5, 1, 0.2}, font, std::wstring_view(L"\xDFFF\xFFFF\x10FFFF\xFEFF\n{", 6), -1, -1, "z");
    p.textBlock({2, 9, -45, 3, 1, 0.3}, {"z", 1.2, 6}, "", {L"\"quoted\"", L"tab\tand\\", L"\x20AC \x3A9"});
    return p.str();
}

// Numbers at the edges of the formats: thousandths that round either way,
// the 32-bit range of logical units, pens outside the table.
std::string plotNumbers() {
    HostPlot p;
    p.pens({{300, -1, 256, 0.005}}).openPlot(0.57, 1e-3, 1e15, -0.0005, "In", "");
    p.openPage({}).setPen(-1).setPen(-1000).setPen(1000);
    p.lineRun("a", {{1.005, 2.0005}, {2147483.647, -2147483.648}, {2147483.648, 0.0005}, {-0.0005, 33.3335}});
    p.polygons({{{1e300, -1e300}}, {{0.125, 0.1}, {-0.1, 4.9999999999}}}, 256, "B");
    p.symbol(1.0005, 2.0005, 1.004, 359.995, true, "a", {{{}, 64, 1, 1, 1e-3}}, "B");
    p.image(2147483.647, -2147483.648, 1, -1, 0, 0, "z");
    return p.str();
}

// A text line just over 65,536 characters.
std::string plotLongText() {
    HostPlot p;
    p.pens({}).openPlot(10, 10, 1, 1, "mm", "UTF-8").openPage({});
    p.longText({0, 0, 0, 1, 1, 0}, L'a', 7).table("a");
    return p.str();
}

// A text line just over 2^20 UTF-16 units (524,304 characters beyond the
// basic plane): beyond what any page stream takes, so the plot fails.
std::string plotOverLimit() {
    HostPlot p;
    p.pens({}).openPlot(10, 10, 1, 1, "mm", "UTF-8").openPage({});
    p.longText({0, 0, 0, 1, 1, 0}, 0x1F600, 0, 29019).table("a");
    return p.str();
}

void plotRoundTripSeeds() {
    save("fuzz_plot_round_trip", "every_call.bin", plotEveryCall());
    save("fuzz_plot_round_trip", "pages.bin", plotPages());
    save("fuzz_plot_round_trip", "names.bin", plotNames());
    save("fuzz_plot_round_trip", "texts.bin", plotTexts());
    save("fuzz_plot_round_trip", "numbers.bin", plotNumbers());
    save("fuzz_plot_round_trip", "long_text.bin", plotLongText());
    save("fuzz_plot_round_trip", "over_limit.bin", plotOverLimit());
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
    roundTripSeeds();
    plotRoundTripSeeds();
    rmdir(scratch);
    return 0;
}
