// The version header that opens a stream and the trailer that ends it.
#ifndef DWFPLOT_W2D_HEADER_H
#define DWFPLOT_W2D_HEADER_H

#include <string_view>

#include "w2d/object.h"

class WT_DWF_Header : public WT_Object {
public:
    static constexpr WT_ID ID = DWF_Header_ID;

    // `w2dPrefix`: the stream began with "(W2D V" rather than "(DWF V".
    explicit WT_DWF_Header(bool w2dPrefix = true) : m_w2d_prefix(w2dPrefix) {}

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;
    WT_Result::Enum default_process(WT_Stream& stream) override;

    int major_version() const { return m_major; }
    int minor_version() const { return m_minor; }
    int version() const { return m_major * 100 + m_minor; }

    // "(W2D V" (version 600 and later) or "(DWF V", then the target version.
    static WT_Result::Enum write_header(WT_Stream& stream);

private:
    bool m_w2d_prefix;
    int m_major = 0;
    int m_minor = 0;
};

class WT_End_Of_DWF : public WT_Object {
public:
    static constexpr WT_ID ID = End_Of_DWF_ID;
    static constexpr std::string_view Token = "(EndOfDWF";

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override { return write_trailer(stream); }
    // Reading the trailer ends the stream.
    WT_Result::Enum default_process(WT_Stream& stream) override;

    static WT_Result::Enum write_trailer(WT_Stream& stream);
};

#endif  // DWFPLOT_W2D_HEADER_H
