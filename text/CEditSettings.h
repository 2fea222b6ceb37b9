#pragma once
// What the edit window and its document list take from the settings: the display type's font,
// size and colour, the layout options and the line-breaking sets. The view fills it from the
// application's settings whenever they are applied.
#include <windows.h>

#include <string>

#include "text/CLayoutSettings.h"

struct CEditSettings {
    LOGFONTW logFont{};  // face and style; the height comes from fontPoints
    int fontPoints = 12;
    COLORREF textColour = 0x000000;
    int columns = 80;
    int tabWidth = CLayoutSettings::kDefaultTabWidth;
    int lineSpace = 2;
    bool ruledLines = false;
    bool kinsoku = true;
    int pictureSize = 500;
    std::u16string lineStartForbidden{CLayoutSettings::kDefaultLineStartForbidden};
    std::u16string lineEndForbidden{CLayoutSettings::kDefaultLineEndForbidden};
    std::u16string headingSymbols{CLayoutSettings::kDefaultHeadingSymbols};
};
