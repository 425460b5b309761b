#include "w2d/polymarker.h"

#include <new>

#include "w2d/stream.h"

WT_Result::Enum WT_Polymarker::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return read_point_set(opcode, stream, Ascii_Opcode, Opcode_32, Opcode_16);
}

WT_Result::Enum WT_Polymarker::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    WT_Polymarker scratch;
    return scratch.read_operands(opcode, stream);
}

// The opcode says what the points are, so unlike a polyline or polygon the
// markers leave the fill as the caller set it.
WT_Result::Enum WT_Polymarker::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(stream.sync_attributes(Attribute_Mask));
    return dump(stream);
}

WT_Result::Enum WT_Polymarker::delay(WT_Stream& stream) const {
    try {
        stream.set_delayed_drawable(std::make_unique<WT_Polymarker>(*this));
    } catch (const std::bad_alloc&) {
        throw WT_Result::Out_Of_Memory;
    }
    return WT_Result::Success;
}

WT_Result::Enum WT_Polymarker::dump(WT_Stream& stream) const {
    return write_point_set(stream, Ascii_Opcode, Opcode_32, Opcode_16);
}
