#include "picture/CRotateDlg.h"

#include <commctrl.h>

#include "app/Resource.h"
#include "picture/CPicSizeRule.h"

CRotateDlg::CRotateDlg(HWND parent) : CDialog(IDD_PICT_ROTATE, parent)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
}

void CRotateDlg::SetChoice(bool clockwise, int angle)
{
    m_direction = clockwise ? 0 : 1;
    m_angle = angle;
}

int CRotateDlg::RequestAngle() const
{
    return RotationRequestAngle(Clockwise(), m_angle);
}

bool CRotateDlg::Ask(HWND parent, int& requestAngle)
{
    CRotateDlg dialog(parent);
    if (dialog.DoModal() != IDOK)
        return false;
    requestAngle = dialog.RequestAngle();
    return true;
}

bool CRotateDlg::OnInitDialog()
{
    SendDlgItemMessageW(Handle(), IDC_ROTATE_SPIN, UDM_SETRANGE32, 0, 359);
    return CDialog::OnInitDialog();
}

void CRotateDlg::DoDataExchange(CDataExchange& dx)
{
    dx.Radio({IDC_ROTATE_CLOCKWISE, IDC_ROTATE_COUNTER}, m_direction);
    dx.Text(IDC_ROTATE_ANGLE, m_angle);
    dx.MinMaxInt(m_angle, 0, 359);
    if (dx.Saving() && m_direction < 0)
        m_direction = 0;
}
