// The started program in-process: frame, menus, accelerators, opacity, always-on-top, the
// instance marker and the application commands, driven with messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <tuple>

#include "app/CInstanceMarker.h"
#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "app/Resource.h"
#include "app/VelTextMessages.h"
#include "VersionInfo.h"
#include "framework/CCommandLineInfo.h"
#include "framework/CSingleDocTemplate.h"
#include "framework/CView.h"
#include "app/tests/AppTestSupport.h"

namespace {

using apptest::Pump;

void CollectIds(HMENU menu, std::set<UINT>& ids)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectIds(sub, ids);
        } else if (UINT id = GetMenuItemID(menu, i); id != 0) {
            ids.insert(id);
        }
    }
}

bool g_markedAtEnd = true;
WNDPROC g_originalProc = nullptr;

LRESULT CALLBACK WatchLastMessage(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == WM_NCDESTROY) {
        g_markedAtEnd = CInstanceMarker::IsMarked(w);
    }
    return CallWindowProcW(g_originalProc, w, m, wp, lp);
}

std::wstring g_aboutCaption;
std::wstring g_aboutText;

BOOL CALLBACK ReadAndCloseAboutBox(HWND w, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(w, className, 16);
    if (std::wstring(className) != L"#32770") {
        return TRUE;
    }
    wchar_t buffer[128] = {};
    GetWindowTextW(w, buffer, 128);
    g_aboutCaption = buffer;
    GetDlgItemTextW(w, IDC_ABOUT_VERSION, buffer, 128);
    g_aboutText = buffer;
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return FALSE;
}

void CALLBACK FindAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &ReadAndCloseAboutBox, 0);
}

class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<CVelTextApp>();
        ASSERT_TRUE(app->StartUp(L"VelText.exe"));
        frame = app->MainFrame();
        ASSERT_NE(frame, nullptr);
        hwnd = frame->Handle();
    }
    void TearDown() override
    {
        if (frame->Handle() != nullptr) {
            frame->DestroyWindow();
        }
        Pump();
        app.reset();
    }

    void Command(UINT id) { SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    UINT State(UINT id)
    {
        const UINT state = apptest::MenuState(hwnd, id);
        EXPECT_NE(state, 0xFFFFFFFFu) << id;
        return state;
    }

    LONG_PTR ExStyle() const { return GetWindowLongPtrW(hwnd, GWL_EXSTYLE); }

    std::unique_ptr<CVelTextApp> app;
    CMainFrame* frame = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(MainFrameTest, StartsVisibleWithCaptionJapaneseMenusStatusBarAndMarker)
{
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(frame->Text(), L"Ｖｅｌのメモ帳 - ");
    EXPECT_TRUE(CInstanceMarker::IsMarked(hwnd));
    EXPECT_EQ(app->AppName(), L"VelText");
    EXPECT_EQ(app->Profile().SectionPath(CAppSettings::kSection), L"Software\\Norvaly\\VelText\\VelText Section");
    EXPECT_EQ(app->DocTemplate()->DocString(), L"VelText\n\nVelText\n\n\nVelText.Document\nVelText.Document");

    std::vector<std::wstring> titles;
    HMENU menu = GetMenu(hwnd);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        titles.push_back(text);
    }
    EXPECT_EQ(titles, (std::vector<std::wstring>{L"ファイル(&F)", L"編集(&E)", L"テキスト(&T)", L"計算(&C)",
                                                  L"画像編集(&P)", L"表示(&V)", L"ウィンドウ(&W)", L"ヘルプ(&H)"}));

    HWND status = GetDlgItem(hwnd, VEL_IDW_STATUS_BAR);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(SendMessageW(status, SB_GETPARTS, 0, 0), 4);
    // The view lies between the menu and the status bar.
    RECT viewRect;
    RECT statusRect;
    GetWindowRect(frame->ActiveView()->Handle(), &viewRect);
    GetWindowRect(status, &statusRect);
    EXPECT_LE(viewRect.bottom, statusRect.top);
    EXPECT_GT(viewRect.bottom - viewRect.top, 100);
}

TEST_F(MainFrameTest, MenusCarryEveryCommandAndLaterOwnersAreGreyed)
{
    std::set<UINT> ids;
    CollectIds(GetMenu(hwnd), ids);
    const std::set<UINT> expected = {
        ID_FILE_OPEN_MEMO, ID_FILE_ADD, ID_FILE_OPEN_HISTORY, ID_MEMO_NEW, ID_MEMO_PREVIOUS, ID_MEMO_NEXT,
        ID_MEMO_SWITCH_BASE, ID_MEMO_SELECT_BASES, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT,
        ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, ID_APP_EXIT, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY,
        ID_EDIT_PASTE, ID_EDIT_RECT_PASTE, ID_EDIT_SELECT_ALL, ID_EDIT_CLEAR_SELECTION, ID_SEARCH_BACKWARD,
        ID_SEARCH_FORWARD, ID_REPLACE, ID_TEXT_INSERT_DATE, ID_TEXT_INSERT_TIME, ID_TEXT_PAGE_BREAK_ON,
        ID_TEXT_PAGE_BREAK_OFF, ID_TEXT_OPTIONS, ID_CALC_ON_EQUALS, ID_CALC_RADIX10, ID_CALC_RADIX16,
        ID_CALC_RADIX2, ID_PICT_EDIT_START, ID_PICT_RESIZE, ID_PICT_ROTATE_RIGHT90, ID_PICT_ROTATE_LEFT90,
        ID_PICT_RIGHT5, ID_PICT_RIGHT3, ID_PICT_RIGHT1, ID_PICT_LEFT5, ID_PICT_LEFT3, ID_PICT_LEFT1,
        ID_PICT_ANGLE, ID_PICT_EDIT_END, ID_VIEW_STATUS_BAR, ID_VIEW_OPTIONS, ID_WINDOW_OPEN_ANOTHER,
        ID_WINDOW_CLOSE_ALL, ID_WINDOW_TOPMOST, ID_WINDOW_OPAQUE, ID_WINDOW_ALPHA60, ID_WINDOW_ALPHA30,
        ID_APP_ABOUT};
    EXPECT_EQ(ids, expected);

    for (UINT id : {ID_FILE_SAVE, ID_MEMO_PREVIOUS, ID_EDIT_COPY, ID_PICT_RIGHT5}) {
        EXPECT_TRUE(State(id) & MF_GRAYED) << id;
    }
    for (UINT id : {ID_FILE_OPEN_MEMO, ID_FILE_ADD, ID_FILE_OPEN_HISTORY, ID_APP_EXIT, ID_WINDOW_OPEN_ANOTHER,
                    ID_WINDOW_CLOSE_ALL, ID_WINDOW_TOPMOST, ID_WINDOW_OPAQUE, ID_VIEW_STATUS_BAR, ID_APP_ABOUT,
                    ID_TEXT_OPTIONS, ID_VIEW_OPTIONS}) {
        EXPECT_FALSE(State(id) & MF_GRAYED) << id;
    }

    HMENU context = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_CONTEXTMENU));
    std::set<UINT> contextIds;
    CollectIds(context, contextIds);
    DestroyMenu(context);
    EXPECT_EQ(contextIds, (std::set<UINT>{ID_CONTEXT_CUT, ID_CONTEXT_COPY, ID_CONTEXT_PASTE, ID_CONTEXT_RECT_PASTE,
                                          ID_CONTEXT_PAGE_BREAK_ON, ID_CONTEXT_PAGE_BREAK_OFF,
                                          ID_CONTEXT_REGISTER_WORD}));
}

TEST_F(MainFrameTest, OpacityChoicesSetTheLayeredStyleAndMoveTheCheckMark)
{
    EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(State(ID_WINDOW_OPAQUE) & MF_CHECKED);

    Command(ID_WINDOW_ALPHA60);
    EXPECT_TRUE(ExStyle() & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 153);
    EXPECT_TRUE(State(ID_WINDOW_ALPHA60) & MF_CHECKED);
    EXPECT_FALSE(State(ID_WINDOW_OPAQUE) & MF_CHECKED);

    Command(ID_WINDOW_ALPHA30);
    ASSERT_TRUE(GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 76);
    EXPECT_TRUE(State(ID_WINDOW_ALPHA30) & MF_CHECKED);
    EXPECT_FALSE(State(ID_WINDOW_ALPHA60) & MF_CHECKED);

    Command(ID_WINDOW_OPAQUE);
    EXPECT_FALSE(ExStyle() & WS_EX_LAYERED);
    EXPECT_TRUE(State(ID_WINDOW_OPAQUE) & MF_CHECKED);
    EXPECT_FALSE(State(ID_WINDOW_ALPHA30) & MF_CHECKED);

    // Activation re-applies the current opacity.
    Command(ID_WINDOW_ALPHA60);
    SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_TRUE(ExStyle() & WS_EX_LAYERED);
}

TEST_F(MainFrameTest, AlwaysOnTopTogglesTheTopMostBandAndItsCheck)
{
    EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
    Command(ID_WINDOW_TOPMOST);
    EXPECT_TRUE(ExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(State(ID_WINDOW_TOPMOST) & MF_CHECKED);
    Command(ID_WINDOW_TOPMOST);
    EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST);
    EXPECT_FALSE(State(ID_WINDOW_TOPMOST) & MF_CHECKED);
}

TEST_F(MainFrameTest, StatusBarCommandHidesAndShowsTheBar)
{
    HWND status = GetDlgItem(hwnd, VEL_IDW_STATUS_BAR);
    EXPECT_TRUE(State(ID_VIEW_STATUS_BAR) & MF_CHECKED);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(IsWindowVisible(status));
    EXPECT_FALSE(State(ID_VIEW_STATUS_BAR) & MF_CHECKED);
    Command(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(IsWindowVisible(status));
}

TEST_F(MainFrameTest, StatusBarIndicatorsFollowTheLockKeysAtIdleTime)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE toggled[256];
    std::copy(std::begin(keys), std::end(keys), toggled);
    toggled[VK_CAPITAL] |= 1;
    toggled[VK_NUMLOCK] &= static_cast<BYTE>(~1);
    SetKeyboardState(toggled);
    app->OnIdle(0);
    SetKeyboardState(keys);
    EXPECT_EQ(frame->StatusBar().PaneText(1), L"CAP");
    EXPECT_EQ(frame->StatusBar().PaneText(2), L"");
}

TEST_F(MainFrameTest, AcceleratorTableCarriesEveryShortcut)
{
    HACCEL table = frame->Accelerators();
    ASSERT_NE(table, nullptr);
    const int count = CopyAcceleratorTableW(table, nullptr, 0);
    std::vector<ACCEL> entries(static_cast<size_t>(count));
    CopyAcceleratorTableW(table, entries.data(), count);
    using Key = std::tuple<BYTE, WORD, WORD>;
    std::set<Key> actual;
    for (const ACCEL& entry : entries) {
        actual.insert({static_cast<BYTE>(entry.fVirt & (FVIRTKEY | FCONTROL | FSHIFT | FALT)), entry.key, entry.cmd});
    }
    constexpr BYTE V = FVIRTKEY;
    constexpr BYTE C = FVIRTKEY | FCONTROL;
    constexpr BYTE S = FVIRTKEY | FSHIFT;
    constexpr BYTE A = FVIRTKEY | FALT;
    const std::set<Key> expected = {
        {C, 'O', 32843},       {C, 'A', 32844},     {C, 'N', 32842},        {C, 'S', 57603},
        {C, 'P', 57607},       {C, 'E', 57665},     {C, 'X', 57635},        {S, VK_DELETE, 57635},
        {C, 'C', 57634},       {C, VK_INSERT, 57634}, {C, 'V', 57637},      {S, VK_INSERT, 57637},
        {C, 'B', 32792},       {A, VK_INSERT, 32792}, {C, 'Z', 57643},      {A, VK_BACK, 57643},
        {V, VK_F3, 32876},     {S, VK_F3, 32875},   {V, VK_F4, 32877},      {C, 'F', 32878},
        {C, 'R', 32889}};
    EXPECT_EQ(actual, expected);
}

TEST_F(MainFrameTest, CtrlEThroughTheMessageLoopClosesTheWindowAndRemovesTheMarker)
{
    // The marker must already be gone when the window's last message arrives.
    g_markedAtEnd = true;
    g_originalProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchLastMessage));

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE pressed[256];
    std::copy(std::begin(keys), std::end(keys), pressed);
    pressed[VK_CONTROL] = 0x80;
    SetKeyboardState(pressed);
    PostMessageW(frame->ActiveView()->Handle(), WM_KEYDOWN, 'E', 0);
    PostMessageW(frame->ActiveView()->Handle(), WM_KEYUP, 'E', 0xC0000001);
    const int code = app->Run();  // ends when the main window is gone
    SetKeyboardState(keys);

    EXPECT_EQ(code, 0);
    EXPECT_EQ(frame->Handle(), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(g_markedAtEnd);
}

TEST_F(MainFrameTest, CaptionFromAPathShortensLongPathsAroundTheFileName)
{
    const std::wstring prefix = CMainFrame::kTitlePrefix;
    EXPECT_EQ(CMainFrame::TitleFromPath(L"C:\\memo\\abc.txt"), prefix + L"C:\\memo\\abc.txt");
    const std::wstring forty = L"C:\\" + std::wstring(29, L'a') + L"\\memo.txt";
    ASSERT_EQ(forty.size(), 41u);
    const std::wstring exactly40 = forty.substr(1);
    EXPECT_EQ(CMainFrame::TitleFromPath(exactly40), prefix + exactly40);

    const std::wstring sixty = L"C:\\" + std::wstring(48, L'b') + L"\\memo.txt";
    ASSERT_EQ(sixty.size(), 60u);
    EXPECT_EQ(CMainFrame::TitleFromPath(sixty), prefix + sixty.substr(0, 28) + L"...\\memo.txt");

    const std::wstring longName = L"C:\\x\\" + std::wstring(40, L'n') + L".txt";
    EXPECT_EQ(CMainFrame::TitleFromPath(longName), prefix + L"...\\" + std::wstring(40, L'n') + L".txt");

    frame->UpdateTitleFromPath(sixty);
    EXPECT_EQ(frame->Text(), prefix + sixty.substr(0, 28) + L"...\\memo.txt");
    frame->UpdateTitle();  // no current list entry: the bare title
    EXPECT_EQ(frame->Text(), prefix);

    // Once the listing worker has answered, the list is the test's own.
    for (int i = 0; i < 200 && app->ListReady() == 0; ++i) {
        Sleep(10);
        Pump();
    }
    ASSERT_EQ(app->ListReady(), 1);
    CSortDirName& list = app->MemoList();
    list.Clear();
    list.Insert(std::make_unique<CDirData>(u"C:\\base\\m1\\", u"abc.txt"));
    list.SetCurrentIndex(0);
    frame->UpdateTitle();
    EXPECT_EQ(frame->Text(), prefix + L"abc.txt");
    list.SetCurrentIndex(5);  // past the end: no entry
    frame->UpdateTitle();
    EXPECT_EQ(frame->Text(), prefix);

    EXPECT_EQ(CMainFrame::TitleFromEntry(L"C:\\base\\m\\abc.txt"), prefix + L"abc.txt");
    EXPECT_EQ(CMainFrame::TitleFromEntry(L"C:\\base\\m\\abc.TXT"), prefix);
    EXPECT_EQ(CMainFrame::TitleFromEntry(L"C:\\base\\m\\abc.jpg"), prefix);
}

// A stand-in for another running copy: a marked top-level window that records what it is sent.
class OtherCopy {
public:
    OtherCopy()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &OtherCopy::Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VelOtherCopyTest";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"other", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
        CInstanceMarker::Set(hwnd);
        received().clear();
    }
    ~OtherCopy()
    {
        if (IsWindow(hwnd)) {
            DestroyWindow(hwnd);
        }
    }
    static std::vector<UINT>& received()
    {
        static std::vector<UINT> messages;
        return messages;
    }
    HWND hwnd;

private:
    static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp)
    {
        if (m == WM_CLOSE || m == kMsgRefreshMemoList) {
            received().push_back(m);
            return 0;
        }
        return DefWindowProcW(w, m, wp, lp);
    }
};

TEST_F(MainFrameTest, OtherCopiesAreFoundByTheirMarkerAndCloseAllReachesThemAndItself)
{
    EXPECT_FALSE(app->OtherInstanceExists());
    OtherCopy other;
    EXPECT_TRUE(app->OtherInstanceExists());

    app->PostToOtherInstances(kMsgRefreshMemoList);
    Pump();
    EXPECT_EQ(OtherCopy::received(), (std::vector<UINT>{kMsgRefreshMemoList}));

    Command(ID_WINDOW_CLOSE_ALL);
    Pump();
    EXPECT_EQ(OtherCopy::received(), (std::vector<UINT>{kMsgRefreshMemoList, WM_CLOSE}));
    EXPECT_FALSE(IsWindow(hwnd));

    CInstanceMarker::Remove(other.hwnd);
    EXPECT_FALSE(app->OtherInstanceExists());
}

TEST_F(MainFrameTest, AboutBoxShowsTheTitleWithTheVersion)
{
    g_aboutCaption.clear();
    g_aboutText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &FindAboutBox);
    Command(ID_APP_ABOUT);  // returns when the box is closed
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_aboutCaption, L"バージョン情報 VelText");
    EXPECT_EQ(g_aboutText, std::wstring(L"Ｖｅｌのメモ帳 Version ") + VEL_VERSION_WIDE);  // from VERSION
}

TEST(AnotherWindowTest, CommandLineQuotesTheProgramAndTheEmptyArgument)
{
    const std::wstring line = CVelTextApp::AnotherWindowCommandLine(L"C:\\Program Files\\Vel\\VelText.exe", L"");
    EXPECT_EQ(line, L"\"C:\\Program Files\\Vel\\VelText.exe\" \"\"");
    EXPECT_EQ(CCommandLineInfo::Parse(line.c_str()).action, CCommandLineInfo::Action::FileNew);
}

}  // namespace
