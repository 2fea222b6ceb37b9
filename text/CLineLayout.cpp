#include "text/CLineLayout.h"

#include "text/CUtf16.h"

#include <algorithm>
#include <string_view>

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

int CLineLayout::MeasureAt(const char16_t* text, int i, int units, int column)
{
    if (units == 2)
        return m_font.MeasurePair(text[i], text[i + 1]);
    return MeasureChar(text[i], column);
}

// Where the line ends when the character at i does not fit after the characters placed from
// placeStart: characters that may not start a line pull their predecessor down with them, and
// characters that may not end a line go down to the next; at least one always stays. Steps go by
// whole characters, so a surrogate pair is never parted.
int CLineLayout::BreakAt(const char16_t* text, int placeStart, int i, int end) const
{
    auto charAt = [&](int offset) {
        return std::u16string_view(text + offset, static_cast<std::size_t>(CUtf16::UnitsAt(text, end, offset)));
    };
    auto previous = [&](int offset) { return CUtf16::PreviousStart(text, offset, placeStart); };
    auto afterFirst = [&] { return placeStart + CUtf16::UnitsAt(text, end, placeStart); };

    // stay: the end of the characters that stay, which is also the character looked at.
    int stay = i;
    while (stay > placeStart && m_settings.IsLineStartForbidden(charAt(stay)))
        stay = previous(stay);
    if (stay <= afterFirst())
        return afterFirst();
    int p = previous(stay);
    while (p > placeStart && m_settings.IsLineEndForbidden(charAt(p)))
        p = previous(p);
    return p + CUtf16::UnitsAt(text, end, p);
}

int CLineLayout::LayOutText(CTextLine& line, const char16_t* text, int start, int end)
{
    int columns = m_columns;
    line.EnsureColumns(columns);
    std::uint16_t* map = line.m_map.get();
    const int w = m_tabWidth;

    int leadingTabs = 0;
    while (leadingTabs < end && text[leadingTabs] == u'\t')
        ++leadingTabs;
    const int indentLimit = std::max(0, columns - CTextLine::kMargin);
    const int t = std::min(leadingTabs, indentLimit / w);
    const int headingUnits = CUtf16::UnitsAt(text, end, leadingTabs);
    const bool heading =
        headingUnits > 0 &&
        m_settings.IsHeadingSymbol(std::u16string_view(text + leadingTabs, static_cast<std::size_t>(headingUnits)));

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
            indent += CellsOf(MeasureAt(text, leadingTabs, headingUnits, indent));
        // A very wide heading symbol must still leave one cell for text.
        indent = std::min(indent, columns - 1);
        std::fill(map, map + indent, std::uint16_t{0});
        used = indent;
        line.m_indentColumns = indent;
        placeStart = start;
    }
    const int firstCharColumn = used;
    int lastColumn = used;
    // The index of a character, counted from the line's start, is its offset less start; the
    // character records run out at offset recordEnd.
    int recordEnd = start + line.m_capacity - 1;
    int i = placeStart;
    int units = 1;
    for (; i < end; i += units) {
        const char16_t ch = text[i];
        int width;
        if (!CUtf16::IsHigh(ch) || i + 1 >= end || !CUtf16::IsLow(text[i + 1])) [[likely]] {
            units = 1;
            // Other characters that run out of records end the line (zero-width runs).
            if (i >= recordEnd)
                break;
            width = MeasureChar(ch, used);
        } else {
            units = 2;
            if (i + 2 > recordEnd) {
                // A pair takes two records: the arrays grow as far as a line of pairs in single
                // cells needs.
                const int pairCapacity = 2 * (columns + CTextLine::kMargin);
                if (i + 2 - start > pairCapacity - 1)
                    break;
                line.GrowKeeping(pairCapacity);
                map = line.m_map.get();
                recordEnd = start + line.m_capacity - 1;
            }
            width = m_font.MeasurePair(ch, text[i + 1]);
        }
        const int cells = CellsOf(width);
        if (columns - used < cells)
            break;
        lastColumn = used;
        std::fill(map + used, map + used + cells, static_cast<std::uint16_t>(i - start));
        used += cells;
    }
    int counter = i - start;  // index of the next character
    // The last offset looked at: both units of a pair that did not fit.
    line.m_scanEnd = i < end ? i + units - 1 : i;

    if (i < end) {
        const int n = i - placeStart;
        if (n <= 0) {
            // Not even one character fits: it is placed anyway and overflows its cells (drawing
            // clips it), so that every line takes at least one character and layout moves on.
            lastColumn = used;
            std::fill(map + used, map + columns, static_cast<std::uint16_t>(counter));
            used = columns;
            counter += units;
            i += units;
        } else if (m_font.Kinsoku()) {
            const int keepEnd = BreakAt(text, placeStart, i, end);
            if (keepEnd < i) {
                i = keepEnd;
                counter = keepEnd - start;
                int removed = 0;
                while (used > firstCharColumn && map[used - 1] >= counter) {
                    --used;
                    ++removed;
                }
                columns -= removed;
                lastColumn = used;
                if (lastColumn > firstCharColumn) {
                    const std::uint16_t last = map[lastColumn - 1];
                    while (lastColumn > firstCharColumn && map[lastColumn - 1] == last)
                        --lastColumn;
                }
            }
        }
    }

    line.m_columnCount = columns;
    line.m_columnsUsed = used;
    line.m_lastCharColumn = lastColumn;
    line.m_charCount = counter;
    // The tail up to the column count (and on to the end of the map) points past the last
    // character, so a click right of the text lands after it.
    std::fill(map + used, map + line.m_capacity, static_cast<std::uint16_t>(counter));
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
