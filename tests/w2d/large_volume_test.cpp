// Pages carry millions of points: the stream hands them over in large pieces and reads them as their bytes
// arrive, as one coordinate at a time would. Compressed sections make streams smaller.
#include "memory_stream.h"

using namespace w2dtest;

namespace {

// Points whose differences fit 16 bits, wandering around the origin.
Points wandering(size_t count) {
    Points points{{0, 0}};
    for (int32_t i = 1; points.size() < count; ++i)
        points.emplace_back(points.back().m_x + i * 7919 % 2001 - 1000, points.back().m_y + i * 104729 % 3001 - 1500);
    return points;
}

// The little-endian relative form, worked out here one value at a time.
std::string relative_bytes(const Points& points, int width) {
    std::string bytes;
    WT_Logical_Point current;
    for (const WT_Logical_Point& p : points) {
        bytes += le(int64_t{p.m_x} - current.m_x, width) + le(int64_t{p.m_y} - current.m_y, width);
        current = p;
    }
    return bytes;
}

// Writes go out in pieces of 4096 bytes; the current point follows what has reached the output.
TEST(W2dLargeVolume, PointsReachTheHandlerInLargePiecesWithTheSameBytes) {
    const Points points = wandering(2500);
    for (const int width : {2, 4}) {
        Opened out("", WT_Stream::File_Write);
        const auto write = [&] {
            return width == 2 ? out->write_points_16r(points.size(), points.data())
                              : out->write_points_32r(points.size(), points.data());
        };
        const size_t before = out.memory.calls;
        EXPECT_EQ(write(), WT_Result::Success);
        EXPECT_LE(out.memory.calls - before, points.size() * 2 * width / 4096 + 1) << width;
        EXPECT_EQ(out->current_point(), points.back());
        EXPECT_TRUE(out.memory.bytes.substr(Header.size()) == relative_bytes(points, width)) << width;
        out.memory.fail_writes = true;
        EXPECT_EQ(write(), WT_Result::Write_Failed);
        EXPECT_EQ(out->current_point(), points.back());
    }
}

// Over one read-ahead request of 65536 bytes, in any pieces; whole, each request asks for all of them.
TEST(W2dLargeVolume, PolylinesReadBackWhateverPiecesTheInputComesIn) {
    const Points points = wandering(20000);
    const std::string bytes = write_stream(draw(WT_Polyline(points)));
    for (const size_t perCall : {size_t{3}, size_t{4093}, SIZE_MAX}) {
        Points read;
        Memory memory{bytes, 0, perCall};
        const WT_Result::Enum end = read_memory(memory, [&read](WT_Stream& s) {
            if (auto* line = dynamic_cast<WT_Polyline*>(s.current_object())) read = line->points();
        });
        EXPECT_EQ(end, WT_Result::End_Of_Stream) << perCall;
        EXPECT_TRUE(read == points) << perCall;
        if (perCall != SIZE_MAX) continue;
        EXPECT_GE(memory.smallest_request, 65536u);
        EXPECT_LE(memory.calls, bytes.size() / 65536 + 2);
    }
}

TEST(W2dLargeVolume, AHandedOverPolylineWritesWhatACopiedOneWrites) {
    const std::vector<WT_Polyline> lines = {
        WT_Polyline(Points{{0, 0}, {10, 0}, {10, 10}}), WT_Polyline(Points{{10, 10}, {20, 10}, {30, 0}}),
        WT_Polyline(Points{{50, 50}, {60, 60}, {70, 50}}), WT_Polyline(Points{{1, 1}, {2, 2}})};
    for (const bool merging : {true, false}) {
        for (const bool filled : {false, true}) {
            const auto lines_written = [&](bool handing_over) {
                return hex(body_of(write_stream(
                    [&](WT_Stream& s) {
                        for (WT_Polyline line : lines)
                            EXPECT_EQ(handing_over ? line.write_handing_over(s) : line.write(s), WT_Result::Success);
                    },
                    [&](WT_Stream& s) {
                        s.options().set_allow_drawable_merging(merging);
                        if (filled) s.desired_attributes().set(WT_Fill(true));
                    })));
            };
            EXPECT_EQ(lines_written(true), lines_written(false)) << merging << filled;
        }
    }
}

const std::string Marker = "{" + le32(0) + le16(0x11);

// Many attribute changes, compressed from the first write on if asked; `split` ends the section halfway.
std::string attribute_stream(bool compressed, bool split = false) {
    return write_stream(
        [split](WT_Stream& s) {
            for (int i = 0; i < 200; ++i) {
                draw(WT_Color(static_cast<uint8_t>(i), 2, 3, 4), WT_Line_Weight(i * 1000))(s);
                if (split && i == 100) { EXPECT_EQ(s.set_data_compression(false), 0); }
            }
            draw(WT_Viewport(WT_String("Clip"), WT_Contour_Set({{0, 0}, {1, 0}, {1, 1}})))(s);
        },
        [compressed](WT_Stream& s) { s.options().set_allow_data_compression(compressed); });
}

TEST(W2dCompression, DictionaryFollowsItsLayout) {
    const std::string_view dictionary = wt_compression_dictionary();
    EXPECT_EQ(dictionary.size(), 13523u);
    EXPECT_EQ(dictionary.substr(0, 66), "(DashPattern (LineStyle (Copyright (Keywords (Viewport (CodePage {");
    EXPECT_EQ(dictionary.substr(66, 7), "{" + le32(0x404) + le16(1));
    EXPECT_EQ(dictionary.back(), '}');
}

// The objects read from `bytes`, written again into one stream; the markers of compressed sections are left out.
std::string rewritten(const std::string& bytes, size_t perCall = SIZE_MAX) {
    const auto content = [](const WT_Object& object) { return object.object_id() != WT_Object::Compression_Marker_ID; };
    const Kept kept = read_kept(bytes, content, perCall);
    return write_stream([&kept](WT_Stream& s) { for (const auto& object : kept) object->write(s); });
}

// Compressed sections read back the plain stream's objects, whole or in pieces; damaged, they end in an error.
TEST(W2dCompression, CompressedSectionsRoundTripAndEndInAnErrorWhenDamaged) {
    const std::string plain = rewritten(attribute_stream(false));
    EXPECT_GT(plain.size(), 200u * 10u);
    for (const bool split : {false, true}) {
        const std::string bytes = attribute_stream(true, split);
        ASSERT_EQ(bytes.substr(0, Header.size() + Marker.size()), Header + Marker);
        if (!split) {
            EXPECT_EQ(bytes.substr(bytes.size() - Trailer.size() - 1), "}" + Trailer);
            // Ten bytes per loop uncompressed.
            EXPECT_LT(bytes.size(), 200u * 10u * 3u / 4u);
        }
        for (const size_t perCall : {SIZE_MAX, size_t{1}, size_t{5}}) {
            EXPECT_TRUE(rewritten(bytes, perCall) == plain) << split << " " << perCall;
        }
    }
    const std::string bytes = attribute_stream(true);
    const size_t data = Header.size() + Marker.size();
    for (const size_t length : {data, data + 1, data + 20, bytes.size() / 2, bytes.size() - Trailer.size() - 3}) {
        const WT_Result::Enum end = read_log(bytes.substr(0, length)).end;
        EXPECT_NE(end, WT_Result::Success) << length;
        EXPECT_NE(end, WT_Result::End_Of_Stream) << length;
    }
    std::string corrupt = bytes;
    for (size_t at = data + 10; at < data + 40; ++at) corrupt[at] = static_cast<char>(corrupt[at] ^ 0x5A);
    EXPECT_NE(read_log(corrupt).end, WT_Result::End_Of_Stream);
    // The LZ method of very old streams is not read.
    EXPECT_EQ(read_log(Header + "{" + le32(0) + le16(0x10) + "xyz}" + Trailer).end, WT_Result::Unsupported_Format);
}

}  // namespace
