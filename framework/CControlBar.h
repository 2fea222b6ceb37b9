#pragma once
#include <windows.h>

class CCmdTarget;

// A bar docked along one edge of a frame. The frame lays the bars out edge by edge and gives the
// view what remains; at idle time each bar asks the frame's command route for its controls' state.
class CControlBar {
public:
    enum class Dock { Top, Bottom };

    virtual ~CControlBar() = default;
    virtual HWND BarHandle() const = 0;
    virtual Dock DockSide() const = 0;
    // Places the bar inside `remaining` and takes its own band out of it.
    virtual void Place(RECT& remaining) = 0;
    virtual void UpdateCmdUI(CCmdTarget& route) = 0;
};
