// Pages carry millions of points: the stream hands them to its handlers in
// large pieces and reads them back as their bytes arrive, with the same bytes
// and the same points as one coordinate at a time.
#include <gtest/gtest.h>

#include <cstring>

#include "memory_stream.h"
#include "support/temp_dir_test.h"
#include "w2d/fill.h"
#include "w2d/polyline.h"

using testsupport::hex;
using w2dtest::body_of;
using w2dtest::Memory;
using w2dtest::write_stream;

namespace {

// Points whose differences fit 16 bits, wandering around the origin.
std::vector<WT_Logical_Point> wandering(size_t count) {
    std::vector<WT_Logical_Point> points;
    int32_t x = 0;
    int32_t y = 0;
    for (size_t i = 0; i < count; ++i) {
        x += static_cast<int32_t>(i * 7919 % 2001) - 1000;
        y += static_cast<int32_t>(i * 104729 % 3001) - 1500;
        points.emplace_back(x, y);
    }
    return points;
}

// The little-endian relative form, worked out here one value at a time.
std::string relative_bytes(const std::vector<WT_Logical_Point>& points, size_t width) {
    std::string bytes;
    WT_Logical_Point current;
    for (const WT_Logical_Point& p : points) {
        for (const int64_t d : {int64_t{p.m_x} - current.m_x, int64_t{p.m_y} - current.m_y}) {
            for (size_t b = 0; b < width; ++b) bytes.push_back(static_cast<char>(static_cast<uint64_t>(d) >> (8 * b)));
        }
        current = p;
    }
    return bytes;
}

struct Counted {
    Memory memory;
    size_t calls = 0;
    size_t smallest_request = SIZE_MAX;
};

WT_Result::Enum counted_write(WT_Stream& stream, int size, const void* data) {
    auto* counted = static_cast<Counted*>(stream.client_data());
    ++counted->calls;
    counted->memory.bytes.append(static_cast<const char*>(data), static_cast<size_t>(size));
    return WT_Result::Success;
}

WT_Result::Enum counted_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer) {
    auto* counted = static_cast<Counted*>(stream.client_data());
    ++counted->calls;
    counted->smallest_request = std::min(counted->smallest_request, static_cast<size_t>(desired));
    Memory& memory = counted->memory;
    bytesRead = 0;
    if (memory.position >= memory.bytes.size()) return WT_Result::End_Of_File;
    const size_t count =
        std::min({static_cast<size_t>(desired), memory.per_call, memory.bytes.size() - memory.position});
    std::memcpy(buffer, memory.bytes.data() + memory.position, count);
    memory.position += count;
    bytesRead = static_cast<int>(count);
    return WT_Result::Success;
}

WT_Result::Enum no_file(WT_Stream&) { return WT_Result::Success; }

void use_counted(WT_Stream& stream, Counted& counted) {
    stream.set_client_data(&counted);
    stream.set_open_action(no_file);
    stream.set_close_action(no_file);
    stream.set_write_action(counted_write);
    stream.set_read_action(counted_read);
}

TEST(W2dLargeVolume, PointsReachTheHandlerInLargePiecesWithTheSameBytes) {
    const std::vector<WT_Logical_Point> points = wandering(5000);
    for (const size_t width : {2u, 4u}) {
        Counted counted;
        WT_Stream stream;
        use_counted(stream, counted);
        stream.set_file_mode(WT_Stream::File_Write);
        ASSERT_EQ(stream.open(), WT_Result::Success);
        const size_t before = counted.calls;
        const WT_Result::Enum result = width == 2 ? stream.write_points_16r(points.size(), points.data())
                                                  : stream.write_points_32r(points.size(), points.data());
        EXPECT_EQ(result, WT_Result::Success);
        EXPECT_LE(counted.calls - before, points.size() * 2 * width / 4096 + 1) << width;
        EXPECT_EQ(stream.current_point(), points.back());
        EXPECT_TRUE(counted.memory.bytes.substr(12) == relative_bytes(points, width)) << width;
    }
}

TEST(W2dLargeVolume, AFailedPieceLeavesTheCurrentPointAfterWhatWasWritten) {
    const std::vector<WT_Logical_Point> points = wandering(3000);
    Memory memory;
    WT_Stream stream;
    w2dtest::use_memory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Write);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    memory.fail_writes = true;
    EXPECT_EQ(stream.write_points_16r(points.size(), points.data()), WT_Result::Write_Failed);
    EXPECT_EQ(stream.current_point(), WT_Logical_Point());
}

TEST(W2dLargeVolume, PolylinesReadBackWhateverPiecesTheInputComesIn) {
    const std::vector<WT_Logical_Point> points = wandering(20000);
    const std::string bytes = write_stream([&](WT_Stream& s) { WT_Polyline(points).write(s); });
    for (const size_t perCall : {size_t{3}, size_t{4093}, SIZE_MAX}) {
        std::vector<WT_Logical_Point> read;
        const WT_Result::Enum end = w2dtest::read_stream(
            bytes,
            [&read](WT_Stream& s) {
                if (auto* line = dynamic_cast<WT_Polyline*>(s.current_object())) read = line->points();
            },
            perCall);
        EXPECT_EQ(end, WT_Result::End_Of_Stream) << perCall;
        EXPECT_TRUE(read == points) << perCall;
    }
}

TEST(W2dLargeVolume, TheReadAheadAsksTheHandlerForLargePieces) {
    const std::string bytes = write_stream([](WT_Stream& s) { WT_Polyline(wandering(60000)).write(s); });
    Counted counted;
    counted.memory.bytes = bytes;
    WT_Stream stream;
    use_counted(stream, counted);
    stream.set_file_mode(WT_Stream::File_Read);
    ASSERT_EQ(stream.open(), WT_Result::Success);
    WT_Result::Enum result = WT_Result::Success;
    while (result == WT_Result::Success) result = stream.process_next_object();
    EXPECT_EQ(result, WT_Result::End_Of_Stream);
    EXPECT_GE(counted.smallest_request, 65536u);
    EXPECT_LE(counted.calls, bytes.size() / 65536 + 2);
}

TEST(W2dLargeVolume, AHandedOverPolylineWritesWhatACopiedOneWrites) {
    const std::vector<std::vector<WT_Logical_Point>> lines = {
        {{0, 0}, {10, 0}, {10, 10}}, {{10, 10}, {20, 10}, {30, 0}}, {{50, 50}, {60, 60}, {70, 50}}, {{1, 1}, {2, 2}}};
    for (const bool merging : {true, false}) {
        for (const bool filled : {false, true}) {
            const auto setup = [&](WT_Stream& s) {
                s.options().set_allow_drawable_merging(merging);
                if (filled) s.desired_attributes().set(WT_Fill(true));
            };
            const std::string copied =
                write_stream([&](WT_Stream& s) {
                    for (const auto& line : lines) EXPECT_EQ(WT_Polyline(line).write(s), WT_Result::Success);
                }, setup);
            const std::string handed =
                write_stream([&](WT_Stream& s) {
                    for (const auto& line : lines) {
                        WT_Polyline polyline(line);
                        EXPECT_EQ(polyline.write_handing_over(s), WT_Result::Success);
                    }
                }, setup);
            EXPECT_EQ(hex(body_of(handed)), hex(body_of(copied))) << merging << filled;
        }
    }
}

}  // namespace
