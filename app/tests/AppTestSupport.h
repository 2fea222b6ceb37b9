#pragma once
// Helpers of the in-process tests of the started program: pumping messages, finding a menu item's
// popup and asking the command route for its state.
#include <windows.h>

#include <memory>

#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "text/tests/WindowTestSupport.h"

namespace apptest {

using windowtest::Pump;
using windowtest::TypeInto;

// The popup that holds `id`, or null.
inline HMENU PopupOf(HMENU menu, UINT id)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (HMENU found = PopupOf(sub, id)) {
                return found;
            }
        } else if (GetMenuItemID(menu, i) == id) {
            return menu;
        }
    }
    return nullptr;
}

// The menu state of a main-menu command as the user would see it when its popup opens.
inline UINT MenuState(HWND frame, UINT id)
{
    HMENU popup = PopupOf(GetMenu(frame), id);
    if (popup == nullptr) {
        return 0xFFFFFFFF;
    }
    SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return GetMenuState(popup, id, MF_BYCOMMAND);
}

}  // namespace apptest
