// Streams over memory, bytes put together by hand, and the steps tests write and read streams with.
#ifndef DWFPLOT_TESTS_W2D_MEMORY_STREAM_H
#define DWFPLOT_TESTS_W2D_MEMORY_STREAM_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "support/bytes.h"
#include "support/temp_dir_test.h"
#include "w2d/attribute_set.h"
#include "w2d/block_record.h"
#include "w2d/compression.h"
#include "w2d/contour_set.h"
#include "w2d/ellipse.h"
#include "w2d/group.h"
#include "w2d/png_group4_image.h"
#include "w2d/polygon.h"
#include "w2d/polyline.h"
#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/stream.h"
#include "w2d/text.h"
#include "w2d/unknown.h"
#include "w2d/user_data.h"

namespace w2dtest {

using testsupport::hex;
using Points = std::vector<WT_Logical_Point>;
using Body = std::function<void(WT_Stream&)>;

inline const std::string Header = "(W2D V06.00)";
inline const std::string Trailer = "(EndOfDWF)\r\n";

using testsupport::le;
inline std::string le16(int64_t value) { return le(value, 2); }
inline std::string le32(int64_t value) { return le(value, 4); }
inline std::string p16(int64_t x, int64_t y) { return le16(x) + le16(y); }
inline std::string p32(int64_t x, int64_t y) { return le32(x) + le32(y); }
// A binary extended opcode: "{", its size, its value, the fields, "}".
inline std::string extended(uint16_t value, const std::string& fields) {
    return "{" + le32(static_cast<int64_t>(fields.size()) + 3) + le16(value) + fields + "}";
}

inline void ascii(WT_Stream& stream) { stream.options().set_allow_binary_data(false); }
inline Body data_form(bool binary) {
    return [binary](WT_Stream& stream) { stream.options().set_allow_binary_data(binary); };
}

// Steps: making an attribute the desired one; synchronising a mask (the polyline's by default).
template <class T>
Body desire(T value) {
    return [value](WT_Stream& s) { s.desired_attributes().set(value); };
}
inline Body synced(uint32_t mask = 0x2FA53F) {
    return [mask](WT_Stream& s) { EXPECT_EQ(s.sync_attributes(mask), WT_Result::Success); };
}

template <class T>
void written(const T& object, WT_Stream& stream) {
    if constexpr (std::is_pointer_v<T>) written(*object, stream);
    else EXPECT_EQ(object.write(stream), WT_Result::Success);
}
inline void written(const Body& step, WT_Stream& stream) { step(stream); }

// Writes `object`, which is refused with `result`.
template <class T>
Body refused(T object, WT_Result::Enum result = WT_Result::Write_Failed) {
    return [object, result](WT_Stream& s) { EXPECT_EQ(object.write(s), result); };
}

// Writes the objects one after another, each successfully; a Body among them is run instead.
template <class... T>
Body draw(T... objects) {
    return [=](WT_Stream& s) { (written(objects, s), ...); };
}

// A file in memory: reads, writes and seeks at one position; counts the calls to read and write.
struct Memory {
    std::string bytes;
    size_t position = 0;
    size_t per_call = SIZE_MAX;  // bytes delivered per read call at most
    bool fail_writes = false;
    size_t calls = 0;
    size_t smallest_request = SIZE_MAX;
};

inline Memory& memory_of(WT_Stream& stream) { return *static_cast<Memory*>(stream.client_data()); }

inline WT_Result::Enum memory_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer) {
    Memory& m = memory_of(stream);
    ++m.calls;
    m.smallest_request = std::min(m.smallest_request, static_cast<size_t>(desired));
    bytesRead = 0;
    if (m.position >= m.bytes.size()) return WT_Result::End_Of_File;
    const size_t count = std::min({static_cast<size_t>(desired), m.per_call, m.bytes.size() - m.position});
    std::memcpy(buffer, m.bytes.data() + m.position, count);
    m.position += count;
    bytesRead = static_cast<int>(count);
    return WT_Result::Success;
}

inline void use_memory(WT_Stream& stream, Memory& memory) {
    stream.set_client_data(&memory);
    stream.set_open_action([](WT_Stream&) { return WT_Result::Success; });
    stream.set_close_action([](WT_Stream&) { return WT_Result::Success; });
    stream.set_read_action(memory_read);
    stream.set_write_action([](WT_Stream& s, int size, const void* data) {
        Memory& m = memory_of(s);
        ++m.calls;
        if (m.fail_writes) return WT_Result::Write_Failed;
        const auto count = static_cast<size_t>(size);
        m.bytes.replace(m.position, count, static_cast<const char*>(data), count);
        m.position += count;
        return WT_Result::Success;
    });
    stream.set_seek_action([](WT_Stream& s, int distance, int& moved) {
        Memory& m = memory_of(s);
        const long long target = static_cast<long long>(m.position) + distance;
        moved = target < 0 || target > static_cast<long long>(m.bytes.size()) ? 0 : distance;
        m.position = static_cast<size_t>(static_cast<long long>(m.position) + moved);
        return moved == distance ? WT_Result::Success : WT_Result::End_Of_File;
    });
    stream.set_end_seek_action(
        [](WT_Stream& s) { return memory_of(s).position = memory_of(s).bytes.size(), WT_Result::Success; });
    stream.set_tell_action([](WT_Stream& s, uint64_t& at) { return at = memory_of(s).position, WT_Result::Success; });
}

// A stream on memory holding `bytes`, driven by hand; opened in `mode` unless that is File_Inactive.
struct Opened {
    Memory memory;
    WT_Stream stream;
    explicit Opened(std::string bytes, WT_Stream::WT_File_Mode mode = WT_Stream::File_Read) : memory{std::move(bytes)} {
        use_memory(stream, memory);
        if (mode == WT_Stream::File_Inactive) return;
        stream.set_file_mode(mode);
        EXPECT_EQ(stream.open(), WT_Result::Success);
    }
    WT_Stream* operator->() { return &stream; }
    WT_Stream& operator*() { return stream; }
};

// Everything `body` writes into a stream on memory, header and trailer included.
inline std::string write_stream(const Body& body, const Body& setup = {}) {
    Memory memory;
    WT_Stream stream;
    use_memory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Write);
    if (setup) setup(stream);
    if (stream.open() != WT_Result::Success) return "open failed";
    if (body) body(stream);
    if (stream.close() != WT_Result::Success) return "close failed";
    return memory.bytes;
}

// The bytes between the header and the trailer of a stream.
inline std::string body_of(const std::string& stream) {
    if (stream.size() < Header.size() + Trailer.size()) return "<short>";
    return stream.substr(Header.size(), stream.size() - Header.size() - Trailer.size());
}

// Reads until the stream ends or fails, calling `each` after every object; waiting for data reads on.
inline WT_Result::Enum read_memory(Memory& memory, const Body& each, const Body& setup = {}) {
    WT_Stream stream;
    use_memory(stream, memory);
    stream.set_file_mode(WT_Stream::File_Read);
    if (setup) setup(stream);
    WT_Result::Enum result = stream.open();
    // Each call consumes bytes or fails, so the bound only guards the test.
    for (size_t calls = 0; result == WT_Result::Success && calls < 4 * memory.bytes.size() + 16; ++calls) {
        result = stream.process_next_object();
        if (result == WT_Result::Waiting_For_Data && memory.position < memory.bytes.size()) {
            result = WT_Result::Success;
            continue;
        }
        if (result == WT_Result::Success && each) each(stream);
    }
    stream.close();
    return result;
}

inline WT_Result::Enum read_stream(const std::string& bytes, const Body& each, size_t perCall = SIZE_MAX,
                                   const Body& setup = {}) {
    Memory memory{bytes, 0, perCall};
    return read_memory(memory, each, setup);
}

// What a read gave: its end (End_Of_File for input dripped up to inside an object), the kinds of the objects
// and drawables, the bytes of unknown ones, the points of point sets, and each drawable written on its own.
struct Read_Log {
    WT_Result::Enum end = WT_Result::Success;
    std::vector<WT_Object::WT_ID> ids, drawables;
    std::vector<std::string> unknown_bytes;
    std::vector<Points> points;
    std::vector<std::string> rewritten;
};

inline Read_Log read_log(const std::string& bytes, size_t perCall = SIZE_MAX, const Body& setup = {},
                         const Body& each = {}) {
    Read_Log log;
    const auto unmerged = [](WT_Stream& out) { out.options().set_allow_drawable_merging(false); };
    log.end = read_stream(
        bytes,
        [&](WT_Stream& s) {
            WT_Object* object = s.current_object();
            log.ids.push_back(object->object_id());
            if (auto* unknown = dynamic_cast<WT_Unknown*>(object)) log.unknown_bytes.push_back(unknown->bytes());
            if (auto* set = dynamic_cast<WT_Point_Set*>(object)) log.points.push_back(set->points());
            if (object->object_type() == WT_Object::Drawable) {
                log.drawables.push_back(object->object_id());
                log.rewritten.push_back(write_stream([object](WT_Stream& out) { object->write(out); }, unmerged));
            }
            if (each) each(s);
        },
        perCall, setup);
    if (log.end == WT_Result::Waiting_For_Data) log.end = WT_Result::End_Of_File;
    return log;
}

// The objects read from `bytes` that `keep` accepts, kept beyond the next read; the stream must end well.
using Kept = std::vector<std::unique_ptr<WT_Object>>;
inline Kept read_kept(const std::string& bytes, const std::function<bool(const WT_Object&)>& keep,
                      size_t perCall = SIZE_MAX) {
    Kept kept;
    const WT_Result::Enum end = read_stream(
        bytes, [&](WT_Stream& s) { if (keep(*s.current_object())) kept.push_back(s.take_current_object()); }, perCall);
    EXPECT_EQ(end, WT_Result::End_Of_Stream) << perCall << " " << bytes.size() << " " << hex(bytes.substr(0, 99));
    return kept;
}
inline std::function<bool(const WT_Object&)> of_kind(WT_Object::WT_ID id) {
    return [id](const WT_Object& object) { return object.object_id() == id; };
}

}  // namespace w2dtest

#endif  // DWFPLOT_TESTS_W2D_MEMORY_STREAM_H
