#pragma once
// One display line: a stretch [start, end) of one chapter's text set on the cell grid. The column
// map gives, for every cell, the index (from the line's start) of the character in it; cells past
// the last character hold the index one past it. Indices count UTF-16 units: the cells of a
// surrogate pair hold the index of its high surrogate, and its low surrogate has no cell (its
// character record follows the high one's and carries the same mark).
#include "text/CBaseArea.h"
#include "text/CCharInfo.h"

#include <cstdint>
#include <memory>

struct CListNode;
class CDocListBase;

class CTextLine : public CBaseArea {
public:
    // Room beyond the column count for the map and the character records.
    static constexpr int kMargin = 10;
    // Map entries are 16 bits wide; this keeps every index and the tail entry representable.
    static constexpr int kMaxColumns = 32000;

    // columnCount: layout width ÷ cell width at creation; arrays get columnCount + 10 entries.
    CTextLine(CListNode* chapter, CDocListBase* doc, int columnCount);
    ~CTextLine() override;

    CListNode* Chapter() const { return m_chapter; }
    CDocListBase* Doc() const { return m_doc; }
    CListNode* Node() const { return m_node; }
    void SetNode(CListNode* node) { m_node = node; }

    int Start() const { return m_start; }
    int End() const { return m_end; }
    int Length() const { return m_end - m_start; }
    // Sets both ends, as for a new line that continues where the previous one ended.
    void SetRange(int start, int end)
    {
        m_start = start;
        m_end = end;
    }
    int IndentColumns() const { return m_indentColumns; }
    int ColumnCount() const { return m_columnCount; }
    int ColumnsUsed() const { return m_columnsUsed; }
    int LastCharColumn() const { return m_lastCharColumn; }
    int CharCount() const { return m_charCount; }
    // The last text offset that the last layout of this line looked at: an edit at or before it
    // can change where this line breaks.
    int ScanEnd() const { return m_scanEnd; }

    int Capacity() const { return m_capacity; }
    // Entry for a cell; cells outside the map give the entry of the last one.
    int MapAt(int column) const;
    const std::uint16_t* ColumnMap() const { return m_map.get(); }
    // The character records are made on the first request for a writable one; until then every
    // record reads as a new one (not selected). Most lines are never selected, and the records are
    // most of a line's memory.
    CCharInfo* CharInfo(int index);
    const CCharInfo* CharInfo(int index) const;

private:
    friend class CLineLayout;
    // Reallocates both arrays when a layout needs more columns than they were made for.
    void EnsureColumns(int columnCount);
    // Makes room for more characters than cells, keeping what the arrays hold: characters above
    // U+FFFF take two entries each, so a line of them in single cells holds up to twice its
    // columns.
    void GrowKeeping(int capacity);

    CListNode* m_chapter;
    CDocListBase* m_doc;
    CListNode* m_node = nullptr;
    int m_start = 0;
    int m_end = 0;
    int m_indentColumns = 0;
    int m_columnCount = 0;
    int m_columnsUsed = 0;
    int m_lastCharColumn = 0;
    int m_charCount = 0;
    int m_scanEnd = 0;
    int m_capacity = 0;
    std::unique_ptr<std::uint16_t[]> m_map;
    std::unique_ptr<CCharInfo[]> m_chars;  // none until first written
};
