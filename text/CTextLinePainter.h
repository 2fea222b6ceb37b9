#pragma once
// The window half of a display line: draws its cells on a device context. Every character gets
// its cells' width as its advance, so the text stays on the grid whatever the glyphs' own widths;
// runs of equal selection marks are drawn together, unmarked ones transparently in the text
// colour, marked ones opaque in the selection colours.
#include <windows.h>

class CTextFont;
class CTextLine;

class CTextLinePainter {
public:
    static constexpr COLORREF kRuledLineColour = 0xC8FFC8;
    static constexpr COLORREF kPageBreakColour = 0x007FFF;

    // What to draw below the text of one line.
    enum class Underline { kNone, kRuledLine, kPageBreak };

    // Draws the line's characters with their left cell at x (cell 0 of the line) and the top of
    // the row at y; chapterText is the chapter's text the line's offsets refer to. The underline
    // runs along the bottom pixel row of the line height, across layoutWidth pixels from x.
    static void Draw(HDC dc, int x, int y, const CTextLine& line, const char16_t* chapterText, const CTextFont& font,
                     int layoutWidth, Underline underline);

    // The underline of a line: the page-break mark on the last line of a chapter with a page
    // break, else the ruled line on text lines when the font asks for them.
    static Underline UnderlineFor(bool lastLineOfBreakChapter, bool pictureLine, bool ruledLines);

    static void DrawUnderline(HDC dc, int x, int y, int width, COLORREF colour);
};
