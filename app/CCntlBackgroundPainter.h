#pragma once
// The paint hook of the control panel's background: the control-bar picture ("CntlPic"+type) of
// the current base's display type, tiled from the top-left corner. The background pictures bring
// the implementation; without one, or when it paints nothing, the panel has its plain face.
#include <windows.h>

class CCntlBackgroundPainter {
public:
    virtual ~CCntlBackgroundPainter() = default;
    // False when the type has no picture loaded.
    virtual bool PaintTiled(HDC dc, const RECT& client, int displayType) = 0;
};
