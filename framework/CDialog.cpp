#include "framework/CDialog.h"

INT_PTR CDialog::DoModal()
{
    m_modal = true;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent,
                                           &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

bool CDialog::CreateModeless(HWND parent)
{
    m_parent = parent;
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), parent,
                              &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (m_modal) {
        ::EndDialog(Handle(), result);
    } else {
        DestroyWindow();
    }
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(Handle(), saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

bool CDialog::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (ui != nullptr) {
        return false;
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;  // the system puts the focus on the first control
}

void CDialog::OnOK()
{
    if (UpdateData(true)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        return OnInitDialog() ? TRUE : FALSE;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT, WPARAM, LPARAM)
{
    m_unhandled = true;
    return 0;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandle(hwnd);
    if (wnd == nullptr && message == WM_INITDIALOG) {
        wnd = reinterpret_cast<CDialog*>(lParam);
        static_cast<CDialog*>(wnd)->Attach(hwnd);
    }
    if (wnd == nullptr) {
        return FALSE;
    }
    auto* dialog = static_cast<CDialog*>(wnd);
    // Nested messages (sent while a handler runs) keep the outer message's answer intact.
    const bool outerUnhandled = dialog->m_unhandled;
    dialog->m_unhandled = false;
    const LRESULT result = DispatchToObject(dialog, hwnd, message, wParam, lParam);
    const bool unhandled = dialog->m_unhandled;
    dialog->m_unhandled = outerUnhandled;
    if (unhandled) {
        return FALSE;
    }
    if (message == WM_INITDIALOG) {
        return result;
    }
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
