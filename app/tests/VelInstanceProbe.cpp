// Looks at the running copies of VelText from outside, for the end-to-end tests:
//   VelInstanceProbe count     number of top-level windows carrying the instance marker
//   VelInstanceProbe styles    one line per marked window: "layered=0|1 topmost=0|1 <caption>"
//   VelInstanceProbe edit      one line per marked window: the text edit window's screen rectangle
//                              and the cell width and line height of the default memo font:
//                              "x y width height cell line"
//   VelInstanceProbe click TITLE ID   clicks control ID of the dialog captioned TITLE
//   VelInstanceProbe text TITLE       the text of the dialog captioned TITLE and of its controls
//   VelInstanceProbe command ID       posts the menu command ID to the first marked window
//   VelInstanceProbe tree             the child windows of the first marked window: class, text,
//                                     screen rectangle, visible, control id, enabled, and which
//                                     one has the focus
//   VelInstanceProbe caret            the caret of the first marked window's thread in screen
//                                     coordinates: "x y width height", or "none"
//   VelInstanceProbe set TITLE ID TEXT        sets the text of control ID of the dialog TITLE
//   VelInstanceProbe select TITLE ID INDEX    selects item INDEX of drop-down ID and tells the dialog
//   VelInstanceProbe shown TITLE ID   1 when control ID of the dialog TITLE is visible, else 0
//   VelInstanceProbe items TITLE ID   the number of items in drop-down ID of the dialog TITLE
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/CInstanceMarker.h"
#include "doc/CVelTextView.h"

namespace {

BOOL CALLBACK FindEditWindow(HWND child, LPARAM found)
{
    wchar_t name[64] = {};
    GetWindowTextW(child, name, 64);
    if (std::wstring(name) == CVelTextView::kEditWindowName) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

// The default display type's font: 12 points of the memo face, 2 pixels between lines.
void DefaultCell(int& cell, int& line)
{
    HDC screen = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfPitchAndFamily = 1;
    wcscpy(lf.lfFaceName, L"ＭＳ ゴシック");
    HFONT font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(screen, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    cell = tm.tmAveCharWidth;
    line = tm.tmHeight + 2;
}

}  // namespace

BOOL CALLBACK PrintControl(HWND control, LPARAM)
{
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    char utf8[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%d %s\n", GetDlgCtrlID(control), utf8);
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM)
{
    wchar_t name[64] = {};
    wchar_t text[64] = {};
    GetClassNameW(child, name, 64);
    // GetWindowText does not ask a window of another process: an edit field's text comes only
    // through the message.
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(child, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &copied);
    RECT rect{};
    GetWindowRect(child, &rect);
    char utf8[512] = {};
    std::wstring line = std::wstring(name) + L" \"" + text + L"\"";
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s %ld,%ld-%ld,%ld visible=%d id=%d enabled=%d\n", utf8, rect.left, rect.top, rect.right,
                rect.bottom, IsWindowVisible(child) ? 1 : 0, GetDlgCtrlID(child), IsWindowEnabled(child) ? 1 : 0);
    return TRUE;
}

int wmain(int argc, wchar_t** argv)
{
    const std::wstring mode = argc > 1 ? argv[1] : L"count";
    if (mode == L"tree") {
        CInstanceMarker::ForEachOther(nullptr, [](HWND window) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
            std::printf("focus %p capture %p\n", static_cast<void*>(info.hwndFocus), static_cast<void*>(info.hwndCapture));
            EnumChildWindows(window, &PrintChild, 0);
            return false;
        });
        return 0;
    }
    if (mode == L"caret") {
        bool found = false;
        CInstanceMarker::ForEachOther(nullptr, [&](HWND window) {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            if (GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndCaret != nullptr) {
                MapWindowPoints(info.hwndCaret, nullptr, reinterpret_cast<POINT*>(&info.rcCaret), 2);
                std::printf("%ld %ld %ld %ld\n", info.rcCaret.left, info.rcCaret.top,
                            info.rcCaret.right - info.rcCaret.left, info.rcCaret.bottom - info.rcCaret.top);
                found = true;
            }
            return false;
        });
        if (!found)
            std::printf("none\n");
        return 0;
    }
    if (mode == L"command" && argc > 2) {
        bool sent = false;
        CInstanceMarker::ForEachOther(nullptr, [&](HWND window) {
            sent = PostMessageW(window, WM_COMMAND, MAKEWPARAM(_wtoi(argv[2]), 0), 0) != FALSE;
            return false;
        });
        return sent ? 0 : 1;
    }
    if ((mode == L"click" || mode == L"text") && argc > 2) {
        HWND dialog = FindWindowW(L"#32770", argv[2]);
        if (dialog == nullptr)
            return 1;
        if (mode == L"text") {
            PrintControl(dialog, 0);
            EnumChildWindows(dialog, &PrintControl, 0);
            return 0;
        }
        if (argc < 4)
            return 2;
        HWND control = GetDlgItem(dialog, _wtoi(argv[3]));
        if (control == nullptr)
            return 1;
        PostMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    if ((mode == L"set" || mode == L"select" || mode == L"shown" || mode == L"items") && argc > 3) {
        HWND dialog = FindWindowW(L"#32770", argv[2]);
        HWND control = dialog ? GetDlgItem(dialog, _wtoi(argv[3])) : nullptr;
        if (control == nullptr)
            return 1;
        if (mode == L"shown") {
            std::printf("%d\n", IsWindowVisible(control) ? 1 : 0);
            return 0;
        }
        if (mode == L"items") {
            std::printf("%ld\n", static_cast<long>(SendMessageW(control, CB_GETCOUNT, 0, 0)));
            return 0;
        }
        if (argc < 5)
            return 2;
        if (mode == L"set") {
            SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[4]));
            return 0;
        }
        SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(_wtoi(argv[4])), 0);
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(control));
        return 0;
    }
    int count = 0;
    CInstanceMarker::ForEachOther(nullptr, [&](HWND window) {
        ++count;
        if (mode == L"styles") {
            const LONG_PTR style = GetWindowLongPtrW(window, GWL_EXSTYLE);
            wchar_t caption[256] = {};
            GetWindowTextW(window, caption, 256);
            char utf8[1024] = {};
            WideCharToMultiByte(CP_UTF8, 0, caption, -1, utf8, sizeof utf8, nullptr, nullptr);
            std::printf("layered=%d topmost=%d %s\n", (style & WS_EX_LAYERED) ? 1 : 0,
                        (style & WS_EX_TOPMOST) ? 1 : 0, utf8);
        }
        if (mode == L"edit") {
            HWND edit = nullptr;
            EnumChildWindows(window, &FindEditWindow, reinterpret_cast<LPARAM>(&edit));
            RECT rect{};
            if (edit != nullptr) {
                GetClientRect(edit, &rect);
                MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&rect), 2);
            }
            int cell = 0;
            int line = 0;
            DefaultCell(cell, line);
            std::printf("%ld %ld %ld %ld %d %d\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        cell, line);
        }
        return true;
    });
    if (mode == L"count") {
        std::printf("%d\n", count);
    }
    return 0;
}
