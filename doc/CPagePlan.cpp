#include "doc/CPagePlan.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPrintLayout.h"

bool CPagePlan::Build(const CDocList& doc, int pageIndex, int topSpace, int linesPerPage)
{
    items.clear();
    rows = 0;
    firstLine = 0;
    lastLine = -1;
    pageNumberRow = topSpace;
    if (pageIndex < 0 || pageIndex >= doc.Pages().Count())
        return false;
    const CPageInfo* page = doc.Pages().ItemAt(pageIndex);
    if (!page)
        return false;
    CListNode* node = doc.Lines().NodeAt(page->firstLine);
    if (!node || page->lastLine < page->firstLine)
        return false;
    firstLine = page->firstLine;
    int index = page->firstLine;
    int row = topSpace;
    while (node && index <= page->lastLine) {
        CListNode* here = node;
        const CTextLine* line = doc.Lines().StepForward(node);
        const CChapter* chapter = line ? doc.ChapterOfLine(*line) : nullptr;
        if (chapter && chapter->Picture()) {
            if (index == page->firstLine) {
                // A picture that began on an earlier page is drawn from above the page.
                const int first = doc.IndexOfLine(chapter->FirstLine());
                const int shown = first >= 0 && first < index ? index - first : 0;
                items.push_back(CPageItem{chapter, nullptr, row - shown});
            } else if (chapter->FirstLine() == here) {
                items.push_back(CPageItem{chapter, nullptr, row});
            }
        } else if (chapter && chapter->Text()) {
            items.push_back(CPageItem{chapter, line, row});
        }
        lastLine = index;
        ++index;
        ++row;
        ++rows;
    }
    pageNumberRow = CPrintLayout::PageNumberRow(topSpace, linesPerPage, rows);
    return true;
}
