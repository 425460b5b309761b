#include "w2d/view.h"

#include "w2d/attribute_set.h"
#include "w2d/record_reading.h"

namespace {
// A view gives either its box or the name of a named view; what starts like
// a number is read as the box.
bool starts_number(uint8_t byte) { return (byte >= '0' && byte <= '9') || byte == '-' || byte == '+'; }
bool reads_as_number(const WT_String& name) {
    return name.is_eight_bit() && !name.empty() && starts_number(static_cast<uint8_t>(name.ascii().front()));
}

}  // namespace

WT_Result::Enum WT_Named_View::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    WT_CHECK(wt_read_points(stream, m_box));
    WT_CHECK(m_name.read(stream));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Named_View::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, " "));
    WT_CHECK(wt_write_points(stream, m_box));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    WT_CHECK(m_name.write(stream));
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Named_View::default_process(WT_Stream& stream) {
    stream.add_named_view(*this);
    return WT_Result::Success;
}

WT_Result::Enum WT_View::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    if (!opcode.is_named(Token)) return WT_Result::Wrong_Opcode;
    m_name = WT_String();
    WT_CHECK(stream.eat_whitespace());
    uint8_t first = 0;
    WT_CHECK(stream.peek(first));
    if (starts_number(first)) {
        WT_CHECK(wt_read_points(stream, m_box));
        return stream.read_closing_parenthesis();
    }
    WT_String name;
    WT_CHECK(name.read(stream));
    WT_CHECK(stream.read_closing_parenthesis());
    const WT_Named_View* named = stream.find_named_view(name);
    if (named == nullptr) {
        return stream.refuse(WT_Result::Inconsistent_Data, "no view was named \"%s\"", name.ascii().c_str());
    }
    *this = WT_View(*named);
    return WT_Result::Success;
}

WT_Result::Enum WT_View::write(WT_Stream& stream) const {
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(wt_write_record_start(stream, Token, " "));
    if (m_name.empty()) {
        WT_CHECK(wt_write_points(stream, m_box));
    } else {
        WT_CHECK(m_name.write(stream, reads_as_number(m_name)));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_View::default_process(WT_Stream& stream) {
    stream.current_attributes().drawing_info().store(*this);
    return WT_Result::Success;
}
