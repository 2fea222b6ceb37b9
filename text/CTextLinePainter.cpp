#include "text/CTextLinePainter.h"

#include "text/CGdiTextFont.h"
#include "text/CTextFont.h"
#include "text/CTextLine.h"

#include <vector>

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

// One run of characters with the same selection mark, collected cell by cell.
class RunWriter {
public:
    RunWriter(HDC dc, int y, const CTextFont& font) : m_dc(dc), m_y(y), m_font(font) {}

    void Add(bool selected, int x, const wchar_t* units, int count, int width)
    {
        if (!m_text.empty() && selected != m_selected)
            Flush();
        if (m_text.empty()) {
            m_selected = selected;
            m_x = x;
            m_width = 0;
        }
        for (int i = 0; i < count; ++i) {
            m_text.push_back(units[i]);
            // The whole advance goes to the first unit of a surrogate pair.
            m_dx.push_back(i == 0 ? width : 0);
        }
        m_width += width;
    }

    void Flush()
    {
        if (m_text.empty())
            return;
        RECT box{m_x, m_y, m_x + m_width, m_y + m_font.LineHeight()};
        UINT options = 0;
        if (m_selected) {
            SetBkMode(m_dc, OPAQUE);
            SetBkColor(m_dc, m_font.SelectColour());
            SetTextColor(m_dc, m_font.BackColour());
            options = ETO_OPAQUE;
        } else {
            SetBkMode(m_dc, TRANSPARENT);
            SetTextColor(m_dc, m_font.TextColour());
        }
        ExtTextOutW(m_dc, m_x, m_y, options, &box, m_text.data(), static_cast<UINT>(m_text.size()), m_dx.data());
        m_text.clear();
        m_dx.clear();
    }

private:
    HDC m_dc;
    int m_y;
    const CTextFont& m_font;
    bool m_selected = false;
    int m_x = 0;
    int m_width = 0;
    std::vector<wchar_t> m_text;
    std::vector<INT> m_dx;
};

}  // namespace

CTextLinePainter::Underline CTextLinePainter::UnderlineFor(bool lastLineOfBreakChapter, bool pictureLine,
                                                          bool ruledLines)
{
    if (lastLineOfBreakChapter)
        return Underline::kPageBreak;
    if (!pictureLine && ruledLines)
        return Underline::kRuledLine;
    return Underline::kNone;
}

void CTextLinePainter::DrawUnderline(HDC dc, int x, int y, int width, COLORREF colour)
{
    const RECT band{x, y, x + width, y + 1};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &band, nullptr, 0, nullptr);
}

void CTextLinePainter::Draw(HDC dc, int x, int y, const CTextLine& line, const char16_t* chapterText,
                            const CTextFont& font, int layoutWidth, Underline underline)
{
    const CGdiTextFont* gdi = CGdiTextFont::Of(font);
    const int cell = font.CharWidth();
    if (gdi != nullptr && chapterText != nullptr && cell > 0) {
        const HGDIOBJ oldFont = SelectObject(dc, gdi->Font());
        RunWriter run(dc, y, font);
        const int used = line.ColumnsUsed();
        int column = line.IndentColumns();
        while (column < used) {
            const int index = line.MapAt(column);
            int cells = 1;
            while (column + cells < used && line.MapAt(column + cells) == index)
                ++cells;
            const CCharInfo* info = line.CharInfo(index);
            const bool selected = info != nullptr && info->Selected();
            const int offset = line.Start() + index;
            wchar_t units[2] = {static_cast<wchar_t>(chapterText[offset]), 0};
            int count = 1;
            if (units[0] == L'\t') {
                units[0] = L' ';  // a TAB shows as blanks over the cells it spans
            } else if (IsHighSurrogate(chapterText[offset]) && offset + 1 < line.End() &&
                       IsLowSurrogate(chapterText[offset + 1])) {
                units[1] = static_cast<wchar_t>(chapterText[offset + 1]);
                count = 2;
            }
            run.Add(selected, x + column * cell, units, count, cells * cell);
            column += cells;
        }
        run.Flush();
        SelectObject(dc, oldFont);
    }
    const int bottom = y + font.LineHeight() - 1;
    if (underline == Underline::kPageBreak)
        DrawUnderline(dc, x, bottom, layoutWidth, kPageBreakColour);
    else if (underline == Underline::kRuledLine)
        DrawUnderline(dc, x, bottom, layoutWidth, kRuledLineColour);
}
