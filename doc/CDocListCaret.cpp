// The caret: positions on the cell grid, moves, hit tests and the system caret's place.
#include "doc/CCaretSink.h"
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"

#include <algorithm>

int CDocList::LineStartColumn(const CTextLine& line) const
{
    return line.IndentColumns();
}

// The caret always stands on the first cell of a character (or after the last one). Cells of
// a continuation line's hanging indent belong to no character the caret can stand before.
int CDocList::CharStartColumn(const CTextLine& line, int column) const
{
    const CChapter* chapter = ChapterOfLine(line);
    if (chapter && chapter->Picture())
        return column >= line.ColumnsUsed() ? line.ColumnsUsed() : 0;
    const int first = LineStartColumn(line);
    if (column >= line.ColumnsUsed())
        return std::max(first, line.ColumnsUsed());
    if (column <= first)
        return first;
    const int index = line.MapAt(column);
    while (column > first && line.MapAt(column - 1) == index)
        --column;
    return column;
}

CDocList::DocPos CDocList::PosAt(int lineIndex, int column) const
{
    const CTextLine* line = LineAt(lineIndex);
    if (!line)
        return {};
    const CChapter* chapter = ChapterOfLine(*line);
    if (!chapter)
        return {};
    if (chapter->Picture())
        return {chapter->Position(), column >= line->ColumnsUsed() ? 1 : 0};
    const int c = std::clamp(column, 0, std::max(0, line->Capacity() - 1));
    const int offset = std::min(line->Start() + line->MapAt(c), chapter->Text()->Length());
    return {chapter->Position(), offset};
}

void CDocList::CaretFromPos(const DocPos& pos, int& lineIndex, int& column) const
{
    const CChapter* chapter = Chapters().Item(pos.chapter);
    lineIndex = 0;
    column = 0;
    if (!chapter)
        return;
    const int first = FirstLineIndex(*chapter);
    if (first < 0)
        return;
    if (chapter->Picture()) {
        lineIndex = first;
        column = pos.offset > 0 ? LineAt(first)->ColumnsUsed() : 0;
        return;
    }
    const CTextChapter::CaretPos caret = chapter->Text()->OffsetToCaret(std::clamp(pos.offset, 0, chapter->Text()->Length()));
    if (caret.line < 0) {
        lineIndex = first + chapter->LineCount() - 1;
        column = LineAt(lineIndex)->ColumnsUsed();
        return;
    }
    lineIndex = first + caret.line;
    column = caret.column >= 0 ? caret.column : LineAt(lineIndex)->ColumnsUsed();
}

void CDocList::SetCaret(int lineIndex, int column)
{
    const int count = LineCount();
    if (count == 0) {
        m_caretLine = m_caretColumn = 0;
    } else {
        m_caretLine = std::clamp(lineIndex, 0, count - 1);
        m_caretColumn = CharStartColumn(*LineAt(m_caretLine), std::max(0, column));
    }
    m_preferredColumn = m_caretColumn;
    UpdateCaret();
}

void CDocList::SetCaretPos(const DocPos& pos)
{
    int line = 0;
    int column = 0;
    CaretFromPos(pos, line, column);
    SetCaret(line, column);
}

void CDocList::MoveCaret(int lineDelta, int charDelta, bool pad)
{
    if (LineCount() == 0 || !LineAt(m_caretLine)) {
        if (!Chapters().Head())
            CreateTextChapter(nullptr);
        m_caretLine = std::clamp(m_caretLine, 0, LineCount() - 1);
    }
    if (lineDelta == 0) {
        MoveHorizontal(charDelta);
        m_preferredColumn = m_caretColumn;
    } else {
        MoveVertical(lineDelta, pad);
    }
    UpdateCaret();
}

void CDocList::MoveHorizontal(int n)
{
    if (n == 0) {
        m_caretColumn = CharStartColumn(*LineAt(m_caretLine), m_caretColumn);
        return;
    }
    const int step = n > 0 ? 1 : -1;
    for (int i = 0; i != n; i += step) {
        const CTextLine* line = LineAt(m_caretLine);
        const CChapter* chapter = ChapterOfLine(*line);
        const bool picture = chapter->Picture() != nullptr;
        int c = CharStartColumn(*line, m_caretColumn);
        if (step > 0) {
            const bool atEnd = picture ? c > 0 : c >= line->ColumnsUsed();
            if (!atEnd) {
                if (picture) {
                    c = line->ColumnsUsed();
                } else {
                    const int index = line->MapAt(c);
                    do {
                        ++c;
                    } while (c < line->ColumnsUsed() && line->MapAt(c) == index);
                }
                m_caretColumn = std::min(c, line->ColumnsUsed());
                continue;
            }
            const int next = picture ? LineIndex(chapter->LastLine()) + 1 : m_caretLine + 1;
            if (next >= LineCount())
                return;
            m_caretLine = next;
            m_caretColumn = CharStartColumn(*LineAt(next), 0);
        } else {
            const bool atStart = picture ? c == 0 : c <= LineStartColumn(*line);
            if (!atStart) {
                m_caretColumn = picture ? 0 : CharStartColumn(*line, c - 1);
                continue;
            }
            const int previous = picture ? FirstLineIndex(*chapter) - 1 : m_caretLine - 1;
            if (previous < 0)
                return;
            m_caretLine = previous;
            m_caretColumn = LineAt(previous)->ColumnsUsed();
        }
    }
}

void CDocList::MoveVertical(int n, bool pad)
{
    const int step = n > 0 ? 1 : -1;
    for (int i = 0; i != n; i += step) {
        const CChapter* chapter = ChapterAtLine(m_caretLine);
        const bool picture = chapter && chapter->Picture();
        int target;
        if (step > 0) {
            target = picture ? LineIndex(chapter->LastLine()) + 1 : m_caretLine + 1;
            if (target >= LineCount()) {
                // Moving down from the last line opens a new paragraph at the end.
                if (!CreateTextChapter(Chapters().Tail()))
                    return;
                target = LineCount() - 1;
            }
        } else {
            target = picture ? FirstLineIndex(*chapter) - 1 : m_caretLine - 1;
            if (target < 0)
                return;
        }
        m_caretLine = target;
        const CTextLine* line = LineAt(target);
        if (ChapterOfLine(*line)->Picture()) {
            m_caretColumn = 0;
            continue;
        }
        if (line->ColumnsUsed() >= m_preferredColumn) {
            m_caretColumn = CharStartColumn(*line, m_preferredColumn);
            continue;
        }
        m_caretColumn = line->ColumnsUsed();
        if (!pad)
            continue;
        const int preferred = m_preferredColumn;
        for (int guard = 0; guard < preferred; ++guard) {
            const CTextLine* current = LineAt(m_caretLine);
            if (!current || current->ColumnsUsed() >= preferred)
                break;
            InsertText(m_caretLine, current->ColumnsUsed(), u" ");
            // A wrap would take the blank to the next line: stop padding there.
            if (m_caretLine != target)
                break;
        }
        m_preferredColumn = preferred;
    }
}

void CDocList::UpdateCaret()
{
    if (!m_caretSink)
        return;
    const CTextFont& font = CurrentFont();
    const int lineHeight = LineHeight();
    const CTextLine* line = LineAt(m_caretLine);
    if (!line) {
        m_caretHeight = font.TextHeight();
        m_caretSink->PlaceCaret(0, 0, m_caretHeight);
        return;
    }
    const CChapter* chapter = ChapterOfLine(*line);
    int x;
    int y;
    if (chapter->Picture()) {
        const CPictChapter* picture = chapter->Picture();
        m_caretHeight = picture->TopSpace() + picture->Height() + picture->BottomSpace();
        const int left = picture->LeftSpace() - font.CharWidth() * m_hScroll;
        x = m_caretColumn > 0 ? left + picture->Width() : left;
        y = lineHeight * (FirstLineIndex(*chapter) - m_topLine);
    } else {
        m_caretHeight = font.TextHeight();
        x = font.CharWidth() * (m_caretColumn - m_hScroll);
        y = lineHeight * (m_caretLine - m_topLine);
    }
    m_caretSink->PlaceCaret(x, y, m_caretHeight);
}

void CDocList::HitTest(int x, int y, int& lineIndex, int& column) const
{
    lineIndex = 0;
    column = 0;
    const int count = LineCount();
    if (count == 0)
        return;
    const int lineHeight = std::max(1, LineHeight());
    const int cell = std::max(1, CurrentFont().CharWidth());
    lineIndex = std::clamp(y / lineHeight + m_topLine, 0, count - 1);
    const CTextLine* line = LineAt(lineIndex);
    const CChapter* chapter = ChapterOfLine(*line);
    if (const CPictChapter* picture = chapter->Picture()) {
        const int left = picture->LeftSpace() - cell * m_hScroll;
        column = x >= left + picture->Width() ? line->ColumnsUsed() : 0;
        return;
    }
    column = std::clamp(x / cell + m_hScroll, 0, line->ColumnCount());
    column = CharStartColumn(*line, column);
}

void CDocList::PlaceCaretAt(int x, int y)
{
    int line = 0;
    int column = 0;
    HitTest(x, y, line, column);
    m_caretLine = line;
    m_caretColumn = column;
    m_preferredColumn = column;
    m_endLine = line;
    m_endColumn = column;
    UpdateCaret();
}
