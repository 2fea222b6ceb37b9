#include "framework/CDialogBar.h"

#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"

CDialogBar::~CDialogBar()
{
    if (m_frame != nullptr) {
        m_frame->RemoveControlBar(*this);
    }
}

bool CDialogBar::Create(CFrameWnd& frame, UINT barId)
{
    m_frame = &frame;
    if (!CreateModeless(frame.Handle())) {
        m_frame = nullptr;
        return false;
    }
    SetWindowLongPtrW(Handle(), GWLP_ID, static_cast<LONG_PTR>(barId));
    RECT rect;
    GetWindowRect(Handle(), &rect);
    m_height = rect.bottom - rect.top;
    ShowWindow(Handle(), SW_SHOW);
    frame.AddControlBar(*this);
    return true;
}

bool CDialogBar::OnInitDialog()
{
    CDialog::OnInitDialog();
    return false;  // the bar must not take the focus from the view
}

void CDialogBar::Place(RECT& remaining)
{
    MoveWindow(Handle(), remaining.left, remaining.top, remaining.right - remaining.left, m_height, TRUE);
    remaining.top += m_height;
}

void CDialogBar::UpdateCmdUI(CCmdTarget& route)
{
    for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, static_cast<int>(std::size(className)));
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
        if (lstrcmpiW(className, L"Button") != 0 || style == BS_GROUPBOX) {
            continue;
        }
        const UINT id = static_cast<UINT>(GetDlgCtrlID(child));
        if (id == 0 || id == IDOK || id == IDCANCEL) {
            continue;
        }
        CCmdUI ui = CCmdUI::ForControl(child, id);
        if (!route.OnCmdMsg(id, &ui)) {
            ui.Enable(false);
        }
    }
}

bool CDialogBar::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (id == IDOK || id == IDCANCEL) {
        return CDialog::OnCmdMsg(id, ui);
    }
    return m_frame != nullptr && m_frame->OnCmdMsg(id, ui);
}
