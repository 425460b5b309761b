#include "w2d/object.h"

#include "w2d/framing.h"
#include "w2d/stream.h"

WT_Result::Enum WT_Object::process(WT_Stream& stream) { return stream.run_action(*this); }

WT_Result::Enum WT_Object::default_process(WT_Stream&) { return WT_Result::Success; }

WT_Result::Enum WT_Object::skip_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    WT_Extended_Skipper skipper(opcode);
    return skipper.run(stream, nullptr);
}

WT_Result::Enum WT_Attribute::write(WT_Stream& stream) const {
    WT_CHECK(write_value(stream));
    return store(stream);
}
