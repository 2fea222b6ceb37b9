#include "text/CTextLine.h"

#include <algorithm>

CTextLine::CTextLine(CListNode* chapter, CDocListBase* doc, int columnCount)
    : m_chapter(chapter), m_doc(doc)
{
    columnCount = std::clamp(columnCount, 1, kMaxColumns);
    m_columnCount = columnCount;
    m_capacity = columnCount + kMargin;
    m_map = std::make_unique<std::uint16_t[]>(m_capacity);  // value-initialised: cleared to 0
}

CTextLine::~CTextLine() = default;

void CTextLine::EnsureColumns(int columnCount)
{
    if (columnCount + kMargin <= m_capacity)
        return;
    m_capacity = columnCount + kMargin;
    m_map = std::make_unique<std::uint16_t[]>(m_capacity);
    if (m_chars)
        m_chars = std::make_unique<CCharInfo[]>(m_capacity);
}

void CTextLine::GrowKeeping(int capacity)
{
    if (capacity <= m_capacity)
        return;
    auto map = std::make_unique<std::uint16_t[]>(capacity);
    std::copy(m_map.get(), m_map.get() + m_capacity, map.get());
    m_map = std::move(map);
    // Character records exist only once a mark was written; the marks made so far go along.
    if (m_chars) {
        auto chars = std::make_unique<CCharInfo[]>(capacity);
        for (int i = 0; i < m_capacity; ++i)
            chars[i].SetMark(m_chars[i].Mark());
        m_chars = std::move(chars);
    }
    m_capacity = capacity;
}

int CTextLine::MapAt(int column) const
{
    return m_map[std::clamp(column, 0, m_capacity - 1)];
}

CCharInfo* CTextLine::CharInfo(int index)
{
    if (index < 0 || index >= m_capacity)
        return nullptr;
    if (!m_chars)
        m_chars = std::make_unique<CCharInfo[]>(m_capacity);
    return &m_chars[index];
}

const CCharInfo* CTextLine::CharInfo(int index) const
{
    static const CCharInfo kUnmarked;
    if (index < 0 || index >= m_capacity)
        return nullptr;
    return m_chars ? &m_chars[index] : &kUnmarked;
}
