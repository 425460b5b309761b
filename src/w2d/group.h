// "(GroupBegin " path ")" and "(GroupEnd)": brackets around the objects of
// one named group. The stream keeps nothing of them.
#ifndef DWFPLOT_W2D_GROUP_H
#define DWFPLOT_W2D_GROUP_H

#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Group : public WT_Object {
public:
    static constexpr WT_ID ID = Group_ID;
    static constexpr std::string_view Begin_Token = "(GroupBegin";
    static constexpr std::string_view End_Token = "(GroupEnd";

    // A group end without `path`, a group begin with it.
    WT_Group() = default;
    explicit WT_Group(const WT_String& path) : m_begin(true), m_path(path) {}

    bool is_begin() const { return m_begin; }
    const WT_String& path() const { return m_path; }

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write(WT_Stream& stream) const override;

private:
    bool m_begin = false;
    WT_String m_path;
};

#endif  // DWFPLOT_W2D_GROUP_H
