#pragma once
#include <windows.h>

// The state of one command as shown by one menu item or one control (a dialog-bar button).
// Update handlers call Enable / SetCheck; the caller asks afterwards whether anyone answered.
class CCmdUI {
public:
    static CCmdUI ForMenuItem(HMENU menu, UINT position, UINT id);
    static CCmdUI ForControl(HWND control, UINT id);

    UINT Id() const { return m_id; }
    void Enable(bool on);
    void SetCheck(bool on);
    bool Answered() const { return m_answered; }

private:
    CCmdUI(HMENU menu, UINT position, HWND control, UINT id)
        : m_menu(menu), m_position(position), m_control(control), m_id(id) {}

    HMENU m_menu;
    UINT m_position;
    HWND m_control;
    UINT m_id;
    bool m_answered = false;
};
