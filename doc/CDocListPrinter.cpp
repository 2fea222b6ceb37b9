#include "doc/CDocListPrinter.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPagePlan.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "text/CGdiTextFont.h"
#include "text/CTextLinePainter.h"

namespace {

// The print font is current only while a page is drawn.
class PrintFontScope {
public:
    explicit PrintFontScope(CDocList& doc) : m_doc(doc) { m_doc.SetCurrentFontIndex(CDocList::kPrintFont); }
    ~PrintFontScope() { m_doc.SetCurrentFontIndex(CDocList::kScreenFont); }
    PrintFontScope(const PrintFontScope&) = delete;
    PrintFontScope& operator=(const PrintFontScope&) = delete;

private:
    CDocList& m_doc;
};

constexpr COLORREF kPaper = RGB(255, 255, 255);

}  // namespace

CDocListPrinter::CDocListPrinter(CDocList& doc) : m_doc(doc) {}

CDocListPrinter::~CDocListPrinter() = default;

bool CDocListPrinter::CreatePrintFont(const LOGFONTW& logFont, int height, double scale, int lineSpace,
                                      COLORREF colour, HDC device)
{
    LOGFONTW lf = logFont;
    lf.lfHeight = height;
    CTextFont& font = m_doc.Font(CDocList::kPrintFont);
    if (!CGdiTextFont::Create(font, lf, scale, lineSpace, device))
        return false;
    m_fontHeight = height;
    font.SetTextColour(colour);
    // The line drawing paints selected runs opaque in the selection colour with the text in the
    // back colour: on paper both become the text on white, so a selection does not print.
    font.SetBackColour(colour);
    font.SetSelectColour(kPaper);
    font.SetRuledLines(false);
    return true;
}

void CDocListPrinter::ReleasePrintFont()
{
    m_doc.Font(CDocList::kPrintFont).Install(nullptr, CFontMetrics{}, 0, 1.0);
    m_fontHeight = 0;
}

int CDocListPrinter::PrintLineHeight() const
{
    const CTextFont& font = m_doc.Font(CDocList::kPrintFont);
    // A font whose cell is taller than its em would run the last lines off the page.
    return std::max(std::abs(m_fontHeight) + font.LineSpacing(), font.LineHeight());
}

int CDocListPrinter::Paginate(int pageHeight, int topSpace, int bottomSpace)
{
    m_linesPerPage = CPrintLayout::LinesPerPage(pageHeight, PrintLineHeight(), topSpace, bottomSpace);
    return m_doc.Paginate(m_linesPerPage);
}

bool CDocListPrinter::PrintPage(HDC dc, int pageIndex, int leftSpace, int topSpace, bool pageNumbers, double scale)
{
    CPagePlan plan;
    if (!plan.Build(m_doc, pageIndex, topSpace, m_linesPerPage))
        return false;
    PrintFontScope scope(m_doc);
    const CTextFont& font = m_doc.CurrentFont();
    const int cell = font.CharWidth();
    const int lineHeight = font.LineHeight();
    const int tabWidth = m_doc.Layout().TabWidth();
    const int layoutWidth = m_doc.Columns() * cell;
    for (const CPageItem& item : plan.items) {
        if (item.line) {
            const CTextChapter* text = item.chapter->Text();
            CTextLinePainter::Draw(dc, leftSpace * cell, item.row * lineHeight, *item.line, text->Text(), font,
                                   layoutWidth, CTextLinePainter::Underline::kNone);
        } else if (const CPictChapter* picture = item.chapter->Picture(); picture && m_drawPicture) {
            const CPrintPicture size = CPrintLayout::Picture(*picture, scale);
            const int x = (leftSpace + picture->Indent() * tabWidth) * cell;
            const int y = item.row * lineHeight + size.top;
            if (size.width <= 0 || size.height <= 0)
                continue;
            // A picture split over two pages shows on each only the part on that page's rows: not
            // in the margins, not over the page number.
            const int saved = SaveDC(dc);
            IntersectClipRect(dc, x, topSpace * lineHeight, x + size.width, (topSpace + plan.rows) * lineHeight);
            m_drawPicture(dc, *picture, RECT{x, y, x + size.width, y + size.height});
            RestoreDC(dc, saved);
        }
    }
    if (pageNumbers)
        DrawPageNumber(dc, pageIndex, plan.pageNumberRow, leftSpace);
    return true;
}

void CDocListPrinter::DrawPageNumber(HDC dc, int pageIndex, int row, int leftSpace) const
{
    const CTextFont& font = m_doc.CurrentFont();
    const CGdiTextFont* gdi = CGdiTextFont::Of(font);
    if (!gdi)
        return;
    const std::u16string text = CPrintLayout::PageNumberText(pageIndex);
    const int length = static_cast<int>(text.size());
    const int cell = font.CharWidth();
    const int x = CPrintLayout::PageNumberColumn(m_doc.Columns(), length, leftSpace) * cell;
    std::wstring wide(text.begin(), text.end());
    std::vector<INT> advances(wide.size(), cell);  // one column per character, as on the grid
    const HGDIOBJ old = SelectObject(dc, gdi->Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, font.TextColour());
    ExtTextOutW(dc, x, row * font.LineHeight(), 0, nullptr, wide.data(), static_cast<UINT>(wide.size()),
                advances.data());
    SelectObject(dc, old);
}
