#pragma once
// The window half of printing the document list: the print font made on the printer, the page
// list cut for the page height, and one page drawn on a device (a printer, the preview's page
// bitmap or a metafile): its text lines on the cell grid of the print font, its pictures through
// the picture drawer, and the page number. The screen's line breaks are kept; only the font, the
// column width and the line height change.
#include <windows.h>

#include <functional>

#include "doc/CPrintLayout.h"

class CDocList;
class CPictChapter;

class CDocListPrinter {
public:
    // Draws a picture chapter's print layer stretched over target (its whole printed rectangle).
    using PictureDrawer = std::function<void(HDC dc, const CPictChapter& picture, const RECT& target)>;

    explicit CDocListPrinter(CDocList& doc);
    ~CDocListPrinter();
    CDocListPrinter(const CDocListPrinter&) = delete;
    CDocListPrinter& operator=(const CDocListPrinter&) = delete;

    void SetPictureDrawer(PictureDrawer drawer) { m_drawPicture = std::move(drawer); }

    // The print font (font record 1) from logFont with the given height, measured on device, its
    // line spacing lineSpace × scale rounded up, in colour. Selection marks do not show on paper.
    // False when the font cannot be made.
    bool CreatePrintFont(const LOGFONTW& logFont, int height, double scale, int lineSpace, COLORREF colour,
                         HDC device);
    // Releases the platform font of record 1.
    void ReleasePrintFont();
    // The print font's line height; never below |height| + spacing, the height the page is cut for.
    int PrintLineHeight() const;

    // Lines per page for a printable height and the margins in lines, and the page list cut with
    // it. Returns the number of pages.
    int Paginate(int pageHeight, int topSpace, int bottomSpace);
    int LinesPerPage() const { return m_linesPerPage; }

    // Draws page pageIndex (from 0) with its first row at topSpace and its text after leftSpace
    // columns; false, with nothing drawn, for a page that is not in the page list or whose first
    // line does not exist.
    bool PrintPage(HDC dc, int pageIndex, int leftSpace, int topSpace, bool pageNumbers, double scale);

private:
    void DrawPageNumber(HDC dc, int pageIndex, int row, int leftSpace) const;

    CDocList& m_doc;
    PictureDrawer m_drawPicture;
    int m_fontHeight = 0;
    int m_linesPerPage = 0;
};
