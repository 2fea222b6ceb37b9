#include "doc/CDocListPainter.h"

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "doc/CTiledBackground.h"
#include "text/CTextLinePainter.h"

#include <algorithm>

namespace {

// A memory device context with a bitmap of one row: rows are composed there and copied out
// whole, so text never flickers over a freshly painted background.
class RowBuffer {
public:
    RowBuffer(HDC target, int width, int height)
        : m_dc(CreateCompatibleDC(target)), m_bitmap(CreateCompatibleBitmap(target, width, height))
    {
        if (m_dc && m_bitmap)
            m_old = SelectObject(m_dc, m_bitmap);
    }
    ~RowBuffer()
    {
        if (m_old)
            SelectObject(m_dc, m_old);
        if (m_bitmap)
            DeleteObject(m_bitmap);
        if (m_dc)
            DeleteDC(m_dc);
    }
    RowBuffer(const RowBuffer&) = delete;
    RowBuffer& operator=(const RowBuffer&) = delete;

    bool Ready() const { return m_old != nullptr; }
    HDC Dc() const { return m_dc; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old = nullptr;
};

}  // namespace

CDocListPainter::CDocListPainter(CDocList& doc) : m_doc(doc) {}

CDocListPainter::~CDocListPainter() = default;

void CDocListPainter::SetBackgrounds(std::unique_ptr<CTiledBackground> view, std::unique_ptr<CTiledBackground> grey)
{
    m_view = std::move(view);
    m_greyBackground = std::move(grey);
}

const CTiledBackground* CDocListPainter::Background() const
{
    if (m_grey && m_greyBackground)
        return m_greyBackground.get();
    return m_view.get();
}

void CDocListPainter::PaintArea(HDC dc, const RECT& area, int clientWidth)
{
    const int lineHeight = std::max(1, m_doc.LineHeight());
    if (clientWidth <= 0 || area.bottom <= area.top)
        return;
    const int firstRow = std::max(0, static_cast<int>(area.top) / lineHeight);
    const int lastRow = std::max(firstRow, static_cast<int>(area.bottom - 1) / lineHeight);
    RowBuffer buffer(dc, clientWidth, lineHeight);
    for (int row = firstRow; row <= lastRow; ++row) {
        if (buffer.Ready()) {
            PaintRow(buffer.Dc(), row, clientWidth);
            BitBlt(dc, 0, row * lineHeight, clientWidth, lineHeight, buffer.Dc(), 0, 0, SRCCOPY);
        } else {
            // Without a buffer the row is drawn straight into the device, shifted to its place.
            POINT old{};
            SetViewportOrgEx(dc, 0, row * lineHeight, &old);
            PaintRow(dc, row, clientWidth);
            SetViewportOrgEx(dc, old.x, old.y, nullptr);
        }
    }
}

void CDocListPainter::PaintRow(HDC dc, int row, int width)
{
    const CTextFont& font = m_doc.CurrentFont();
    const int lineHeight = std::max(1, m_doc.LineHeight());
    const RECT band{0, 0, width, lineHeight};
    const int top = m_doc.TopLine();
    if (const CTiledBackground* background = Background()) {
        background->Fill(dc, band, (top + row) * lineHeight);
    } else {
        SetBkColor(dc, font.BackColour());
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
    }

    const int index = top + row;
    const CTextLine* line = m_doc.LineAt(index);
    if (!line)
        return;
    const CChapter* chapter = m_doc.ChapterOfLine(*line);
    if (!chapter)
        return;
    ++m_linesDrawn;
    const int x = -font.CharWidth() * m_doc.HorizontalScroll();
    const bool breakMark = chapter->PageBreak() && chapter->LastLine() == line->Node();
    const int layoutWidth = m_doc.Layout().LayoutWidth();
    if (const CPictChapter* picture = chapter->Picture()) {
        if (m_drawPicture) {
            // The picture's rectangle relative to this row: its first line may be rows above.
            const int firstIndex = m_doc.IndexOfLine(chapter->FirstLine());
            const int y = (firstIndex - index) * lineHeight + picture->TopSpace();
            const RECT whole{x + picture->LeftSpace(), y, x + picture->LeftSpace() + picture->Width(),
                             y + picture->Height()};
            m_drawPicture(dc, *picture, whole);
        }
        if (breakMark)
            CTextLinePainter::DrawUnderline(dc, x, lineHeight - 1, layoutWidth, CTextLinePainter::kPageBreakColour);
        return;
    }
    const auto underline = CTextLinePainter::UnderlineFor(breakMark, false, font.RuledLines());
    CTextLinePainter::Draw(dc, x, 0, *line, chapter->Text()->Text(), font, layoutWidth, underline);
}

bool CDocListPainter::TakeDirtyRect(int clientWidth, int clientHeight, RECT& rect)
{
    CDirtyRange& dirty = m_doc.Dirty();
    if (dirty.IsEmpty())
        return false;
    const int lineHeight = std::max(1, m_doc.LineHeight());
    const int top = m_doc.TopLine();
    const int rows = clientHeight / lineHeight + 1;
    const int first = std::max(dirty.First(), top);
    const int last = dirty.Last() < 0 ? top + rows - 1 : std::min(dirty.Last(), top + rows - 1);
    dirty.Reset();
    if (last < first)
        return false;
    rect = RECT{0, (first - top) * lineHeight, clientWidth, (last - top + 1) * lineHeight};
    return true;
}
