#include "memory_stream.h"
#include "w2d/object_factory.h"
#include "w2d/opcode.h"

using namespace w2dtest;

namespace {

TEST(W2dFraming, HeaderVersionsAndPrefixes) {
    EXPECT_EQ(write_stream({}, [](WT_Stream& s) { s.options().set_target_version(41); }), "(DWF V00.41)" + Trailer);
    const auto stream_end = WT_Result::End_Of_Stream;
    const auto not_w2d = WT_Result::Not_A_W2D_Stream;
    const std::tuple<const char*, WT_Result::Enum, int> cases[] = {
        {"(W2D V06.00)", stream_end, 600}, {"(DWF V00.55)", stream_end, 55}, {"(DWF V05.99)", stream_end, 599},
        {"(W2D V12.34)", stream_end, 1234}, {"(DWF V06.00)", WT_Result::Package_Stream, 0},
        {"(W2D V6.00) ", not_w2d, 0}, {"(W2D V06,00)", not_w2d, 0}, {"(W2D V06.00(", not_w2d, 0},
        {"(XYZ V06.00)", not_w2d, 0}, {"(W2D", not_w2d, 0}, {"(W2D VAB.CD)", not_w2d, 0},
    };
    for (const auto& [header, result, expected] : cases) {
        int version = 0;
        const Read_Log read = read_log(header + Trailer, SIZE_MAX, {}, [&](WT_Stream& s) { version = s.version(); });
        EXPECT_EQ(read.end, result) << header;
        EXPECT_EQ(version, expected) << header;
        EXPECT_EQ(read.ids, std::vector<WT_Object::WT_ID>(expected == 0 ? 0 : 1, WT_Object::DWF_Header_ID)) << header;
    }
}

// Hand-written bodies, read whole or a byte at a time: the result, the font family and charset then in force,
// the unknown objects passed over and the drawables read.
TEST(W2dFraming, HandWrittenBodiesEndInTheirResults) {
    struct Case {
        std::string body;
        WT_Result::Enum result;
        int family = 16;
        int charset = 0;
        std::vector<std::string> unknown = {};
        std::vector<WT_Object::WT_ID> drawables = {};
    };
    using O = WT_Object;
    const auto end = WT_Result::End_Of_Stream;
    const auto eof = WT_Result::End_Of_File;
    const auto corrupt = WT_Result::Corrupt_Data;
    const auto inconsistent = WT_Result::Inconsistent_Data;
    const auto unsupported = WT_Result::Unsupported_Format;
    const auto unclaimed = WT_Result::Unsupported_Opcode;
    const std::string forty(40, 'A');
    const std::string mystery = "(Mystery 'a)b' (nested (x)) \"q)\" 'it\\'s)')";
    const std::string binary = extended(999, "abc");
    const std::string image = le16(1) + le16(1) + std::string(20, '\0');  // the fields after the format
    const Case cases[] = {
        // Font, line style and colour values.
        {"(Font (Family 7))", end, 7}, {"(Font (Family swiss) (Charset RUSSIAN))", end, 32, 204},
        {"(Font (Charset 255))", end, 16, 255}, {"(Font (Charset 300))", corrupt},
        {"(Font (Charset russian))", corrupt}, {"(Font (Pitch 1x))", corrupt}, {"(Font (Style bold heavy))", corrupt},
        {"(Font (Kerning 3) (Family 48))", end, 48}, {"(LineStyle (AdaptPatterns TRUE) (MiterAngle 65535))", end},
        {"(LineStyle (LineStartCap rounded))", corrupt}, {"(LineStyle (AdaptPatterns yes))", corrupt},
        {"(LineStyle (MiterLength 65536))", corrupt}, {"(LineStyle (FutureOption (a b)) (LineJoin bevel))", end},
        {"(Color 1,2,3)", corrupt}, {"(Color 1,2,3,256)", corrupt}, {"C 255", end},
        {"C 256", corrupt},  // the map has no such entry
        {"(ColorMap 0)", corrupt}, {"(LinePattern 'Wavy')", corrupt}, {"(LinesOverwrite merge)", end},
        // Structural records.
        {"(View nowhere)", inconsistent}, {"(NamedView 0,0 1,1 a)(View b)", inconsistent},
        {"(BlockMeaning Stomp)", corrupt}, {extended(322, le16(3)), corrupt}, {"(Alignment Align_Nowhere)", corrupt},
        {"(BlockRef Graphix 1 2)", corrupt}, {"(Projection 'tilt')", corrupt},
        {"(PlotInfo maybe 0 mm 1 2 3 4 5 6)", corrupt},
        {"(PlotInfo show 0 mm 1 2 3.5-1 4 5 6)", corrupt}, {"(PenPat_Options 1 2 0 0)", corrupt},
        {"(Background 1,2,300,4)", corrupt}, {"(Psswd 'short')", eof},
        // Fields that do not fit the size are passed over by the size.
        {extended(322, le16(4) + "xx") + "(GroupEnd)", end}, {extended(331, "short") + "(GroupEnd)", end},
        {extended(330, "") + "(GroupEnd)", end},
        // Unknown opcodes, and names of extended ASCII ones up to forty characters.
        {"(" + forty + " 1 2)", end, 16, 0, {"(" + forty + " 1 2)"}}, {"(" + forty + "A 1 2)", corrupt},
        {"( 1 2)", corrupt}, {mystery + binary + "(Zeppelin)", end, 16, 0, {mystery, binary, "(Zeppelin)"}},
        {"\x02", WT_Result::Wrong_Opcode},  // Bezier curves are not interpreted
        {"b", WT_Result::Wrong_Opcode}, {"\x7F", unclaimed},  // no kind claims it
        {")", corrupt},                                    // a ")" outside an option list
        {"{" + le32(0) + le16(999) + "}", unsupported},
        // Sizes and counts beyond the input end it before anything is allocated for them.
        {"{" + le32(0x7FFFFFFF) + le16(999), eof}, {"{" + le32(0xFFFFFFF0u) + le16(352) + "abc", eof},
        {"p" + le(0xFFFF00, 3) + p32(1, 2), eof}, {"\x10" + le(0x1FFFF00, 5), eof}, {"l\x01" + le(0, 1), eof},
        {"\x0B" + le(0xFFFF00, 3) + le(0xFFFF00, 3), eof}, {"k\x02" + le(0xFFFF00, 3) + le(0xFFFF00, 3) + le32(1), eof},
        {"{" + le32(0xFFFFFF00u + 31) + le16(8) + image + le32(0xFFFFFF00u) + "abc", eof},
        {"{" + le32(41) + le16(8) + image + le32(0xFFFFFF00u), corrupt},  // image data beyond its opcode
        {"{" + le32(3) + le16(12) + "}", corrupt},                        // too short for the image fields
        {"{" + le32(300) + le16(5) + image + le(0, 1), eof},              // the image colour map
        {"(Image 'RGB' 1 1,1 0,0 1,1 (4000000000 AB", corrupt}, {"(Image 'PNG' 1 1,1 0,0 1,1 (1 AB))", unsupported},
        {"(Image 'TIFF' 1 1,1 0,0 1,1 (1 AB))", unsupported}, {"(Image 'RGB' 1 65536,1 0,0 1,1 (1 AB))", corrupt},
        {"{" + le32(16) + "\x62\x01'Pen'" + le32(0xFFFFFFF0u) + "ab}", corrupt},
        {"{" + le32(0xFFFFFFFFu) + "\x62\x01'Pen'" + le32(0xFFFFFFF3u), eof}, {"(UserData 'x' 4000000000 AB)", corrupt},
        {"x" + p32(0, 0) + "{" + le32(1u << 20) + "ab", eof},
        {"x" + p32(0, 0) + "{" + le32((1u << 20) + 1) + "ab", corrupt},
        {"\x18" + p32(0, 0) + "'a'" + le(0x1FFFF00, 5), eof}, {"(Text 0,0 'a' (Overscore (4000000000 1,2)))", corrupt},
        {"(Text 0,0 'a' (Overscore (1 70000)))", corrupt}, {"P 4000000000 0,0", corrupt},
        {"P 2000000000 0,0 1,1", corrupt}, {"(Contour 2000000000 3 3)", corrupt},
        {"(Ellipse 0,0 1,1 70000,0 0)", corrupt}, {"(Circle 0,0 1 0,65537)", corrupt},
        // Drawables read as the fill says.
        {"P 3 0,0 1,0 1,1 F P 3 0,0 1,0 1,1 L 0,0 1,1", end, 16, 0, {},
         {O::Polyline_ID, O::Polygon_ID, O::Polyline_ID}},
        {"R 0,0 5 (Circle 0,0 5 0,100) F E 1,1 2,3 (Ellipse 1,1 2,3 0,65536 0)", end, 16, 0, {},
         {O::Outline_Ellipse_ID, O::Outline_Ellipse_ID, O::Filled_Ellipse_ID, O::Filled_Ellipse_ID}},
        {"(Text 1,2 hello (Mystery (x)) (Bounds 0,0 1,0 1,1 0,1)) (UserData Pen 1 AB)", end, 16, 0, {},
         {O::Text_ID, O::UserData_ID}},
        // Shaded drawables stay refused.
        {"\x07\x01" + p32(0, 0), unclaimed}, {"g\x01" + p32(0, 0), unclaimed}, {"\x11\x01" + p32(0, 0), unclaimed},
        {"q\x01" + p32(0, 0), unclaimed},
    };
    for (const Case& c : cases) {
        for (const size_t perCall : {SIZE_MAX, size_t{1}}) {
            WT_Font font;
            const Body each = [&font](WT_Stream& s) { font = s.current_attributes().font(); };
            const Read_Log read = read_log(Header + c.body + "(EndOfDWF)", perCall, {}, each);
            EXPECT_EQ(read.end, c.result) << hex(c.body) << " " << perCall;
            EXPECT_EQ(font.family(), c.family) << c.body;
            EXPECT_EQ(font.charset(), c.charset) << c.body;
            EXPECT_EQ(read.unknown_bytes, c.unknown) << c.body;
            EXPECT_EQ(read.drawables, c.drawables) << c.body;
        }
    }
}

// A failed read tells the byte it had reached, the opcode it was reading and why; input that ends inside an object
// says so once the caller knows no more can come.
TEST(W2dFraming, RecordsWhereAndWhyAReadFails) {
    const std::pair<std::string, std::string> cases[] = {
        {Header + "\x7F", "byte 13, opcode 0x7F: no object of the format has this opcode"},
        {Header + "C 7 (Color 1,2,3)", "byte 28, opcode (Color: expected ',', found 0x29"},
        {Header + "C 256 ", "byte 17, opcode 0x43 'C': colour 256 is not in the map of 256"},
        {Header + "(Image 'RGB' 1 70000,1 ", "byte 34, opcode (Image: an image of 70000 by 1 pixels"},
        {Header + "(Viewport 'a' (Contour 1 2 0,0 1;1))",
         "byte 44, opcode (Viewport: expected ',' between x and y, found 0x3B"},
        {Header + "(Font (Charset russian))",
         "byte 34, opcode (Font: \"russian\" is no name of its table nor 0 to 255"},
        {Header + "(LineStyle (LineJoin bent))",
         "byte 37, opcode (LineStyle: the operands are not what the opcode needs"},
        {Header + "p" + le(0xFFFF00, 3) + p32(1, 2),
         "byte 24, opcode 0x70 'p': the stream ends 11 bytes into the operands"},
        {Header + "(Color 1,2,3,4)", "byte 27: the stream ends without its (EndOfDWF) opcode"},
        {Header + "(Colo", "byte 17: the stream ends inside an opcode"},
        {Header + "C 7 (Co\x7Fr)", "byte 19: 0x7F in an opcode name"},  // names no opcode read before
        {"(W3D V06.00)", "byte 6: the stream does not start with \"(W2D V\" or \"(DWF V\""},
        {Header + "(EndOfDWF)", ""}};
    for (const auto& [bytes, failure] : cases) {
        Memory memory{bytes, 0, SIZE_MAX};
        WT_Stream stream;
        use_memory(stream, memory);
        stream.set_file_mode(WT_Stream::File_Read);
        WT_Result::Enum result = stream.open();
        while (result == WT_Result::Success) result = stream.process_next_object();
        if (result == WT_Result::Waiting_For_Data) result = stream.input_ended();
        EXPECT_EQ(stream.failure().describe(), failure) << hex(bytes);
        EXPECT_EQ(stream.failure().code(), failure.empty() ? 0 : result);
        EXPECT_EQ(stream.process_next_object(), failure.empty() ? WT_Result::End_Of_File : result);
    }
}

// A stream of many kinds, some binary and some ASCII.
std::string mixed_stream() {
    return Header + "\x03\x01\x02\x03\x04" "F\x17\x10" + le(0, 3) + "(LineStyle (LineJoin round) (LineEndCap diamond))"
           "(Mystery 'x)' (y))\x06\x21" + le(0, 1) + "'Times New'\xE8\x03" +
           "\r\n(Viewport 'Clip' (Contour 1 4 0,0 10,0 10,10 0,10) )" + extended(999, "xy") + "C 7" +
           "(Font (Family 7) (Style bold italic))v\xAC\x05(Layer 6 'six')(Color 9,8,7,6)" + Trailer;
}

// Every drawable kind, written by the stream in binary and then in ASCII.
std::string drawable_stream() {
    WT_Text text({3, 4}, WT_String("Hi"));
    text.set_bounds(WT_Text::WT_Bounds{{{3, 4}, {13, 4}, {13, 9}, {3, 9}}});
    text.set_underscore({1});
    const Body body = draw(
        WT_Polyline(Points{{0, 0}, {10, 0}}), WT_Polyline(Points{{10, 0}, {10, 10}, {70000, 5}}),
        WT_Polygon(Points{{100000, 0}, {100010, 0}, {100010, 10}}),
        WT_Contour_Set(std::vector<int32_t>{3, 3}, {{0, 0}, {9, 0}, {9, 9}, {1, 1}, {2, 1}, {2, 2}}),
        WT_Filled_Ellipse({5, 6}, 7, 7), WT_Outline_Ellipse({5, 6}, 9, 7, 10, 300, 4), text,
        WT_Image(1, 2, WT_Image::Mapped, 1, WT_Color_Map({{1, 2, 3, 4}, {5, 6, 7, 8}}), {0, 1}, {0, 0}, {2, 1}),
        WT_UserData(WT_String("Pen"), {1, 2, 3, 4}));
    const std::string binary = write_stream(body);
    // The binary stream without its trailer, then the ASCII objects.
    return binary.substr(0, binary.size() - Trailer.size()) + write_stream(body, ascii).substr(Header.size());
}

// The next of a linear congruential sequence: deterministic damage.
uint32_t next(uint32_t& seed) { return (seed = seed * 1103515245u + 12345u) >> 8; }

// Read whole or dripped, a stream gives the same objects; truncated or mangled, it ends in a result.
TEST(W2dFraming, DrippedTruncatedAndMangledInputs) {
    // The bytes, their objects and drawables (two polylines merge), a seed and the rounds of mangling.
    const std::tuple<std::string, size_t, size_t, uint32_t, int> cases[] = {
        {mixed_stream(), 15, 0, 12345, 3000}, {drawable_stream(), 22, 16, 4242, 2000}};
    for (const auto& [bytes, objects, drawables, first_seed, rounds] : cases) {
        const Read_Log whole = read_log(bytes);
        EXPECT_EQ(whole.end, WT_Result::End_Of_Stream);
        EXPECT_EQ(whole.ids.size(), objects);
        EXPECT_EQ(whole.drawables.size(), drawables);
        const Read_Log dripped = read_log(bytes, 1);
        EXPECT_EQ(dripped.ids, whole.ids);
        EXPECT_EQ(dripped.unknown_bytes, whole.unknown_bytes);
        EXPECT_EQ(dripped.rewritten, whole.rewritten);
        // The CR LF after the trailer is not needed to end the stream.
        for (size_t length = 0; length + 2 < bytes.size(); ++length) {
            const Read_Log log = read_log(bytes.substr(0, length));
            EXPECT_NE(log.end, WT_Result::Success) << length;
            EXPECT_NE(log.end, WT_Result::End_Of_Stream) << length;
        }
        uint32_t seed = first_seed;
        for (int round = 0; round < rounds; ++round) {
            std::string mangled = bytes;  // three bytes after the header replaced
            for (int edit = 0; edit < 3; ++edit)
                mangled[Header.size() + next(seed) % (bytes.size() - Header.size())] = static_cast<char>(next(seed));
            EXPECT_NE(read_log(mangled, round % 2 == 0 ? SIZE_MAX : 3).end, WT_Result::Success);
        }
    }
}

TEST(W2dFraming, StreamsOfRandomTokensEndInAResult) {
    // Pieces that steer the reader into every path: opcodes, names, numbers, quotes, sizes near the edges.
    const std::vector<std::string> pieces = {
        "(", ")", "'", "\"", "\\", " ", "\r\n", "{", "}", ",", "-", "0", "7", "65535", "65536", "4294967295",
        "(Font", "(LineStyle", "(Viewport", "(Contour", "(Color", "(ColorMap", "(Units", "(URL", "(Layer", "(Name",
        "(Charset", "(Style", "(LineJoin", "(DashPattern", "(FillPattern", "(EndOfDWF", "(Mystery", "(Circle",
        "(Ellipse", "(Text", "(Overscore", "(Bounds", "(CharPos", "(Image", "(Group4PNGImage", "(UserData", "'JPEG'",
        "'mapped'", "\x03\x01\x02\x03", std::string("\x06\xFF\x07", 3), "c", "C", "F", "f", "V", "S", "s", "G", "n",
        "N", "\x0E", "\x17", std::string("\xAC\x00", 2), "\xCC", "P", "p", "L", "l", "R", "r", "E", "e", "O", "x", "k",
        "\x0B\x0C\x10\x12\x18\x92", std::string("\x00\xFF\xFF", 3), std::string("\x01\x00\x00\x00", 4),
        "\x78\x9C", "\xFF\xFF\xFF\xFF", "{" + le32(7) + le16(1), "{" + le32(0) + le16(0x11), "{" + le32(-1) + le16(356),
        "{" + le32(3) + le16(354), "{" + le32(31) + le16(8), "{" + le32(-1) + le16(12), "{" + le32(16) + le16(354),
        "{" + le32(36) + le16(2)};
    uint32_t seed = 777;
    for (int round = 0; round < 7000; ++round) {
        std::string bytes = Header;
        for (uint32_t count = next(seed) % 24; count > 0; --count) bytes += pieces[next(seed) % pieces.size()];
        EXPECT_NE(read_log(bytes, round % 3 == 0 ? 1 : SIZE_MAX).end, WT_Result::Success) << hex(bytes);
    }
}

// A kind handed a single byte or an extended name not its own refuses it: the reader's dispatch never does so,
// and the check is what stands between a misdirected call and a misread.
TEST(W2dFraming, KindsRefuseOpcodesNotTheirOwn) {
    for (const char* own : {"O", "F", "G", "(Layer", "(Color", "(Units", "(View", "(NamedView", "(LineWeight",
                            "(CodePage", "(DashPattern", "(Background", "(PlotInfo", "(LinesOverwrite", "(URL"}) {
        Opened in(std::string(own) + " Z (Zebra ");
        WT_Opcode opcode, single, named;
        for (WT_Opcode* read : {&opcode, &single, &named}) ASSERT_EQ(read->read(*in), WT_Result::Success) << own;
        WT_Result::Enum result = WT_Result::Success;
        const auto object = wt_create_object(opcode, *in, result);
        ASSERT_TRUE(object) << own;
        EXPECT_EQ(object->read_operands(single, *in), WT_Result::Wrong_Opcode) << own;
        EXPECT_EQ(object->read_operands(named, *in), WT_Result::Wrong_Opcode) << own;
    }
}

}  // namespace
