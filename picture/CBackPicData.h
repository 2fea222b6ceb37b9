#pragma once
// One display type's looks while the view options dialog is open: its control-bar and text
// background picture files ("CntlPic"+nn, "ViewPic"+nn), its font with the size in points, and
// the text colour. The pictures themselves stay in the background picture lists.
#include <windows.h>

#include <string>

class CBackPicData {
public:
    CBackPicData() = default;
    virtual ~CBackPicData() = default;

    std::wstring cntlPic;
    std::wstring viewPic;
    int fontPoints = 12;
    LOGFONTW logFont{};
    COLORREF colour = 0;
};
