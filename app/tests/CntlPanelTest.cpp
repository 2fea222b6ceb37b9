// The control bar docked in a frame: its controls, the base drop-down with its renumbering and
// messages, the memo base settings, the search and replace buttons and the edit commands for its
// fields; and search and replace end to end through the real view of the started program.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/CCntlBackgroundPainter.h"
#include "app/CCntlPanel.h"
#include "app/CMainFrame.h"
#include "app/CSortDirName.h"
#include "app/CVelTextApp.h"
#include "app/tests/NavigationTestSupport.h"
#include "doc/CDocList.h"
#include "doc/CVelTextView.h"
#include "framework/CUserMessage.h"
#include "text/CClipboardText.h"

namespace {

using navtest::CPanelFrame;
using navtest::CRecordingHost;
using navtest::CScratchFolder;
using navtest::CTestSettings;
using navtest::Text;

std::vector<std::wstring> Items(HWND combo)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class CntlPanelTest : public testing::Test {
protected:
    void SetUp() override
    {
        CUserMessage::SetRecorder(&messages);
        memo = folder.AddFolder(L"memo");
        work = folder.AddFolder(L"work");
        settings.SetBase(0, L"メモ帳", memo, 0);
        settings.SetBase(1, L"仕事", work, 4);
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(panel.Create(frame));
        frame.panel = &panel;
        ShowWindow(frame.Handle(), SW_SHOW);
        navtest::Pump();
    }
    void TearDown() override
    {
        frame.panel = nullptr;
        panel.DestroyWindow();
        frame.DestroyWindow();
        CUserMessage::SetRecorder(nullptr);
        navtest::Pump();
    }

    HWND Item(int id) const { return GetDlgItem(panel.Handle(), id); }
    HWND Bases() const { return Item(IDC_BASE_COMBO); }
    void Choose(int item)
    {
        SendMessageW(Bases(), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
        SendMessageW(panel.Handle(), WM_COMMAND, MAKEWPARAM(IDC_BASE_COMBO, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Bases()));
    }
    void Click(int id)
    {
        SendMessageW(panel.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

    std::vector<std::wstring> messages;
    CScratchFolder folder;
    std::wstring memo;
    std::wstring work;
    CTestSettings settings;
    CSortDirName list;
    CRecordingHost host;
    CPanelFrame frame;
    CCntlPanel panel{settings.Settings(), list, host};
};

TEST_F(CntlPanelTest, DockedAtTheTopWithItsControlsAndCaptions)
{
    EXPECT_EQ(GetDlgCtrlID(panel.Handle()), 318);
    RECT bar;
    GetWindowRect(panel.Handle(), &bar);
    MapWindowPoints(nullptr, frame.Handle(), reinterpret_cast<POINT*>(&bar), 2);
    RECT client;
    GetClientRect(frame.Handle(), &client);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_GT(bar.bottom, 15);

    const struct {
        int id;
        const wchar_t* cls;
        const wchar_t* caption;
    } controls[] = {
        {1039, L"ComboBox", nullptr}, {32857, L"Button", L"前"}, {32858, L"Button", L"後"},
        {32860, L"Button", L"新"},    {1087, L"Edit", nullptr},   {32875, L"Button", L"↑"},
        {32876, L"Button", L"↓"},     {1088, L"Edit", nullptr},   {32877, L"Button", L"置換"},
    };
    for (const auto& c : controls) {
        HWND control = Item(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        wchar_t cls[32] = {};
        GetClassNameW(control, cls, 32);
        EXPECT_EQ(lstrcmpiW(cls, c.cls), 0) << c.id;
        if (c.caption != nullptr) {
            EXPECT_EQ(Text(control), c.caption) << c.id;
        }
    }
    EXPECT_EQ(GetWindowLongPtrW(Bases(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

TEST_F(CntlPanelTest, DropDownListsOnlyBasesWhoseFolderCanBeWrittenTo)
{
    settings.SetBase(2, L"消えた", folder / L"gone\\", 0);
    settings.SetBase(3, L"趣味", folder.AddFolder(L"hobby"), 0);
    panel.FillBases();
    EXPECT_EQ(Items(Bases()), (std::vector<std::wstring>{L"メモ帳", L"仕事", L"趣味"}));
    EXPECT_EQ(SendMessageW(Bases(), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageW(Bases(), CB_GETITEMDATA, 2, 0), 3) << "items know their base";
    EXPECT_EQ(panel.CurrentMemoBase(), 0);
}

TEST_F(CntlPanelTest, SyncBasesRenumbersTheUsableBasesAndSelectsTheOneHoldingThePath)
{
    // 00 usable, 01 deleted, 02 usable.
    const std::wstring trip = folder.AddFolder(L"trip");
    settings.SetBase(1, L"削除", folder / L"deleted", 2);
    settings.SetBase(2, L"旅行", trip.substr(0, trip.size() - 1), 6);
    panel.SyncBases(trip + L"2012年01月02日_001\\2012年01月02日_001.txt");

    const CAppSettings& s = settings.Settings();
    EXPECT_EQ(s.ReadMemoBase(0).folder, memo);
    EXPECT_EQ(s.ReadMemoBase(1).name, L"旅行");
    EXPECT_EQ(s.ReadMemoBase(1).folder, trip) << "stored with its separator";
    EXPECT_EQ(s.ReadMemoBase(1).type, 6);
    EXPECT_EQ(Items(Bases()), (std::vector<std::wstring>{L"メモ帳", L"旅行"}));
    EXPECT_EQ(panel.CurrentMemoBase(), 1);
    EXPECT_EQ(SendMessageW(Bases(), CB_GETCURSEL, 0, 0), 1);
    // Nothing is listed twice; the unusable base keeps its settings behind the usable ones.
    EXPECT_EQ(s.ReadMemoBase(2).name, L"削除");
    for (int index = 3; index < 11; ++index)
        EXPECT_TRUE(s.ReadMemoBase(index).name.empty()) << index;
    panel.FillBases();
    EXPECT_EQ(Items(Bases()).size(), 2u);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(CntlPanelTest, SyncBasesLeavesNoCopyOfAMovedBaseBehind)
{
    // 00, 01 usable, 02 empty, 03 usable: 03 moves to 02 and nothing stays at 03.
    settings.SetBase(3, L"趣味", folder.AddFolder(L"hobby"), 1);
    panel.SyncBases(L"");
    const CAppSettings& s = settings.Settings();
    EXPECT_EQ(s.ReadMemoBase(2).name, L"趣味");
    EXPECT_TRUE(s.ReadMemoBase(3).name.empty());
    EXPECT_TRUE(s.ReadMemoBase(3).folder.empty());
    EXPECT_EQ(Items(Bases()), (std::vector<std::wstring>{L"メモ帳", L"仕事", L"趣味"}));
    EXPECT_EQ(panel.CurrentMemoBase(), 0) << "no memo path: the current base stays";
}

TEST_F(CntlPanelTest, ChoosingAUsableBaseSavesListsItAndShowsAnEmptyMemo)
{
    list.Insert(std::make_unique<CDirData>(u"c:\\m\\a\\", u"a.txt"));
    list.SetCurrentIndex(0);
    Choose(1);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"save", L"list " + work, L"new", L"title", L"display type"}));
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_EQ(panel.CurrentMemoBase(), 1);
    EXPECT_EQ(panel.CurrentBaseFolder(), work);
}

TEST_F(CntlPanelTest, ABaseThatVanishedIsRefusedAndDropsOutOfTheList)
{
    ASSERT_TRUE(RemoveDirectoryW(work.c_str()));
    Choose(1);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"選択した項目はディレクトリが削除されました\n選択できません"}));
    EXPECT_TRUE(host.calls.empty()) << "the previous base stays";
    EXPECT_EQ(Items(Bases()), (std::vector<std::wstring>{L"メモ帳"}));
    EXPECT_EQ(panel.CurrentMemoBase(), 0);

    // A base renamed behind the panel's back: the default memo base.
    settings.SetBase(1, L"仕事2", folder.AddFolder(L"work2"), 0);
    panel.FillBases();
    settings.SetBase(1, L"別の名前", folder / L"work2\\", 0);
    messages.clear();
    Choose(1);
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"選択した項目が存在しません\n選択できません"}));
    ASSERT_FALSE(host.calls.empty());
    EXPECT_EQ(host.calls[1], L"list " + ToWide(CFileName::DefaultMemoBase()));
    EXPECT_EQ(panel.CurrentMemoBase(), 0);
}

TEST_F(CntlPanelTest, AReadOnlyBaseIsRefusedWithItsOwnMessage)
{
    if (!SetFileAttributesW(work.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY) ||
        !(GetFileAttributesW(work.c_str()) & FILE_ATTRIBUTE_READONLY))
        GTEST_SKIP() << "this file system keeps no read-only folders";
    Choose(1);
    SetFileAttributesW(work.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(messages,
              (std::vector<std::wstring>{L"選択した項目のディレクトリが読み出し専用にされました\n選択できません。"}));
}

TEST_F(CntlPanelTest, SelectBaseListsTheBaseAndTakesAnIndexOutOfRangeAsTheFirst)
{
    EXPECT_EQ(panel.SelectBase(1), 1);
    EXPECT_EQ(SendMessageW(Bases(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(panel.SelectBase(11), 0);
    EXPECT_EQ(panel.SelectBase(-1), 0);
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"list " + work, L"list " + memo, L"list " + memo}));
    EXPECT_EQ(panel.CurrentMemoBase(), 0);
}

TEST_F(CntlPanelTest, SearchButtonsDoNothingWhileTheSearchFieldIsEmpty)
{
    frame.UpdateControlBars();
    for (int id : {32875, 32876, 32877})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(32857));
    for (int id : {32875, 32876, 32877})
        Click(id);
    EXPECT_TRUE(host.calls.empty());

    SetWindowTextW(Item(1087), L"cat");
    SetWindowTextW(Item(1088), L"dog");
    frame.UpdateControlBars();
    for (int id : {32875, 32876, 32877})
        EXPECT_TRUE(Enabled(id)) << id;
    Click(32876);
    Click(32875);
    Click(32877);
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"forward cat", L"backward cat", L"replace cat -> dog"}));

    // While a picture is edited, and when the frame disables the memo commands, the buttons follow.
    frame.pictureEditing = true;
    frame.memoCommandsEnabled = false;
    frame.UpdateControlBars();
    for (int id : {32875, 32876, 32877, 32857, 32858, 32860})
        EXPECT_FALSE(Enabled(id)) << id;
    host.calls.clear();
    Click(32876);
    EXPECT_TRUE(host.calls.empty());

    // The memo buttons are the frame's commands.
    frame.memoCommandsEnabled = true;
    Click(32857);
    Click(32858);
    Click(32860);
    EXPECT_EQ(frame.memoCommands, (std::vector<UINT>{32857, 32858, 32860}));
}

TEST_F(CntlPanelTest, EditCommandsWorkOnTheFocusedFieldOnly)
{
    SetForegroundWindow(frame.Handle());
    SetFocus(frame.Handle());
    EXPECT_EQ(panel.FocusedTextBox(), nullptr);
    EXPECT_FALSE(panel.Copy());
    EXPECT_FALSE(panel.Cut());
    EXPECT_FALSE(panel.Paste());

    SetWindowTextW(Item(1087), L"検索語");
    SetFocus(Item(1087));
    EXPECT_EQ(panel.FocusedTextBox(), Item(1087));
    SendMessageW(Item(1087), EM_SETSEL, 0, -1);
    EXPECT_TRUE(panel.Cut());
    EXPECT_EQ(Text(Item(1087)), L"");
    SetFocus(Item(1088));
    EXPECT_EQ(panel.FocusedTextBox(), Item(1088));
    EXPECT_TRUE(panel.Paste());
    EXPECT_EQ(Text(Item(1088)), L"検索語");
    SendMessageW(Item(1088), EM_SETSEL, 0, 2);
    EXPECT_TRUE(panel.Copy());
    SetFocus(Item(1087));
    EXPECT_TRUE(panel.Paste());
    EXPECT_EQ(Text(Item(1087)), L"検索");
}

TEST_F(CntlPanelTest, SwitchBaseCommandOpensTheDropDown)
{
    CCmdUI ui = CCmdUI::ForControl(nullptr, ID_MEMO_SWITCH_BASE);
    EXPECT_TRUE(panel.OnFrameCommand(ID_MEMO_SWITCH_BASE, &ui, false));
    EXPECT_TRUE(ui.Answered());
    EXPECT_FALSE(panel.OnFrameCommand(ID_MEMO_PREVIOUS, nullptr, false)) << "not the bar's command";
    SetForegroundWindow(frame.Handle());
    panel.OnFrameCommand(ID_MEMO_SWITCH_BASE, nullptr, true);
    EXPECT_FALSE(SendMessageW(Bases(), CB_GETDROPPEDSTATE, 0, 0)) << "not while a picture is edited";
    panel.OnFrameCommand(ID_MEMO_SWITCH_BASE, nullptr, false);
    EXPECT_TRUE(SendMessageW(Bases(), CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(GetFocus(), Bases());
    SendMessageW(Bases(), CB_SHOWDROPDOWN, FALSE, 0);
}

class CRecordingPainter : public CCntlBackgroundPainter {
public:
    std::vector<int> types;
    bool PaintTiled(HDC, const RECT& client, int displayType) override
    {
        EXPECT_GT(client.right, 0);
        types.push_back(displayType);
        return true;
    }
};

TEST_F(CntlPanelTest, TheBackgroundHookPaintsWithTheDisplayTypeOfTheCurrentBase)
{
    CRecordingPainter painter;
    panel.SetBackgroundPainter(&painter);
    panel.SelectBase(1);
    RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    ASSERT_FALSE(painter.types.empty());
    EXPECT_EQ(painter.types.back(), 4);
    panel.SetBackgroundPainter(nullptr);
}

// ---- The memo base settings through the bar ----

std::wstring g_newFolder;

BOOL CALLBACK FillAndConfirm(HWND window, LPARAM)
{
    if (Text(window) != L"メモ選択の設定")
        return TRUE;
    SetDlgItemTextW(window, 1040, L"");                    // 仕事 removed
    SetDlgItemTextW(window, 1050, L"");
    SetDlgItemTextW(window, 1043, L"旅行");                // a new base in row 4
    SetDlgItemTextW(window, 1053, g_newFolder.c_str());
    SendMessageW(GetDlgItem(window, 1077), CB_SETCURSEL, 9, 0);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK ConfirmSettings(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!EnumThreadWindows(GetCurrentThreadId(), &FillAndConfirm, 0))
        KillTimer(nullptr, timer);
}

TEST_F(CntlPanelTest, MemoBaseSettingsStoreTheRowsWithoutGapsAndListTheChosenBase)
{
    g_newFolder = folder.AddFolder(L"trip");
    g_newFolder.pop_back(); // without its separator: stored with it
    settings.SetBase(7, L"古い", memo, 0);
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, &ConfirmSettings);
    CCmdUI ui = CCmdUI::ForControl(nullptr, ID_MEMO_SELECT_BASES);
    EXPECT_TRUE(panel.OnFrameCommand(ID_MEMO_SELECT_BASES, &ui, true));
    panel.OnFrameCommand(ID_MEMO_SELECT_BASES, nullptr, false);
    KillTimer(nullptr, timer);

    const CAppSettings& s = settings.Settings();
    EXPECT_EQ(s.ReadMemoBase(0).name, L"メモ帳");
    EXPECT_EQ(s.ReadMemoBase(1).name, L"旅行");
    EXPECT_EQ(s.ReadMemoBase(1).folder, g_newFolder + L"\\");
    EXPECT_EQ(s.ReadMemoBase(1).type, 9);
    EXPECT_EQ(s.ReadMemoBase(2).name, L"古い");
    EXPECT_TRUE(s.ReadMemoBase(3).name.empty());
    EXPECT_TRUE(s.ReadMemoBase(7).name.empty()) << "nothing left behind at a higher index";
    EXPECT_EQ(Items(Bases()), (std::vector<std::wstring>{L"メモ帳", L"旅行", L"古い"}));
    EXPECT_EQ(panel.CurrentMemoBase(), 0) << "the base chosen before keeps its place";
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"list " + memo, L"display type"}));
}

// ---- Search and replace through the view of the started program ----

class CViewHost : public CRecordingHost {
public:
    explicit CViewHost(CVelTextView& view) : m_view(view) {}
    bool SearchBackward(const std::u16string& text) override { return m_view.SearchBackward(text); }
    bool SearchForward(const std::u16string& text) override { return m_view.SearchForward(text); }
    bool Replace(const std::u16string& search, const std::u16string& replacement) override
    {
        return m_view.Replace(search, replacement);
    }

private:
    CVelTextView& m_view;
};

TEST(CntlPanelViewTest, SearchAndReplaceSelectTheMatchAndTheReplacementInTheView)
{
    std::vector<std::wstring> messages;
    CUserMessage::SetRecorder(&messages);
    auto app = std::make_unique<CVelTextApp>();
    ASSERT_TRUE(app->StartUp(L"VelText.exe"));
    CMainFrame* frame = app->MainFrame();
    auto* view = dynamic_cast<CVelTextView*>(frame->ActiveView());
    ASSERT_NE(view, nullptr);
    {
        CViewHost host(*view);
        CCntlPanel panel(*app, app->MemoList(), host);
        ASSERT_TRUE(panel.Create(*frame));
        view->SetPanel(&panel);
        CDocList& doc = view->EditWindow().Doc();
        doc.InsertAtCaret(u"cat Cat\r\ndog cat");
        doc.SetCaret(0, 0);

        SetDlgItemTextW(panel.Handle(), IDC_SEARCH_TEXT, L"cat");
        panel.OnFrameCommand(ID_SEARCH_FORWARD, nullptr, false);
        EXPECT_EQ(doc.CaretLine(), 1) << "one past the caret, and Cat differs in case";
        EXPECT_EQ(doc.CaretColumn(), 4);
        EXPECT_EQ(doc.SelectedText().text, u"cat");
        panel.OnFrameCommand(ID_SEARCH_FORWARD, nullptr, false);
        EXPECT_EQ(doc.CaretLine(), 1) << "no wrap: nothing changes";
        EXPECT_EQ(doc.SelectedText().text, u"cat");
        panel.OnFrameCommand(ID_SEARCH_BACKWARD, nullptr, false);
        EXPECT_EQ(doc.CaretLine(), 0);
        EXPECT_EQ(doc.CaretColumn(), 0);

        SetDlgItemTextW(panel.Handle(), IDC_REPLACE_TEXT, L"lion");
        panel.OnFrameCommand(ID_REPLACE, nullptr, false);
        EXPECT_EQ(doc.AllText(), u"lion Cat\r\ndog cat");
        EXPECT_EQ(doc.SelectedText().text, u"lion");

        // An empty search field leaves the memo as it is.
        SetDlgItemTextW(panel.Handle(), IDC_SEARCH_TEXT, L"");
        panel.OnFrameCommand(ID_REPLACE, nullptr, false);
        EXPECT_EQ(doc.AllText(), u"lion Cat\r\ndog cat");

        // The view's edit commands reach the search field through the panel.
        SetFocus(GetDlgItem(panel.Handle(), IDC_SEARCH_TEXT));
        EXPECT_EQ(view->CurrentMemoBase(), 0);
        view->SetPanel(nullptr);
        panel.DestroyWindow();
    }
    frame->DestroyWindow();
    navtest::Pump();
    app.reset();
    CUserMessage::SetRecorder(nullptr);
}

} // namespace
