// Search and replace: exact code units inside one paragraph, forward or backward, never wrapping.
#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CTextChapter.h"

bool CDocList::Find(std::u16string_view text, int direction, int startShift)
{
    if (text.empty())
        return false;
    const DocPos caret = CaretPos();
    const CChapter* caretChapter = Chapters().Item(caret.chapter);
    if (!caretChapter)
        return false;
    const int n = static_cast<int>(text.size());
    int from = caretChapter->Picture() ? 0 : caret.offset + startShift;
    for (CListNode* node = caret.chapter; node;) {
        const bool first = node == caret.chapter;
        CListNode* here = node;
        const CChapter* chapter = direction > 0 ? Chapters().StepForward(node) : Chapters().StepBackward(node);
        const CTextChapter* body = chapter->Text();
        if (!body || body->Length() < n)
            continue;
        const std::u16string_view view = body->View();
        std::size_t hit = std::u16string_view::npos;
        if (direction > 0) {
            const int start = first ? from : 0;
            if (start >= 0 && start <= body->Length() - n)
                hit = view.find(text, static_cast<std::size_t>(start));
            else if (start < 0)
                hit = view.find(text);
        } else {
            const int start = first ? from : body->Length() - n;
            if (start >= 0)
                hit = view.rfind(text, static_cast<std::size_t>(start));
        }
        if (hit != std::u16string_view::npos) {
            SetCaretPos({here, static_cast<int>(hit)});
            return true;
        }
    }
    return false;
}

bool CDocList::SearchForward(std::u16string_view text)
{
    if (!FindNext(text))
        return false;
    const DocPos start = CaretPos();
    SelectBetween({start.chapter, start.offset + static_cast<int>(text.size())}, start);
    return true;
}

bool CDocList::SearchBackward(std::u16string_view text)
{
    if (!FindPrevious(text))
        return false;
    const DocPos start = CaretPos();
    SelectBetween({start.chapter, start.offset + static_cast<int>(text.size())}, start);
    return true;
}

bool CDocList::Replace(std::u16string_view search, std::u16string_view replacement)
{
    if (!FindAtCaret(search))
        return false;
    const DocPos start = CaretPos();
    SelectBetween({start.chapter, start.offset + static_cast<int>(search.size())}, start);
    DeleteSelection();
    if (replacement.empty())
        return true;
    const DocPos end = InsertAtCaret(replacement);
    SelectBetween({end.chapter, end.offset - static_cast<int>(replacement.size())}, end);
    return true;
}
