// The text edit window in-process: a real window driven with the messages a user's keys, mouse
// and input method send, checked through its document list, the clipboard and its pixels.
#include <gtest/gtest.h>

#include <windows.h>
#include <imm.h>

#include <string>

#include "doc/CChapter.h"
#include "doc/CDocList.h"
#include "doc/CDocListPainter.h"
#include "doc/CTextChapter.h"
#include "text/CClipboardText.h"
#include "text/CEditExp.h"
#include "text/tests/WindowTestSupport.h"
#include "text/CTextLinePainter.h"

namespace {

using windowtest::Pump;

// Keys held while a message is sent: the window reads Shift, Ctrl and Alt from the key state.
class HeldKeys {
public:
    HeldKeys(bool shift, bool ctrl, bool alt = false)
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_MENU] = alt ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

class EditWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        host = windowtest::CreateHostWindow(L"VelEditHost", 900, 700, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
        ASSERT_NE(host, nullptr);
        CEditSettings settings = windowtest::MemoFaceSettings();
        settings.columns = 40;
        ASSERT_TRUE(edit.Create(host, settings, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, L"edit", 1));
        MoveWindow(edit.Handle(), 0, 0, 800, 600, TRUE);
        ShowWindow(host, SW_SHOW);
        SetFocus(edit.Handle());
        Pump();
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        DestroyWindow(host);
        Pump();
    }

    CDocList& Doc() { return edit.Doc(); }
    std::u16string Text() { return Doc().AllText(); }

    void Type(std::u16string_view text) { windowtest::TypeInto(edit.Handle(), text); }
    void Key(UINT key, bool shift = false, bool ctrl = false)
    {
        HeldKeys held(shift, ctrl);
        SendMessageW(edit.Handle(), WM_KEYDOWN, key, 1);
    }
    void Backspace()
    {
        SendMessageW(edit.Handle(), WM_KEYDOWN, VK_BACK, 1);
        SendMessageW(edit.Handle(), WM_CHAR, u'\b', 1);
    }
    int CaretOffset() { return Doc().CaretPos().offset; }
    int Cell() { return Doc().CurrentFont().CharWidth(); }
    int LineHeight() { return Doc().LineHeight(); }
    LPARAM Point(int column, int row)
    {
        return MAKELPARAM(column * Cell() + Cell() / 4, row * LineHeight() + LineHeight() / 2);
    }

    // The client area as the painter draws it, rendered into a bitmap.
    class Rendering {
    public:
        explicit Rendering(CEditExp& edit)
        {
            HDC screen = GetDC(nullptr);
            m_dc = CreateCompatibleDC(screen);
            m_bitmap = CreateCompatibleBitmap(screen, 800, 600);
            ReleaseDC(nullptr, screen);
            m_old = SelectObject(m_dc, m_bitmap);
            const RECT all{0, 0, 800, 600};
            edit.Painter().PaintArea(m_dc, all, 800);
        }
        ~Rendering()
        {
            SelectObject(m_dc, m_old);
            DeleteObject(m_bitmap);
            DeleteDC(m_dc);
        }
        COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
        bool RowHas(int y, COLORREF colour) const
        {
            for (int x = 0; x < 400; ++x) {
                if (At(x, y) == colour)
                    return true;
            }
            return false;
        }

    private:
        HDC m_dc;
        HBITMAP m_bitmap;
        HGDIOBJ m_old;
    };

    HWND host = nullptr;
    CEditExp edit;
};

TEST_F(EditWindowTest, TypingInsertsSplitsAndDeletesThroughTheDocumentList)
{
    Type(u"abc");
    EXPECT_EQ(Text(), u"abc");
    Type(u"\r");
    Type(u"de");
    EXPECT_EQ(Text(), u"abc\r\nde");
    Backspace();
    EXPECT_EQ(Text(), u"abc\r\nd");
    // A held key repeats: one message with repeat count 3.
    SendMessageW(edit.Handle(), WM_CHAR, u'x', 3);
    EXPECT_EQ(Text(), u"abc\r\ndxxx");
    // Ctrl+letter combinations are not text.
    SendMessageW(edit.Handle(), WM_CHAR, 0x04, 1);
    EXPECT_EQ(Text(), u"abc\r\ndxxx");
    // Backspace at a chapter's start joins it to the one before.
    Key(VK_HOME);
    Backspace();
    EXPECT_EQ(Text(), u"abcdxxx");
    EXPECT_TRUE(Doc().Modified());
}

TEST_F(EditWindowTest, ASurrogatePairIsOneCharacterForTypingCaretAndCopy)
{
    Type(u"a😀b");
    EXPECT_EQ(Text(), u"a😀b");
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(CaretOffset(), 1);
    Key(VK_RIGHT, true);
    EXPECT_EQ(Doc().SelectedText().text, u"😀");
    ASSERT_TRUE(edit.Copy());
    EXPECT_EQ(CClipboardText::Get(edit.Handle()).value_or(u""), u"😀");
    Key(VK_END);
    Key(VK_LEFT);
    Backspace();
    EXPECT_EQ(Text(), u"ab");
    // Painting a line that holds pairs draws them without touching their halves apart.
    Type(u"😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀😀");
    const Rendering picture(edit);
    for (int i = 0; i < Doc().LineCount(); ++i) {
        const CTextLine* line = Doc().LineAt(i);
        const std::u16string_view text = Doc().ChapterAtLine(i)->Text()->View();
        ASSERT_FALSE(line->Start() > 0 && text[line->Start()] >= 0xDC00 && text[line->Start()] < 0xE000) << i;
    }
}

TEST_F(EditWindowTest, BusyWindowDropsKeysAndCharacters)
{
    edit.SetBusy(true);
    Type(u"abc");
    Key(VK_LEFT);
    EXPECT_EQ(Text(), u"");
    edit.SetBusy(false);
    Type(u"abc");
    EXPECT_EQ(Text(), u"abc");
}

TEST_F(EditWindowTest, EqualsSignCalculatesTheExpressionBeforeIt)
{
    Type(u"1+2=");
    EXPECT_EQ(Text(), u"1+2=3");
    Type(u"\r10/4＝");
    EXPECT_EQ(Text(), u"1+2=3\r\n10/4＝2.5");

    edit.Calc().radix = 16;
    Type(u"\r255=");
    EXPECT_EQ(Text(), u"1+2=3\r\n10/4＝2.5\r\n255=HFF");

    edit.Calc().radix = 10;
    edit.Calc().calculateOnEquals = false;
    Type(u"\r2*3=");
    EXPECT_EQ(Text(), u"1+2=3\r\n10/4＝2.5\r\n255=HFF\r\n2*3=");
}

TEST_F(EditWindowTest, EqualsRightAfterBackspaceDoesNotCalculate)
{
    Type(u"1+2=");
    EXPECT_EQ(Text(), u"1+2=3");
    Backspace();
    Backspace();
    EXPECT_EQ(Text(), u"1+2");
    SendMessageW(edit.Handle(), WM_KEYDOWN, VK_OEM_PLUS, 1);
    Type(u"=");
    EXPECT_EQ(Text(), u"1+2=");
    // Any other key in between makes "=" calculate again.
    Backspace();
    Key(VK_END);
    Type(u"=");
    EXPECT_EQ(Text(), u"1+2=3");
}

TEST_F(EditWindowTest, CommittedCompositionEndingInEqualsIsFollowedByTheResult)
{
    // What a committed composition delivers, through the path the message takes.
    Doc().TakeUndoCopy();
    edit.InsertCompositionResult(u"１＋２＝");
    EXPECT_EQ(Text(), u"１＋２＝3");
    edit.InsertCompositionResult(u"計算\n");
    EXPECT_EQ(Text(), u"１＋２＝3計算\r\n");

    // The input method itself: a composition set and completed arrives as WM_IME_COMPOSITION
    // with a result string where the platform's input method delivers one.
    HIMC context = ImmGetContext(edit.Handle());
    if (context == nullptr) {
        GTEST_SKIP() << "no input method context";
    }
    const std::wstring composition = L"２＊３＝";
    const bool set = ImmSetCompositionStringW(context, SCS_SETSTR, const_cast<wchar_t*>(composition.c_str()),
                                              static_cast<DWORD>(composition.size() * sizeof(wchar_t)), nullptr, 0);
    const bool completed = set && ImmNotifyIME(context, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ImmReleaseContext(edit.Handle(), context);
    Pump();
    if (!completed || Text() == u"１＋２＝3計算\r\n") {
        std::printf("the input method did not deliver a result string; the result path was tested directly\n");
        return;
    }
    EXPECT_EQ(Text(), u"１＋２＝3計算\r\n２＊３＝6");
}

TEST_F(EditWindowTest, CaretKeysMoveAndShiftSelectsStreamOrRectangle)
{
    Type(u"abcdef\rghijkl\rmnopqr");
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_HOME);
    EXPECT_EQ(Doc().CaretLine(), 0);
    EXPECT_EQ(CaretOffset(), 0);
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, true);
    EXPECT_TRUE(Doc().HasSelection());
    EXPECT_EQ(Doc().SelectedText().text, u"ab");
    EXPECT_EQ(Doc().SelectionMode(), CDocList::kStream);
    // A move without Shift drops the selection.
    Key(VK_RIGHT);
    EXPECT_FALSE(Doc().HasSelection());
    EXPECT_EQ(CaretOffset(), 3);
    // Ctrl+Shift selects a rectangle.
    Key(VK_DOWN, true, true);
    Key(VK_DOWN, true, true);
    Key(VK_RIGHT, true, true);
    EXPECT_EQ(Doc().SelectionMode(), CDocList::kRectangle);
    EXPECT_EQ(Doc().SelectedText().text, u"d\r\nj\r\np");
    Key(VK_END);
    EXPECT_EQ(CaretOffset(), 6);
    // Delete with a selection deletes it.
    Key(VK_HOME);
    Key(VK_END, true);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), u"abcdef\r\nghijkl\r\n");
}

TEST_F(EditWindowTest, MouseClickDragAndDoubleClick)
{
    Type(u"ひらがなカタカナ abc123");
    SendMessageW(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(2, 0));
    SendMessageW(edit.Handle(), WM_LBUTTONUP, 0, Point(2, 0));
    EXPECT_EQ(CaretOffset(), 1);  // two cells per full-width character
    EXPECT_FALSE(Doc().HasSelection());

    SendMessageW(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, Point(0, 0));
    SendMessageW(edit.Handle(), WM_MOUSEMOVE, MK_LBUTTON, Point(4, 0));
    SendMessageW(edit.Handle(), WM_LBUTTONUP, 0, Point(4, 0));
    EXPECT_EQ(Doc().SelectedText().text, u"ひら");
    EXPECT_EQ(GetCapture(), nullptr);

    // Shift extends the selection from its anchor.
    SendMessageW(edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, Point(8, 0));
    SendMessageW(edit.Handle(), WM_LBUTTONUP, MK_SHIFT, Point(8, 0));
    EXPECT_EQ(Doc().SelectedText().text, u"ひらがな");

    SendMessageW(edit.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(10, 0));
    EXPECT_EQ(Doc().SelectedText().text, u"カタカナ");
    SendMessageW(edit.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(18, 0));
    EXPECT_EQ(Doc().SelectedText().text, u"abc");
}

TEST_F(EditWindowTest, WheelMovesTheTopLineOneLinePerNotchWithinTheMemo)
{
    for (int i = 0; i < 60; ++i)
        Type(u"line\r");
    Key(VK_PRIOR);
    for (int i = 0; i < 5; ++i)
        Key(VK_PRIOR);
    EXPECT_EQ(Doc().TopLine(), 0);
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-3 * WHEEL_DELTA)), 0);
    EXPECT_EQ(Doc().TopLine(), 3);
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(5 * WHEEL_DELTA)), 0);
    EXPECT_EQ(Doc().TopLine(), 0);
    SendMessageW(edit.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-100 * WHEEL_DELTA)), 0);
    EXPECT_EQ(Doc().TopLine(), Doc().LineCount() - edit.VisibleFullLines());
    SendMessageW(edit.Handle(), WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(Doc().TopLine(), 0);
    SendMessageW(edit.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(Doc().TopLine(), edit.VisibleFullLines());
}

TEST_F(EditWindowTest, CopyPutsCodePageTextAndUnicodeOnlyWhenNeeded)
{
    ASSERT_TRUE(CClipboardText::Put(edit.Handle(), u"before"));
    // Copy with no selection leaves the clipboard alone.
    Type(u"日本語");
    EXPECT_FALSE(edit.Copy());
    EXPECT_EQ(CClipboardText::Get(edit.Handle()).value_or(u""), u"before");

    edit.SelectAll();
    ASSERT_TRUE(edit.Copy());
    {
        CClipboardSession clipboard(edit.Handle());
        ASSERT_TRUE(clipboard.IsOpen());
        HANDLE data = GetClipboardData(CF_TEXT);
        ASSERT_NE(data, nullptr);
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        EXPECT_STREQ(bytes, "\x93\xfa\x96\x7b\x8c\xea");  // 日本語 in Shift-JIS
        EXPECT_EQ(GlobalSize(data), 7u);
        GlobalUnlock(data);
    }
    // Text the code page cannot hold goes beside it as UTF-16, and comes back whole.
    Key(VK_END);
    Type(u"\r❤😀é");
    edit.SelectAll();
    ASSERT_TRUE(edit.Copy());
    EXPECT_EQ(CClipboardText::Get(edit.Handle()).value_or(u""), u"日本語\r\n❤😀é");
    Key(VK_END);
    edit.Paste(CEditExp::kNormalPaste);
    EXPECT_EQ(Text(), u"日本語\r\n❤😀é日本語\r\n❤😀é");

    // Cut takes the selection away once it is on the clipboard.
    edit.SelectAll();
    ASSERT_TRUE(edit.Cut());
    EXPECT_EQ(Text(), u"");
    EXPECT_EQ(CClipboardText::Get(edit.Handle()).value_or(u""), u"日本語\r\n❤😀é日本語\r\n❤😀é");
}

TEST_F(EditWindowTest, PastedPageLineSetsABreakButIsARowInRectanglePaste)
{
    ASSERT_TRUE(CClipboardText::Put(edit.Handle(), u"first\r\n<page>\r\nsecond"));
    edit.Paste(CEditExp::kNormalPaste);
    EXPECT_EQ(Text(), u"first\r\nsecond");
    ASSERT_EQ(Doc().Chapters().Count(), 2);
    EXPECT_TRUE(Doc().Chapters().ItemAt(0)->PageBreak());

    edit.SelectAll();
    Key(VK_DELETE);
    Doc().SetPageBreak(false);
    ASSERT_TRUE(CClipboardText::Put(edit.Handle(), u"<page>"));
    edit.Paste(CEditExp::kRectanglePaste);
    EXPECT_EQ(Text(), u"<page>");
    EXPECT_FALSE(Doc().Chapters().ItemAt(0)->PageBreak());
}

TEST_F(EditWindowTest, RectanglePasteOfThreeRowsAtColumnFive)
{
    Type(u"0123456789\rabcdefghij\rABCDEFGHIJ");
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_HOME);
    for (int i = 0; i < 5; ++i)
        Key(VK_RIGHT);
    ASSERT_TRUE(CClipboardText::Put(edit.Handle(), u"xx\r\nyy\r\nzz"));
    edit.Paste(CEditExp::kRectanglePaste);
    EXPECT_EQ(Text(), u"01234xx56789\r\nabcdeyyfghij\r\nABCDEzzFGHIJ");

    // Below the memo's end the rows still land in the same column.
    Key(VK_END);
    Type(u"\r12");
    ASSERT_TRUE(CClipboardText::Put(edit.Handle(), u"p\r\nq"));
    edit.Paste(CEditExp::kRectanglePaste);
    EXPECT_EQ(Text(), u"01234xx56789\r\nabcdeyyfghij\r\nABCDEzzFGHIJ\r\n12p\r\n  q");
}

TEST_F(EditWindowTest, ContextMenuStatesFollowSelectionAndPageBreak)
{
    Type(u"abc");
    CEditExp::ContextStates states = edit.ContextMenuStates();
    EXPECT_FALSE(states.cut);
    EXPECT_FALSE(states.copy);
    EXPECT_FALSE(states.registerWord);
    EXPECT_TRUE(states.paste);
    EXPECT_TRUE(states.rectPaste);
    EXPECT_TRUE(states.pageBreakOn);
    EXPECT_FALSE(states.pageBreakOff);

    Doc().SetPageBreak(true);
    edit.SelectAll();
    states = edit.ContextMenuStates();
    EXPECT_TRUE(states.cut);
    EXPECT_TRUE(states.copy);
    EXPECT_TRUE(states.registerWord);
    EXPECT_FALSE(states.pageBreakOn);
    EXPECT_TRUE(states.pageBreakOff);
}

TEST_F(EditWindowTest, UndoRestoresTheTextBeforeTheLastEdit)
{
    Type(u"abc");
    Type(u"d");
    EXPECT_TRUE(Doc().UndoAvailable());
    Key('Z', false, true);
    EXPECT_EQ(Text(), u"abc");
    EXPECT_FALSE(Doc().UndoAvailable());
}

TEST_F(EditWindowTest, PaintsSelectionRuledLinesAndPageBreakInTheirColours)
{
    Type(u"abc\rdef\rghi");
    Doc().Font(CDocList::kScreenFont).SetRuledLines(true);
    Doc().SetCaret(0, 0);
    Doc().SetPageBreak(true);
    const int h = LineHeight();
    {
        const Rendering picture(edit);
        EXPECT_TRUE(picture.RowHas(h - 1, CTextLinePainter::kPageBreakColour));
        EXPECT_TRUE(picture.RowHas(2 * h - 1, CTextLinePainter::kRuledLineColour));
        EXPECT_FALSE(picture.RowHas(2 * h - 1, CTextLinePainter::kPageBreakColour));
        EXPECT_TRUE(picture.RowHas(h / 2, Doc().CurrentFont().TextColour()));
    }

    Doc().SetCaret(1, 0);
    Doc().BeginSelection(CDocList::kStream);
    Doc().SetCaret(1, 2);
    Doc().Select(CDocList::kStream);
    const COLORREF selection = Doc().CurrentFont().SelectColour();
    const Rendering picture(edit);
    EXPECT_TRUE(picture.RowHas(h + h / 2, selection));
    EXPECT_FALSE(picture.RowHas(2 * h + h / 2, selection));
    EXPECT_FALSE(picture.RowHas(h / 2, selection));
    // The selected cells are exactly the two characters.
    EXPECT_EQ(picture.At(Cell() / 2, h + 1), selection);
    EXPECT_EQ(picture.At(2 * Cell() - 1, h + 1), selection);
    EXPECT_NE(picture.At(2 * Cell() + 1, h + 1), selection);
}

TEST_F(EditWindowTest, TypingRepaintsOnlyTheChangedLines)
{
    for (int i = 0; i < 30; ++i)
        Type(u"paragraph of a few words\r");
    Doc().SetCaret(3, 0);
    edit.Refresh();
    UpdateWindow(edit.Handle());
    const long before = edit.Painter().LinesDrawn();
    Type(u"x");
    UpdateWindow(edit.Handle());
    EXPECT_LE(edit.Painter().LinesDrawn() - before, 2);
    EXPECT_GE(edit.Painter().LinesDrawn() - before, 1);
}

}  // namespace
