#pragma once
#include "framework/CControlBar.h"
#include "framework/CDialog.h"

class CFrameWnd;

// A modeless child dialog docked at the top of a frame. Its buttons are commands: clicks go into
// the frame's command route, and at idle time each button is enabled (and checked) by the same
// update handlers as the menu.
class CDialogBar : public CDialog, public CControlBar {
public:
    explicit CDialogBar(UINT templateId) : CDialog(templateId) {}
    ~CDialogBar() override;

    bool Create(CFrameWnd& frame, UINT barId);

    HWND BarHandle() const override { return Handle(); }
    Dock DockSide() const override { return Dock::Top; }
    void Place(RECT& remaining) override;
    void UpdateCmdUI(CCmdTarget& route) override;

    bool OnCmdMsg(UINT id, CCmdUI* ui) override;

protected:
    bool OnInitDialog() override;
    // Enter and Escape in a bar must not end it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    CFrameWnd* m_frame = nullptr;
    int m_height = 0;
};
