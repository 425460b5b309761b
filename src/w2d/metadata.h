// The metadata records: texts about the drawing (author, title, ...) and the
// four times (creation, modification, and those of the source drawing).
#ifndef DWFPLOT_W2D_METADATA_H
#define DWFPLOT_W2D_METADATA_H

#include <cstdint>
#include <string_view>

#include "w2d/object.h"
#include "w2d/string.h"

class WT_Metadata : public WT_Object {
public:
    static constexpr WT_ID ID = Metadata_ID;

    // Texts first, then the times.
    enum WT_Keyword {
        Author,
        Comments,
        Copyright,
        Creator,
        Description,
        Keywords,
        Title,
        Subject,
        Source_Filename,
        Created,
        Modified,
        Source_Created,
        Source_Modified,
        Keyword_Count
    };

    explicit WT_Metadata(WT_Keyword keyword = Author) : m_keyword(keyword) {}
    WT_Metadata(WT_Keyword keyword, const WT_String& text) : m_keyword(keyword), m_text(text) {}
    WT_Metadata(WT_Keyword keyword, int32_t seconds, const WT_String& text, const WT_String& guid)
        : m_keyword(keyword), m_seconds(seconds), m_text(text), m_guid(guid) {}

    // The keyword of an extended ASCII token ("(Author"); false for others.
    static bool keyword_of(std::string_view token, WT_Keyword& keyword);
    static std::string_view name(WT_Keyword keyword);
    bool is_time() const { return m_keyword >= Created; }

    WT_Keyword keyword() const { return m_keyword; }
    const WT_String& text() const { return m_text; }
    int32_t seconds() const { return m_seconds; }
    const WT_String& guid() const { return m_guid; }
    bool operator==(const WT_Metadata& other) const {
        return m_keyword == other.m_keyword && m_seconds == other.m_seconds && m_text == other.m_text &&
               m_guid == other.m_guid;
    }

    WT_Type object_type() const override { return Other; }
    WT_ID object_id() const override { return ID; }
    WT_Result::Enum read_operands(const WT_Opcode& opcode, WT_Stream& stream) override;
    // Always the ASCII form: these records have no other.
    WT_Result::Enum write(WT_Stream& stream) const override;
    // Kept in the drawing information of the current attribute set.
    WT_Result::Enum default_process(WT_Stream& stream) override;

private:
    WT_Keyword m_keyword;
    int32_t m_seconds = 0;
    WT_String m_text;
    WT_String m_guid;
};

#endif  // DWFPLOT_W2D_METADATA_H
