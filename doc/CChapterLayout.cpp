#include "doc/CChapterLayout.h"

#include "doc/CChapter.h"
#include "doc/CDocListBase.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "text/CLineLayout.h"
#include "text/CUtf16.h"

#include <algorithm>

namespace {

// The chapter's line after node, made when the chapter has none left (counted in added); index
// follows it.
CListNode* NextOrNewLine(CChapter& chapter, CListNode* node, int& index, int& added)
{
    CDocListBase& doc = chapter.Owner();
    CListNode* following = node != chapter.LastLine() ? doc.Lines().Next(node) : nullptr;
    if (following) {
        ++index;
        doc.Dirty().MarkLine(index);
        return following;
    }
    following = chapter.InsertLineAfter(node, index);
    if (following) {
        ++index;
        ++added;
    }
    return following;
}

// Drops the lines the layout no longer needs; when the count changed (as many lines added as
// dropped leaves it), every later line moved.
void Finish(CChapter& chapter, CListNode* last, int lastIndex, int firstIndex, int added)
{
    CDocListBase& doc = chapter.Owner();
    const int removed = chapter.DeleteLinesAfter(last);
    doc.RememberLineIndex(last, lastIndex);
    if (added != removed)
        doc.Dirty().Mark(firstIndex, -1);
}

} // namespace

void CChapterLayout::Run(CChapter& chapter, int position)
{
    // A shadow chapter of the undo copy has no display lines.
    if (!chapter.Position() || chapter.LiveLink())
        return;
    if (chapter.GetType() == CChapter::kText)
        RunText(chapter, position);
    else
        RunPicture(chapter);
}

void CChapterLayout::RunText(CChapter& chapter, int position)
{
    CDocListBase& doc = chapter.Owner();
    const auto& lines = doc.Lines();
    const CTextChapter& payload = *chapter.Text();
    const char16_t* text = payload.Text();
    const int length = payload.Length();
    position = std::clamp(position, 0, length);
    // An edit right after a high surrogate can join it with a low one into one character, or part
    // them: the layout looks again from the high surrogate.
    if (position > 0 && CUtf16::IsHigh(text[position - 1]))
        --position;

    int added = 0;
    CListNode* node = chapter.FirstLine();
    if (!node) {
        node = chapter.InsertLineAfter(chapter.PreviousChaptersLastLine());
        if (!node)
            return;
        added = 1;
    } else if (position > payload.IndentCount()) {
        // Start at the first line whose last layout looked at the changed offset. That is the line
        // holding it or an earlier one: a line that broke early under the line-start and line-end
        // rules read on into the text of the following lines. An edit within the leading TABs or
        // at the heading symbol changes every line's indent, so it starts at the first line.
        while (node != chapter.LastLine() && lines.Item(node)->ScanEnd() < position)
            node = lines.Next(node);
    }
    int index = doc.LineIndex(node);
    const int firstIndex = index;
    doc.Dirty().MarkLine(index);

    CLineLayout layout(doc.Layout(), doc.CurrentFont());
    CTextLine* line = lines.Item(node);
    int start = line->Start();
    for (;;) {
        const int next = layout.LayOutText(*line, text, start, length);
        if (next >= length)
            break;
        CListNode* following = NextOrNewLine(chapter, node, index, added);
        if (!following)
            break;
        node = following;
        line = lines.Item(node);
        line->SetRange(next, next);
        start = next;
    }
    Finish(chapter, node, index, firstIndex, added);
}

void CChapterLayout::RunPicture(CChapter& chapter)
{
    CDocListBase& doc = chapter.Owner();
    const auto& lines = doc.Lines();
    const CPictChapter& payload = *chapter.Picture();
    const int wanted = std::max(1, payload.Lines());

    int added = 0;
    CListNode* node = chapter.FirstLine();
    if (!node) {
        node = chapter.InsertLineAfter(chapter.PreviousChaptersLastLine());
        if (!node)
            return;
        added = 1;
    }
    int index = doc.LineIndex(node);
    const int firstIndex = index;
    doc.Dirty().MarkLine(index);

    CLineLayout layout(doc.Layout(), doc.CurrentFont());
    for (int n = 0;;) {
        layout.LayOutPicture(*lines.Item(node), payload.Indent());
        if (++n >= wanted)
            break;
        CListNode* following = NextOrNewLine(chapter, node, index, added);
        if (!following)
            break;
        node = following;
    }
    Finish(chapter, node, index, firstIndex, added);
}
