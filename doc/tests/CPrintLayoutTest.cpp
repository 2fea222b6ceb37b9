// The page arithmetic of printing and what each printed page holds, on a document list with fixed
// 8-pixel cells and 18-pixel lines.
#include <gtest/gtest.h>

#include "doc/CChapter.h"
#include "doc/CPagePlan.h"
#include "doc/CPictChapter.h"
#include "doc/CPrintLayout.h"
#include "doc/tests/CTestDocList.h"

#include <string>

namespace {

TEST(PrintLayoutTest, FontHeightScaleSpacingAndLinesPerPage)
{
    EXPECT_EQ(CPrintLayout::FontHeight(10, 600), -83);
    EXPECT_EQ(CPrintLayout::FontHeight(10, 300), -42);  // 41.67 rounds to 42
    EXPECT_EQ(CPrintLayout::FontHeight(12, 96), -16);

    const double s = CPrintLayout::Scale(-83, -16);
    EXPECT_DOUBLE_EQ(s, 5.1875);
    EXPECT_EQ(CPrintLayout::LineSpacing(2, s), 11);  // 10.375 rounded up
    EXPECT_EQ(CPrintLayout::LinesPerPage(6600, 83 + 11, 4, 4), 62);
    EXPECT_EQ(CPrintLayout::LinesPerPage(500, 94, 4, 4), -3) << "margins larger than the page";
    EXPECT_EQ(CPrintLayout::LinesPerPage(6600, 0, 4, 4), 0);
    // A screen font height that was never stored must not make the scale infinite.
    EXPECT_DOUBLE_EQ(CPrintLayout::Scale(-42, 0), 1.0);
}

TEST(PrintLayoutTest, PicturesScaleTruncatedAndPageNumbersAreCentred)
{
    const CPrintPicture picture = CPrintLayout::Picture(100, 80, 5, 2.625);
    EXPECT_EQ(picture.width, 262);   // 262.5
    EXPECT_EQ(picture.height, 210);
    EXPECT_EQ(picture.top, 13);      // 13.125

    EXPECT_EQ(CPrintLayout::PageNumberText(0), u"- 1 -");
    EXPECT_EQ(CPrintLayout::PageNumberText(2), u"- 3 -");
    EXPECT_EQ(CPrintLayout::PageNumberText(99), u"- 100 -");
    EXPECT_EQ(CPrintLayout::PageNumberColumn(80, 5, 16), 37 + 16);
    EXPECT_EQ(CPrintLayout::PageNumberColumn(80, 7, 16), 36 + 16);
    EXPECT_EQ(CPrintLayout::PageNumberRow(4, 62, 62), 67);
    EXPECT_EQ(CPrintLayout::PageNumberRow(4, 62, 3), 67) << "a short page keeps the row of a full one";
    EXPECT_EQ(CPrintLayout::PageNumberRow(4, 0, 25), 30) << "without a line count, below the page's rows";
}

class PagePlanTest : public testing::Test {
protected:
    void SetUp() override { doc = MakeTestDocList(pictures); }

    // n one-line paragraphs "t0", "t1", ...
    void Paragraphs(int n)
    {
        std::u16string text;
        for (int i = 0; i < n; ++i) {
            if (i)
                text += u"\r\n";
            text += u't';
            text += static_cast<char16_t>(u'0' + i % 10);
        }
        doc->InsertAtCaret(text);
    }

    // A picture whose lines come before the paragraph at line `beforeLine`.
    CPictChapter* PictureBefore(int beforeLine, int height)
    {
        const int id = doc->NextPictureId();
        pictures.Add(id, 40, height);
        doc->SetCaret(beforeLine, 0);
        return doc->InsertPictureBeforeCaret(0, id, 40, height, 0, 0, 0, 0, -1, -1);
    }

    CMemoryPictures pictures;
    std::unique_ptr<CDocList> doc;
};

TEST_F(PagePlanTest, APictureSplitOverTwoPagesIsDrawnOnBothTheSecondTimeFromAbove)
{
    Paragraphs(12);
    // 110 pixels on 18-pixel lines: 7 lines, the last two of page 1 and five of page 2.
    CPictChapter* picture = PictureBefore(8, 110);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(picture->Lines(), 7);
    ASSERT_EQ(doc->LineCount(), 19);
    ASSERT_EQ(doc->Paginate(10), 2);

    CPagePlan plan;
    ASSERT_TRUE(plan.Build(*doc, 0, 4, 10));
    EXPECT_EQ(plan.rows, 10);
    ASSERT_EQ(plan.items.size(), 9u) << "eight text lines and the picture once";
    EXPECT_EQ(plan.items[8].line, nullptr);
    EXPECT_EQ(plan.items[8].chapter->Picture(), picture);
    EXPECT_EQ(plan.items[8].row, 4 + 8) << "page 1 shows it from its first line";
    EXPECT_EQ(plan.pageNumberRow, 4 + 10 + 1);

    ASSERT_TRUE(plan.Build(*doc, 1, 4, 10));
    EXPECT_EQ(plan.firstLine, 10);
    EXPECT_EQ(plan.lastLine, 18);
    ASSERT_EQ(plan.items.size(), 5u) << "the picture once and four text lines";
    EXPECT_EQ(plan.items[0].chapter->Picture(), picture);
    EXPECT_EQ(plan.items[0].row, 4 - 2) << "shifted up by the two rows page 1 showed";
    EXPECT_EQ(plan.items[1].row, 4 + 5) << "the text after the picture's last five lines";
    EXPECT_EQ(plan.items[1].line, doc->LineAt(15));
}

TEST_F(PagePlanTest, APictureStartingOnAPageIsPlacedAtItsFirstLineOnly)
{
    Paragraphs(3);
    CPictChapter* picture = PictureBefore(1, 40);  // 3 lines
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(doc->Paginate(50), 1);
    CPagePlan plan;
    ASSERT_TRUE(plan.Build(*doc, 0, 2, 50));
    ASSERT_EQ(plan.items.size(), 4u);
    EXPECT_EQ(plan.items[1].chapter->Picture(), picture);
    EXPECT_EQ(plan.items[1].row, 3);
    EXPECT_EQ(plan.items[2].row, 6) << "the text after the picture's three rows";
}

TEST_F(PagePlanTest, APageBreakOnTheFirstChapterMakesAPageOfItsLinesAlone)
{
    doc->InsertAtCaret(u"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                       u"0123456789012345678901234567890123456789012345678901234567890123\r\nnext\r\nlast");
    ASSERT_EQ(doc->ChapterAtLine(0)->LineCount(), 3);
    doc->SetCaret(0, 0);
    doc->SetPageBreak(true);
    ASSERT_EQ(doc->Paginate(62), 2);
    CPagePlan plan;
    ASSERT_TRUE(plan.Build(*doc, 0, 4, 62));
    ASSERT_EQ(plan.items.size(), 3u);
    for (const CPageItem& item : plan.items)
        EXPECT_EQ(item.chapter, doc->ChapterAtLine(0));
    ASSERT_TRUE(plan.Build(*doc, 1, 4, 62));
    EXPECT_EQ(plan.items.front().row, 4);
    EXPECT_EQ(plan.items.front().line, doc->LineAt(3));
}

TEST_F(PagePlanTest, WithoutALineCountEachPageRunsToTheNextBreak)
{
    Paragraphs(30);
    doc->SetCaret(9, 0);
    doc->SetPageBreak(true);
    for (int lines : {0, -5}) {
        ASSERT_EQ(doc->Paginate(lines), 2) << lines;
        EXPECT_EQ(doc->Pages().ItemAt(0)->lastLine, 9);
        EXPECT_EQ(doc->Pages().ItemAt(1)->lastLine, 29);
        CPagePlan plan;
        ASSERT_TRUE(plan.Build(*doc, 1, 4, lines));
        EXPECT_EQ(plan.rows, 20);
        EXPECT_EQ(plan.pageNumberRow, 4 + 20 + 1);
    }
}

TEST_F(PagePlanTest, APageOutsideTheListOrOnMissingLinesGivesNothing)
{
    Paragraphs(5);
    CPagePlan plan;
    EXPECT_FALSE(plan.Build(*doc, 0, 4, 10)) << "not paginated: no pages";
    ASSERT_EQ(doc->Paginate(10), 1);
    EXPECT_FALSE(plan.Build(*doc, 1, 4, 10));
    EXPECT_FALSE(plan.Build(*doc, -1, 4, 10));
    EXPECT_TRUE(plan.items.empty());
    // The memo shrank after paginating: the page's lines are gone.
    doc->SetCaret(0, 0);
    doc->DeleteAtCaret(100);
    ASSERT_EQ(doc->LineCount(), 1);
    ASSERT_EQ(doc->Pages().Count(), 1);
    ASSERT_TRUE(plan.Build(*doc, 0, 4, 10)) << "its first line still exists";
    EXPECT_EQ(plan.rows, 1) << "only the lines that exist";
    doc->ClearPages();
    EXPECT_FALSE(plan.Build(*doc, 0, 4, 10));
}

}  // namespace
