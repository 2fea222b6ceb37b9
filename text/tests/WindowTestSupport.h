#pragma once
// Helpers of the in-process window tests: a host window, the memo face, pumping the thread's
// messages and typing into a window.
#include <windows.h>

#include <cwchar>
#include <string_view>

#include "text/CEditSettings.h"

namespace windowtest {

// A plain top-level window for the window under test to live in; the caller destroys it.
inline HWND CreateHostWindow(const wchar_t* className, int width, int height, DWORD style = WS_OVERLAPPEDWINDOW)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    RegisterClassW(&wc);  // fails harmlessly when an earlier test registered it
    return CreateWindowExW(0, className, L"host", style, 0, 0, width, height, nullptr, nullptr, wc.hInstance, nullptr);
}

// The edit window's settings in the memo face the tests measure with.
inline CEditSettings MemoFaceSettings()
{
    CEditSettings settings;
    std::wcscpy(settings.logFont.lfFaceName, L"ＭＳ ゴシック");
    settings.logFont.lfCharSet = SHIFTJIS_CHARSET;
    return settings;
}

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Each UTF-16 unit as one WM_CHAR, as the keyboard and the input method deliver them.
inline void TypeInto(HWND window, std::u16string_view text)
{
    for (char16_t c : text)
        SendMessageW(window, WM_CHAR, c, 1);
}

}  // namespace windowtest
