// Passing over an extended opcode by its framing alone: an ASCII one to the
// ")" that closes it (nested parentheses counted, quoted ones ignored), a
// binary one by its size. Progress is kept, so skipping resumes after a wait
// for data without reading anything twice.
#ifndef DWFPLOT_W2D_FRAMING_H
#define DWFPLOT_W2D_FRAMING_H

#include <cstdint>
#include <string>

#include "w2d/result.h"

class WT_Opcode;
class WT_Stream;

class WT_Extended_Skipper {
public:
    // `commits`: the skipper lives as long as its object and keeps its
    // progress, so the bytes it passed need not be read again after a wait
    // for data. Otherwise the whole object is read again from its start.
    explicit WT_Extended_Skipper(const WT_Opcode& opcode, bool commits = false);

    // Consumes the rest of the opcode; appends the bytes to `keep` if given.
    WT_Result::Enum run(WT_Stream& stream, std::string* keep);
    bool done() const { return m_done; }

private:
    WT_Result::Enum run_ascii(WT_Stream& stream, std::string* keep);
    WT_Result::Enum run_binary(WT_Stream& stream, std::string* keep);

    void commit(WT_Stream& stream) const;

    bool m_binary = false;
    bool m_commits = false;
    bool m_done = false;
    uint64_t m_remaining = 0;  // binary: bytes still to pass
    int m_depth = 1;           // ASCII: open parentheses
    uint8_t m_quote = 0;       // ASCII: open quote character
    bool m_escape = false;
};

#endif  // DWFPLOT_W2D_FRAMING_H
