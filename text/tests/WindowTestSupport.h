#pragma once
// Helpers of the in-process window tests: pumping the thread's messages and typing into a window.
#include <windows.h>

#include <string_view>

namespace windowtest {

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
