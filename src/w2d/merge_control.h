// How overlapping lines combine: opaque, merge or transparent.
#ifndef DWFPLOT_W2D_MERGE_CONTROL_H
#define DWFPLOT_W2D_MERGE_CONTROL_H

#include <string_view>

#include "w2d/object.h"

class WT_Merge_Control : public WT_Attribute {
public:
    static constexpr WT_ID ID = Merge_Control_ID;
    static constexpr std::string_view Token = "(LinesOverwrite";

    enum WT_Merge_Format { Opaque = 0, Merge = 1, Transparent = 2 };

    WT_Merge_Control() = default;
    explicit WT_Merge_Control(WT_Merge_Format format) : m_format(format) {}

    WT_Merge_Format merge_control() const { return m_format; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Merge_Control& other) const { return m_format == other.m_format; }

private:
    WT_Merge_Format m_format = Opaque;
};

#endif  // DWFPLOT_W2D_MERGE_CONTROL_H
