// The code page of the stream's 8-bit text.
#ifndef DWFPLOT_W2D_CODE_PAGE_H
#define DWFPLOT_W2D_CODE_PAGE_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"

class WT_Code_Page : public WT_Attribute {
public:
    static constexpr WT_ID ID = Code_Page_ID;
    static constexpr std::string_view Token = "(CodePage";

    WT_Code_Page() = default;
    explicit WT_Code_Page(int32_t page) : m_page(page) {}

    int32_t number() const { return m_page; }

    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    WT_Result::Enum write_value(WT_Stream& stream) const override;
    WT_Result::Enum store(WT_Stream& stream) const override;
    WT_Result::Enum sync(WT_Stream& stream) const override;
    bool equals(const WT_Attribute& other) const override;
    bool operator==(const WT_Code_Page& other) const { return m_page == other.m_page; }

private:
    int32_t m_page = 1252;
};

#endif  // DWFPLOT_W2D_CODE_PAGE_H
