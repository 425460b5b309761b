// One W2D graphics stream: opened on a file (or on replaced input/output
// handlers), written object by object or read back with process_next_object.
#ifndef DWFPLOT_W2D_STREAM_H
#define DWFPLOT_W2D_STREAM_H

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"
#include "platform/file.h"
#include "w2d/byte_buffer.h"
#include "w2d/logical_point.h"
#include "w2d/object.h"
#include "w2d/opcode.h"
#include "w2d/result.h"
#include "w2d/stream_options.h"
#include "w2d/string.h"
#include "w2d/view.h"

class WT_Attribute_Set;
class WT_Compressor;
class WT_Decompressor;

class WT_Stream {
public:
    enum WT_File_Mode {
        File_Inactive = 0,
        File_Read = 1,
        File_Write = 2,
        Block_Append = 3,
        Block_Read = 4,
        Block_Write = 5
    };

    using WT_Open_Action = WT_Result::Enum (*)(WT_Stream& stream);
    using WT_Close_Action = WT_Result::Enum (*)(WT_Stream& stream);
    using WT_Read_Action = WT_Result::Enum (*)(WT_Stream& stream, int desired, int& bytesRead, void* buffer);
    using WT_Seek_Action = WT_Result::Enum (*)(WT_Stream& stream, int distance, int& amountSeeked);
    using WT_End_Seek_Action = WT_Result::Enum (*)(WT_Stream& stream);
    using WT_Tell_Action = WT_Result::Enum (*)(WT_Stream& stream, uint64_t& position);
    using WT_Write_Action = WT_Result::Enum (*)(WT_Stream& stream, int size, const void* data);

    template <class T>
    using WT_Action = WT_Result::Enum (*)(T& object, WT_Stream& stream);

    WT_Stream();
    ~WT_Stream();
    WT_Stream(const WT_Stream&) = delete;
    WT_Stream& operator=(const WT_Stream&) = delete;

    // --- set-up -----------------------------------------------------------
    void set_filename(std::string name) { m_filename = std::move(name); }
    const std::string& filename() const { return m_filename; }
    // Block write cannot rewrite a package stream: throws Usage_Error at
    // target version 600 or later.
    void set_file_mode(WT_File_Mode mode);
    WT_File_Mode file_mode() const { return m_mode; }
    WT_Stream_Options& options() { return m_options; }
    const WT_Stream_Options& options() const { return m_options; }

    void set_open_action(WT_Open_Action action) { m_open = action; }
    void set_close_action(WT_Close_Action action) { m_close = action; }
    void set_read_action(WT_Read_Action action) { m_read = action; }
    void set_seek_action(WT_Seek_Action action) { m_seek = action; }
    void set_end_seek_action(WT_End_Seek_Action action) { m_end_seek = action; }
    void set_tell_action(WT_Tell_Action action) { m_tell = action; }
    void set_write_action(WT_Write_Action action) { m_write = action; }
    WT_Open_Action open_action() const { return m_open; }
    WT_Close_Action close_action() const { return m_close; }
    WT_Read_Action read_action() const { return m_read; }
    WT_Seek_Action seek_action() const { return m_seek; }
    WT_End_Seek_Action end_seek_action() const { return m_end_seek; }
    WT_Tell_Action tell_action() const { return m_tell; }
    WT_Write_Action write_action() const { return m_write; }

    // Replaces the handler of one object kind; null restores the default.
    template <class T>
    void set_action(WT_Action<T> action) {
        if (action == nullptr) {
            m_actions[T::ID] = nullptr;
            return;
        }
        m_actions[T::ID] = [action](WT_Object& object, WT_Stream& stream) {
            return action(static_cast<T&>(object), stream);
        };
    }
    // Calls the handler of the object's kind, or its default behaviour.
    WT_Result::Enum run_action(WT_Object& object);

    // An opaque slot for the owner; handlers read it through the stream.
    void set_client_data(void* data) { m_client_data = data; }
    void* client_data() const { return m_client_data; }

    // The file of the default handlers.
    platform::UniqueFile& file() { return m_file; }
    // A buffer of File_Buffer_Size bytes for that file, made on first use and
    // kept as long as the stream; null when it cannot be had.
    char* file_buffer();
    static constexpr size_t File_Buffer_Size = 256 * 1024;

    // --- state ------------------------------------------------------------
    WT_Attribute_Set& current_attributes() { return *m_current; }
    WT_Attribute_Set& desired_attributes() { return *m_desired; }
    const WT_Logical_Point& current_point() const { return m_current_point; }
    void set_current_point(const WT_Logical_Point& point) { m_current_point = point; }
    int parenthesis_depth() const { return m_paren_depth; }
    void increment_parenthesis_depth() { ++m_paren_depth; }
    void decrement_parenthesis_depth() { --m_paren_depth; }
    int indentation() const { return m_indentation; }
    void set_indentation(int level) { m_indentation = level < 0 ? 0 : level; }
    // The names the stream has given its layer numbers, so that a layer
    // named once can be selected by number alone.
    bool has_layer_name(int32_t number) const { return m_layer_names.count(number) != 0; }
    WT_String layer_name(int32_t number) const {
        const auto found = m_layer_names.find(number);
        return found == m_layer_names.end() ? WT_String() : found->second;
    }
    void set_layer_name(int32_t number, const WT_String& name) { m_layer_names[number] = name; }
    // The stream version of the header read, or the target version.
    int version() const;
    // The views the stream has defined by name; a later definition of a
    // name hides an earlier one.
    void add_named_view(const WT_Named_View& view) { m_named_views.push_back(view); }
    const WT_Named_View* find_named_view(const WT_String& name) const;
    const std::vector<WT_Named_View>& named_views() const { return m_named_views; }

    // --- block modes --------------------------------------------------------
    // Block read and block write: where the block starts in the file; block
    // read also stops after `size` bytes (0: at the end of the file).
    void set_block(uint64_t offset, uint64_t size = 0) {
        m_block_offset = offset;
        m_block_size = size;
    }

    // --- lifecycle --------------------------------------------------------
    WT_Result::Enum open();
    WT_Result::Enum close();
    // Reads and processes the next object; see the reading loop.
    WT_Result::Enum process_next_object();
    WT_Object* current_object() const { return m_current_object.get(); }
    const WT_Opcode& current_opcode() const { return m_opcode; }
    // Gives the caller the object last read, to keep beyond the next read.
    std::unique_ptr<WT_Object> take_current_object() { return std::move(m_current_object); }
    bool header_read() const { return m_header_read; }
    uint64_t objects_read() const { return m_objects_read; }
    // Where and why reading failed: the byte of the stream (counted after
    // decompression), the opcode being read, what was wrong. Empty while
    // reading goes well; a failed stream keeps it until it is opened again.
    const platform::Failure& failure() const { return m_failure; }
    // For a caller that knows its input is whole: a read left waiting for
    // data met the end of the stream. The stream fails with Corrupt_Data.
    WT_Result::Enum input_ended();

    // --- write discipline -------------------------------------------------
    // Writes the pending drawable, so the stream keeps the order of calls.
    WT_Result::Enum dump_delayed_drawable();
    // Holds a drawable back for merging (merging on), else writes it.
    WT_Result::Enum write_deferred(const WT_Drawable& drawable);
    // The same for a drawable the caller gives up: held back, it is kept as
    // it is instead of being copied.
    WT_Result::Enum write_deferred(std::unique_ptr<WT_Drawable> drawable);
    void set_delayed_drawable(std::unique_ptr<WT_Drawable> drawable) { m_delayed = std::move(drawable); }
    WT_Drawable* delayed_drawable() const { return m_delayed.get(); }
    // Synchronises the desired attributes of `mask` whose changed bit is set,
    // in ascending bit order.
    WT_Result::Enum sync_attributes(uint32_t mask);

    // --- write helpers ----------------------------------------------------
    WT_Result::Enum write(uint8_t byte);
    WT_Result::Enum write(uint16_t value);
    WT_Result::Enum write(int16_t value) { return write(static_cast<uint16_t>(value)); }
    WT_Result::Enum write(uint32_t value);
    WT_Result::Enum write(int32_t value) { return write(static_cast<uint32_t>(value)); }
    WT_Result::Enum write(size_t size, const void* data);
    WT_Result::Enum write(std::string_view text) { return write(text.size(), text.data()); }
    WT_Result::Enum write(const char* text) { return write(std::string_view(text)); }
    WT_Result::Enum write_count(uint32_t count);
    WT_Result::Enum write_ascii(int32_t value);
    WT_Result::Enum write_ascii(uint32_t value);
    WT_Result::Enum write_ascii(double value);
    WT_Result::Enum write_ascii(const WT_Logical_Point& point);
    // Points separated by spaces; every fourth after the first on a new
    // drawable-indented line.
    WT_Result::Enum write_ascii(size_t count, const WT_Logical_Point* points);
    WT_Result::Enum write_hex(size_t size, const void* data);
    WT_Result::Enum write_quoted_string(std::string_view text, bool forceQuotes = false);
    // CR LF, one space per indentation level, and `extra` more spaces.
    WT_Result::Enum write_tab_level(int extra = 0);
    // Each point relative to its predecessor, the first to the current point.
    WT_Result::Enum write_points_16r(size_t count, const WT_Logical_Point* points);
    WT_Result::Enum write_points_32r(size_t count, const WT_Logical_Point* points);
    // Spaces the drawables add to the indentation of their ASCII lines.
    static constexpr int Drawable_Indent = 3;

    // Starts (on) or finishes (off) a compressed section of the output.
    WT_Result::Enum set_data_compression(bool on);

    // --- read helpers -----------------------------------------------------
    WT_Result::Enum read(uint8_t& byte);
    WT_Result::Enum read(uint16_t& value);
    WT_Result::Enum read(int16_t& value);
    WT_Result::Enum read(uint32_t& value);
    WT_Result::Enum read(int32_t& value);
    WT_Result::Enum read(size_t size, void* buffer);
    // Consumes whole items of `item_size` bytes where they lie in the
    // read-ahead queue: at least one (or the read result that prevents it),
    // at most `maximum`, as many as are there. `bytes` points at the first
    // until the next read; `items` tells how many were taken.
    WT_Result::Enum read_in_place(size_t item_size, size_t maximum, const uint8_t*& bytes, size_t& items);
    // The next byte without consuming it.
    WT_Result::Enum peek(uint8_t& byte);
    // Gives back bytes just read.
    void put_back(size_t count);
    WT_Result::Enum eat_whitespace();
    WT_Result::Enum read_count(uint32_t& count);
    WT_Result::Enum read_ascii(int32_t& value);
    WT_Result::Enum read_ascii(uint32_t& value);
    WT_Result::Enum read_ascii(double& value);
    WT_Result::Enum read_ascii(WT_Logical_Point& point);
    WT_Result::Enum read_ascii_token(size_t maximum, std::string& token, bool allowNesting = false);
    WT_Result::Enum read_hex(size_t size, void* buffer);
    WT_Result::Enum read_points_16r(uint32_t count, std::vector<WT_Logical_Point>& points);
    WT_Result::Enum read_points_32r(uint32_t count, std::vector<WT_Logical_Point>& points);
    // Whitespace, then the ")" that closes the current extended ASCII opcode.
    WT_Result::Enum read_closing_parenthesis();
    // The bytes available right now (read ahead or from the handler), up to
    // `maximum`; Waiting_For_Data when none can be had.
    WT_Result::Enum read_available(size_t maximum, std::string& bytes);
    // Bytes consumed so far stay consumed even if the object then waits for
    // data: for objects that keep their own progress.
    void commit_read() { m_mark = m_ahead_pos; }
    // Starts inflating the input that follows a compression marker.
    WT_Result::Enum start_decompression(bool zlib);
    // Records why the object being read is refused, at the byte reading has
    // reached, and returns `code`: the failure record of a read check.
    [[gnu::format(printf, 3, 4)]] WT_Result::Enum refuse(WT_Result::Enum code, const char* format, ...);
    // Corrupt_Data for the byte just read, which is not the `expected` one.
    WT_Result::Enum refuse_byte(uint8_t byte, const char* expected);
    // The byte of the stream that reading has reached.
    uint64_t read_offset() const { return m_dropped + m_ahead_pos; }

    // Binary output switched off for an object that has only an ASCII form.
    class Binary_Suspension;

private:
    // Whether `drawable` joined the drawable held back.
    bool merged_into_delayed(const WT_Drawable& drawable);
    bool writing() const { return m_mode == File_Write || m_mode == Block_Append || m_mode == Block_Write; }
    bool reading() const { return m_mode == File_Read || m_mode == Block_Read; }
    WT_Result::Enum open_mode_steps();
    WT_Result::Enum open_block_read();
    WT_Result::Enum find_trailer();
    WT_Result::Enum seek_by(int64_t distance);
    WT_Result::Enum read_exactly(size_t size, void* buffer);
    static WT_Result::Enum block_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer);
    WT_Result::Enum read_next_object();
    void preset_old_fonts();
    WT_Result::Enum read_header_opcode();
    WT_Result::Enum read_opcode_and_create();
    WT_Result::Enum ensure(size_t needed);
    WT_Result::Enum fill_from_handler(size_t needed);
    WT_Result::Enum fill_from_decompressor(size_t needed);
    size_t available() const { return m_ahead.size() - m_ahead_pos; }
    void compact();
    WT_Result::Enum write_raw(size_t size, const void* data);
    WT_Result::Enum start_compression();
    WT_Result::Enum finish_compression();
    void reset_read_state();
    // Ends reading with `result`, recorded with a text of its own when no
    // check recorded one.
    WT_Result::Enum fail_read(WT_Result::Enum result, bool input_ended = false);
    // Records where the input ran out: inside an object, an opcode, or
    // before the stream's end.
    void refuse_end_of_input(WT_Result::Enum code);
    // "opcode 0x10", "opcode (Contour": what the failure record names.
    void describe_opcode(char* out, size_t room) const;

    std::string m_filename;
    WT_File_Mode m_mode = File_Inactive;
    WT_Stream_Options m_options;
    bool m_saved_compression_option = false;

    WT_Open_Action m_open;
    WT_Close_Action m_close;
    WT_Read_Action m_read;
    WT_Seek_Action m_seek;
    WT_End_Seek_Action m_end_seek;
    WT_Tell_Action m_tell;
    WT_Write_Action m_write;
    std::array<std::function<WT_Result::Enum(WT_Object&, WT_Stream&)>, WT_Object::Kind_Count> m_actions;
    void* m_client_data = nullptr;
    // Declared before the file, so it outlives the file that uses it.
    std::unique_ptr<char[]> m_file_buffer;
    platform::UniqueFile m_file;

    std::unique_ptr<WT_Attribute_Set> m_current;
    std::unique_ptr<WT_Attribute_Set> m_desired;
    WT_Logical_Point m_current_point;
    int m_paren_depth = 0;
    int m_indentation = 0;
    std::map<int32_t, WT_String> m_layer_names;
    std::vector<WT_Named_View> m_named_views;

    bool m_opened = false;
    uint64_t m_block_offset = 0;
    uint64_t m_block_size = 0;
    uint64_t m_block_remaining = 0;
    // The read handler that block read replaces until close.
    WT_Read_Action m_saved_read = nullptr;

    // Read-ahead: bytes before m_ahead_pos are consumed; those from m_mark
    // on are kept so that an object waiting for data can be read again.
    WT_Byte_Buffer m_ahead;
    size_t m_ahead_pos = 0;
    size_t m_mark = 0;
    // Bytes of the stream dropped from the front of the queue.
    uint64_t m_dropped = 0;
    // Compressed input not yet inflated.
    WT_Byte_Buffer m_raw;
    size_t m_raw_pos = 0;
    // The "}" closing a compressed section is still to come from the input.
    bool m_drop_section_close = false;

    bool m_header_read = false;
    uint64_t m_objects_read = 0;
    WT_Result::Enum m_read_failure = WT_Result::Success;
    platform::Failure m_failure;
    std::unique_ptr<WT_Object> m_current_object;
    WT_Opcode m_opcode;

    std::unique_ptr<WT_Drawable> m_delayed;
    bool m_dumping_delayed = false;

    std::unique_ptr<WT_Compressor> m_compressor;
    std::unique_ptr<WT_Decompressor> m_decompressor;
    bool m_compression_suspended = false;
};

// Switches binary output off for the objects that have only an ASCII form,
// and back on when it goes out of scope.
class WT_Stream::Binary_Suspension {
public:
    explicit Binary_Suspension(WT_Stream& stream)
        : m_stream(stream), m_saved(stream.options().allow_binary_data()) {
        stream.options().set_allow_binary_data(false);
    }
    ~Binary_Suspension() { m_stream.options().set_allow_binary_data(m_saved); }
    Binary_Suspension(const Binary_Suspension&) = delete;
    Binary_Suspension& operator=(const Binary_Suspension&) = delete;

private:
    WT_Stream& m_stream;
    bool m_saved;
};

// A drawable held back for merging is a copy of its own kind.
template <class T>
WT_Result::Enum wt_delay_copy(const T& drawable, WT_Stream& stream) {
    stream.set_delayed_drawable(std::make_unique<T>(drawable));
    return WT_Result::Success;
}

// An object whose operands alone tell where it ends is passed over by
// reading them into a scratch object of its kind.
template <class T>
WT_Result::Enum wt_skip_by_reading(const WT_Opcode& opcode, WT_Stream& stream) {
    T scratch;
    return scratch.read_operands(opcode, stream);
}

#endif  // DWFPLOT_W2D_STREAM_H
