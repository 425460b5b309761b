#include "w2d/unknown.h"

#include "w2d/opcode.h"
#include "w2d/stream.h"

std::string wt_opcode_bytes(const WT_Opcode& opcode) {
    if (opcode.type() != WT_Opcode::Extended_Binary) return std::string(opcode.token());
    const uint32_t size = opcode.binary_size();
    const uint16_t value = opcode.binary_value();
    const char header[7] = {'{',
                            static_cast<char>(size),
                            static_cast<char>(size >> 8),
                            static_cast<char>(size >> 16),
                            static_cast<char>(size >> 24),
                            static_cast<char>(value),
                            static_cast<char>(value >> 8)};
    return std::string(header, sizeof header);
}

WT_Result::Enum WT_Unknown::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    // A single-byte opcode has no framing to pass over.
    if (opcode.type() != WT_Opcode::Extended_ASCII && opcode.type() != WT_Opcode::Extended_Binary)
        return WT_Result::Wrong_Opcode;
    if (!m_skipper) {
        if (opcode.type() == WT_Opcode::Extended_Binary && opcode.binary_size() == 0) {
            return stream.refuse(WT_Result::Unsupported_Format, "an unknown binary opcode without a size");
        }
        m_bytes = wt_opcode_bytes(opcode);
        m_skipper.emplace(opcode, true);
    }
    return m_skipper->run(stream, &m_bytes);
}

WT_Result::Enum WT_Unknown::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    return stream.write(m_bytes);
}

WT_Result::Enum WT_Compression_Marker::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (opcode.type() != WT_Opcode::Extended_Binary) return WT_Result::Wrong_Opcode;
    if (opcode.binary_value() != Other_Opcode && opcode.binary_value() != Zlib_Opcode) return WT_Result::Wrong_Opcode;
    return stream.start_decompression(opcode.binary_value() == Zlib_Opcode);
}

WT_Result::Enum WT_Compression_Marker::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    return stream.set_data_compression(true);
}
