#pragma once
#include "framework/CDialog.h"

// The About box: the product title with the program's version and an OK button.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(HWND parent);
    static std::wstring VersionText();

protected:
    bool OnInitDialog() override;
};
