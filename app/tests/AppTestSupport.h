#pragma once
// Helpers of the in-process tests of the started program: starting it, pumping messages, finding a
// menu item's popup and asking the command route for its state.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "app/CMainFrame.h"
#include "app/CVelTextApp.h"
#include "doc/CVelTextView.h"
#include "text/tests/WindowTestSupport.h"

namespace apptest {

using windowtest::Pump;
using windowtest::TypeInto;

// Starts the program in this process as a user would, with the memo's edit window holding the
// keyboard; app, frame and view are set as far as the start got.
inline testing::AssertionResult StartProgram(std::unique_ptr<CVelTextApp>& app, CMainFrame*& frame,
                                             CVelTextView*& view)
{
    app = std::make_unique<CVelTextApp>();
    if (!app->StartUp(L"VelText.exe"))
        return testing::AssertionFailure() << "the program did not start";
    frame = app->MainFrame();
    if (frame == nullptr)
        return testing::AssertionFailure() << "no main frame";
    view = dynamic_cast<CVelTextView*>(frame->ActiveView());
    if (view == nullptr)
        return testing::AssertionFailure() << "no memo view";
    SetFocus(view->EditWindow().Handle());
    Pump();
    return testing::AssertionSuccess();
}

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
