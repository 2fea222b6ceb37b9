#include "framework/CStatusBar.h"

#include <commctrl.h>

#include "framework/FrameworkIds.h"

namespace {

std::wstring IndicatorText(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length > 0) {
        return std::wstring(text, static_cast<size_t>(length));
    }
    switch (id) {
    case VEL_ID_INDICATOR_CAPS: return L"CAP";
    case VEL_ID_INDICATOR_NUM: return L"NUM";
    case VEL_ID_INDICATOR_SCRL: return L"SCRL";
    default: return std::wstring();
    }
}

int KeyFor(UINT id)
{
    switch (id) {
    case VEL_ID_INDICATOR_CAPS: return VK_CAPITAL;
    case VEL_ID_INDICATOR_NUM: return VK_NUMLOCK;
    case VEL_ID_INDICATOR_SCRL: return VK_SCROLL;
    default: return 0;
    }
}

}  // namespace

bool CStatusBar::Create(HWND parent, UINT id)
{
    m_hwnd = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_BOTTOM | SBARS_SIZEGRIP, 0, 0,
                             0, 0, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    return m_hwnd != nullptr;
}

bool CStatusBar::SetIndicators(std::span<const UINT> ids)
{
    if (m_hwnd == nullptr) {
        return false;
    }
    m_indicators.clear();
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(m_hwnd, WM_GETFONT, 0, 0)));
    for (UINT id : ids) {
        Indicator indicator{id, id == 0 ? std::wstring() : IndicatorText(id), 0};
        if (id != 0) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, indicator.text.c_str(), static_cast<int>(indicator.text.size()), &extent);
            indicator.width = extent.cx + 12;
        }
        m_indicators.push_back(indicator);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(m_hwnd, dc);
    ApplyParts();
    return true;
}

void CStatusBar::ApplyParts()
{
    if (m_hwnd == nullptr || m_indicators.empty()) {
        return;
    }
    RECT client;
    GetClientRect(m_hwnd, &client);
    // Right edges: the last pane runs to the edge, each one before it ends where the next begins;
    // the message pane takes what the indicators leave.
    std::vector<int> edges(m_indicators.size(), -1);
    int edge = client.right - GetSystemMetrics(SM_CXVSCROLL);
    for (size_t i = m_indicators.size() - 1; i-- > 0;) {
        edge -= m_indicators[i + 1].width;
        edges[i] = edge;
    }
    SendMessageW(m_hwnd, SB_SETPARTS, static_cast<WPARAM>(edges.size()), reinterpret_cast<LPARAM>(edges.data()));
}

std::wstring CStatusBar::PaneText(int index) const
{
    const LRESULT info = SendMessageW(m_hwnd, SB_GETTEXTLENGTHW, static_cast<WPARAM>(index), 0);
    std::wstring text(LOWORD(info) + 1, L'\0');
    SendMessageW(m_hwnd, SB_GETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(LOWORD(info));
    return text;
}

void CStatusBar::SetPaneText(int index, const std::wstring& text)
{
    if (PaneText(index) != text) {
        SendMessageW(m_hwnd, SB_SETTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CStatusBar::Place(RECT& remaining)
{
    // The control sizes and places itself along its parent's bottom edge.
    SendMessageW(m_hwnd, WM_SIZE, 0, 0);
    RECT bar;
    GetWindowRect(m_hwnd, &bar);
    remaining.bottom -= bar.bottom - bar.top;
    ApplyParts();
}

void CStatusBar::UpdateCmdUI(CCmdTarget&)
{
    for (size_t i = 0; i < m_indicators.size(); ++i) {
        const int key = KeyFor(m_indicators[i].id);
        if (key != 0) {
            const bool on = (GetKeyState(key) & 1) != 0;
            SetPaneText(static_cast<int>(i), on ? m_indicators[i].text : std::wstring());
        }
    }
}
