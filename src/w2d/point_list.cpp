#include "w2d/point_list.h"

#include <memory>

#include "w2d/polymarker.h"
#include "w2d/polytriangle.h"
#include "w2d/stream.h"

template <WT_Object::WT_ID K, uint32_t M, uint8_t A, uint8_t W, uint8_t N>
WT_Result::Enum WT_Point_List<K, M, A, W, N>::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return read_point_set(opcode, stream, A, W, N);
}

template <WT_Object::WT_ID K, uint32_t M, uint8_t A, uint8_t W, uint8_t N>
WT_Result::Enum WT_Point_List<K, M, A, W, N>::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    return wt_skip_by_reading<WT_Point_List>(opcode, stream);
}

template <WT_Object::WT_ID K, uint32_t M, uint8_t A, uint8_t W, uint8_t N>
WT_Result::Enum WT_Point_List<K, M, A, W, N>::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_CHECK(stream.sync_attributes(M));
    return dump(stream);
}

template <WT_Object::WT_ID K, uint32_t M, uint8_t A, uint8_t W, uint8_t N>
WT_Result::Enum WT_Point_List<K, M, A, W, N>::delay(WT_Stream& stream) const { return wt_delay_copy(*this, stream); }

template <WT_Object::WT_ID K, uint32_t M, uint8_t A, uint8_t W, uint8_t N>
WT_Result::Enum WT_Point_List<K, M, A, W, N>::dump(WT_Stream& stream) const {
    return write_point_set(stream, A, W, N);
}

template class WT_Point_List<WT_Polytriangle::ID, WT_Polytriangle::Attribute_Mask, WT_Polytriangle::Ascii_Opcode,
                             WT_Polytriangle::Opcode_32, WT_Polytriangle::Opcode_16>;
template class WT_Point_List<WT_Polymarker::ID, WT_Polymarker::Attribute_Mask, WT_Polymarker::Ascii_Opcode,
                             WT_Polymarker::Opcode_32, WT_Polymarker::Opcode_16>;
