#include "framework/CCmdUI.h"

CCmdUI CCmdUI::ForMenuItem(HMENU menu, UINT position, UINT id)
{
    return CCmdUI(menu, position, nullptr, id);
}

CCmdUI CCmdUI::ForControl(HWND control, UINT id)
{
    return CCmdUI(nullptr, 0, control, id);
}

void CCmdUI::Enable(bool on)
{
    m_answered = true;
    if (m_menu != nullptr) {
        EnableMenuItem(m_menu, m_position, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    } else if (m_control != nullptr) {
        // A control that loses its enabled state while focused would trap the keyboard.
        if (!on && GetFocus() == m_control) {
            SendMessageW(GetParent(m_control), WM_NEXTDLGCTL, 0, FALSE);
        }
        EnableWindow(m_control, on ? TRUE : FALSE);
    }
}

void CCmdUI::SetCheck(bool on)
{
    m_answered = true;
    if (m_menu != nullptr) {
        CheckMenuItem(m_menu, m_position, MF_BYPOSITION | (on ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_control != nullptr) {
        SendMessageW(m_control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}
