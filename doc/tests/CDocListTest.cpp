#include "doc/CDocList.h"

#include "doc/CChapter.h"
#include "doc/CPictChapter.h"
#include "doc/CTextChapter.h"
#include "doc/tests/CTestDocList.h"
#include "text/CUtf16.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::u16string Number(int v)
{
    std::u16string s;
    for (char c : std::to_string(v))
        s += static_cast<char16_t>(c);
    return s;
}

constexpr int kCell = 8;
constexpr int kLineHeight = 18;  // 16-pixel text + 2 pixels of spacing

class DocListTest : public testing::Test {
protected:
    void Make(int columns = 80, int tabWidth = 2) { doc = MakeTestDocList(pictures, columns, tabWidth); }
    void SetUp() override { Make(); }

    // Paragraph texts, pictures as "[pic N]".
    std::vector<std::u16string> Paragraphs() const
    {
        std::vector<std::u16string> out;
        doc->Chapters().ForEach([&](const CChapter* c) {
            if (c->Text())
                out.emplace_back(c->Text()->View());
            else
                out.push_back(u"[pic " + std::u16string(1, static_cast<char16_t>(u'0' + c->Picture()->PictureId())) + u"]");
        });
        return out;
    }
    CChapter* ChapterAt(int i) const { return doc->Chapters().ItemAt(i); }
    void InsertPicture(int id, int width, int height)
    {
        pictures.Add(id, width, height);
        CPictChapter* p = doc->CreatePictChapter(doc->Chapters().Tail(), 0);
        ASSERT_TRUE(p->SetPicture(id, -1, -1, 0, 0, CPictChapter::Part{-1, -1, -1, -1}));
    }

    CMemoryPictures pictures;
    std::unique_ptr<CDocList> doc;
};

using Paras = std::vector<std::u16string>;

TEST_F(DocListTest, InsertingSplitsAtLineEndsAndCarriesIndentWhenAsked)
{
    doc->InsertAtCaret(u"one\r\ntwo\nthree");
    EXPECT_EQ(Paragraphs(), (Paras{u"one", u"two", u"three"}));
    EXPECT_EQ(doc->CaretLine(), 2);
    EXPECT_EQ(doc->CaretColumn(), 5);
    EXPECT_TRUE(doc->Modified());

    Make();
    doc->SetIndentFlag(true);
    doc->InsertAtCaret(u"\t\titem");
    doc->InsertAtCaret(u"\r\nnext");
    EXPECT_EQ(Paragraphs(), (Paras{u"\t\titem", u"\t\tnext"}));
    doc->SetIndentFlag(false);
    doc->InsertAtCaret(u"\r\nplain");
    EXPECT_EQ(Paragraphs().back(), u"plain");
}

TEST_F(DocListTest, TypingOnAPictureStartsAParagraphAfterIt)
{
    InsertPicture(1, 40, 30);
    const int pictureLine = doc->Lines().PositionOf(ChapterAt(1)->FirstLine());
    doc->InsertText(pictureLine, 0, u"x");
    EXPECT_EQ(Paragraphs(), (Paras{u"", u"[pic 1]", u"x"}));
}

TEST_F(DocListTest, ForwardDeleteJoinsParagraphsAndRemovesPictures)
{
    doc->InsertAtCaret(u"ab\r\ncd");
    doc->SetCaret(0, 2);
    doc->DeleteAtCaret(1);
    EXPECT_EQ(Paragraphs(), (Paras{u"abcd"}));

    doc->SetCaret(0, 1);
    doc->DeleteAtCaret(2);
    EXPECT_EQ(Paragraphs(), (Paras{u"ad"}));

    Make();
    doc->SetIndentFlag(true);
    doc->InsertAtCaret(u"a\r\n\t\tb");
    doc->SetCaret(0, 1);
    doc->DeleteAtCaret(1);
    EXPECT_EQ(Paragraphs(), (Paras{u"ab"})) << "the joined paragraph's TABs are dropped";

    // Before a picture: the picture goes; an empty paragraph in front of a picture goes instead.
    Make();
    InsertPicture(1, 40, 30);
    doc->SetCaret(0, 0);
    doc->DeleteAtCaret(1);
    EXPECT_EQ(Paragraphs(), (Paras{u"[pic 1]"}));
    doc->SetCaret(0, 0);
    doc->DeleteAtCaret(1);
    EXPECT_EQ(Paragraphs(), (Paras{u""}));
    EXPECT_FALSE(pictures.Has(1)) << "the removed chapter released its picture";
}

TEST_F(DocListTest, StreamSelectionAcrossChaptersDeletesAndJoins)
{
    doc->InsertAtCaret(u"hello\r\nmiddle\r\nworld");
    doc->SetCaret(0, 2);
    doc->BeginSelection(1);
    doc->SetCaret(2, 3);
    doc->Select(CDocList::kStream);
    EXPECT_EQ(doc->SelectedText().text, u"llo\r\nmiddle\r\nwor");
    EXPECT_EQ(doc->Selection().RecordCount(), 3);
    EXPECT_TRUE(doc->LineAt(0)->CharInfo(2)->Selected());
    EXPECT_FALSE(doc->LineAt(0)->CharInfo(1)->Selected());
    EXPECT_TRUE(doc->DeleteSelection());
    EXPECT_EQ(Paragraphs(), (Paras{u"held"}));
    EXPECT_EQ(doc->CaretColumn(), 2);
    EXPECT_FALSE(doc->HasSelection());
}

TEST_F(DocListTest, SelectionsHoldingPicturesCopyTagsAndDeleteWholePictures)
{
    doc->InsertAtCaret(u"ab");
    InsertPicture(1, 40, 30);
    doc->CreateTextChapter(doc->Chapters().Tail())->Insert(0, u"cd");
    const int last = doc->LineCount() - 1;
    doc->SetCaret(0, 1);
    doc->BeginSelection(1);
    doc->SetCaret(last, 1);
    doc->Select(CDocList::kStream);
    EXPECT_EQ(doc->SelectedText().text, u"b\r\n<IMG SRC=\"pic1.tif\">\r\nc");
    EXPECT_EQ(doc->SelectedText().pictureId, -1);
    doc->DeleteSelection();
    EXPECT_EQ(Paragraphs(), (Paras{u"ad"}));
    EXPECT_FALSE(pictures.Has(1));

    // A range holding only a picture is reported as that picture.
    Make();
    InsertPicture(2, 40, 30);
    const CChapter* picture = ChapterAt(1);
    const auto range = doc->TextBetween({picture->Position(), 0}, {picture->Position(), 1});
    EXPECT_EQ(range.pictureId, 2);
}

TEST_F(DocListTest, RectangleSelectionCutsTheSameColumnsOnEveryLine)
{
    doc->InsertAtCaret(u"abcdef\r\nghijkl\r\nmnopqr");
    doc->SetCaret(0, 1);
    doc->BeginSelection(2);
    doc->SetCaret(2, 3);
    doc->Select(CDocList::kRectangle);
    EXPECT_EQ(doc->SelectedText().text, u"bc\r\nhi\r\nno");
    doc->DeleteSelection();
    EXPECT_EQ(Paragraphs(), (Paras{u"adef", u"gjkl", u"mpqr"}));
}

TEST_F(DocListTest, HorizontalMovesPassWholeCharactersAndWrapToNeighbouringLines)
{
    doc->InsertAtCaret(u"a漢b\r\nc");
    doc->SetCaret(0, 0);
    doc->MoveCaret(0, 1, false);
    EXPECT_EQ(doc->CaretColumn(), 1);
    doc->MoveCaret(0, 1, false);
    EXPECT_EQ(doc->CaretColumn(), 3) << "the full-width character is passed in one step";
    doc->MoveCaret(0, 2, false);
    EXPECT_EQ(doc->CaretLine(), 1);
    EXPECT_EQ(doc->CaretColumn(), 0);
    doc->MoveCaret(0, -1, false);
    EXPECT_EQ(doc->CaretLine(), 0);
    EXPECT_EQ(doc->CaretColumn(), 4);
    doc->SetCaret(0, 2);  // inside the full-width character
    EXPECT_EQ(doc->CaretColumn(), 1);
}

TEST_F(DocListTest, VerticalMovesAimAtThePreferredColumnAndCanPad)
{
    doc->InsertAtCaret(u"abcdefgh\r\nab\r\nabcdefgh");
    doc->SetCaret(0, 6);
    doc->MoveCaret(1, 0, false);
    EXPECT_EQ(doc->CaretColumn(), 2);
    doc->MoveCaret(1, 0, false);
    EXPECT_EQ(doc->CaretColumn(), 6) << "the preferred column survives the short line";
    doc->MoveCaret(-1, 0, true);
    EXPECT_EQ(Paragraphs()[1], u"ab    ");
    EXPECT_EQ(doc->CaretColumn(), 6);

    // Down from the last line opens a new paragraph; up from the first stays.
    const int chapters = doc->Chapters().Count();
    doc->SetCaret(doc->LineCount() - 1, 0);
    doc->MoveCaret(1, 0, false);
    EXPECT_EQ(doc->Chapters().Count(), chapters + 1);
    EXPECT_EQ(doc->CaretLine(), doc->LineCount() - 1);
    doc->SetCaret(0, 3);
    doc->MoveCaret(-1, 0, false);
    EXPECT_EQ(doc->CaretLine(), 0);
}

TEST_F(DocListTest, CaretCrossesAPictureInOneStep)
{
    doc->InsertAtCaret(u"top");
    InsertPicture(1, 40, 100);  // 100 / 18 + 1 = 6 lines
    doc->CreateTextChapter(doc->Chapters().Tail())->Insert(0, u"bottom");
    ASSERT_EQ(doc->LineCount(), 8);
    doc->SetCaret(0, 1);
    doc->MoveCaret(1, 0, false);
    EXPECT_EQ(doc->CaretLine(), 1);
    EXPECT_EQ(doc->CaretColumn(), 0);
    doc->MoveCaret(1, 0, false);
    EXPECT_EQ(doc->CaretLine(), 7) << "one step passes the whole picture";
    doc->MoveCaret(-1, 0, false);
    EXPECT_EQ(doc->CaretLine(), 6) << "arriving from below lands on the picture's last line";
    doc->SetCaret(1, 0);
    doc->MoveCaret(0, 1, false);
    EXPECT_GT(doc->CaretColumn(), 0) << "after the picture";
    doc->MoveCaret(0, 1, false);
    EXPECT_EQ(doc->CaretLine(), 7);
}

TEST_F(DocListTest, HitTestSnapsToCharactersAndClampsToLines)
{
    doc->InsertAtCaret(u"a漢b\r\nxy");
    int line = -1;
    int column = -1;
    doc->HitTest(2 * kCell + 3, 5, line, column);
    EXPECT_EQ(line, 0);
    EXPECT_EQ(column, 1) << "the second cell of the full-width character";
    doc->HitTest(70 * kCell, kLineHeight + 1, line, column);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 2) << "past the end of the text";
    doc->HitTest(-50, 100 * kLineHeight, line, column);
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 0);
}

TEST_F(DocListTest, PagesFollowTheLineCountAndPageBreaks)
{
    std::u16string text;
    for (int i = 0; i < 120; ++i)
        text += i ? u"\r\nline" : u"line";
    doc->InsertAtCaret(text);
    ASSERT_EQ(doc->LineCount(), 120);
    ASSERT_EQ(doc->Paginate(50), 3);
    const auto* p = &doc->Pages();
    EXPECT_EQ(p->ItemAt(0)->firstLine, 0);
    EXPECT_EQ(p->ItemAt(0)->lastLine, 49);
    EXPECT_EQ(p->ItemAt(1)->firstLine, 50);
    EXPECT_EQ(p->ItemAt(2)->firstLine, 100);
    EXPECT_EQ(p->ItemAt(2)->lastLine, 119);

    // A first paragraph of three lines with a page break makes a page of its own.
    Make(10);
    doc->InsertAtCaret(u"0123456789012345678901234\r\nnext");
    ASSERT_EQ(ChapterAt(0)->LineCount(), 3);
    doc->SetCaret(0, 0);
    doc->SetPageBreak(true);
    EXPECT_TRUE(doc->PageBreakState());
    ASSERT_EQ(doc->Paginate(50), 2);
    EXPECT_EQ(doc->Pages().ItemAt(0)->lastLine, 2);
    EXPECT_EQ(doc->Paginate(0), 2) << "only page breaks end pages";
}

TEST_F(DocListTest, UndoCopiesOnlyChangedChaptersAndRestoresTheSnapshot)
{
    doc->InsertAtCaret(u"alpha\r\nbeta\r\ngamma");
    doc->TakeUndoCopy();
    EXPECT_FALSE(doc->UndoAvailable());
    const CChapter* shadow = ChapterAt(1)->ShadowLink();
    ASSERT_NE(shadow, nullptr);
    doc->TakeUndoCopy();
    EXPECT_EQ(ChapterAt(1)->ShadowLink(), shadow) << "nothing changed, nothing copied";

    doc->SetCaret(1, 4);
    doc->InsertAtCaret(u"!\r\nnew");
    doc->SetCaret(0, 0);
    doc->DeleteAtCaret(2);
    EXPECT_TRUE(doc->UndoAvailable());
    EXPECT_EQ(ChapterAt(2)->ShadowLink(), nullptr);
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(Paragraphs(), (Paras{u"alpha", u"beta", u"gamma"}));
    EXPECT_FALSE(doc->UndoAvailable());
    EXPECT_EQ(doc->CaretLine(), 2);
}

TEST_F(DocListTest, UndoBringsADeletedPictureBackUnderANewId)
{
    InsertPicture(1, 40, 30);
    doc->TakeUndoCopy();
    EXPECT_EQ(pictures.Count(), 2) << "the shadow holds its own copy";
    const int pictureLine = doc->Lines().PositionOf(ChapterAt(1)->FirstLine());
    doc->SetCaret(pictureLine, 0);
    doc->DeleteAtCaret(1);
    ASSERT_EQ(doc->Chapters().Count(), 1);
    ASSERT_TRUE(doc->Undo());
    ASSERT_EQ(doc->Chapters().Count(), 2);
    const CPictChapter* back = ChapterAt(1)->Picture();
    ASSERT_NE(back, nullptr);
    // The picture is a fresh copy of the shadow's (id 2); id 1 was released with the deleted
    // chapter and is the smallest free id again.
    EXPECT_EQ(back->PictureId(), 1);
    EXPECT_TRUE(pictures.Has(2)) << "the shadow keeps its own copy";
    EXPECT_EQ(pictures.Count(), 2);
    EXPECT_EQ(back->Width(), 40);
    EXPECT_EQ(pictures.Get(back->PictureId()).fileName, doc->PictureFileName(back->PictureId()));
}

TEST_F(DocListTest, PictureIdsAndViewSettings)
{
    EXPECT_EQ(doc->NextPictureId(), 1);
    pictures.Add(4, 1, 1);
    pictures.Add(2, 1, 1);
    pictures.Add(1, 1, 1);
    EXPECT_EQ(doc->NextPictureId(), 3);

    doc->SetTopLine(-5);
    EXPECT_EQ(doc->TopLine(), 0);
    doc->SetClientSize(400, 10 * kLineHeight);
    EXPECT_EQ(doc->VisibleLines(), 11);

    doc->SetMemoNames(u"C:\\memo\\", u"", u"memo");
    EXPECT_EQ(doc->PictureFileName(3), u"C:\\memo\\memo_3.tif");
}

TEST_F(DocListTest, SearchFindsExactMatchesWithinParagraphsOnly)
{
    doc->InsertAtCaret(u"cat Cat\r\ndog cat\r\nca\r\nt");
    doc->SetCaret(0, 0);
    ASSERT_TRUE(doc->SearchForward(u"cat"));
    EXPECT_EQ(doc->CaretLine(), 1) << "the search starts one past the caret; Cat differs in case";
    EXPECT_EQ(doc->CaretColumn(), 4);
    EXPECT_EQ(doc->SelectedText().text, u"cat");
    EXPECT_FALSE(doc->SearchForward(u"cat")) << "no match across a line end, no wrap";
    EXPECT_EQ(doc->CaretLine(), 1);
    EXPECT_TRUE(doc->HasSelection()) << "a failed search changes nothing";
    ASSERT_TRUE(doc->SearchBackward(u"cat"));
    EXPECT_EQ(doc->CaretLine(), 0);
    EXPECT_EQ(doc->CaretColumn(), 0);
}

TEST_F(DocListTest, ReplaceTakesTheMatchAtTheCaretAndSelectsTheReplacement)
{
    doc->InsertAtCaret(u"one two one");
    doc->SetCaret(0, 0);
    ASSERT_TRUE(doc->SearchForward(u"one"));
    EXPECT_EQ(doc->CaretColumn(), 8);
    ASSERT_TRUE(doc->Replace(u"one", u"three"));
    EXPECT_EQ(Paragraphs(), (Paras{u"one two three"}));
    EXPECT_EQ(doc->SelectedText().text, u"three");
    doc->SetCaret(0, 0);
    ASSERT_TRUE(doc->Replace(u"one ", u""));
    EXPECT_EQ(Paragraphs(), (Paras{u"two three"}));
    EXPECT_FALSE(doc->HasSelection());
}

TEST_F(DocListTest, DoubleClickSelectsTheWordOfTheCharacterClass)
{
    doc->InsertAtCaret(u"漢字をよむ abc123");
    doc->SetCaret(0, 2);  // on 字
    ASSERT_TRUE(doc->SelectWord());
    EXPECT_EQ(doc->SelectedText().text, u"漢字");
    doc->SetCaret(0, 12);  // on b
    ASSERT_TRUE(doc->SelectWord());
    EXPECT_EQ(doc->SelectedText().text, u"abc");
    doc->SetCaret(0, 10);  // the blank
    EXPECT_FALSE(doc->SelectWord());
}

const std::u16string kSmile = u"\U0001F600";  // D83D DE00, two cells

// A chapter as the undo copy sees it: payload, page break and change counter.
std::u16string Describe(const CChapter* c)
{
    if (!c)
        return u"none";
    std::u16string out = c->Text() ? std::u16string(c->Text()->View()) : u"[pic " + Number(c->Picture()->PictureId()) + u"]";
    return out + u" #" + Number(static_cast<int>(c->ChangeCount())) + (c->PageBreak() ? u" break" : u"");
}

// Two documents driven alike, one undoing by the change lists and one by the full walks, must
// agree on every chapter, every shadow and the order of the undo list.
void ExpectSameUndoState(const CDocList& a, const CDocList& b, int step)
{
    ASSERT_EQ(a.Chapters().Count(), b.Chapters().Count()) << "step " << step;
    ASSERT_EQ(a.UndoShadowCount(), b.UndoShadowCount()) << "step " << step;
    ASSERT_EQ(a.UndoAvailable(), b.UndoAvailable()) << "step " << step;
    ASSERT_EQ(a.LineCount(), b.LineCount()) << "step " << step;
    ASSERT_EQ(a.CaretLine(), b.CaretLine()) << "step " << step;
    ASSERT_EQ(a.CaretColumn(), b.CaretColumn()) << "step " << step;
    for (int i = 0; i < a.Chapters().Count(); ++i) {
        const CChapter* x = a.Chapters().ItemAt(i);
        const CChapter* y = b.Chapters().ItemAt(i);
        ASSERT_EQ(Describe(x), Describe(y)) << "step " << step << ", chapter " << i;
        ASSERT_EQ(Describe(x->ShadowLink()), Describe(y->ShadowLink())) << "step " << step << ", chapter " << i;
    }
    for (int i = 0; i < a.UndoShadowCount(); ++i) {
        const CChapter* x = a.UndoList().ItemAt(i);
        const CChapter* y = b.UndoList().ItemAt(i);
        ASSERT_EQ(Describe(x), Describe(y)) << "step " << step << ", shadow " << i;
        const int xLive = x->LiveLink() ? a.Chapters().PositionOf(x->LiveLink()->Position()) : -1;
        const int yLive = y->LiveLink() ? b.Chapters().PositionOf(y->LiveLink()->Position()) : -1;
        ASSERT_EQ(xLive, yLive) << "step " << step << ", shadow " << i;
        ASSERT_EQ(x->LiveLink() == nullptr || x->LiveLink()->ShadowLink() == x, true) << "step " << step;
    }
}


TEST_F(DocListTest, CaretMovesAndDeletesTakeASurrogatePairAsOneCharacter)
{
    doc->InsertAtCaret(u"a" + kSmile + u"bc");
    doc->SetCaret(0, 0);
    doc->MoveCaret(0, 1, false);
    EXPECT_EQ(doc->CaretPos().offset, 1);
    doc->MoveCaret(0, 1, false);
    EXPECT_EQ(doc->CaretColumn(), 3);
    EXPECT_EQ(doc->CaretPos().offset, 3) << "one step passes both halves";
    doc->MoveCaret(0, -1, false);
    EXPECT_EQ(doc->CaretPos().offset, 1);
    doc->SetCaret(0, 2);  // the pair's second cell
    EXPECT_EQ(doc->CaretColumn(), 1);
    // An offset inside the pair shows the caret before it.
    doc->SetCaretPos({doc->Chapters().Head(), 2});
    EXPECT_EQ(doc->CaretPos().offset, 1);

    doc->DeleteAtCaret(2);
    EXPECT_EQ(Paragraphs(), (Paras{u"ac"})) << "the pair and b are two characters";
    doc->InsertAtCaret(kSmile);
    EXPECT_EQ(doc->CaretPos().offset, 3);
    EXPECT_TRUE(doc->DeleteBeforeCaret());
    EXPECT_EQ(Paragraphs(), (Paras{u"ac"}));
    EXPECT_EQ(doc->CaretPos().offset, 1);
}

TEST_F(DocListTest, BackspaceDeletesTheCharacterBeforeTheCaretAndJoinsParagraphs)
{
    Make(10);
    doc->InsertAtCaret(u"0123456789AB\r\ncd");
    // At the start of a wrapped line the character before is on the line above.
    doc->SetCaret(1, 0);
    ASSERT_EQ(doc->CaretPos().offset, 10);
    EXPECT_TRUE(doc->DeleteBeforeCaret());
    EXPECT_EQ(Paragraphs(), (Paras{u"012345678AB", u"cd"}));
    EXPECT_EQ(doc->CaretPos().offset, 9);
    // At a paragraph start the line end goes, with the leading TABs when the indent flag is on.
    doc->SetCaretPos({doc->Chapters().Tail(), 0});
    EXPECT_TRUE(doc->DeleteBeforeCaret());
    EXPECT_EQ(Paragraphs(), (Paras{u"012345678ABcd"}));
    EXPECT_EQ(doc->CaretPos().offset, 11);
    doc->SetCaret(0, 0);
    EXPECT_FALSE(doc->DeleteBeforeCaret()) << "nothing before the start of the memo";
    EXPECT_EQ(Paragraphs(), (Paras{u"012345678ABcd"}));

    // Behind a picture the caret first steps over it, then the picture goes.
    Make();
    InsertPicture(1, 40, 30);
    doc->CreateTextChapter(doc->Chapters().Tail())->Insert(0, u"x");
    doc->SetCaretPos({doc->Chapters().Tail(), 0});
    EXPECT_TRUE(doc->DeleteBeforeCaret());
    EXPECT_EQ(Paragraphs(), (Paras{u"", u"[pic 1]", u"x"}));
    EXPECT_TRUE(doc->DeleteBeforeCaret());
    EXPECT_EQ(Paragraphs(), (Paras{u"", u"x"}));
}

// The calculation reads the whole paragraph up to the caret: an expression wrapped over two
// display lines is not cut to its last piece ("+1=" alone would give 1).
TEST_F(DocListTest, TextToCaretIsTheParagraphUpToTheCaret)
{
    Make(20);
    doc->InsertAtCaret(u"first\r\n12345678901234567890+1=");
    ASSERT_EQ(doc->CaretLine(), 2);
    EXPECT_EQ(doc->TextToCaret(), u"12345678901234567890+1=");
    doc->SetCaret(1, 5);
    EXPECT_EQ(doc->TextToCaret(), u"12345");
    InsertPicture(1, 40, 30);
    doc->SetCaretPos({doc->Chapters().Tail(), 1});
    EXPECT_EQ(doc->TextToCaret(), u"");
}

TEST_F(DocListTest, SelectionMarksAndCopiesHoldWholePairs)
{
    doc->InsertAtCaret(u"x" + kSmile + u"y" + kSmile + u"\r\nab" + kSmile + u"zz");
    doc->SetCaret(0, 0);
    doc->BeginSelection(1);
    doc->SetCaret(0, 3);  // after the first pair
    doc->Select(CDocList::kStream);
    const CTextLine* line = doc->LineAt(0);
    EXPECT_TRUE(line->CharInfo(1)->Selected());
    EXPECT_TRUE(line->CharInfo(2)->Selected()) << "the low half carries the mark too";
    EXPECT_FALSE(line->CharInfo(3)->Selected());
    EXPECT_EQ(doc->SelectedText().text, u"x" + kSmile);

    // A rectangle whose left column falls on a pair's second cell on the other line takes the
    // whole pair there.
    doc->SetCaret(0, 3);
    doc->BeginSelection(2);
    doc->SetCaret(1, 6);
    doc->Select(CDocList::kRectangle);
    EXPECT_EQ(doc->SelectedText().text, u"y" + kSmile + u"\r\n" + kSmile + u"zz");
    EXPECT_FALSE(doc->LineAt(1)->CharInfo(1)->Selected());
    EXPECT_TRUE(doc->LineAt(1)->CharInfo(2)->Selected());
    EXPECT_TRUE(doc->LineAt(1)->CharInfo(3)->Selected());

    // A range ending inside a pair leaves the pair out rather than halve it.
    const auto head = doc->Chapters().Head();
    EXPECT_EQ(doc->TextBetween({head, 0}, {head, 2}).text, u"x");
    EXPECT_EQ(doc->TextBetween({head, 2}, {head, 5}).text, kSmile + u"y");
}

// 300 characters in one paragraph; at 40 columns offset 170 is line 4, column 10.
TEST_F(DocListTest, RelayoutKeepsCaretAnchorAndSelectionOnTheirCharacters)
{
    Make(40);
    std::u16string text;
    for (int i = 0; i < 300; ++i)
        text += static_cast<char16_t>(u'a' + i % 26);
    doc->InsertAtCaret(text + u"\r\nnext");
    CListNode* head = doc->Chapters().Head();
    doc->SetCaretPos({head, 100});
    doc->BeginSelection(1);
    doc->SetCaretPos({head, 170});
    doc->Select(CDocList::kStream);
    ASSERT_EQ(doc->CaretLine(), 4);
    ASSERT_EQ(doc->CaretColumn(), 10);
    const std::u16string selected = doc->SelectedText().text;
    ASSERT_EQ(selected.size(), 70u);

    CDocList::Options options;
    options.columns = 20;
    EXPECT_TRUE(doc->ApplyOptions(options));
    EXPECT_EQ(doc->CaretPos().chapter, head);
    EXPECT_EQ(doc->CaretPos().offset, 170);
    EXPECT_EQ(doc->CaretLine(), 8);
    EXPECT_EQ(doc->PreferredColumn(), doc->CaretColumn());
    EXPECT_EQ(doc->SelectionMode(), CDocList::kStream);
    EXPECT_EQ(doc->SelectedText().text, selected);
    int marked = 0;
    for (int i = 0; i < doc->LineCount(); ++i)
        for (int c = 0; c < doc->LineAt(i)->CharCount(); ++c)
            marked += doc->LineAt(i)->CharInfo(c)->Selected() ? 1 : 0;
    EXPECT_EQ(marked, 70);
    EXPECT_FALSE(doc->ApplyOptions(options)) << "nothing changed";

    // A rectangle keeps its corners on their characters and its mode.
    doc->SetCaretPos({head, 45});
    doc->BeginSelection(2);
    doc->SetCaretPos({head, 107});
    doc->Select(CDocList::kRectangle);
    options.columns = 40;
    ASSERT_TRUE(doc->ApplyOptions(options));
    EXPECT_EQ(doc->CaretPos().offset, 107);
    EXPECT_EQ(doc->SelectionMode(), CDocList::kRectangle);
    EXPECT_EQ(doc->AnchorLine(), 1);
    EXPECT_EQ(doc->AnchorColumn(), 5);
    EXPECT_EQ(doc->SelectedText().text, text.substr(45, 22) + u"\r\n" + text.substr(85, 22));
}

TEST_F(DocListTest, RelayoutKeepsTheTopLineAndAWrappedLineStart)
{
    Make(10);
    std::u16string text(95, u'x');
    doc->InsertAtCaret(u"one\r\n" + text);
    CListNode* second = doc->Chapters().Tail();
    doc->SetTopLine(4);  // the second paragraph's offset 30
    doc->SetCaret(5, 0);  // offset 40, the start of a wrapped line
    doc->LayOutAll();
    EXPECT_EQ(doc->CaretLine(), 5) << "not the end of the line above";
    EXPECT_EQ(doc->CaretColumn(), 0);

    CDocList::Options options;
    options.columns = 20;
    ASSERT_TRUE(doc->ApplyOptions(options));
    EXPECT_EQ(doc->CaretPos().chapter, second);
    EXPECT_EQ(doc->CaretPos().offset, 40);
    EXPECT_EQ(doc->CaretLine(), 3);
    EXPECT_EQ(doc->CaretColumn(), 0);
    EXPECT_EQ(doc->TopLine(), 2) << "the line holding offset 30";

    // A new screen font: a wider 'x' (two cells) and taller lines.
    doc->SetClientSize(400, 260);
    auto measurer = std::make_unique<CFixedCharMeasurer>(kCell);
    measurer->SetWidth(u'x', 2 * kCell);
    CFontMetrics metrics;
    metrics.charWidth = kCell;
    metrics.textHeight = 24;
    doc->Font(CDocListBase::kScreenFont).Install(std::move(measurer), metrics, 2, 1.0);
    doc->ApplyScreenFont();
    EXPECT_EQ(doc->CaretPos().offset, 40);
    EXPECT_EQ(doc->CaretLine(), 5);
    EXPECT_EQ(doc->VisibleLines(), 11);
    EXPECT_EQ(doc->LineAt(doc->TopLine())->Start(), 20) << "the top line's first character stays first";
}

// Units of the character at o of a model paragraph: a surrogate pair is one character.
int UnitsAt(const std::u16string& text, int o)
{
    return CUtf16::UnitsAt(text.data(), static_cast<int>(text.size()), o);
}

// Random edits against a plain model of the paragraphs, with surrogate pairs among the characters
// and relayouts to other column counts between the edits. A twin document takes the same edits
// and undoes by the full walks: after every step both must agree.
TEST_F(DocListTest, RandomEditsMatchAModelAndUndoRestoresTheSnapshot)
{
    Make(12, 2);
    CMemoryPictures twinPictures;
    std::unique_ptr<CDocList> twin = MakeTestDocList(twinPictures, 12, 2);
    auto both = [&](auto edit) {
        edit(*doc);
        edit(*twin);
    };
    std::mt19937 rng(11);
    const std::vector<std::u16string> alphabet{u"a", u"b", u"漢", u"字", u"。", u"「", u"」", u"\t", u" ",
                                               kSmile, u"\U00020BB7"};
    auto randomText = [&](int max) {
        std::u16string s;
        const int n = static_cast<int>(rng() % (max + 1));
        for (int i = 0; i < n; ++i)
            s += alphabet[rng() % alphabet.size()];
        return s;
    };
    // The anchor as chapter index and offset.
    auto anchorPlace = [&] {
        const CTextLine* line = doc->LineAt(doc->AnchorLine());
        const int chapter = doc->Chapters().PositionOf(line->Chapter());
        return std::pair{chapter, line->Start() + line->MapAt(doc->AnchorColumn())};
    };
    auto relayout = [&] {
        CDocList::Options options;
        options.columns = 6 + static_cast<int>(rng() % 25);
        both([&](CDocList& d) {
            if (!d.ApplyOptions(options))
                d.LayOutAll();
        });
    };
    Paras model{u""};
    Paras snapshot = model;
    bool haveSnapshot = false;
    auto caretOffset = [&] { return doc->CaretPos().offset; };
    auto caretChapter = [&] { return doc->Chapters().PositionOf(doc->CaretPos().chapter); };

    for (int step = 0; step < 1500; ++step) {
        const int op = static_cast<int>(rng() % 13);
        if (op < 4) {
            const std::u16string text = randomText(6);
            const int c = caretChapter();
            const int o = caretOffset();
            const bool withBreak = rng() % 4 == 0;
            both([&](CDocList& d) { d.InsertAtCaret(withBreak ? text + u"\r\n" : text); });
            model[c].insert(o, text);
            if (withBreak) {
                const std::u16string rest = model[c].substr(o + text.size());
                model[c].erase(o + text.size());
                model.insert(model.begin() + c + 1, rest);
            }
        } else if (op < 6) {
            const int c = caretChapter();
            const int o = caretOffset();
            const int n = 1 + static_cast<int>(rng() % 3);
            both([&](CDocList& d) { d.DeleteAtCaret(n); });
            int left = n;
            while (left > 0) {
                while (left > 0 && o < static_cast<int>(model[c].size())) {
                    model[c].erase(o, UnitsAt(model[c], o));
                    --left;
                }
                if (left <= 0 || c + 1 >= static_cast<int>(model.size()))
                    break;
                model[c] += model[c + 1];
                model.erase(model.begin() + c + 1);
                --left;
            }
        } else if (op < 7) {
            const int lineDelta = static_cast<int>(rng() % 3) - 1;
            const int charDelta = lineDelta ? 0 : static_cast<int>(rng() % 5) - 2;
            both([&](CDocList& d) { d.MoveCaret(lineDelta, charDelta, false); });
            model.resize(static_cast<std::size_t>(doc->Chapters().Count()));  // a move down may append
        } else if (op == 7) {
            // Select from here to a random place and delete the selection.
            const int c1 = caretChapter();
            const int o1 = caretOffset();
            const int lines = static_cast<int>(rng() % 5) - 2;
            const int chars = static_cast<int>(rng() % 7) - 3;
            both([&](CDocList& d) {
                d.BeginSelection(1);
                d.MoveCaret(lines, 0, false);
                d.MoveCaret(0, chars, false);
            });
            model.resize(static_cast<std::size_t>(doc->Chapters().Count()));
            int c2 = caretChapter();
            int o2 = caretOffset();
            both([&](CDocList& d) {
                d.Select(CDocList::kStream);
                d.DeleteSelection();
            });
            int a = c1, ao = o1;
            if (c2 < a || (c2 == a && o2 < ao)) {
                std::swap(a, c2);
                std::swap(ao, o2);
            }
            if (a == c2) {
                model[a].erase(ao, o2 - ao);
            } else {
                model[a] = model[a].substr(0, ao) + model[c2].substr(o2);
                model.erase(model.begin() + a + 1, model.begin() + c2 + 1);
            }
        } else if (op == 10) {
            const int c = caretChapter();
            const int o = caretOffset();
            both([&](CDocList& d) { d.DeleteBeforeCaret(); });
            if (o > 0) {
                const int start = CUtf16::PreviousStart(model[c].data(), o);
                model[c].erase(start, o - start);
            } else if (c > 0) {
                model[c - 1] += model[c];
                model.erase(model.begin() + c);
            }
        } else if (op == 11) {
            const int c = caretChapter();
            const int o = caretOffset();
            relayout();
            ASSERT_EQ(caretChapter(), c) << "step " << step;
            ASSERT_EQ(caretOffset(), o) << "step " << step;
        } else if (op == 12) {
            // Select somewhere, lay out again, and find the selection where it was.
            const int lines = static_cast<int>(rng() % 5) - 2;
            const int chars = static_cast<int>(rng() % 7) - 3;
            both([&](CDocList& d) {
                d.BeginSelection(1);
                d.MoveCaret(lines, 0, false);
                d.MoveCaret(0, chars, false);
            });
            model.resize(static_cast<std::size_t>(doc->Chapters().Count()));
            const int mode = rng() % 3 == 0 ? CDocList::kRectangle : CDocList::kStream;
            both([&](CDocList& d) { d.Select(mode); });
            const int c = caretChapter();
            const int o = caretOffset();
            const auto anchor = anchorPlace();
            const std::u16string selected = doc->SelectedText().text;
            const bool had = doc->HasSelection();
            relayout();
            ASSERT_EQ(caretChapter(), c) << "step " << step;
            ASSERT_EQ(caretOffset(), o) << "step " << step;
            ASSERT_EQ(anchorPlace(), anchor) << "step " << step;
            ASSERT_EQ(doc->SelectionMode(), mode) << "step " << step;
            if (mode == CDocList::kStream) {
                ASSERT_EQ(doc->HasSelection(), had) << "step " << step;
                ASSERT_EQ(doc->SelectedText().text, selected) << "step " << step;
            }
            both([&](CDocList& d) { d.ClearSelection(); });
        } else if (op == 8) {
            doc->TakeUndoCopy();
            twin->TakeUndoCopyFullWalk();
            snapshot = model;
            haveSnapshot = true;
        } else if (haveSnapshot) {
            doc->Undo();
            twin->UndoFullWalk();
            model = snapshot;
        }
        ASSERT_EQ(Paragraphs(), model) << "step " << step;
        ExpectSameUndoState(*doc, *twin, step);
        ASSERT_GE(doc->CaretLine(), 0);
        ASSERT_LT(doc->CaretLine(), doc->LineCount());
        const CTextLine* line = doc->LineAt(doc->CaretLine());
        const int column = doc->CaretColumn();
        ASSERT_LE(column, line->ColumnsUsed());
        const bool onBoundary = column <= line->IndentColumns() || column >= line->ColumnsUsed() ||
                                line->MapAt(column - 1) != line->MapAt(column);
        ASSERT_TRUE(onBoundary) << "step " << step << ": column " << column;
        const std::u16string& paragraph = model[caretChapter()];
        ASSERT_EQ(CUtf16::StartOf(paragraph.data(), static_cast<int>(paragraph.size()), caretOffset()), caretOffset())
            << "step " << step << ": the caret stands inside a surrogate pair";
    }
}

} // namespace

namespace {

std::u16string Store(const CMemoryPictures& pictures)
{
    std::u16string out;
    pictures.ForEachId([&](int id) {
        const auto& p = pictures.Get(id);
        out += Number(id) + u":" + Number(p.width) + u"x" + Number(p.height) + u" " + p.fileName + u"; ";
    });
    return out;
}

// Pictures, page breaks and chapters made and removed anywhere in a memo of many paragraphs: the
// undo copy by the change lists and the full walks give the same shadows, the same picture copies
// under the same ids, and Undo the same memo.
TEST(DocListUndo, ChangeListsAgreeWithTheFullWalks)
{
    std::mt19937 rng(5);
    CMemoryPictures pictures[2];
    std::unique_ptr<CDocList> docs[2] = {MakeTestDocList(pictures[0], 16, 2), MakeTestDocList(pictures[1], 16, 2)};
    for (auto& d : docs) {
        d->SetMemoNames(u"memo\\", u"", u"m");
        std::u16string text;
        for (int i = 0; i < 150; ++i)
            text += u"paragraph " + Number(i) + u"\r\n";
        d->InsertAtCaret(text);
        d->TakeUndoCopy();
    }
    auto both = [&](auto edit) {
        for (int k = 0; k < 2; ++k)
            edit(*docs[k], pictures[k]);
    };
    for (int step = 0; step < 1500; ++step) {
        const int line = static_cast<int>(rng() % static_cast<unsigned>(docs[0]->LineCount()));
        const int column = static_cast<int>(rng() % 12);
        both([&](CDocList& d, CMemoryPictures&) { d.SetCaret(line, column); });
        const int op = static_cast<int>(rng() % 10);
        const int size = 10 + static_cast<int>(rng() % 60);
        const int n = 1 + static_cast<int>(rng() % 30);
        const std::u16string typed = rng() % 2 ? u"xy" : u"a\r\nb";
        switch (op) {
        case 0:
        case 1:
            both([&](CDocList& d, CMemoryPictures&) { d.InsertAtCaret(typed); });
            break;
        case 2:
            both([&](CDocList& d, CMemoryPictures&) { d.DeleteAtCaret(n); });
            break;
        case 3:
            both([&](CDocList& d, CMemoryPictures& p) {
                const int id = d.NextPictureId();
                p.Add(id, size, size / 2);
                d.InsertPictureBeforeCaret(0, id, -1, -1, 0, 0, -1, -1, -1, -1);
            });
            break;
        case 4: {
            const int to = std::min(docs[0]->LineCount() - 1, line + n / 3);
            both([&](CDocList& d, CMemoryPictures&) {
                d.BeginSelection(1);
                d.SetCaret(to, column);
                d.Select(CDocList::kStream);
                d.DeleteSelection();
            });
            break;
        }
        case 5:
            both([&](CDocList& d, CMemoryPictures&) { d.SetPageBreak(!d.PageBreakState()); });
            break;
        case 6:
        case 7:
            docs[0]->TakeUndoCopy();
            docs[1]->TakeUndoCopyFullWalk();
            break;
        default:
            docs[0]->Undo();
            docs[1]->UndoFullWalk();
            break;
        }
        ExpectSameUndoState(*docs[0], *docs[1], step);
        ASSERT_EQ(docs[0]->AllText(), docs[1]->AllText()) << "step " << step;
        ASSERT_EQ(Store(pictures[0]), Store(pictures[1])) << "step " << step;
    }
}

}  // namespace

namespace {

// Where a search from (chapter, offset) should land, by plain string searches paragraph by
// paragraph: forward from offset + shift, backward from offset - 1, never across a line end.
struct Expected {
    bool found = false;
    int chapter = 0;
    int offset = 0;
};

Expected ExpectedSearch(const std::vector<std::u16string>& paras, int chapter, int offset, std::u16string_view needle,
                        int direction, int shift)
{
    const int n = static_cast<int>(needle.size());
    for (int c = chapter; c >= 0 && c < static_cast<int>(paras.size()); c += direction) {
        const std::u16string_view text = paras[static_cast<std::size_t>(c)];
        const int length = static_cast<int>(text.size());
        std::size_t hit = std::u16string_view::npos;
        if (direction > 0) {
            const int start = c == chapter ? offset + shift : 0;
            if (start <= length - n)
                hit = text.find(needle, static_cast<std::size_t>(std::max(0, start)));
        } else {
            const int start = c == chapter ? offset + shift : length - n;
            if (start >= 0 && length >= n)
                hit = text.rfind(needle, static_cast<std::size_t>(start));
        }
        if (hit != std::u16string_view::npos)
            return {true, c, static_cast<int>(hit)};
    }
    return {};
}

// Searches over many paragraphs (several blocks and index chunks of them) with needles that often
// almost match, and rare ones found only far away: every result is the one a plain search of each
// paragraph gives.
TEST(DocListSearch, FindsWhatAPlainSearchOfEachParagraphFinds)
{
    std::mt19937 rng(9);
    CMemoryPictures pictures;
    auto doc = MakeTestDocList(pictures, 20, 2);
    // Enough letters that runs of eight units often lack a needle's first one.
    const std::u16string alphabet = u"abcdefghあいうえ";
    auto random = [&](int max) {
        std::u16string s;
        for (int i = static_cast<int>(rng() % static_cast<unsigned>(max + 1)); i > 0; --i)
            s += alphabet[rng() % alphabet.size()];
        return s;
    };
    std::vector<std::u16string> paras;
    std::u16string text;
    for (int i = 0; i < 2600; ++i) {
        paras.push_back(random(i % 50 == 0 ? 70 : 14));
        if (i % 400 == 7)
            paras.back() += u"zz";
        text += (i ? u"\r\n" : u"") + paras.back();
    }
    doc->InsertAtCaret(text);
    ASSERT_EQ(doc->Chapters().Count(), 2600);
    for (int round = 0; round < 600; ++round) {
        const int chapter = static_cast<int>(rng() % paras.size());
        const int offset = static_cast<int>(rng() % (paras[static_cast<std::size_t>(chapter)].size() + 1));
        // Long needles are cut from the text itself, so that they are found.
        std::u16string needle = random(1) + random(2);
        if (rng() % 3 == 0) {
            const std::u16string& from = paras[rng() % paras.size()];
            const std::size_t at = from.empty() ? 0 : rng() % from.size();
            needle = from.substr(at, 1 + rng() % 12);
        }
        if (needle.empty() || rng() % 4 == 0)
            needle = rng() % 2 ? u"zz" : u"z";
        const int kind = static_cast<int>(rng() % 3);
        doc->SetCaretPos({doc->Chapters().NodeAt(chapter), offset});
        const CDocList::DocPos caret = doc->CaretPos();
        const int caretChapter = doc->Chapters().PositionOf(caret.chapter);
        const Expected want = kind == 0   ? ExpectedSearch(paras, caretChapter, caret.offset, needle, +1, 1)
                              : kind == 1 ? ExpectedSearch(paras, caretChapter, caret.offset, needle, -1, -1)
                                          : ExpectedSearch(paras, caretChapter, caret.offset, needle, +1, 0);
        const bool found = kind == 0 ? doc->FindNext(needle) : kind == 1 ? doc->FindPrevious(needle) : doc->FindAtCaret(needle);
        ASSERT_EQ(found, want.found) << "round " << round;
        const CDocList::DocPos now = doc->CaretPos();
        if (found) {
            ASSERT_EQ(doc->Chapters().PositionOf(now.chapter), want.chapter) << "round " << round;
            ASSERT_EQ(now.offset, want.offset) << "round " << round;
        } else {
            ASSERT_EQ(now.chapter, caret.chapter) << "round " << round;
            ASSERT_EQ(now.offset, caret.offset) << "round " << round;
        }
    }
}

}  // namespace
