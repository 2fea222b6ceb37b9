#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "framework/CControlBar.h"

// The status bar at the bottom of a frame: a stretching first pane for messages and one pane per
// indicator (caps lock, num lock, scroll lock), whose text shows while its key is toggled on.
class CStatusBar : public CControlBar {
public:
    bool Create(HWND parent, UINT id);
    // Id 0 is the stretching message pane; other ids name indicator strings.
    bool SetIndicators(std::span<const UINT> ids);

    std::wstring PaneText(int index) const;
    void SetPaneText(int index, const std::wstring& text);
    int PaneCount() const { return static_cast<int>(m_indicators.size()); }

    HWND BarHandle() const override { return m_hwnd; }
    Dock DockSide() const override { return Dock::Bottom; }
    void Place(RECT& remaining) override;
    void UpdateCmdUI(CCmdTarget& route) override;

private:
    struct Indicator {
        UINT id;
        std::wstring text;  // shown while the indicator is on
        int width;
    };
    void ApplyParts();

    HWND m_hwnd = nullptr;
    std::vector<Indicator> m_indicators;
};
