#include "w2d/block_record.h"

#include <charconv>

#include "w2d/opcode.h"
#include "w2d/record_reading.h"
#include "w2d/unknown.h"

namespace {
constexpr std::string_view Meaning_Names[] = {"None", "Seal", "Stamp", "Label", "Redline", "Reserved1", "Reserved2"};
constexpr std::string_view Encryption_Names[] = {"None", "Reserved1", "Reserved2", "Reserved3"};
constexpr std::string_view Orientation_Names[] = {"Always_In_Sync", "Always_Different", "Decoupled"};
constexpr std::string_view Alignment_Names[] = {
    "Align_Center",      "Align_Title_Block", "Align_Top",          "Align_Bottom", "Align_Left", "Align_Right",
    "Align_Top_Left",    "Align_Top_Right",   "Align_Bottom_Left",  "Align_Bottom_Right", "Align_None"};
constexpr std::string_view Block_Kind_Names[] = {
    "Graphics_Hdr", "Overlay_Hdr", "Redline_Hdr", "Thumbnail",    "Preview", "Overlay_Preview", "EmbedFont", "Graphics",
    "Overlay",      "Redline",     "User",        "Null",         "Global_Sheet", "Global",  "Signature"};

struct Kind_Forms {
    std::string_view token;
    uint16_t binary;  // 0: a range or no binary form
};
constexpr Kind_Forms Forms[WT_Block_Record::Kind_Count] = {
    {"(BlockMeaning", 322}, {"(Encryption", 323}, {"(Orientation", 325}, {"(Alignment", 327},
    {"(Guid", 330},         {"(Psswd", 331},      {"(BlockRef", 0},      {"(Directory", 352},
    {"(GuidList", 360},     {"(SignData", 358},   {"(Time", 333}};

// Opcode value, the fields and "}".
constexpr uint32_t framed_size(size_t fields) { return static_cast<uint32_t>(fields + 3); }

bool is_named_kind(WT_Block_Record::WT_Kind kind) { return kind <= WT_Block_Record::Alignment; }

size_t fixed_fields(WT_Block_Record::WT_Kind kind) {
    if (is_named_kind(kind)) return 2;
    if (kind == WT_Block_Record::Guid) return WT_Block_Record::Guid_Size;
    if (kind == WT_Block_Record::Password) return WT_Block_Record::Password_Size;
    return 0;
}
}  // namespace

bool WT_Block_Record::kind_of(const WT_Opcode& opcode, WT_Kind& kind) {
    for (int index = 0; index < Kind_Count; ++index) {
        const bool matches =
            opcode.type() == WT_Opcode::Extended_ASCII
                ? opcode.token() == Forms[index].token
                : opcode.type() == WT_Opcode::Extended_Binary &&
                      (index == Block_Reference
                           ? opcode.binary_value() >= Block_Reference_First &&
                                 opcode.binary_value() <= Block_Reference_Last
                           : opcode.binary_value() == Forms[index].binary);
        if (matches) {
            kind = static_cast<WT_Kind>(index);
            return true;
        }
    }
    return false;
}

std::span<const std::string_view> WT_Block_Record::names(WT_Kind kind) {
    switch (kind) {
        case Block_Meaning: return Meaning_Names;
        case Encryption: return Encryption_Names;
        case Orientation: return Orientation_Names;
        case Alignment: return Alignment_Names;
        case Block_Reference: return Block_Kind_Names;
        default: return {};
    }
}

uint16_t WT_Block_Record::value_at(WT_Kind kind, size_t index) {
    // Named values are single bits in table order; block kinds are indices.
    return static_cast<uint16_t>(kind == Block_Reference ? index : 1u << index);
}

WT_Block_Record WT_Block_Record::named(WT_Kind kind, uint16_t value) {
    WT_Block_Record record(kind);
    record.m_value = value;
    return record;
}

WT_Block_Record WT_Block_Record::with_bytes(WT_Kind kind, std::string_view bytes) {
    WT_Block_Record record(kind);
    record.m_bytes.assign(bytes);
    return record;
}

std::string_view WT_Block_Record::value_name() const {
    if (!m_understood) return {};
    const auto table = names(m_kind);
    for (size_t index = 0; index < table.size(); ++index)
        if (value_at(m_kind, index) == m_value) return table[index];
    return {};
}

WT_Result::Enum WT_Block_Record::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    WT_Kind kind = Block_Meaning;
    if (!kind_of(opcode, kind)) return WT_Result::Wrong_Opcode;
    m_kind = kind;
    return opcode.type() == WT_Opcode::Extended_Binary ? read_binary(opcode, stream) : read_ascii(opcode, stream);
}

WT_Result::Enum WT_Block_Record::read_kept(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!m_skipper) {
        m_kept = true;
        if (opcode.type() == WT_Opcode::Extended_Binary && opcode.binary_size() < 2) return WT_Result::Corrupt_Data;
        m_bytes = wt_opcode_bytes(opcode);
        m_skipper.emplace(opcode, true);
    }
    return m_skipper->run(stream, &m_bytes);
}

void WT_Block_Record::take_ascii_guid() {
    // Our own form, the 16 bytes as 32 hexadecimal digits, comes back as
    // those bytes; any other producer's form is kept as it was read.
    std::string_view text(m_bytes);
    const std::string_view token = Forms[Guid].token;
    if (text.substr(0, token.size()) != token) return;
    text.remove_prefix(token.size());
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return;
    text.remove_prefix(first);
    if (text.size() != 2 * Guid_Size + 1 || text.back() != ')') return;
    std::string bytes(Guid_Size, '\0');
    for (size_t index = 0; index < Guid_Size; ++index) {
        const auto digits = text.substr(2 * index, 2);
        unsigned value = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + 2, value, 16);
        if (error != std::errc() || end != digits.data() + 2) return;
        bytes[index] = static_cast<char>(value);
    }
    m_bytes = std::move(bytes);
    m_kept = false;
}

WT_Result::Enum WT_Block_Record::read_binary(const WT_Opcode& opcode, WT_Stream& stream) {
    if (m_kind == Block_Reference) m_value = static_cast<uint16_t>(opcode.binary_value() - Block_Reference_First);
    const size_t fields = fixed_fields(m_kind);
    if (fields == 0) return read_kept(opcode, stream);
    if (opcode.binary_size() != framed_size(fields)) {
        // The fields do not fit the record: it is passed over by its size.
        m_understood = false;
        return read_kept(opcode, stream);
    }
    if (is_named_kind(m_kind)) {
        WT_CHECK(stream.read(m_value));
        if (value_name().empty()) return WT_Result::Corrupt_Data;
    } else {
        m_bytes.resize(fields);
        WT_CHECK(stream.read(fields, m_bytes.data()));
    }
    uint8_t close = 0;
    WT_CHECK(stream.read(close));
    return close == '}' ? WT_Result::Success : WT_Result::Corrupt_Data;
}

WT_Result::Enum WT_Block_Record::read_ascii(const WT_Opcode& opcode, WT_Stream& stream) {
    if (is_named_kind(m_kind) || m_kind == Block_Reference) {
        std::string name;
        WT_CHECK(wt_read_name(stream, name));
        const int index = wt_find_name(names(m_kind), name);
        if (index < 0) return WT_Result::Corrupt_Data;
        m_value = value_at(m_kind, static_cast<size_t>(index));
        if (is_named_kind(m_kind)) return stream.read_closing_parenthesis();
        // The fields of a reference are kept as they are. Read again from
        // its start after a wait for data, so nothing is committed here.
        m_kept = true;
        m_bytes.clear();
        WT_Extended_Skipper rest(opcode);
        return rest.run(stream, &m_bytes);
    }
    if (m_kind == Guid) {
        WT_CHECK(read_kept(opcode, stream));
        take_ascii_guid();
        return WT_Result::Success;
    }
    if (m_kind != Password) return read_kept(opcode, stream);
    // The password bytes are opaque: quotes or parentheses among them are
    // taken as they are.
    WT_CHECK(wt_expect_byte(stream, '\''));
    m_bytes.resize(Password_Size);
    WT_CHECK(stream.read(Password_Size, m_bytes.data()));
    uint8_t quote = 0;
    WT_CHECK(stream.read(quote));
    if (quote != '\'') return WT_Result::Corrupt_Data;
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Block_Record::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    if (m_kept && m_kind != Block_Reference) return stream.write(m_bytes);
    if (m_kind == Block_Reference) {
        // Its fields are only ever kept from a stream read, never composed.
        if (!m_kept) return WT_Result::Internal_Error;
        if (m_bytes.empty() || m_bytes.front() == '{') return stream.write(m_bytes);
        WT_CHECK(stream.write_tab_level());
        WT_CHECK(stream.write("(BlockRef "));
        if (m_value >= names(m_kind).size()) return WT_Result::Internal_Error;
        WT_CHECK(wt_write_padded_name(stream, names(m_kind), m_value));
        return stream.write(m_bytes);
    }
    return stream.options().allow_binary_data() ? write_binary(stream) : write_ascii(stream);
}

WT_Result::Enum WT_Block_Record::write_binary(WT_Stream& stream) const {
    const size_t fields = fixed_fields(m_kind);
    if (fields == 0 || (!is_named_kind(m_kind) && m_bytes.size() != fields)) return WT_Result::Internal_Error;
    if (is_named_kind(m_kind) && value_name().empty()) return WT_Result::Internal_Error;
    WT_CHECK(wt_write_binary_start(stream, static_cast<uint32_t>(fields), Forms[m_kind].binary));
    if (is_named_kind(m_kind)) {
        WT_CHECK(stream.write(m_value));
    } else {
        WT_CHECK(stream.write(m_bytes));
    }
    return stream.write(static_cast<uint8_t>('}'));
}

WT_Result::Enum WT_Block_Record::write_ascii(WT_Stream& stream) const {
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(stream.write(Forms[m_kind].token));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    if (is_named_kind(m_kind)) {
        const auto table = names(m_kind);
        const int index = wt_find_name(table, value_name());
        if (index < 0) return WT_Result::Internal_Error;
        WT_CHECK(wt_write_padded_name(stream, table, static_cast<size_t>(index)));
    } else if (m_kind == Password && m_bytes.size() == Password_Size) {
        WT_CHECK(stream.write(static_cast<uint8_t>('\'')));
        WT_CHECK(stream.write(m_bytes));
        WT_CHECK(stream.write(static_cast<uint8_t>('\'')));
    } else if (m_kind == Guid && m_bytes.size() == Guid_Size) {
        // The GUID as hexadecimal digits, in the order of its bytes.
        static constexpr char Digits[] = "0123456789ABCDEF";
        for (const char byte : m_bytes) {
            const auto value = static_cast<uint8_t>(byte);
            const char pair[2] = {Digits[value >> 4], Digits[value & 0xF]};
            WT_CHECK(stream.write(sizeof pair, pair));
        }
    } else {
        return WT_Result::Internal_Error;
    }
    return stream.write(static_cast<uint8_t>(')'));
}
