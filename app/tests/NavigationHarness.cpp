// Shows the control bar docked in a frame and the memo selection settings beside it, filled with
// sample bases, for a look (and a screenshot) under Xvfb. Ends by itself after the given seconds.
#include <windows.h>

#include <cwchar>

#include "app/CMemoDirDlg.h"
#include "app/CSortDirName.h"
#include "app/tests/NavigationTestSupport.h"

int wmain(int argc, wchar_t** argv)
{
    const int seconds = argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 20;
    navtest::CTestSettings settings;
    navtest::CScratchFolder folder;
    settings.SetBase(0, L"メモ帳", folder.AddFolder(L"memo"), 0);
    settings.SetBase(1, L"仕事のメモ", folder.AddFolder(L"work"), 3);
    settings.SetBase(2, L"旅行", folder.AddFolder(L"trip"), 1);

    CSortDirName list;
    navtest::CRecordingHost host;
    navtest::CPanelFrame frame;
    CCntlPanel panel(settings.Settings(), list, host);
    if (!frame.Open() || !panel.Create(frame))
        return 1;
    frame.panel = &panel;
    SetWindowTextW(frame.Handle(), L"Ｖｅｌのメモ帳 - ");
    SetWindowPos(frame.Handle(), nullptr, 10, 10, 760, 220, SWP_NOZORDER);
    ShowWindow(frame.Handle(), SW_SHOW);
    SetDlgItemTextW(panel.Handle(), IDC_SEARCH_TEXT, L"検索");
    SetDlgItemTextW(panel.Handle(), IDC_REPLACE_TEXT, L"置換後");
    frame.UpdateControlBars();

    CMemoDirDlg dialog;
    dialog.ReadRows(settings.Settings());
    dialog.Rows()[3] = {L"存在しない", folder / L"gone\\", 10};
    if (!dialog.CreateModeless(nullptr))
        return 1;
    SetWindowPos(dialog.Handle(), nullptr, 10, 250, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    ShowWindow(dialog.Handle(), SW_SHOW);

    SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        if (dialog.Handle() != nullptr && IsDialogMessageW(dialog.Handle(), &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    dialog.DestroyWindow();
    frame.panel = nullptr;
    panel.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
