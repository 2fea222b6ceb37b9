#pragma once
#include "framework/CDataExchange.h"
#include "framework/CWnd.h"

// A dialog from a resource template, modal (DoModal) or modeless (CreateModeless, used by bars).
// OK exchanges and validates the fields first and stays open when a field is refused.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr) : m_templateId(templateId), m_parent(parent) {}

    INT_PTR DoModal();
    bool CreateModeless(HWND parent);
    void EndDialog(INT_PTR result);
    // false: controls -> fields (show); true: fields <- controls with validation.
    bool UpdateData(bool saveAndValidate);

    UINT TemplateId() const { return m_templateId; }
    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange& dx) { (void)dx; }
    virtual void OnOK();
    virtual void OnCancel();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Messages nobody handles go back to the system's dialog procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    HWND m_parent;
    bool m_modal = false;
    bool m_unhandled = false;
};
