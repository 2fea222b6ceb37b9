// The selection: records in the current selection list plus marks on the characters, which the
// painting reads.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CTextChapter.h"
#include "text/CWordSel.h"

#include <algorithm>

void CDocList::AddRecord(int lineIndex, int fromColumn, int toColumn)
{
    CTextLine* line = LineAt(lineIndex);
    if (!line)
        return;
    std::uint8_t toLineEnd = 0;
    if (toColumn < 0) {
        toColumn = line->ColumnsUsed();
        // A wrapped line has no line end of its own.
        const CTextLine* next = LineAt(lineIndex + 1);
        toLineEnd = (next && next->Chapter() == line->Chapter()) ? 0 : 1;
    }
    fromColumn = std::clamp(fromColumn, 0, line->ColumnsUsed());
    toColumn = std::clamp(toColumn, fromColumn, line->ColumnsUsed());

    for (int i = 0; i < line->CharCount(); ++i) {
        if (CCharInfo* info = line->CharInfo(i))
            info->SetMark(0);
    }
    const int first = line->MapAt(fromColumn);
    const int end = line->MapAt(toColumn);
    for (int i = first; i < end; ++i) {
        if (CCharInfo* info = line->CharInfo(i))
            info->SetMark(1);
    }
    const int start = line->Start() + first;
    const int stop = line->Start() + end;
    if (start != stop || toLineEnd)
        m_selection.Add(CSelectInfo(line->Node(), start, stop, toLineEnd));
    Dirty().Mark(lineIndex, lineIndex);
}

void CDocList::DropSelection()
{
    while (const auto record = m_selection.TakeFirst()) {
        // Records never outlive their lines: every edit drops the selection first. The lookup
        // guards against a caller that broke that rule.
        const int index = LineIndex(record->line);
        if (index < 0)
            continue;
        CTextLine* line = Lines().Item(record->line);
        for (int i = 0; i < line->CharCount(); ++i) {
            if (CCharInfo* info = line->CharInfo(i))
                info->SetMark(0);
        }
        Dirty().Mark(index, index);
    }
    m_selectMode = kNoSelection;
}

void CDocList::ClearSelection()
{
    DropSelection();
    m_anchorLine = m_endLine = m_caretLine;
    m_anchorColumn = m_endColumn = m_caretColumn;
    m_selectKind = 0;
}

void CDocList::BeginSelection(int kind)
{
    if (kind != m_selectKind)
        ClearSelection();
    m_selectKind = kind;
    if (const CChapter* chapter = ChapterAtLine(m_caretLine); chapter && chapter->Picture()) {
        m_caretLine = m_caretColumn > 0 ? LineIndex(chapter->LastLine()) : LineIndex(chapter->FirstLine());
    }
    m_anchorLine = m_endLine = m_caretLine;
    m_anchorColumn = m_endColumn = m_caretColumn;
}

void CDocList::Select(int mode)
{
    DropSelection();
    m_selectMode = mode == kRectangle ? kRectangle : kStream;
    m_endLine = m_caretLine;
    m_endColumn = m_caretColumn;
    if (m_anchorLine == m_caretLine && m_anchorColumn == m_caretColumn)
        return;
    if (m_selectMode == kRectangle) {
        const int left = std::min(m_anchorColumn, m_caretColumn);
        const int right = std::max(m_anchorColumn, m_caretColumn);
        for (int i = std::min(m_anchorLine, m_caretLine); i <= std::max(m_anchorLine, m_caretLine); ++i)
            AddRecord(i, left, right);
        return;
    }
    if (m_anchorLine == m_caretLine) {
        AddRecord(m_caretLine, std::min(m_anchorColumn, m_caretColumn), std::max(m_anchorColumn, m_caretColumn));
        return;
    }
    const bool anchorAbove = m_anchorLine < m_caretLine;
    const int topLine = anchorAbove ? m_anchorLine : m_caretLine;
    const int topColumn = anchorAbove ? m_anchorColumn : m_caretColumn;
    const int bottomLine = anchorAbove ? m_caretLine : m_anchorLine;
    const int bottomColumn = anchorAbove ? m_caretColumn : m_anchorColumn;
    AddRecord(topLine, topColumn, -1);
    for (int i = topLine + 1; i < bottomLine; ++i)
        AddRecord(i, 0, -1);
    AddRecord(bottomLine, 0, bottomColumn);
}

void CDocList::SelectBetween(const DocPos& anchor, const DocPos& caret)
{
    DropSelection();
    CaretFromPos(anchor, m_anchorLine, m_anchorColumn);
    int line = 0;
    int column = 0;
    CaretFromPos(caret, line, column);
    SetCaret(line, column);
    Select(kStream);
}

bool CDocList::SelectWord()
{
    const DocPos pos = CaretPos();
    const CChapter* chapter = Chapters().Item(pos.chapter);
    if (!chapter || !chapter->Text())
        return false;
    const CTextChapter* text = chapter->Text();
    const CWordSel words(text->Text(), text->Length());
    const CWordSel::Word word = words.WordAround(pos.offset);
    if (word.cls == CWordSel::kSeparator)
        return false;
    SelectBetween({pos.chapter, word.start}, {pos.chapter, word.end});
    return true;
}
