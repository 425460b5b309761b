#include <gtest/gtest.h>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/header.h"
#include "w2d/unknown.h"

using testsupport::hex;
using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

const std::string Header = "(W2D V06.00)";
const std::string Trailer = "(EndOfDWF)\r\n";

// The kinds of the objects read, and the result that ended the read.
struct Read_Log {
    std::vector<WT_Object::WT_ID> ids;
    std::vector<std::string> unknown_bytes;
    WT_Result::Enum end = WT_Result::Success;
};

Read_Log read_log(const std::string& bytes, size_t perCall = SIZE_MAX) {
    Read_Log log;
    log.end = read_stream(
        bytes,
        [&log](WT_Stream& s) {
            log.ids.push_back(s.current_object()->object_id());
            if (auto* unknown = dynamic_cast<WT_Unknown*>(s.current_object())) log.unknown_bytes.push_back(unknown->bytes());
        },
        perCall);
    return log;
}

TEST(W2dFraming, HeaderAndTrailerBytes) {
    EXPECT_EQ(write_stream([](WT_Stream&) {}), Header + Trailer);
    EXPECT_EQ(write_stream([](WT_Stream&) {}, [](WT_Stream& s) { s.options().set_target_version(55); }),
              "(DWF V00.55)" + Trailer);
    EXPECT_EQ(write_stream([](WT_Stream&) {}, [](WT_Stream& s) { s.options().set_allow_binary_data(false); }),
              Header + "\r\n" + Trailer);
}

TEST(W2dFraming, HeaderOnlyStreamReadsHeaderThenEndOfStream) {
    int version = 0;
    const WT_Result::Enum end = read_stream(Header + Trailer, [&version](WT_Stream& s) {
        if (s.current_object()->object_id() == WT_Object::DWF_Header_ID) version = s.version();
    });
    EXPECT_EQ(end, WT_Result::End_Of_Stream);
    EXPECT_EQ(version, 600);
    const Read_Log log = read_log(Header + Trailer);
    EXPECT_EQ(log.ids, std::vector<WT_Object::WT_ID>{WT_Object::DWF_Header_ID});
}

TEST(W2dFraming, HeaderVersionsAndPrefixes) {
    const struct {
        const char* header;
        WT_Result::Enum result;
    } cases[] = {
        {"(W2D V06.00)", WT_Result::End_Of_Stream},    {"(DWF V00.55)", WT_Result::End_Of_Stream},
        {"(DWF V05.99)", WT_Result::End_Of_Stream},    {"(W2D V12.34)", WT_Result::End_Of_Stream},
        {"(DWF V06.00)", WT_Result::Package_Stream},   {"(W2D V6.00) ", WT_Result::Not_A_W2D_Stream},
        {"(W2D V06,00)", WT_Result::Not_A_W2D_Stream}, {"(W2D V06.00(", WT_Result::Not_A_W2D_Stream},
        {"(XYZ V06.00)", WT_Result::Not_A_W2D_Stream}, {"(W2D", WT_Result::Not_A_W2D_Stream},
    };
    for (const auto& c : cases) EXPECT_EQ(read_log(c.header + Trailer).end, c.result) << c.header;
}

TEST(W2dFraming, ExtendedAsciiNamesHoldAtMostFortyCharacters) {
    const std::string forty(40, 'A');
    const Read_Log accepted = read_log(Header + "(" + forty + " 1 2)" + Trailer);
    EXPECT_EQ(accepted.end, WT_Result::End_Of_Stream);
    ASSERT_EQ(accepted.unknown_bytes.size(), 1u);
    EXPECT_EQ(accepted.unknown_bytes[0], "(" + forty + " 1 2)");
    EXPECT_EQ(read_log(Header + "(" + forty + "A 1 2)" + Trailer).end, WT_Result::Corrupt_Data);
    EXPECT_EQ(read_log(Header + "( 1 2)" + Trailer).end, WT_Result::Corrupt_Data);
}

TEST(W2dFraming, UnknownOpcodesArePassedOverByTheirFraming) {
    const std::string ascii = "(Mystery 'a)b' (nested (x)) \"q)\" 'it\\'s)')";
    const std::string binary = std::string("{\x06\x00\x00\x00\xE7\x03", 7) + "abc}";
    const Read_Log log = read_log(Header + ascii + binary + "(Zeppelin)" + Trailer);
    EXPECT_EQ(log.end, WT_Result::End_Of_Stream);
    ASSERT_EQ(log.unknown_bytes.size(), 3u);
    EXPECT_EQ(log.unknown_bytes[0], ascii);
    EXPECT_EQ(log.unknown_bytes[1], binary);
    EXPECT_EQ(log.unknown_bytes[2], "(Zeppelin)");
}

TEST(W2dFraming, OpcodesNoObjectCanRead) {
    const struct {
        std::string body;
        WT_Result::Enum result;
    } cases[] = {
        {"\x02", WT_Result::Wrong_Opcode},        // Bezier curves are not interpreted
        {"b", WT_Result::Wrong_Opcode},
        {"\x7F", WT_Result::Unsupported_Opcode},  // no kind claims it
        {")", WT_Result::Corrupt_Data},           // a ")" outside an option list
        {std::string("{\x00\x00\x00\x00\xE7\x03}", 8), WT_Result::Unsupported_Format},
        {std::string("{\xFF\xFF\xFF\x7F\xE7\x03", 7), WT_Result::End_Of_File},  // size beyond the input
    };
    for (const auto& c : cases) EXPECT_EQ(read_log(Header + c.body + Trailer).end, c.result) << hex(c.body);
}

// A stream of many kinds, partly binary and partly ASCII.
std::string mixed_stream() {
    return Header + std::string("\x03\x01\x02\x03\x04", 5) + "F" + std::string("\x17\x10\x00\x00\x00", 5) +
           "(LineStyle (LineJoin round) (LineEndCap diamond))" + "(Mystery 'x)' (y))" +
           std::string("\x06\x21\x00'Times New'\xE8\x03\x00\x00", 16) + "\r\n(Viewport 'Clip' (Contour 1 4 0,0 10,0 10,10 0,10) )" +
           std::string("{\x05\x00\x00\x00\xE7\x03xy}", 10) + "C 7" + "(Font (Family 7) (Style bold italic))" + "v" +
           std::string("\xAC\x05", 2) + "(Layer 6 'six')" + "(Color 9,8,7,6)" + Trailer;
}

TEST(W2dFraming, OneBytePerCallReadsTheSameObjectsAsAWholeRead) {
    const std::string bytes = mixed_stream();
    const Read_Log whole = read_log(bytes);
    EXPECT_EQ(whole.end, WT_Result::End_Of_Stream);
    EXPECT_EQ(whole.ids.size(), 15u);
    for (const size_t perCall : {size_t{1}, size_t{2}, size_t{7}}) {
        const Read_Log dripped = read_log(bytes, perCall);
        EXPECT_EQ(dripped.end, whole.end) << perCall;
        EXPECT_EQ(dripped.ids, whole.ids) << perCall;
        EXPECT_EQ(dripped.unknown_bytes, whole.unknown_bytes) << perCall;
    }
}

TEST(W2dFraming, TruncatedAndMangledInputsEndInAResult) {
    const std::string bytes = mixed_stream();
    // The CR LF after the trailer is not needed to end the stream.
    for (size_t length = 0; length + 2 < bytes.size(); ++length) {
        const Read_Log log = read_log(bytes.substr(0, length));
        EXPECT_NE(log.end, WT_Result::Success) << length;
        EXPECT_NE(log.end, WT_Result::End_Of_Stream) << length;
    }
    // Deterministic byte mutations: every run must end, whatever the result.
    uint32_t seed = 12345;
    for (int round = 0; round < 3000; ++round) {
        const std::string mangled = w2dtest::mangled_copy(bytes, Header.size(), seed);
        const Read_Log log = read_log(mangled, round % 2 == 0 ? SIZE_MAX : 3);
        EXPECT_NE(log.end, WT_Result::Success);
    }
}

TEST(W2dFraming, StreamsOfRandomTokensEndInAResult) {
    // Pieces that steer the reader into every path: opcodes, names, numbers,
    // quotes, nesting, binary framing with sizes near the edges.
    const std::vector<std::string> pieces = {
        "(", ")", "'", "\"", "\\", " ", "\r\n", "{", "}", ",", "-", "0", "7", "65535", "4294967295",
        "(Font", "(LineStyle", "(Viewport", "(Contour", "(Color", "(ColorMap", "(Units", "(URL", "(Layer",
        "(Name", "(Charset", "(Style", "(LineJoin", "(DashPattern", "(FillPattern", "(EndOfDWF", "(Mystery",
        std::string("\x03\x01\x02\x03", 4), std::string("\x06\xFF\x07", 3), "c", "C", "F", "f", "V", "S", "s",
        "G", "n", "N", std::string("\x0E"), std::string("\x17"), std::string("\xAC\x00", 2), std::string("\xCC"),
        std::string("{\x07\x00\x00\x00\x01\x00", 7), std::string("{\x00\x00\x00\x00\x11\x00", 7),
        std::string("{\xFF\xFF\xFF\xFF\x64\x01", 7), std::string("{\x03\x00\x00\x00\x62\x01", 7),
        std::string("\x78\x9C", 2), std::string("\xFF\xFF\xFF\xFF", 4)};
    uint32_t seed = 777;
    const auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 4000; ++round) {
        std::string bytes = Header;
        const uint32_t count = next() % 24;
        for (uint32_t i = 0; i < count; ++i) bytes += pieces[next() % pieces.size()];
        const Read_Log log = read_log(bytes, round % 3 == 0 ? 1 : SIZE_MAX);
        EXPECT_NE(log.end, WT_Result::Success) << hex(bytes);
    }
}

TEST(W2dFraming, ProcessNextObjectOnlyInReadMode) {
    WT_Stream stream;
    EXPECT_EQ(stream.process_next_object(), WT_Result::Usage_Error);
    EXPECT_EQ(stream.close(), WT_Result::No_File_Open);
    stream.set_file_mode(WT_Stream::Block_Read);
    // Block read is offered; without a file name its open fails.
    EXPECT_EQ(stream.open(), WT_Result::Open_Failed);
    EXPECT_THROW(stream.set_file_mode(WT_Stream::Block_Write), WT_Result::Enum);
}

class W2dFileHandlers : public testsupport::TempDirTest {};

TEST_F(W2dFileHandlers, DefaultHandlersWriteAndReadANamedFile) {
    const std::string path = workDir() + "page.w2d";
    {
        WT_Stream stream;
        stream.set_filename(path);
        stream.set_file_mode(WT_Stream::File_Write);
        ASSERT_EQ(stream.open(), WT_Result::Success);
        EXPECT_EQ(stream.write(static_cast<uint8_t>('F')), WT_Result::Success);
        EXPECT_EQ(stream.close(), WT_Result::Success);
    }
    EXPECT_EQ(testsupport::readFile(path), Header + "F" + Trailer);
    WT_Stream stream;
    stream.set_filename(path);
    stream.set_file_mode(WT_Stream::File_Read);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    EXPECT_EQ(stream.process_next_object(), WT_Result::Success);
    EXPECT_EQ(stream.process_next_object(), WT_Result::Success);
    EXPECT_EQ(stream.current_object()->object_id(), WT_Object::Fill_ID);
    EXPECT_EQ(stream.process_next_object(), WT_Result::End_Of_Stream);
    EXPECT_EQ(stream.process_next_object(), WT_Result::End_Of_File);
    EXPECT_EQ(stream.close(), WT_Result::Success);

    WT_Stream missing;
    missing.set_filename(workDir() + "absent.w2d");
    missing.set_file_mode(WT_Stream::File_Read);
    EXPECT_EQ(missing.open(), WT_Result::Open_Failed);
}

}  // namespace
