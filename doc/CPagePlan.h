#pragma once
// What one printed page holds, row by row: its text lines, each picture once, and the row of the
// page number. A picture that began on an earlier page is placed above the page's first row by as
// many rows as it already showed there, so that only its remaining part falls on this page. The
// window half draws the plan; nothing here touches a device.
#include <vector>

class CChapter;
class CDocList;
class CTextLine;

struct CPageItem {
    const CChapter* chapter = nullptr;
    const CTextLine* line = nullptr;  // the text line; none for a picture
    int row = 0;                      // the line's row, or the row of the picture's first line
};

struct CPagePlan {
    std::vector<CPageItem> items;
    int firstLine = 0;  // line indices of the page
    int lastLine = -1;
    int rows = 0;       // lines on the page
    int pageNumberRow = 0;

    // The page of the document list's page list with this index (from 0), its first row at
    // topSpace. False, with an empty plan, for a page that is not in the list or whose first
    // line does not exist.
    bool Build(const CDocList& doc, int pageIndex, int topSpace, int linesPerPage);
};
