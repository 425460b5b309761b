#include <gtest/gtest.h>

#include "memory_stream.h"
#include "w2d/compression.h"

using w2dtest::read_stream;
using w2dtest::write_stream;

namespace {

const std::string Header = "(W2D V06.00)";
const std::string Trailer = "(EndOfDWF)\r\n";
const std::string Marker("{\x00\x00\x00\x00\x11\x00", 7);

// Many attribute changes, compressed from the first write on; with `split`
// the section ends halfway and the rest is written plain.
std::string compressed_stream(bool split) {
    return write_stream(
        [split](WT_Stream& s) {
            for (int i = 0; i < 200; ++i) {
                EXPECT_EQ(WT_Color(static_cast<uint8_t>(i), 2, 3, 4).write(s), 0);
                EXPECT_EQ(WT_Line_Weight(i * 1000).write(s), 0);
                if (split && i == 100) {
                    EXPECT_EQ(s.set_data_compression(false), 0);
                }
            }
            EXPECT_EQ(WT_Viewport(WT_String("Clip"), WT_Contour_Set({{0, 0}, {1, 0}, {1, 1}})).write(s), 0);
        },
        [](WT_Stream& s) { s.options().set_allow_data_compression(true); });
}

// The colours and weights read, in order.
std::vector<int64_t> values_read(const std::string& bytes, size_t perCall, WT_Result::Enum& end) {
    std::vector<int64_t> values;
    end = read_stream(
        bytes,
        [&values](WT_Stream& s) {
            if (auto* color = dynamic_cast<WT_Color*>(s.current_object())) values.push_back(color->rgba().m_red);
            if (auto* weight = dynamic_cast<WT_Line_Weight*>(s.current_object())) values.push_back(weight->weight_value());
            if (dynamic_cast<WT_Viewport*>(s.current_object()) != nullptr) values.push_back(-1);
        },
        perCall);
    return values;
}

std::vector<int64_t> expected_values() {
    std::vector<int64_t> values;
    for (int i = 0; i < 200; ++i) {
        values.push_back(i);
        values.push_back(i * 1000);
    }
    values.push_back(-1);
    return values;
}

TEST(W2dCompression, DictionaryFollowsItsLayout) {
    const std::string_view dictionary = wt_compression_dictionary();
    EXPECT_EQ(dictionary.size(), 13523u);
    EXPECT_EQ(dictionary.substr(0, 66), "(DashPattern (LineStyle (Copyright (Keywords (Viewport (CodePage {");
    EXPECT_EQ(dictionary.substr(66, 7), std::string("{\x04\x04\x00\x00\x01\x00", 7));
    EXPECT_EQ(dictionary.back(), '}');
}

TEST(W2dCompression, CompressedSectionsRoundTrip) {
    for (const bool split : {false, true}) {
        const std::string bytes = compressed_stream(split);
        ASSERT_EQ(bytes.substr(0, Header.size() + Marker.size()), Header + Marker);
        if (!split) {
            EXPECT_EQ(bytes.substr(bytes.size() - Trailer.size() - 1), "}" + Trailer);
            // Ten bytes per loop uncompressed.
            EXPECT_LT(bytes.size(), 200u * 10u * 3u / 4u);
        }
        for (const size_t perCall : {SIZE_MAX, size_t{1}, size_t{5}}) {
            WT_Result::Enum end = WT_Result::Success;
            EXPECT_EQ(values_read(bytes, perCall, end), expected_values()) << split << " " << perCall;
            EXPECT_EQ(end, WT_Result::End_Of_Stream);
        }
    }
}

TEST(W2dCompression, DamagedSectionsEndInAnError) {
    const std::string bytes = compressed_stream(false);
    const size_t data = Header.size() + Marker.size();
    for (const size_t length : {data, data + 1, data + 20, bytes.size() / 2, bytes.size() - Trailer.size() - 3}) {
        WT_Result::Enum end = WT_Result::Success;
        values_read(bytes.substr(0, length), SIZE_MAX, end);
        EXPECT_NE(end, WT_Result::Success) << length;
        EXPECT_NE(end, WT_Result::End_Of_Stream) << length;
    }
    std::string corrupt = bytes;
    for (size_t at = data + 10; at < data + 40; ++at) corrupt[at] = static_cast<char>(corrupt[at] ^ 0x5A);
    WT_Result::Enum end = WT_Result::Success;
    values_read(corrupt, SIZE_MAX, end);
    EXPECT_NE(end, WT_Result::End_Of_Stream);
    // The LZ method of very old streams is not read.
    EXPECT_EQ(read_stream(Header + std::string("{\x00\x00\x00\x00\x10\x00", 7) + "xyz}" + Trailer, {}),
              WT_Result::Unsupported_Format);
}

}  // namespace
