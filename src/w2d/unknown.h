// An opcode the stream does not interpret: kept as its raw bytes and passed
// over by its framing.
#ifndef DWFPLOT_W2D_UNKNOWN_H
#define DWFPLOT_W2D_UNKNOWN_H

#include <optional>
#include <string>

#include "w2d/framing.h"
#include "w2d/object.h"

// The bytes an opcode was read from: the token of an ASCII opcode, the
// "{", size and value of a binary one; records kept whole start with them.
std::string wt_opcode_bytes(const WT_Opcode& opcode);

class WT_Unknown : public WT_Object {
public:
    static constexpr WT_ID ID = Unknown_ID;

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Writes the kept bytes back unchanged.
    WT_Result::Enum write(WT_Stream& stream) const override;

    // The whole opcode as read: token (or binary header) and operands.
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
    std::optional<WT_Extended_Skipper> m_skipper;
};

// The start of a compressed section (extended binary values 16 and 17).
class WT_Compression_Marker : public WT_Object {
public:
    static constexpr WT_ID ID = Compression_Marker_ID;
    // The start of a section in the LZ method of very old streams, which
    // ends the read cleanly, and of a zlib section.
    static constexpr uint16_t Other_Opcode = 16;
    static constexpr uint16_t Zlib_Opcode = 17;

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Compressed sections are written by the stream itself
    // (WT_Stream::set_data_compression).
    WT_Result::Enum write(WT_Stream& stream) const override;
};

#endif  // DWFPLOT_W2D_UNKNOWN_H
