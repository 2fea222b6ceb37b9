#include "text/CLineSplitter.h"

bool CLineSplitter::Next(std::u16string_view& line, bool& lineEnd)
{
    const std::size_t start = m_pos;
    std::size_t end = start;
    while (end < m_text.size() && m_text[end] != u'\r' && m_text[end] != u'\n')
        ++end;
    lineEnd = end < m_text.size();
    m_pos = end;
    if (lineEnd) {
        m_pos = (m_text[end] == u'\r' && end + 1 < m_text.size() && m_text[end + 1] == u'\n') ? end + 2 : end + 1;
    }
    if (end == start && !lineEnd)
        return false;
    line = m_text.substr(start, end - start);
    return true;
}
