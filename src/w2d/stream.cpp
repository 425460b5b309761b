#include "w2d/stream.h"

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <string_view>

#include "w2d/attribute_set.h"
#include "w2d/compression.h"
#include "w2d/file_handlers.h"
#include "w2d/header.h"
#include "w2d/object_factory.h"

WT_Stream::WT_Stream()
    : m_open(wt_default_open),
      m_close(wt_default_close),
      m_read(wt_default_read),
      m_seek(wt_default_seek),
      m_end_seek(wt_default_end_seek),
      m_tell(wt_default_tell),
      m_write(wt_default_write),
      m_current(std::make_unique<WT_Attribute_Set>()),
      m_desired(std::make_unique<WT_Attribute_Set>()) {}

WT_Stream::~WT_Stream() = default;

char* WT_Stream::file_buffer() {
    // Without it the file keeps the usual small buffer: slower, not wrong.
    if (!m_file_buffer) m_file_buffer.reset(new (std::nothrow) char[File_Buffer_Size]);
    return m_file_buffer.get();
}

void WT_Stream::set_file_mode(WT_File_Mode mode) {
    if (mode == Block_Write && m_options.target_version() >= 600) throw WT_Result::Usage_Error;
    m_mode = mode;
}

WT_Result::Enum WT_Stream::run_action(WT_Object& object) {
    const auto& action = m_actions[object.object_id()];
    return action ? action(object, *this) : object.default_process(*this);
}

int WT_Stream::version() const {
    if (!m_header_read) return m_options.target_version();
    return m_current->major_version() * 100 + m_current->minor_version();
}

void WT_Stream::reset_read_state() {
    m_ahead.clear();
    m_ahead_pos = 0;
    m_mark = 0;
    m_dropped = 0;
    m_raw.clear();
    m_raw_pos = 0;
    m_drop_section_close = false;
    m_decompressor.reset();
    m_header_read = false;
    m_objects_read = 0;
    m_read_failure = WT_Result::Success;
    m_paren_depth = 0;
    m_opcode = WT_Opcode();
    m_layer_names.clear();
    m_named_views.clear();
}

WT_Result::Enum WT_Stream::open() {
    if (m_mode == File_Inactive) return WT_Result::Usage_Error;
    // The target version may have changed since the mode was set.
    if (m_mode == Block_Write && m_options.target_version() >= 600) return WT_Result::Usage_Error;
    reset_read_state();
    m_failure.clear();
    m_current_point = WT_Logical_Point();
    m_saved_compression_option = m_options.allow_data_compression();
    m_opened = false;
    WT_CHECK(m_open(*this));
    // Close finishes only what open began: a stream whose open failed gets
    // no trailer.
    WT_CHECK(open_mode_steps());
    m_opened = true;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::open_mode_steps() {
    switch (m_mode) {
        case File_Read: return WT_Result::Success;
        case Block_Read: return open_block_read();
        case Block_Write: return seek_by(static_cast<int64_t>(m_block_offset));
        case Block_Append: WT_CHECK(find_trailer()); break;
        default: break;
    }
    if (m_options.target_version() < 42) preset_old_fonts();
    // The header must stay readable before any compressed section begins.
    m_compression_suspended = true;
    const WT_Result::Enum result = WT_DWF_Header::write_header(*this);
    m_compression_suspended = false;
    return result;
}

WT_Result::Enum WT_Stream::seek_by(int64_t distance) {
    // The seek handler moves by an int at a time.
    constexpr int64_t Step = 1 << 30;
    while (distance != 0) {
        const int64_t part = distance > Step ? Step : distance < -Step ? -Step : distance;
        int moved = 0;
        WT_CHECK(m_seek(*this, static_cast<int>(part), moved));
        if (moved != part) return WT_Result::End_Of_File;
        distance -= part;
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read_exactly(size_t size, void* buffer) {
    auto* bytes = static_cast<uint8_t*>(buffer);
    while (size > 0) {
        int got = 0;
        WT_CHECK(m_read(*this, static_cast<int>(size), got, bytes));
        if (got <= 0) return WT_Result::Read_Failed;
        const size_t taken = static_cast<size_t>(got) < size ? static_cast<size_t>(got) : size;
        bytes += taken;
        size -= taken;
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::open_block_read() {
    WT_CHECK(seek_by(static_cast<int64_t>(m_block_offset)));
    if (m_read != block_read) m_saved_read = m_read;
    m_block_remaining = m_block_size;
    m_read = block_read;
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::block_read(WT_Stream& stream, int desired, int& bytesRead, void* buffer) {
    bytesRead = 0;
    if (stream.m_block_size == 0) return stream.m_saved_read(stream, desired, bytesRead, buffer);
    if (stream.m_block_remaining == 0) return WT_Result::End_Of_File;
    if (static_cast<uint64_t>(desired) > stream.m_block_remaining) desired = static_cast<int>(stream.m_block_remaining);
    const WT_Result::Enum result = stream.m_saved_read(stream, desired, bytesRead, buffer);
    if (result == WT_Result::Success && bytesRead > 0)
        stream.m_block_remaining -= std::min(stream.m_block_remaining, static_cast<uint64_t>(bytesRead));
    return result;
}

namespace {
struct Trailer_Form {
    std::string_view bytes;
    bool binary;  // ends a binary opcode ("}")
};
// Tried in this order; CR CR LF is what text-mode output makes of CR LF.
constexpr Trailer_Form Trailer_Forms[] = {
    {")\r\n(EndOfDWF)\r\n", false},   {")\r\r\n(EndOfDWF)\r\r\n", false}, {")(EndOfDWF)\r\n", false},
    {"}\r\n(EndOfDWF)\r\n", true},    {"}\r\r\n(EndOfDWF)\r\r\n", true},  {"}(EndOfDWF)\r\n", true},
};
constexpr size_t Longest_Trailer_Form = 17;
}  // namespace

WT_Result::Enum WT_Stream::find_trailer() {
    WT_CHECK(m_end_seek(*this));
    uint64_t size = 0;
    WT_CHECK(m_tell(*this, size));
    const size_t tail_size = size < Longest_Trailer_Form ? static_cast<size_t>(size) : Longest_Trailer_Form;
    WT_CHECK(seek_by(-static_cast<int64_t>(tail_size)));
    char tail[Longest_Trailer_Form];
    WT_CHECK(read_exactly(tail_size, tail));
    const std::string_view text(tail, tail_size);
    for (const Trailer_Form& form : Trailer_Forms) {
        if (!text.ends_with(form.bytes)) continue;
        m_options.set_allow_binary_data(form.binary);
        // New records go where the trailer was; close writes it again.
        const size_t trailer = form.bytes.size() - form.bytes.find("(EndOfDWF)");
        return seek_by(-static_cast<int64_t>(trailer));
    }
    // Appending to a file without a trailer would bury the new records.
    return WT_Result::Corrupt_Data;
}

const WT_Named_View* WT_Stream::find_named_view(const WT_String& name) const {
    for (auto view = m_named_views.rbegin(); view != m_named_views.rend(); ++view)
        if (view->name() == name) return &*view;
    return nullptr;
}

void WT_Stream::preset_old_fonts() {
    // Readers of these versions assume no font at all, so the first text
    // must always write one.
    WT_Font current;
    current.set_name(WT_String("undefined_font"));
    current.set_height(1024);
    m_current->font() = current;
    WT_Font desired;
    desired.set_name(WT_String("courier"));
    desired.set_height(1024);
    m_desired->set(desired);
}

WT_Result::Enum WT_Stream::close() {
    if (m_mode == File_Inactive) return WT_Result::No_File_Open;
    WT_Result::Enum first = WT_Result::Success;
    auto note = [&first](WT_Result::Enum result) {
        if (first == WT_Result::Success) first = result;
    };
    const bool block_mode = m_mode == Block_Append || m_mode == Block_Read || m_mode == Block_Write;
    // Block structure came with version 0.55; earlier streams have none.
    if (block_mode && version() < 55) note(WT_Result::Close_Failed);
    if (writing() && m_opened) {
        note(dump_delayed_drawable());
        note(finish_compression());
    }
    if ((m_mode == File_Write || m_mode == Block_Append) && m_opened) {
        m_compression_suspended = true;
        note(WT_End_Of_DWF::write_trailer(*this));
        m_compression_suspended = false;
    }
    note(m_close(*this));
    m_opened = false;
    if (m_read == block_read) m_read = m_saved_read;
    m_mode = File_Inactive;
    // With deferred delete the caller may still use the object last read.
    if (!m_options.deferred_delete()) m_current_object.reset();
    m_delayed.reset();
    m_compressor.reset();
    *m_current = WT_Attribute_Set();
    m_options.set_allow_data_compression(m_saved_compression_option);
    reset_read_state();
    return first;
}

WT_Result::Enum WT_Stream::read_header_opcode() {
    uint8_t prefix[6];
    WT_CHECK(read(sizeof prefix, prefix));
    const std::string_view text(reinterpret_cast<const char*>(prefix), sizeof prefix);
    if (text != "(DWF V" && text != "(W2D V") return WT_Result::Not_A_W2D_Stream;
    m_opcode = WT_Opcode();
    m_opcode.set_single_byte('(');
    m_current_object = std::make_unique<WT_DWF_Header>(text == "(W2D V");
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::read_opcode_and_create() {
    WT_CHECK(eat_whitespace());
    commit_read();
    WT_CHECK(m_opcode.read(*this));
    WT_Result::Enum result = WT_Result::Success;
    m_current_object = wt_create_object(m_opcode, *this, result);
    return result;
}

WT_Result::Enum WT_Stream::process_next_object() {
    try {
        return read_next_object();
    } catch (const std::bad_alloc&) {
        return fail_read(WT_Result::Out_Of_Memory);
    }
}

WT_Result::Enum WT_Stream::fail_read(WT_Result::Enum result, bool input_ended) {
    m_read_failure = result;
    if (input_ended || result == WT_Result::End_Of_File) {
        refuse_end_of_input(result);
        return result;
    }
    // No check recorded why: the result says what it can.
    const char* text = wt_result_name(result);
    switch (result) {
        case WT_Result::Unsupported_Opcode: text = "no object of the format has this opcode"; break;
        case WT_Result::Corrupt_Data: text = "the operands are not what the opcode needs"; break;
        case WT_Result::Not_A_W2D_Stream: text = "the stream does not start with \"(W2D V\" or \"(DWF V\""; break;
        case WT_Result::Out_Of_Memory: text = "out of memory while reading the object"; break;
        default: break;
    }
    refuse(result, "%s", text);
    return result;
}

WT_Result::Enum WT_Stream::refuse(WT_Result::Enum code, const char* format, ...) {
    // The subject is described only for the record that is kept.
    if (m_failure.failed()) return code;
    char subject[platform::Failure::kSubjectRoom];
    describe_opcode(subject, sizeof subject);
    va_list arguments;
    va_start(arguments, format);
    m_failure.recordv(code, read_offset(), subject, format, arguments);
    va_end(arguments);
    return code;
}

void WT_Stream::describe_opcode(char* out, size_t room) const {
    switch (m_opcode.type()) {
        case WT_Opcode::Single_Byte: {
            const uint8_t byte = m_opcode.byte();
            const bool printable = byte > 0x20 && byte < 0x7F;
            std::snprintf(out, room, printable ? "opcode 0x%02X '%c'" : "opcode 0x%02X", byte, byte);
            return;
        }
        case WT_Opcode::Extended_ASCII:
            std::snprintf(out, room, "opcode %.*s", m_opcode.size(), m_opcode.token().data());
            return;
        case WT_Opcode::Extended_Binary:
            std::snprintf(out, room, "binary opcode 0x%04X", m_opcode.binary_value());
            return;
        default:
            if (room > 0) out[0] = '\0';
            return;
    }
}

WT_Result::Enum WT_Stream::input_ended() {
    if (m_read_failure != WT_Result::Success) return m_read_failure;
    return fail_read(WT_Result::Corrupt_Data, true);
}

void WT_Stream::refuse_end_of_input(WT_Result::Enum code) {
    const size_t held = m_ahead.size() - std::min(m_mark, m_ahead.size());
    m_ahead_pos = m_ahead.size();
    if (m_current_object && !m_current_object->materialized()) {
        refuse(code, "the stream ends %zu bytes into the operands", held);
        return;
    }
    // No object was begun: the opcode last read is not the one at fault.
    m_opcode = WT_Opcode();
    refuse(code, "%s",
           held == 0 ? "the stream ends without its (EndOfDWF) opcode" : "the stream ends inside an opcode");
}

// Reading is resumable: a read handler may run dry mid-object and answer
// Waiting_For_Data, and the caller calls again once more input can come.
//
// - What is rewound: the read-ahead position goes back to the mark, the
//   start of what the object has not committed (its opcode's end, or the
//   point where the object last called commit_read), and the current point
//   goes back to where it stood before the operands were read, since
//   relative points move it. Bytes from the mark on stay in the read-ahead
//   buffer, so the same bytes are read again.
// - What an object keeps across Waiting_For_Data: the object itself, made
//   from its opcode and not yet materialized; the opcode is not read again.
//   Its read_operands starts over from the mark, so an object that keeps its
//   own progress between calls commits the bytes it has consumed.
// - What stays failed: any other result of the opcode or of the operands is
//   recorded, and every later call answers it without reading: a stream that
//   lost its framing cannot be resynchronised safely.
//
// A materialized object has been counted and committed; the next call
// starts a new one.
WT_Result::Enum WT_Stream::read_next_object() {
    if (!reading()) return WT_Result::Usage_Error;
    if (m_read_failure != WT_Result::Success) return m_read_failure;
    assert(m_mark <= m_ahead_pos && m_ahead_pos <= m_ahead.size());
    const bool resuming = m_current_object && !m_current_object->materialized();
    // A check whose caller went on after it leaves no record behind.
    if (m_failure.failed()) m_failure.clear();
    if (!resuming) {
        m_current_object.reset();
        m_mark = m_ahead_pos;
        const WT_Result::Enum result = m_header_read ? read_opcode_and_create() : read_header_opcode();
        if (result == WT_Result::Waiting_For_Data) {
            m_ahead_pos = m_mark;
            return result;
        }
        if (result != WT_Result::Success) return fail_read(result);
        assert(m_current_object && !m_current_object->materialized());
        if (m_opcode.type() == WT_Opcode::Extended_ASCII) ++m_paren_depth;
        m_mark = m_ahead_pos;
    }
    // Relative points move the current point; a read that waits for data is
    // repeated from the same bytes, so it must start from the same point.
    const WT_Logical_Point point_before = m_current_point;
    const WT_Result::Enum result = m_current_object->read_operands(m_opcode, *this);
    if (result == WT_Result::Waiting_For_Data) {
        m_ahead_pos = m_mark;
        m_current_point = point_before;
        assert(!m_current_object->materialized());
        return result;
    }
    if (result != WT_Result::Success) return fail_read(result);
    m_current_object->set_materialized(true);
    if (m_opcode.type() == WT_Opcode::Extended_ASCII && m_paren_depth > 0) --m_paren_depth;
    assert(m_paren_depth >= 0);
    m_header_read = true;
    ++m_objects_read;
    commit_read();
    return m_current_object->process(*this);
}

WT_Result::Enum WT_Stream::dump_delayed_drawable() {
    // Attributes written while the pending drawable is dumped must not dump
    // it a second time.
    if (!m_delayed || m_dumping_delayed) return WT_Result::Success;
    m_dumping_delayed = true;
    const WT_Result::Enum result = m_delayed->dump(*this);
    m_dumping_delayed = false;
    // A failed dump keeps the drawable so that the next write retries it.
    if (result == WT_Result::Success) m_delayed.reset();
    return result;
}

bool WT_Stream::merged_into_delayed(const WT_Drawable& drawable) {
    return m_delayed && m_delayed->object_id() == drawable.object_id() && m_delayed->merge(drawable);
}

WT_Result::Enum WT_Stream::write_deferred(const WT_Drawable& drawable) {
    if (!m_options.allow_drawable_merging()) return drawable.dump(*this);
    if (merged_into_delayed(drawable)) return WT_Result::Success;
    WT_CHECK(dump_delayed_drawable());
    return drawable.delay(*this);
}

WT_Result::Enum WT_Stream::write_deferred(std::unique_ptr<WT_Drawable> drawable) {
    if (!m_options.allow_drawable_merging()) return drawable->dump(*this);
    if (merged_into_delayed(*drawable)) return WT_Result::Success;
    WT_CHECK(dump_delayed_drawable());
    m_delayed = std::move(drawable);
    return WT_Result::Success;
}

WT_Result::Enum WT_Stream::sync_attributes(uint32_t mask) {
    // Drawables, whose masks cover several kinds, need the drawing
    // information in force first; an attribute synchronises the single kind
    // it depends on and nothing else.
    const bool several_kinds = (mask & (mask - 1)) != 0;
    if (several_kinds) WT_CHECK(m_desired->drawing_info().sync(*this, m_current->drawing_info()));
    return m_desired->sync(*this, mask);
}
