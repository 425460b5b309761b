// The block records of the older single-file layout: block meaning,
// encryption, orientation, alignment, GUID, password, block references,
// directory, GUID list, signature data and file time. The default handler
// ignores them; their named values come from fixed tables.
#ifndef DWFPLOT_W2D_BLOCK_RECORD_H
#define DWFPLOT_W2D_BLOCK_RECORD_H

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "w2d/framing.h"
#include "w2d/object.h"

class WT_Block_Record : public WT_Object {
public:
    static constexpr WT_ID ID = Block_Structure_ID;

    enum WT_Kind {
        Block_Meaning,
        Encryption,
        Orientation,
        Alignment,
        Guid,
        Password,
        Block_Reference,
        Directory,
        Guid_List,
        Signature_Data,
        File_Time,
        Kind_Count
    };

    static constexpr uint16_t Block_Reference_First = 335;
    static constexpr uint16_t Block_Reference_Last = 350;
    static constexpr size_t Guid_Size = 16;
    static constexpr size_t Password_Size = 32;

    // The record an opcode stands for; false for every other opcode.
    static bool kind_of(const WT_Opcode& opcode, WT_Kind& kind);
    // The names of a kind's values (block meaning, encryption, orientation,
    // alignment) or of the block kinds (block reference); empty otherwise.
    static std::span<const std::string_view> names(WT_Kind kind);
    // The value of the n-th name of a table.
    static uint16_t value_at(WT_Kind kind, size_t index);

    explicit WT_Block_Record(WT_Kind kind = Block_Meaning) : m_kind(kind) {}
    // A named record (block meaning to alignment) with its value.
    static WT_Block_Record named(WT_Kind kind, uint16_t value);
    // A GUID or password record with its bytes.
    static WT_Block_Record with_bytes(WT_Kind kind, std::string_view bytes);

    WT_Kind kind() const { return m_kind; }
    // The 16-bit value of a named record; for a block reference the index
    // of its block kind.
    uint16_t value() const { return m_value; }
    // The name of the value; empty when the record was passed over.
    std::string_view value_name() const;
    // The GUID or password bytes; the raw bytes of records kept whole.
    const std::string& bytes() const { return m_bytes; }
    // False when the record's fields did not fit its size and it was
    // passed over by its size.
    bool understood() const { return m_understood; }

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    WT_Result::Enum read_binary(const WT_Opcode& opcode, WT_Stream& stream);
    WT_Result::Enum read_ascii(const WT_Opcode& opcode, WT_Stream& stream);
    WT_Result::Enum read_kept(const WT_Opcode& opcode, WT_Stream& stream);
    void take_ascii_guid();
    WT_Result::Enum write_binary(WT_Stream& stream) const;
    WT_Result::Enum write_ascii(WT_Stream& stream) const;

    WT_Kind m_kind;
    uint16_t m_value = 0;
    std::string m_bytes;
    bool m_understood = true;
    // m_bytes holds the whole record as read, written back unchanged (for a
    // block reference read in ASCII: what follows its kind name).
    bool m_kept = false;
    // Records kept whole keep their progress across waits for data.
    std::optional<WT_Extended_Skipper> m_skipper;
};

#endif  // DWFPLOT_W2D_BLOCK_RECORD_H
