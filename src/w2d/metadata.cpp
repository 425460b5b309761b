#include "w2d/metadata.h"

#include "w2d/attribute_set.h"
#include "w2d/record_reading.h"

namespace {
constexpr std::string_view Names[WT_Metadata::Keyword_Count] = {
    "Author", "Comments", "Copyright", "Creator", "Description", "Keywords", "Title",
    "Subject", "SourceFilename", "Created", "Modified", "SourceCreated", "SourceModified"};
}  // namespace

bool WT_Metadata::keyword_of(std::string_view token, WT_Keyword& keyword) {
    if (token.empty() || token.front() != '(') return false;
    const int index = wt_find_name(Names, token.substr(1));
    if (index < 0) return false;
    keyword = static_cast<WT_Keyword>(index);
    return true;
}

std::string_view WT_Metadata::name(WT_Keyword keyword) { return Names[keyword]; }

WT_Result::Enum WT_Metadata::read_operands(const WT_Opcode& opcode, WT_Stream& stream) {
    WT_Keyword keyword = Author;
    if (opcode.type() != WT_Opcode::Extended_ASCII || !keyword_of(opcode.token(), keyword)) return WT_Result::Wrong_Opcode;
    m_keyword = keyword;
    m_seconds = 0;
    m_guid = WT_String();
    if (is_time()) WT_CHECK(stream.read_ascii(m_seconds));
    WT_CHECK(m_text.read(stream));
    if (is_time()) WT_CHECK(m_guid.read(stream));
    return stream.read_closing_parenthesis();
}

WT_Result::Enum WT_Metadata::write(WT_Stream& stream) const {
    WT_CHECK(stream.dump_delayed_drawable());
    WT_Stream::Binary_Suspension ascii(stream);
    WT_CHECK(stream.write_tab_level());
    WT_CHECK(stream.write(static_cast<uint8_t>('(')));
    WT_CHECK(stream.write(name(m_keyword)));
    WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    if (is_time()) {
        WT_CHECK(stream.write_ascii(m_seconds));
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
    }
    WT_CHECK(m_text.write(stream));
    if (is_time()) {
        WT_CHECK(stream.write(static_cast<uint8_t>(' ')));
        WT_CHECK(m_guid.write(stream));
    }
    return stream.write(static_cast<uint8_t>(')'));
}

WT_Result::Enum WT_Metadata::default_process(WT_Stream& stream) {
    stream.current_attributes().drawing_info().store(*this);
    return WT_Result::Success;
}
