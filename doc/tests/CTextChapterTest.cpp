#include "doc/tests/CTestDoc.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Repeat(char16_t ch, int n)
{
    return std::u16string(static_cast<std::size_t>(n), ch);
}

TEST(CTextChapter, BufferGrowsInBlocksOf256)
{
    CTestDoc doc;
    CTextChapter* chapter = doc.First();
    EXPECT_EQ(chapter->Capacity(), 257);
    const char16_t* before = chapter->Text();
    EXPECT_EQ(chapter->SetLength(256), 0);
    EXPECT_EQ(chapter->Text(), before);
    EXPECT_EQ(chapter->Capacity(), 257);

    std::fill_n(const_cast<char16_t*>(chapter->Text()), 256, u'x');
    EXPECT_EQ(chapter->SetLength(257), 256);
    EXPECT_EQ(chapter->Capacity(), 513);
    EXPECT_EQ(chapter->View().substr(0, 256), Repeat(u'x', 256));
    EXPECT_EQ(chapter->Text()[257], 0);
    EXPECT_EQ(chapter->SetLength(3), 257);
    EXPECT_EQ(chapter->Capacity(), 257);
    EXPECT_EQ(chapter->View(), u"xxx");
}

TEST(CTextChapter, EditsAndChangeNotification)
{
    CTestDoc doc;
    CTextChapter* chapter = doc.First();
    CChapter* owner = chapter->Chapter();
    const auto count = owner->ChangeCount();
    EXPECT_FALSE(doc.Modified());
    ASSERT_TRUE(chapter->Insert(0, u"abcdefghij"));
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.UndoAvailable());
    EXPECT_GT(owner->ChangeCount(), count);
    ASSERT_TRUE(chapter->Insert(3, u"XY"));
    EXPECT_EQ(chapter->View(), u"abcXYdefghij");

    // 10 units from 4 before the end: 4 go, 6 are left for the next chapter.
    EXPECT_EQ(chapter->Delete(chapter->Length() - 4, 10), 6);
    EXPECT_EQ(chapter->View(), u"abcXYdef");
    EXPECT_EQ(chapter->Delete(3, 2), 0);
    EXPECT_EQ(chapter->View(), u"abcdef");

    ASSERT_TRUE(chapter->InsertIndent(2));
    EXPECT_EQ(chapter->View(), u"\t\tabcdef");
    EXPECT_EQ(chapter->IndentCount(), 2);
    EXPECT_EQ(owner->IndentCount(), 2);
}

TEST(CTextChapter, SplitAndAppendHandleIndent)
{
    CTestDoc doc;
    CTextChapter* first = doc.First();
    first->Insert(0, u"\t\t\tabcdef");
    int indent = -1;
    CTextChapter* carried = first->Split(6, true, &indent);
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(indent, 3);
    EXPECT_EQ(first->View(), u"\t\t\tabc");
    EXPECT_EQ(carried->View(), u"\t\t\tdef");
    CTextChapter* plain = carried->Split(4, false);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->View(), u"ef");
    // A split inside the leading TABs still leaves the new chapter with exactly three.
    CTextChapter* inside = first->Split(1, true);
    EXPECT_EQ(inside->View(), u"\t\t\tabc");
    EXPECT_EQ(first->View(), u"\t");

    ASSERT_EQ(doc.Chapters().Count(), 4);
    ASSERT_EQ(doc.Lines().Count(), 4);
    // Chapters and their lines stand in the same order.
    int i = 0;
    for (CListNode* node = doc.Chapters().Head(); node; ++i) {
        CChapter* chapter = doc.Chapters().StepForward(node);
        EXPECT_EQ(doc.Lines().PositionOf(chapter->FirstLine()), i);
    }

    CTextChapter* last = doc.Append(u"\t\txyz");
    plain->Append(*last, true);
    EXPECT_EQ(plain->View(), u"efxyz");
    plain->Append(*last, false);
    EXPECT_EQ(plain->View(), u"efxyz\t\txyz");
    doc.DeleteChapter(last->Chapter()->Position());
    EXPECT_EQ(doc.Chapters().Count(), 4);
    EXPECT_EQ(doc.Lines().Count(), 4);
}

TEST(CTextChapter, LineAndOffsetConversions)
{
    CTestDoc doc(20);
    CTextChapter* chapter = doc.First();
    // 20 letters fill line 0; line 1 starts with full-width characters.
    chapter->Insert(0, Repeat(u'a', 20) + u"漢字b");
    ASSERT_EQ(chapter->LineCount(), 2);
    EXPECT_EQ(chapter->LineText(0), Repeat(u'a', 20));
    EXPECT_EQ(chapter->LineText(1), u"漢字b");
    EXPECT_EQ(chapter->LineText(2), u"");
    EXPECT_EQ(chapter->LineAt(2), nullptr);

    // The end of a line belongs to the next line when there is one, else to the last.
    auto pos = chapter->OffsetToLine(20);
    EXPECT_EQ(pos.line, 1);
    EXPECT_EQ(pos.offset, 0);
    pos = chapter->OffsetToLine(19);
    EXPECT_EQ(pos.line, 0);
    EXPECT_EQ(pos.offset, 19);
    pos = chapter->OffsetToLine(23);
    EXPECT_EQ(pos.line, 1);
    EXPECT_EQ(pos.offset, 3);

    EXPECT_EQ(chapter->ColumnToOffset(1, 0), 20);
    EXPECT_EQ(chapter->ColumnToOffset(1, 3), 21);  // second cell of 字
    EXPECT_EQ(chapter->ColumnToOffset(1, 19), 23); // past the end of the line
    EXPECT_EQ(chapter->ColumnToOffset(5, 0), -1);

    auto caret = chapter->OffsetToCaret(22);
    EXPECT_EQ(caret.line, 1);
    EXPECT_EQ(caret.column, 4);
    caret = chapter->OffsetToCaret(20);  // shown at the end of line 0
    EXPECT_EQ(caret.line, 0);
    EXPECT_EQ(caret.column, 20);
    caret = chapter->OffsetToCaret(23);
    EXPECT_EQ(caret.line, 1);
    EXPECT_EQ(caret.column, 5);
}

TEST(CTextChapter, LayoutReusesAddsAndDropsLines)
{
    CTestDoc doc(20);
    CTextChapter* first = doc.First();
    CTextChapter* second = doc.Append(u"tail");
    first->Insert(0, Repeat(u'a', 50));
    ASSERT_EQ(first->LineCount(), 3);
    ASSERT_EQ(doc.Lines().Count(), 4);

    // Same number of lines: only the re-laid lines are dirty.
    doc.Dirty().Reset();
    doc.Dirty().MarkLine(0);
    first->Insert(45, u"b");
    EXPECT_EQ(doc.Dirty().First(), 0);
    EXPECT_EQ(doc.Dirty().Last(), 2);

    // Fewer lines: the surplus goes and everything below is dirty.
    doc.Dirty().Reset();
    doc.Dirty().MarkLine(0);
    first->Delete(5, 40);
    EXPECT_EQ(first->LineCount(), 1);
    EXPECT_EQ(doc.Lines().Count(), 2);
    EXPECT_EQ(doc.Dirty().Last(), -1);
    EXPECT_EQ(doc.Lines().Item(doc.Lines().NodeAt(1))->Chapter(), second->Chapter()->Position());
    EXPECT_EQ(second->Chapter()->FirstLine(), doc.Lines().NodeAt(1));

    // An empty chapter keeps one empty line.
    first->Delete(0, 100);
    EXPECT_EQ(first->LineCount(), 1);
    EXPECT_EQ(first->LineAt(0)->Length(), 0);
}

TEST(CTextChapter, EditOnALaterLineCanMoveAnEarlierBreak)
{
    CTestDoc doc(20);
    CTextChapter* chapter = doc.First();
    chapter->Insert(0, Repeat(u'a', 20) + u"bc");
    ASSERT_EQ(chapter->LineText(0), Repeat(u'a', 20));
    // "。" typed at the start of the second line may not begin it: the last letter of the first
    // line comes down with it.
    chapter->Insert(20, u"。");
    EXPECT_EQ(chapter->LineText(0), Repeat(u'a', 19));
    EXPECT_EQ(chapter->LineText(1), u"a。bc");
    chapter->Delete(20, 1);
    EXPECT_EQ(chapter->LineText(0), Repeat(u'a', 20));
    EXPECT_EQ(chapter->LineText(1), u"bc");
}

TEST(CTextChapter, CharactersWiderThanTheLineStillLayOut)
{
    CTestDoc doc(20);
    doc.Measurer().SetWidth(u'W', 25 * CTestDoc::kCell);
    CTextChapter* chapter = doc.First();
    chapter->Insert(0, u"WWWWW");
    EXPECT_EQ(chapter->LineCount(), 5);
    chapter->Insert(2, u"\tW");
    EXPECT_EQ(chapter->LineCount(), 7);  // the TAB stands alone: the W after it does not fit
}

// Half a pair typed next to its other half makes one character: the line before may now take it.
TEST(CTextChapter, JoiningThePairHalvesLaysOutTheLineBefore)
{
    CTestDoc doc(10);
    doc.Measurer().SetWidth(U'\U0001F600', CTestDoc::kCell);  // the pair in one cell, each half in two
    CTextChapter* chapter = doc.First();
    ASSERT_TRUE(chapter->Insert(0, Repeat(u'a', 9) + u"\xD83D" + u"b"));
    ASSERT_EQ(chapter->LineCount(), 2);
    EXPECT_EQ(chapter->LineAt(0)->End(), 9) << "the lone half does not fit";
    ASSERT_TRUE(chapter->Insert(10, u"\xDE00"));
    EXPECT_EQ(chapter->LineAt(0)->End(), 11) << "the pair fits in the last cell";
    EXPECT_EQ(chapter->LineAt(1)->Start(), 11);
    // Parting them again sends the lone half back down.
    chapter->Delete(10, 1);
    EXPECT_EQ(chapter->LineAt(0)->End(), 9);
}

}  // namespace
