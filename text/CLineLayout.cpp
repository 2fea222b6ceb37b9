#include "text/CLineLayout.h"

#include <algorithm>

CLineLayout::CLineLayout(const CLayoutSettings& settings, CTextFont& font)
    : m_settings(settings),
      m_font(font),
      m_cell(std::max(1, font.CharWidth())),
      m_columns(std::clamp(settings.LayoutWidth() / m_cell, 1, CTextLine::kMaxColumns)),
      m_tabWidth(std::max(1, settings.TabWidth()))
{
}

int CLineLayout::MeasureChar(char16_t ch, int column)
{
    if (ch != u'\t')
        return m_font.Measure(ch);
    // Stops ascend, so the first one past the column is found by bisection.
    const std::vector<int>& stops = m_settings.TabStops();
    const auto it = std::partition_point(stops.begin(), stops.end(),
                                         [&](int stop) { return stop / m_cell <= column; });
    if (it == stops.end())
        return m_tabWidth * m_cell;
    const int distance = *it - column * m_cell;
    return distance < 0 ? m_tabWidth * m_cell : distance;
}

// How many of the n characters placed since placeStart stay on the line when character i does
// not fit: characters that may not start a line pull their predecessor down with them, and
// characters that may not end a line go down to the next; at least one always stays.
int CLineLayout::BreakKeep(const char16_t* text, int placeStart, int i, int n) const
{
    int m = n;
    for (int j = i; m > 0 && m_settings.IsLineStartForbidden(text[j]); --j)
        --m;
    if (m - 1 < 1)
        return 1;
    int p = placeStart + m - 1;
    while (p > placeStart && m_settings.IsLineEndForbidden(text[p]))
        --p;
    return p == placeStart ? 1 : p - placeStart + 1;
}

int CLineLayout::LayOutText(CTextLine& line, const char16_t* text, int start, int end)
{
    int columns = m_columns;
    line.EnsureColumns(columns);
    const int capacity = line.m_capacity;
    std::uint16_t* map = line.m_map.get();
    const int w = m_tabWidth;

    int leadingTabs = 0;
    while (leadingTabs < end && text[leadingTabs] == u'\t')
        ++leadingTabs;
    const int indentLimit = std::max(0, columns - CTextLine::kMargin);
    const int t = std::min(leadingTabs, indentLimit / w);
    const bool heading = leadingTabs < end && m_settings.IsHeadingSymbol(text[leadingTabs]);

    start = std::clamp(start, 0, end);
    line.m_start = start;
    int used = 0;
    int placeStart;
    if (start == 0) {
        for (int k = 0; k < t; ++k)
            for (int j = 0; j < w; ++j)
                map[used++] = static_cast<std::uint16_t>(k);
        line.m_indentColumns = 0;
        placeStart = t;
    } else {
        int indent = t * w;
        if (heading)
            indent += CellsOf(MeasureChar(text[leadingTabs], indent));
        // A very wide heading symbol must still leave one cell for text.
        indent = std::min(indent, columns - 1);
        std::fill(map, map + indent, std::uint16_t{0});
        used = indent;
        line.m_indentColumns = indent;
        placeStart = start;
    }
    const int firstCharColumn = used;
    int lastColumn = used;
    int counter = placeStart - start;  // index of the next character, counted from the line's start

    int i = placeStart;
    for (; i < end && counter < capacity - 1; ++i) {
        const int cells = CellsOf(MeasureChar(text[i], used));
        if (columns - used < cells)
            break;
        lastColumn = used;
        std::fill(map + used, map + used + cells, static_cast<std::uint16_t>(counter));
        used += cells;
        ++counter;
    }
    line.m_scanEnd = i;

    if (i < end) {
        const int n = i - placeStart;
        if (n <= 0) {
            // Not even one character fits: it is placed anyway and overflows its cells (drawing
            // clips it), so that every line takes at least one character and layout moves on.
            lastColumn = used;
            std::fill(map + used, map + columns, static_cast<std::uint16_t>(counter));
            used = columns;
            ++counter;
            ++i;
        } else if (m_font.Kinsoku()) {
            const int keep = BreakKeep(text, placeStart, i, n);
            if (keep < n) {
                const int moved = n - keep;
                i -= moved;
                counter -= moved;
                int removed = 0;
                while (used > firstCharColumn && map[used - 1] >= counter) {
                    --used;
                    ++removed;
                }
                columns -= removed;
                lastColumn = used;
                while (lastColumn > firstCharColumn && map[lastColumn - 1] == counter - 1)
                    --lastColumn;
            }
        }
    }

    line.m_columnCount = columns;
    line.m_columnsUsed = used;
    line.m_lastCharColumn = lastColumn;
    line.m_charCount = counter;
    // The tail up to the column count (and on to the end of the map) points past the last
    // character, so a click right of the text lands after it.
    std::fill(map + used, map + capacity, static_cast<std::uint16_t>(counter));
    line.m_end = i;
    line.m_scanEnd = std::max(line.m_scanEnd, i);
    return i;
}

void CLineLayout::LayOutPicture(CTextLine& line, int indent)
{
    const int columns = m_columns;
    line.EnsureColumns(columns);
    const int capacity = line.m_capacity;
    std::uint16_t* map = line.m_map.get();
    const int w = m_tabWidth;
    const int limit = std::max(0, columns - CTextLine::kMargin);
    int n = std::max(0, indent);
    if (n * w > limit)
        n = limit / w;

    int used = 0;
    for (int k = 0; k < n; ++k)
        for (int j = 0; j < w; ++j)
            map[used++] = static_cast<std::uint16_t>(k);
    map[used] = static_cast<std::uint16_t>(n);
    std::fill(map + used + 1, map + capacity, static_cast<std::uint16_t>(n + 1));

    line.m_start = 0;
    line.m_end = 0;
    line.m_scanEnd = 0;
    line.m_indentColumns = 0;
    line.m_columnCount = columns;
    line.m_columnsUsed = n * w + 1;
    line.m_lastCharColumn = n * w;
    line.m_charCount = n + 1;
}
