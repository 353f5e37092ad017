#pragma once
// Walking an import-file line piece by piece, cut at every ",": "a,,b" gives
// "a", "", "b"; an empty line gives one empty piece. The pieces are views
// into the line and nothing is allocated, so a line of any length costs no
// more than its own text, and a reader stops as soon as it has what it needs.

#include <cstddef>
#include <string_view>

class CCommaPieces {
public:
    explicit CCommaPieces(std::string_view line) : m_line(line) {}

    // The next piece; false once the last piece has been taken.
    bool Next(std::string_view& piece)
    {
        if (m_done)
            return false;
        const std::size_t comma = m_line.find(',', m_pos);
        if (comma == std::string_view::npos) {
            piece = m_line.substr(m_pos);
            m_done = true;
            return true;
        }
        piece = m_line.substr(m_pos, comma - m_pos);
        m_pos = comma + 1;
        return true;
    }

private:
    std::string_view m_line;
    std::size_t m_pos = 0;
    bool m_done = false;
};
