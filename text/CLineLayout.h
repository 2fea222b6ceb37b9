#pragma once
// Fills one display line with as much of a chapter's text as fits on the cell grid, and decides
// where the line breaks under the Japanese line-start and line-end rules.
#include "text/CLayoutSettings.h"
#include "text/CTextFont.h"
#include "text/CTextLine.h"

class CLineLayout {
public:
    CLineLayout(const CLayoutSettings& settings, CTextFont& font);

    // Layout width ÷ cell width, at least 1.
    int ColumnCount() const { return m_columns; }
    int CellWidth() const { return m_cell; }
    // Pixel width of a character at a cell column; a TAB reaches to the next tab stop.
    int MeasureChar(char16_t ch, int column);
    // The same for the character of units units (1, or 2 for a surrogate pair) at text[i].
    int MeasureAt(const char16_t* text, int i, int units, int column);
    // Whole cells of a pixel width, halves rounded up.
    int CellsOf(int width) const { return width <= 0 ? 0 : (2 * width + m_cell) / (2 * m_cell); }

    // Lays out text[start, end) from start, where text is the whole chapter text (its leading TABs
    // are the paragraph's indent). A surrogate pair is one character and never split by a break. Returns the offset at which the next line begins, which is
    // always past start while start < end.
    int LayOutText(CTextLine& line, const char16_t* text, int start, int end);
    // A line of a picture chapter: indent TABs, then the picture in one cell.
    void LayOutPicture(CTextLine& line, int indent);

private:
    int BreakAt(const char16_t* text, int placeStart, int i, int end) const;

    const CLayoutSettings& m_settings;
    CTextFont& m_font;
    int m_cell;
    int m_columns;
    int m_tabWidth;
};
