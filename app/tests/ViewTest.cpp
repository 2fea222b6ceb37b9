// The view in the started program: its edit window, its frame, and the enable rules and actions
// of the commands it routes, driven through the frame's menus as a user would.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/Resource.h"
#include "app/tests/AppTestSupport.h"
#include "doc/CDocList.h"
#include "doc/CVelTextView.h"
#include "framework/CDocument.h"
#include "text/CClipboardText.h"

namespace {

using apptest::MenuState;
using apptest::Pump;

class ViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(apptest::StartProgram(app, frame, view));
    }
    void TearDown() override
    {
        if (frame->Handle() != nullptr)
            frame->DestroyWindow();
        Pump();
        app.reset();
    }

    void Command(UINT id) { SendMessageW(frame->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    bool Enabled(UINT id) { return (MenuState(frame->Handle(), id) & MF_GRAYED) == 0; }
    bool Checked(UINT id) { return (MenuState(frame->Handle(), id) & MF_CHECKED) != 0; }
    void Type(std::u16string_view text) { apptest::TypeInto(view->EditWindow().Handle(), text); }
    CDocList& Doc() { return view->EditWindow().Doc(); }

    std::unique_ptr<CVelTextApp> app;
    CMainFrame* frame = nullptr;
    CVelTextView* view = nullptr;
};

TEST_F(ViewTest, EditWindowFillsTheViewInsideAFivePixelFrame)
{
    HWND edit = view->EditWindow().Handle();
    ASSERT_NE(edit, nullptr);
    wchar_t name[64] = {};
    GetWindowTextW(edit, name, 64);
    EXPECT_STREQ(name, L"DurEduz Erududｳｨﾝﾄﾞｳ");
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & WS_HSCROLL);
    RECT viewClient;
    GetClientRect(view->Handle(), &viewClient);
    RECT editRect;
    GetWindowRect(edit, &editRect);
    MapWindowPoints(nullptr, view->Handle(), reinterpret_cast<POINT*>(&editRect), 2);
    EXPECT_EQ(editRect.left, 5);
    EXPECT_EQ(editRect.top, 5);
    EXPECT_EQ(editRect.right, viewClient.right - 5);
    EXPECT_EQ(editRect.bottom, viewClient.bottom - 5);
    // The view hands the focus on to the edit window.
    SetFocus(view->Handle());
    EXPECT_EQ(GetFocus(), edit);
    // The temporary file was reserved in the default memo base.
    EXPECT_NE(view->TempFile().find(L"DefBackup_"), std::wstring::npos);
    EXPECT_EQ(view->HistoryFolder(), view->DefaultMemoBase());
}

TEST_F(ViewTest, EmptyMemoDisablesSaveSaveAsAndSelectAll)
{
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_AS));
    EXPECT_FALSE(Enabled(ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT));
    EXPECT_FALSE(Enabled(ID_FILE_PRINT_PREVIEW));
    Type(u"memo");
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_AS));
    EXPECT_TRUE(Enabled(ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE));  // no path name yet
    // A paragraph that is empty again makes the memo empty again.
    Command(ID_EDIT_SELECT_ALL);
    SendMessageW(view->EditWindow().Handle(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_AS));
}

TEST_F(ViewTest, UndoIsEnabledAfterAChangeAndDisabledAfterUndo)
{
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    Type(u"ab");
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Doc().AllText(), u"a");
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO_ALT));
    Type(u"c");
    EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
}

TEST_F(ViewTest, CopyCutNeedASelectionAndPasteNeedsClipboardContent)
{
    Type(u"text");
    EXPECT_FALSE(Enabled(ID_EDIT_COPY));
    EXPECT_FALSE(Enabled(ID_EDIT_CUT));
    Command(ID_EDIT_SELECT_ALL);
    EXPECT_TRUE(Enabled(ID_EDIT_COPY));
    Command(ID_EDIT_COPY);
    EXPECT_EQ(CClipboardText::Get(view->EditWindow().Handle()).value_or(u""), u"text");
    EXPECT_TRUE(Enabled(ID_EDIT_PASTE));
    EXPECT_TRUE(Enabled(ID_EDIT_RECT_PASTE));
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Doc().AllText(), u"");
    Command(ID_EDIT_PASTE);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Doc().AllText(), u"texttext");
    {
        CClipboardSession clipboard(view->EditWindow().Handle());
        EmptyClipboard();
    }
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    EXPECT_FALSE(Enabled(ID_EDIT_RECT_PASTE));
}

TEST_F(ViewTest, CalculateToggleAndRadixCarryCheckMarksAndReachTheEditWindow)
{
    EXPECT_TRUE(Checked(ID_CALC_ON_EQUALS));
    EXPECT_TRUE(Checked(ID_CALC_RADIX10));
    EXPECT_FALSE(Checked(ID_CALC_RADIX16));
    Command(ID_CALC_RADIX16);
    EXPECT_TRUE(Checked(ID_CALC_RADIX16));
    EXPECT_FALSE(Checked(ID_CALC_RADIX10));
    Type(u"255=");
    EXPECT_EQ(Doc().AllText(), u"255=HFF");
    Command(ID_CALC_RADIX2);
    Type(u" 5=");
    EXPECT_EQ(Doc().AllText(), u"255=HFF 5=B101");
    Command(ID_CALC_ON_EQUALS);
    EXPECT_FALSE(Checked(ID_CALC_ON_EQUALS));
    Type(u" 1+1=");
    EXPECT_EQ(Doc().AllText(), u"255=HFF 5=B101 1+1=");
}

TEST_F(ViewTest, PageBreakCommandsFollowTheCaretsChapter)
{
    Type(u"one\rtwo");
    EXPECT_TRUE(Enabled(ID_TEXT_PAGE_BREAK_ON));
    EXPECT_FALSE(Enabled(ID_TEXT_PAGE_BREAK_OFF));
    Command(ID_TEXT_PAGE_BREAK_ON);
    EXPECT_TRUE(Doc().PageBreakState());
    EXPECT_FALSE(Enabled(ID_TEXT_PAGE_BREAK_ON));
    EXPECT_TRUE(Enabled(ID_TEXT_PAGE_BREAK_OFF));
    // The context menu's commands reach the same place.
    SendMessageW(view->Handle(), WM_COMMAND, MAKEWPARAM(ID_CONTEXT_PAGE_BREAK_OFF, 0), 0);
    EXPECT_FALSE(Doc().PageBreakState());
}

TEST_F(ViewTest, PictureCommandsAreOffWithoutAPictureBeingEdited)
{
    for (UINT id : {ID_PICT_RESIZE, ID_PICT_ROTATE_RIGHT90, ID_PICT_ROTATE_LEFT90, ID_PICT_RIGHT5, ID_PICT_LEFT1,
                    ID_PICT_EDIT_END}) {
        EXPECT_FALSE(Enabled(id)) << id;
    }
    view->EditWindow().SetBusy(true);
    EXPECT_FALSE(Enabled(ID_TEXT_INSERT_DATE));
    EXPECT_FALSE(Enabled(ID_EDIT_PASTE));
    EXPECT_FALSE(Enabled(ID_WINDOW_OPEN_ANOTHER));
    view->EditWindow().SetBusy(false);
    EXPECT_TRUE(Enabled(ID_TEXT_INSERT_DATE));
    EXPECT_TRUE(Enabled(ID_WINDOW_OPEN_ANOTHER));
}

TEST(ViewText, DateAndTimeAreFormattedWithSpacePaddedFieldsAndTheWeekday)
{
    vel::platform::LocalDateTime time;
    time.year = 2024;
    time.month = 3;
    time.day = 5;
    time.dayOfWeek = 2;
    time.hour = 9;
    time.minute = 5;
    time.second = 7;
    EXPECT_EQ(CVelTextView::DateText(time), u"2024年 3月 5日(火)");
    EXPECT_EQ(CVelTextView::TimeText(time), u" 9時 5分 7秒");
    time.dayOfWeek = 0;
    time.month = 12;
    time.day = 31;
    EXPECT_EQ(CVelTextView::DateText(time), u"2024年12月31日(日)");
    // A time that could not be read gives zeros and no weekday.
    EXPECT_EQ(CVelTextView::DateText(vel::platform::LocalDateTime{}), u"   0年 0月 0日");
}

TEST_F(ViewTest, InsertDateAndTimeGoInAtTheCaretAsOneUndoableEdit)
{
    Type(u"on ");
    Command(ID_TEXT_INSERT_DATE);
    const std::u16string text = Doc().AllText();
    ASSERT_GT(text.size(), 3u + 11u);
    EXPECT_EQ(text.substr(0, 3), u"on ");
    EXPECT_NE(text.find(u'年'), std::u16string::npos);
    EXPECT_EQ(text.back(), u')');
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Doc().AllText(), u"on ");
    Command(ID_TEXT_INSERT_TIME);
    EXPECT_NE(Doc().AllText().find(u'秒'), std::u16string::npos);
}

}  // namespace
