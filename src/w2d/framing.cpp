#include "w2d/framing.h"

#include "w2d/opcode.h"
#include "w2d/stream.h"

namespace {
constexpr size_t Chunk = 65536;
}

WT_Extended_Skipper::WT_Extended_Skipper(const WT_Opcode& opcode, bool commits)
    : m_binary(opcode.type() == WT_Opcode::Extended_Binary), m_commits(commits) {
    // The size counts the two opcode bytes already read.
    if (m_binary) m_remaining = opcode.binary_size() >= 2 ? opcode.binary_size() - 2u : 0u;
}

void WT_Extended_Skipper::commit(WT_Stream& stream) const {
    if (m_commits) stream.commit_read();
}

WT_Result::Enum WT_Extended_Skipper::run(WT_Stream& stream, std::string* keep) {
    if (m_done) return WT_Result::Success;
    return m_binary ? run_binary(stream, keep) : run_ascii(stream, keep);
}

WT_Result::Enum WT_Extended_Skipper::run_binary(WT_Stream& stream, std::string* keep) {
    std::string part;
    while (m_remaining > 0) {
        WT_CHECK(stream.read_available(m_remaining < Chunk ? static_cast<size_t>(m_remaining) : Chunk, part));
        m_remaining -= part.size();
        if (keep != nullptr) keep->append(part);
        commit(stream);
    }
    m_done = true;
    return WT_Result::Success;
}

WT_Result::Enum WT_Extended_Skipper::run_ascii(WT_Stream& stream, std::string* keep) {
    std::string part;
    for (;;) {
        WT_CHECK(stream.read_available(Chunk, part));
        for (size_t index = 0; index < part.size(); ++index) {
            const auto byte = static_cast<uint8_t>(part[index]);
            if (m_escape) {
                m_escape = false;
            } else if (m_quote != 0) {
                if (byte == '\\') m_escape = true;
                if (byte == m_quote) m_quote = 0;
            } else if (byte == '\'' || byte == '"') {
                m_quote = byte;
            } else if (byte == '(') {
                ++m_depth;
            } else if (byte == ')' && --m_depth == 0) {
                stream.put_back(part.size() - index - 1);
                if (keep != nullptr) keep->append(part, 0, index + 1);
                commit(stream);
                m_done = true;
                return WT_Result::Success;
            }
        }
        if (keep != nullptr) keep->append(part);
        commit(stream);
    }
}
