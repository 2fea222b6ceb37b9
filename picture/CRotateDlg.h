#pragma once
// The rotate dialog (327, "回転"): clockwise or counter-clockwise and an angle from 0 to 359; its
// result is the angle a rotation request carries.
#include "framework/CDialog.h"

class CRotateDlg : public CDialog {
public:
    explicit CRotateDlg(HWND parent);

    void SetChoice(bool clockwise, int angle);
    bool Clockwise() const { return m_direction == 0; }
    int Angle() const { return m_angle; }
    // The angle for the rotation request (RotationRequestAngle).
    int RequestAngle() const;

    // Shows the dialog; true with the request's angle when it ends with OK.
    static bool Ask(HWND parent, int& requestAngle);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;

private:
    int m_direction = 0;  // 0 clockwise, 1 counter-clockwise
    int m_angle = 0;
};
