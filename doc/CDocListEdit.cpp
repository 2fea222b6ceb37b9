// Editing: insertion with line ends, forward delete with joins, deleting and copying selections.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "text/CUtf16.h"

#include <algorithm>
#include <vector>

namespace {

// Position of the next line end in text from i on; npos when none.
std::size_t NextLineEnd(std::u16string_view text, std::size_t i)
{
    for (; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n')
            return i;
    }
    return std::u16string_view::npos;
}

} // namespace

CDocList::DocPos CDocList::InsertAtCaret(std::u16string_view text)
{
    return InsertText(m_caretLine, m_caretColumn, text);
}

CDocList::DocPos CDocList::InsertText(int line, int column, std::u16string_view text)
{
    // Selection records point at display lines that this edit may destroy.
    DropSelection();
    if (!Chapters().Head())
        CreateTextChapter(nullptr);
    DocPos pos = PosAt(line, column);
    if (!pos.chapter) {
        // Past the last line: append to the end of the memo.
        const CChapter* tail = Chapters().Item(Chapters().Tail());
        pos = {Chapters().Tail(), tail->Text() ? tail->Text()->Length() : 1};
    }
    CChapter* chapter = Chapters().Item(pos.chapter);
    if (chapter->Picture()) {
        // Text typed on a picture starts a paragraph of its own after it.
        CTextChapter* text = CreateTextChapter(pos.chapter);
        if (!text)
            return CaretPos();
        chapter = text->Chapter();
        pos = {chapter->Position(), 0};
    }

    std::size_t i = 0;
    for (;;) {
        const std::size_t end = NextLineEnd(text, i);
        const std::u16string_view piece = text.substr(i, end == std::u16string_view::npos ? text.size() - i : end - i);
        if (!piece.empty()) {
            if (!chapter->Text()->Insert(pos.offset, piece))
                break;
            pos.offset += static_cast<int>(piece.size());
        }
        if (end == std::u16string_view::npos)
            break;
        const int carried = m_indentFlag ? std::min(chapter->Text()->IndentCount(), pos.offset) : 0;
        CTextChapter* next = chapter->Text()->Split(pos.offset, m_indentFlag);
        if (!next)
            break;
        chapter = next->Chapter();
        pos = {chapter->Position(), carried};
        i = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
    }
    SetCaretPos(pos);
    return pos;
}

CPictChapter* CDocList::InsertPictureBeforeCaret(int indent, int id, int width, int height, int maxWidth,
                                                int maxHeight, int partX, int partY, int partWidth, int partHeight)
{
    DropSelection();
    const DocPos caret = CaretPos();
    CListNode* before = caret.chapter ? Chapters().Prev(caret.chapter) : Chapters().Tail();
    CPictChapter* picture = CreatePictChapter(before, indent);
    if (!picture)
        return nullptr;
    if (!picture->SetPicture(id, width, height, maxWidth, maxHeight, CPictChapter::Part{partX, partY, partWidth, partHeight})) {
        DeleteChapter(picture->Chapter()->Position());
        SetCaretPos(caret);
        return nullptr;
    }
    // The caret is kept as a line index: the picture's lines pushed its line down.
    SetCaretPos(caret);
    return picture;
}

void CDocList::RemoveChapter(CListNode* node)
{
    DeleteChapter(node);
    SetModified(true);
    SetUndoAvailable(true);
    // A memo always keeps one paragraph to type into.
    if (!Chapters().Head())
        CreateTextChapter(nullptr);
}

void CDocList::JoinNext(CListNode* node)
{
    CChapter* chapter = Chapters().Item(node);
    CListNode* nextNode = Chapters().Next(node);
    CChapter* next = Chapters().Item(nextNode);
    if (!chapter || !next || !chapter->Text() || !next->Text())
        return;
    if (!chapter->Text()->Append(*next->Text(), m_indentFlag))
        return;
    RemoveChapter(nextNode);
}

void CDocList::DeleteAtCaret(int n)
{
    DropSelection();
    DocPos pos = CaretPos();
    CChapter* chapter = Chapters().Item(pos.chapter);
    if (!chapter || n <= 0)
        return;
    if (chapter->Picture()) {
        // Only a caret standing before the picture deletes it.
        if (pos.offset == 0) {
            CListNode* next = Chapters().Next(pos.chapter);
            CListNode* previous = Chapters().Prev(pos.chapter);
            RemoveChapter(pos.chapter);
            if (next)
                pos = {next, 0};
            else if (previous)
                pos = {previous, Chapters().Item(previous)->Text() ? Chapters().Item(previous)->Text()->Length() : 1};
            else
                pos = {Chapters().Head(), 0};
        }
        SetCaretPos(pos);
        return;
    }
    int remaining = n;
    while (remaining > 0) {
        // remaining counts characters: a surrogate pair goes as one.
        CTextChapter* text = chapter->Text();
        int units = 0;
        while (remaining > 0 && pos.offset + units < text->Length()) {
            units += CUtf16::UnitsAt(text->Text(), text->Length(), pos.offset + units);
            --remaining;
        }
        text->Delete(pos.offset, units);
        if (remaining <= 0)
            break;
        CListNode* nextNode = Chapters().Next(chapter->Position());
        CChapter* next = Chapters().Item(nextNode);
        if (!next)
            break;
        if (next->Text()) {
            JoinNext(chapter->Position());
            --remaining;  // the line end between the two
            continue;
        }
        // A picture follows: an empty paragraph before it goes, a non-empty one stays.
        if (chapter->Text()->Length() == 0) {
            RemoveChapter(chapter->Position());
            pos = {nextNode, 0};
        }
        break;
    }
    SetCaretPos(pos);
}

bool CDocList::DeleteBeforeCaret()
{
    DropSelection();
    const DocPos pos = CaretPos();
    const CChapter* chapter = Chapters().Item(pos.chapter);
    if (!chapter)
        return false;
    if (CTextChapter* text = chapter->Text(); text && pos.offset > 0) {
        // By offset, not by a caret step: at the start of a wrapped line a step left only moves
        // the caret to the end of the line above, which is the same place in the text.
        const int start = CUtf16::PreviousStart(text->Text(), pos.offset);
        text->Delete(start, pos.offset - start);
        SetCaretPos({pos.chapter, start});
        return true;
    }
    const int line = m_caretLine;
    const int column = m_caretColumn;
    MoveCaret(0, -1, false);
    if (m_caretLine == line && m_caretColumn == column)
        return false;
    DeleteAtCaret(1);
    return true;
}

std::u16string CDocList::TextToCaret() const
{
    const DocPos pos = CaretPos();
    const CChapter* chapter = Chapters().Item(pos.chapter);
    if (!chapter || !chapter->Text())
        return {};
    const std::u16string_view text = chapter->Text()->View();
    return std::u16string(text.substr(0, static_cast<std::size_t>(std::clamp(pos.offset, 0, static_cast<int>(text.size())))));
}

bool CDocList::DeleteSelection()
{
    if (m_selectMode == kNoSelection || !HasSelection())
        return false;
    if (m_selectMode == kRectangle) {
        struct Piece {
            int chapterIndex;
            CListNode* chapter;
            int start;
            int end;
        };
        std::vector<Piece> pieces;
        for (int i = 0;; ++i) {
            const auto record = m_selection.Get(i);
            if (!record)
                break;
            const CTextLine* line = Lines().Item(record->line);
            const CChapter* chapter = line ? ChapterOfLine(*line) : nullptr;
            if (!chapter || !chapter->Text() || record->end <= record->start)
                continue;
            pieces.push_back({Chapters().PositionOf(chapter->Position()), chapter->Position(), record->start, record->end});
        }
        const int topLine = std::min(m_anchorLine, m_caretLine);
        const int leftColumn = std::min(m_anchorColumn, m_caretColumn);
        DropSelection();
        // From the end backwards, so that earlier offsets stay valid.
        std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
            return a.chapterIndex != b.chapterIndex ? a.chapterIndex > b.chapterIndex : a.start > b.start;
        });
        for (const Piece& p : pieces)
            Chapters().Item(p.chapter)->Text()->Delete(p.start, p.end - p.start);
        m_selectKind = 0;
        SetCaret(topLine, leftColumn);
        m_anchorLine = m_endLine = m_caretLine;
        m_anchorColumn = m_endColumn = m_caretColumn;
        return true;
    }

    DocPos from = PosAt(m_anchorLine, m_anchorColumn);
    DocPos to = CaretPos();
    const int fromIndex = Chapters().PositionOf(from.chapter);
    const int toIndex = Chapters().PositionOf(to.chapter);
    if (fromIndex > toIndex || (fromIndex == toIndex && from.offset > to.offset))
        std::swap(from, to);
    DropSelection();
    m_selectKind = 0;

    CChapter* first = Chapters().Item(from.chapter);
    CChapter* last = Chapters().Item(to.chapter);
    DocPos caret = from;
    if (first == last) {
        if (first->Text()) {
            first->Text()->Delete(from.offset, to.offset - from.offset);
        } else if (from.offset == 0 && to.offset > 0) {
            CListNode* next = Chapters().Next(from.chapter);
            CListNode* previous = Chapters().Prev(from.chapter);
            RemoveChapter(from.chapter);
            caret = next ? DocPos{next, 0} : DocPos{previous ? previous : Chapters().Head(), 0};
        }
    } else {
        // Chapters wholly inside the selection go, pictures included.
        for (CListNode* node = Chapters().Next(from.chapter); node && node != to.chapter;) {
            CListNode* next = Chapters().Next(node);
            RemoveChapter(node);
            node = next;
        }
        bool keepFirst = true;
        bool keepLast = true;
        CListNode* afterLast = Chapters().Next(to.chapter);
        if (first->Text()) {
            first->Text()->Delete(from.offset, first->Text()->Length() - from.offset);
        } else if (from.offset == 0) {
            keepFirst = false;
        }
        if (last->Text()) {
            last->Text()->Delete(0, to.offset);
        } else if (to.offset > 0) {
            keepLast = false;
        }
        CListNode* before = Chapters().Prev(from.chapter);
        if (!keepLast)
            RemoveChapter(to.chapter);
        if (!keepFirst)
            RemoveChapter(from.chapter);
        if (keepFirst && keepLast && first->Text() && last->Text()) {
            JoinNext(from.chapter);
        } else if (!keepFirst) {
            if (keepLast)
                caret = {to.chapter, 0};
            else if (afterLast)
                caret = {afterLast, 0};
            else
                caret = {before ? before : Chapters().Head(), 0};
        }
    }
    SetCaretPos(caret);
    m_anchorLine = m_endLine = m_caretLine;
    m_anchorColumn = m_endColumn = m_caretColumn;
    return true;
}

CDocList::RangeText CDocList::TextBetween(const DocPos& a, const DocPos& b) const
{
    DocPos from = a;
    DocPos to = b;
    const int fromIndex = Chapters().PositionOf(from.chapter);
    const int toIndex = Chapters().PositionOf(to.chapter);
    if (fromIndex < 0 || toIndex < 0)
        return {};
    if (fromIndex > toIndex || (fromIndex == toIndex && from.offset > to.offset))
        std::swap(from, to);

    RangeText result;
    int pictures = 0;
    int lastPicture = -1;
    std::size_t textUnits = 0;
    for (CListNode* node = from.chapter; node;) {
        const bool isFirst = node == from.chapter;
        const bool isLast = node == to.chapter;
        const CChapter* chapter = Chapters().StepForward(node);
        if (!isFirst)
            result.text += u"\r\n";
        if (const CTextChapter* text = chapter->Text()) {
            // Ends inside a surrogate pair move to its start: a copy never holds half a pair.
            const int start = isFirst ? CUtf16::StartOf(text->Text(), text->Length(), std::min(from.offset, text->Length())) : 0;
            const int end = isLast ? CUtf16::StartOf(text->Text(), text->Length(), std::min(to.offset, text->Length()))
                                   : text->Length();
            if (end > start) {
                result.text += text->View().substr(start, end - start);
                textUnits += static_cast<std::size_t>(end - start);
            }
        } else {
            const bool included = (!isFirst || from.offset == 0) && (!isLast || to.offset > 0);
            if (included) {
                result.text += PictureTag(*chapter);
                ++pictures;
                lastPicture = chapter->Picture()->PictureId();
            }
        }
        if (isLast)
            break;
    }
    if (pictures == 1 && textUnits == 0)
        result.pictureId = lastPicture;
    return result;
}

CDocList::RangeText CDocList::SelectedText() const
{
    if (m_selectMode == kNoSelection || !HasSelection())
        return {};
    if (m_selectMode == kStream)
        return TextBetween(PosAt(m_anchorLine, m_anchorColumn), CaretPos());
    RangeText result;
    const int top = std::min(m_anchorLine, m_caretLine);
    const int bottom = std::max(m_anchorLine, m_caretLine);
    const int left = std::min(m_anchorColumn, m_caretColumn);
    const int right = std::max(m_anchorColumn, m_caretColumn);
    for (int i = top; i <= bottom; ++i) {
        if (i > top)
            result.text += u"\r\n";
        const CTextLine* line = LineAt(i);
        const CChapter* chapter = line ? ChapterOfLine(*line) : nullptr;
        if (!chapter || !chapter->Text())
            continue;
        const int start = PosAt(i, left).offset;
        const int end = std::max(start, PosAt(i, std::min(right, line->ColumnsUsed())).offset);
        result.text += chapter->Text()->View().substr(start, end - start);
    }
    return result;
}
