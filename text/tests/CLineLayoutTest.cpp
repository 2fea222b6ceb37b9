#include "text/CFixedCharMeasurer.h"
#include "text/CLineLayout.h"
#include "text/CUtf16.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A bare grid: fixed-width font of 8-pixel cells, layout width columns × 8.
struct Grid {
    static constexpr int kCell = 8;
    CLayoutSettings settings;
    CTextFont font;
    CFixedCharMeasurer* measurer = nullptr;
    std::vector<std::unique_ptr<CTextLine>> lines;

    Grid(int columns, int tabWidth, int cell = kCell)
    {
        auto m = std::make_unique<CFixedCharMeasurer>(cell);
        measurer = m.get();
        CFontMetrics metrics;
        metrics.charWidth = cell;
        metrics.textHeight = 16;
        font.Install(std::move(m), metrics, 2, 1.0);
        settings.Set(columns * cell, tabWidth, cell);
    }
    CLineLayout Layout() { return CLineLayout(settings, font); }
    // Lays the whole text out line by line and returns each line's text.
    std::vector<std::u16string> Run(const std::u16string& text)
    {
        lines.clear();
        std::vector<std::u16string> out;
        CLineLayout layout = Layout();
        int start = 0;
        do {
            lines.push_back(std::make_unique<CTextLine>(nullptr, nullptr, layout.ColumnCount()));
            const int next = layout.LayOutText(*lines.back(), text.c_str(), start,
                                               static_cast<int>(text.size()));
            EXPECT_GT(next, start) << "layout must advance";
            if (next <= start)
                break;
            out.push_back(text.substr(start, next - start));
            start = next;
        } while (start < static_cast<int>(text.size()));
        return out;
    }
};

TEST(CLineLayout, ColumnCountAndArraysFollowLayoutWidth)
{
    CLayoutSettings settings;
    CTextFont font;
    CFontMetrics metrics;
    metrics.charWidth = 8;
    font.Install(std::make_unique<CFixedCharMeasurer>(8), metrics, 0, 1.0);
    settings.Set(800, 2, 8);
    CLineLayout layout(settings, font);
    EXPECT_EQ(layout.ColumnCount(), 100);
    CTextLine line(nullptr, nullptr, layout.ColumnCount());
    EXPECT_EQ(line.Capacity(), 110);
    for (int c = 0; c < line.Capacity(); ++c)
        ASSERT_EQ(line.MapAt(c), 0);

    // A line made for fewer columns grows when the layout width grows.
    CTextLine narrow(nullptr, nullptr, 20);
    const std::u16string text(150, u'x');
    EXPECT_EQ(layout.LayOutText(narrow, text.c_str(), 0, 150), 100);
    EXPECT_GE(narrow.Capacity(), 110);
}

TEST(CLineLayout, PictureLineIndentIsLimited)
{
    Grid grid(100, 4);
    CTextLine line(nullptr, nullptr, 100);
    grid.Layout().LayOutPicture(line, 30);
    // (100 - 10) / 4 = 22 TABs of 4 cells, the picture, then past it.
    EXPECT_EQ(line.MapAt(0), 0);
    EXPECT_EQ(line.MapAt(87), 21);
    EXPECT_EQ(line.MapAt(88), 22);
    EXPECT_EQ(line.MapAt(89), 23);
    EXPECT_EQ(line.MapAt(100), 23);
    EXPECT_EQ(line.ColumnsUsed(), 89);
    EXPECT_EQ(line.CharCount(), 23);
}

TEST(CLineLayout, LeadingTabsFormTheIndentUpToTheLimit)
{
    Grid grid(80, 4);
    const std::u16string text = std::u16string(18, u'\t') + std::u16string(40, u'a');
    const auto pieces = grid.Run(text);
    const CTextLine& first = *grid.lines[0];
    // 17 indent TABs (68 cells), the eighteenth is an ordinary TAB from 68 to the stop at 72.
    EXPECT_EQ(first.IndentColumns(), 0);
    EXPECT_EQ(first.MapAt(67), 16);
    EXPECT_EQ(first.MapAt(68), 17);
    EXPECT_EQ(first.MapAt(71), 17);
    EXPECT_EQ(first.MapAt(72), 18);
    EXPECT_EQ(first.End(), 18 + 8);
    // Continuation lines hang at the limited indent.
    ASSERT_GE(grid.lines.size(), 2u);
    EXPECT_EQ(grid.lines[1]->IndentColumns(), 68);
    EXPECT_EQ(grid.lines[1]->Length(), 12);
}

TEST(CLineLayout, TabAndCharacterWidths)
{
    Grid grid(80, 4);
    CLineLayout layout = grid.Layout();
    EXPECT_EQ(layout.CellsOf(layout.MeasureChar(u'\t', 5)), 3);
    EXPECT_EQ(layout.CellsOf(layout.MeasureChar(u'\t', 79)), 1);
    // Past the last stop (80) a TAB takes a whole tab width.
    EXPECT_EQ(layout.CellsOf(layout.MeasureChar(u'\t', 80)), 4);
    EXPECT_EQ(layout.CellsOf(layout.MeasureChar(u'\t', 200)), 4);

    Grid ten(40, 2, 10);
    CLineLayout tenLayout = ten.Layout();
    EXPECT_EQ(tenLayout.CellsOf(15), 2);  // 1.5 cells
    EXPECT_EQ(tenLayout.CellsOf(14), 1);  // 1.4 cells
    EXPECT_EQ(tenLayout.CellsOf(0), 0);
    ten.measurer->SetWidth(u'W', 15);
    ten.measurer->SetWidth(u'n', 14);
    ten.Run(u"Wna");
    const CTextLine& line = *ten.lines[0];
    EXPECT_EQ(line.MapAt(1), 0);
    EXPECT_EQ(line.MapAt(2), 1);
    EXPECT_EQ(line.MapAt(3), 2);
    EXPECT_EQ(line.ColumnsUsed(), 4);
}

TEST(CLineLayout, HangingIndentAfterTabsAndHeadingSymbol)
{
    Grid grid(40, 4);
    const std::u16string text = u"\t\t・" + std::u16string(60, u'a');
    grid.Run(text);
    ASSERT_GE(grid.lines.size(), 2u);
    const CTextLine& second = *grid.lines[1];
    EXPECT_EQ(second.IndentColumns(), 10);  // 8 cells of TABs + 2 of the symbol
    EXPECT_EQ(second.MapAt(9), 0);
    EXPECT_EQ(second.MapAt(10), 0);
    EXPECT_EQ(second.MapAt(11), 1);
    EXPECT_EQ(second.Length(), 30);
    // Without the symbol the continuation starts after the TABs only.
    grid.Run(u"\t\tx" + std::u16string(60, u'a'));
    EXPECT_EQ(grid.lines[1]->IndentColumns(), 8);
}

TEST(CLineLayout, LineStartAndLineEndRules)
{
    Grid grid(20, 2);
    const std::u16string letters(20, u'a');
    // "。" does not fit: the letter before it goes down with it.
    auto pieces = grid.Run(letters + u"。");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::u16string(19, u'a'));
    EXPECT_EQ(pieces[1], u"a。");
    EXPECT_EQ(grid.lines[0]->ColumnCount(), 19);
    EXPECT_EQ(grid.lines[0]->ColumnsUsed(), 19);
    EXPECT_EQ(grid.lines[0]->LastCharColumn(), 18);

    // "。" after "」": both "」" and the letter before it go down.
    pieces = grid.Run(std::u16string(17, u'a') + u"b」。");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::u16string(17, u'a'));
    EXPECT_EQ(pieces[1], u"b」。");

    // An ordinary letter does not fit after "「": the bracket goes down.
    pieces = grid.Run(std::u16string(18, u'a') + u"「b");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::u16string(18, u'a'));
    EXPECT_EQ(pieces[1], u"「b");
    const CTextLine& narrowed = *grid.lines[0];
    EXPECT_EQ(narrowed.ColumnCount(), 18);
    // The tail of the map points past the last character up to the column count and beyond.
    for (int c = narrowed.ColumnsUsed(); c < narrowed.Capacity(); ++c)
        ASSERT_EQ(narrowed.MapAt(c), 18) << c;

    // A line of nothing but line-start forbidden characters keeps its first one.
    pieces = grid.Run(std::u16string(15, u'。'));
    EXPECT_EQ(pieces[0], u"。");

    // Switched off, lines break exactly where the next character does not fit.
    grid.font.SetKinsoku(false);
    pieces = grid.Run(letters + u"。");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], letters);
    pieces = grid.Run(std::u16string(18, u'a') + u"「b");
    EXPECT_EQ(pieces[0], std::u16string(18, u'a') + u"「");
}

TEST(CLineLayout, TailOfTheMapPointsPastTheLastCharacter)
{
    Grid grid(20, 2);
    grid.Run(u"ab漢");
    const CTextLine& line = *grid.lines[0];
    EXPECT_EQ(line.ColumnsUsed(), 4);
    EXPECT_EQ(line.LastCharColumn(), 2);
    EXPECT_EQ(line.MapAt(2), 2);
    EXPECT_EQ(line.MapAt(3), 2);
    for (int c = 4; c <= line.ColumnCount(); ++c)
        ASSERT_EQ(line.MapAt(c), 3) << c;
}

TEST(CLineLayout, CharacterWiderThanTheLineStillAdvances)
{
    Grid grid(20, 2);
    grid.measurer->SetWidth(u'W', 30 * Grid::kCell);
    const auto pieces = grid.Run(u"WWxW");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], u"W");
    EXPECT_EQ(pieces[2], u"x");
    const CTextLine& line = *grid.lines[0];
    EXPECT_EQ(line.ColumnsUsed(), line.ColumnCount());
    EXPECT_EQ(line.MapAt(line.ColumnCount()), 1);

    // A run of zero-width characters is cut at the size of the character records.
    grid.measurer->SetWidth(u'z', 0);
    const auto zero = grid.Run(std::u16string(100, u'z'));
    EXPECT_GT(zero.size(), 1u);
    for (const auto& l : grid.lines)
        EXPECT_LT(l->CharCount(), l->Capacity());
}

// Surrogate pairs: 😀 is U+1F600 (D83D DE00); the fixed measurer gives characters above U+FFFF two
// cells unless told otherwise.
const std::u16string kSmile = u"\U0001F600";

bool SplitsAPair(const std::vector<std::u16string>& pieces)
{
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k)
        if (!pieces[k].empty() && CUtf16::IsHigh(pieces[k].back()) && CUtf16::IsLow(pieces[k + 1].front()))
            return true;
    return false;
}

TEST(CLineLayout, SurrogatePairIsOneCharacterOnTheGrid)
{
    Grid grid(14, 2);
    const std::u16string four = kSmile + kSmile + kSmile + kSmile;
    auto pieces = grid.Run(four);
    ASSERT_EQ(pieces.size(), 1u);
    const CTextLine& line = *grid.lines[0];
    EXPECT_EQ(line.ColumnsUsed(), 8);
    EXPECT_EQ(line.CharCount(), 8);
    // Both cells of a pair map to its high surrogate; the low surrogate has no cell.
    const int expected[] = {0, 0, 2, 2, 4, 4, 6, 6, 8};
    for (int c = 0; c < 9; ++c)
        EXPECT_EQ(line.MapAt(c), expected[c]) << c;
    EXPECT_EQ(line.LastCharColumn(), 6);
    EXPECT_EQ(grid.measurer->Calls(), 1) << "measured once as one character, then cached";

    // As wide as a platform font may make it (4 cells): the line ends between pairs, never
    // between the halves of one.
    grid.measurer->SetWidth(U'\U0001F600', 4 * Grid::kCell);
    grid.font.SetCacheEnabled(true);
    pieces = grid.Run(four);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], kSmile + kSmile + kSmile);
    EXPECT_EQ(pieces[1], kSmile);
    EXPECT_EQ(grid.lines[0]->ColumnsUsed(), 12);

    // A lone surrogate is a character of its own.
    grid.font.SetCacheEnabled(true);
    pieces = grid.Run(u"\xD83D" u"a" + kSmile);
    const CTextLine& lone = *grid.lines[0];
    EXPECT_EQ(lone.MapAt(0), 0);
    EXPECT_EQ(lone.MapAt(2), 1);
    EXPECT_EQ(lone.MapAt(3), 2);
    EXPECT_EQ(lone.ColumnsUsed(), 7);
}

TEST(CLineLayout, BreakingRulesStepOverAPairWhole)
{
    Grid grid(10, 2);
    // 8 letters and 😀 fill the line; "。" does not fit and pulls its predecessor down: the whole
    // pair goes, not its low half.
    const std::u16string text = std::u16string(8, u'a') + kSmile + u"。";
    auto pieces = grid.Run(text);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::u16string(8, u'a'));
    EXPECT_EQ(pieces[1], kSmile + u"。");
    EXPECT_EQ(grid.lines[0]->ColumnCount(), 8);
    EXPECT_EQ(grid.lines[0]->LastCharColumn(), 7);

    // A pair in the line-end set goes down to the next line whole.
    grid.settings.SetLineEndForbidden(u"「" + kSmile);
    pieces = grid.Run(std::u16string(8, u'a') + kSmile + u"b");
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[1], kSmile + u"b");
    EXPECT_FALSE(grid.settings.IsLineEndForbidden(u'\xD83D')) << "a lone half never matches a pair in the set";

    // Without the rules the line is simply full after the pair.
    grid.font.SetKinsoku(false);
    pieces = grid.Run(text);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::u16string(8, u'a') + kSmile);
    EXPECT_EQ(pieces[1], u"。");
    // The pair that does not fit starts the next line.
    pieces = grid.Run(std::u16string(9, u'a') + kSmile + kSmile);
    EXPECT_FALSE(SplitsAPair(pieces));
    EXPECT_EQ(pieces[0], std::u16string(9, u'a'));
}

TEST(CLineLayout, PairsInSingleCellsFillTheLine)
{
    // 𝐀 (U+1D400) one cell wide: 14 of them take 28 units, more than the arrays were made for.
    Grid grid(14, 2);
    grid.measurer->SetWidth(U'\U0001D400', Grid::kCell);
    std::u16string text;
    for (int k = 0; k < 20; ++k)
        text += u"\U0001D400";
    const auto pieces = grid.Run(text);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0].size(), 28u);
    const CTextLine& line = *grid.lines[0];
    EXPECT_EQ(line.CharCount(), 28);
    EXPECT_LT(line.CharCount(), line.Capacity());
    EXPECT_EQ(line.MapAt(13), 26);
    EXPECT_EQ(line.MapAt(14), 28);
}

}  // namespace
