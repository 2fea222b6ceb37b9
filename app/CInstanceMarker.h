#pragma once
#include <windows.h>

// The window property by which running copies of VelText find each other's main windows.
class CInstanceMarker {
public:
    static constexpr wchar_t kName[] = L"VelMemoP@zOr";

    static void Set(HWND window);
    static void Remove(HWND window);
    static bool IsMarked(HWND window);

    // Calls `visit` for every marked top-level window other than `own`, first to last, until it
    // returns false.
    template <class Visit>
    static void ForEachOther(HWND own, Visit visit)
    {
        for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
             window = GetWindow(window, GW_HWNDNEXT)) {
            if (window != own && IsMarked(window) && !visit(window)) {
                return;
            }
        }
    }
};
