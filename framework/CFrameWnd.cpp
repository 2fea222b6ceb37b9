#include "framework/CFrameWnd.h"

#include "framework/CDocument.h"
#include "framework/CView.h"
#include "framework/CWinApp.h"
#include "framework/FrameworkIds.h"

const MessageEntry<CFrameWnd> CFrameWnd::kMessageMap[] = {
    {WM_CREATE, &CFrameWnd::OnCreate},
    {WM_SIZE, &CFrameWnd::OnSize},
    {WM_SETFOCUS, &CFrameWnd::OnSetFocus},
    {WM_ACTIVATE, &CFrameWnd::OnActivate},
    {WM_INITMENUPOPUP, &CFrameWnd::OnInitMenuPopup},
    {WM_CLOSE, &CFrameWnd::OnClose},
};

const CommandEntry<CFrameWnd> CFrameWnd::kCommandMap[] = {
    {VEL_IDW_STATUS_BAR, &CFrameWnd::OnToggleStatusBar, &CFrameWnd::OnUpdateToggleStatusBar},
};

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // The view is a child: let the window go first, while the view object still exists.
    DestroyWindow();
}

bool CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CCreateContext context)
{
    m_resourceId = resourceId;
    m_context = std::move(context);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    m_accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(resourceId));
    HMENU menu = LoadMenuW(instance, MAKEINTRESOURCEW(resourceId));
    const bool created = CreateEx(0, CWinApp::Current() ? CWinApp::Current()->AppName().c_str() : L"",
                                  style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  nullptr, menu);
    if (!created && menu != nullptr) {
        DestroyMenu(menu);
    }
    return created;
}

CDocument* CFrameWnd::ActiveDocument() const
{
    return m_view ? m_view->Document() : nullptr;
}

void CFrameWnd::AddControlBar(CControlBar& bar)
{
    m_bars.push_back(&bar);
    RecalcLayout();
}

void CFrameWnd::RemoveControlBar(const CControlBar& bar)
{
    std::erase(m_bars, &bar);
    std::erase(m_barsHiddenForPrinting, &bar);
}

namespace {

// The bar's own visibility, whatever the frame's: a hidden frame still lays out its bars.
bool IsShown(HWND bar)
{
    return bar != nullptr && (GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

}  // namespace

CControlBar* CFrameWnd::BarById(UINT id) const
{
    for (CControlBar* bar : m_bars) {
        if (bar->BarHandle() != nullptr && static_cast<UINT>(GetDlgCtrlID(bar->BarHandle())) == id) {
            return bar;
        }
    }
    return nullptr;
}

void CFrameWnd::RecalcLayout()
{
    if (Handle() == nullptr || IsIconic(Handle())) {
        return;
    }
    RECT remaining;
    GetClientRect(Handle(), &remaining);
    // Bottom bars first so that the status bar keeps the lowest band whatever was added later.
    for (CControlBar::Dock side : {CControlBar::Dock::Bottom, CControlBar::Dock::Top}) {
        for (CControlBar* bar : m_bars) {
            if (bar->DockSide() == side && IsShown(bar->BarHandle())) {
                bar->Place(remaining);
            }
        }
    }
    if (m_view && m_view->Handle() != nullptr) {
        MoveWindow(m_view->Handle(), remaining.left, remaining.top, remaining.right - remaining.left,
                   remaining.bottom - remaining.top, TRUE);
    }
    if (m_preview && m_preview->Handle() != nullptr) {
        MoveWindow(m_preview->Handle(), remaining.left, remaining.top, remaining.right - remaining.left,
                   remaining.bottom - remaining.top, TRUE);
    }
}

void CFrameWnd::SetPreview(CWnd* preview)
{
    if (preview == m_preview) {
        return;
    }
    m_preview = preview;
    if (m_view && m_view->Handle() != nullptr) {
        ShowWindow(m_view->Handle(), m_preview ? SW_HIDE : SW_SHOW);
    }
    RecalcLayout();
    if (m_preview && m_preview->Handle() != nullptr) {
        SetWindowPos(m_preview->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    } else if (m_view && m_view->Handle() != nullptr && Handle() != nullptr && IsWindowVisible(Handle())) {
        SetFocus(m_view->Handle());
    }
}

void CFrameWnd::HideTopBars(bool hide)
{
    if (hide) {
        if (m_topBarsHidden++ > 0) {
            return;
        }
        for (CControlBar* bar : m_bars) {
            if (bar->DockSide() == CControlBar::Dock::Top && IsShown(bar->BarHandle())) {
                ShowWindow(bar->BarHandle(), SW_HIDE);
                m_barsHiddenForPrinting.push_back(bar);
            }
        }
    } else {
        if (m_topBarsHidden == 0 || --m_topBarsHidden > 0) {
            return;
        }
        for (CControlBar* bar : m_barsHiddenForPrinting) {
            if (bar->BarHandle() != nullptr) {
                ShowWindow(bar->BarHandle(), SW_SHOW);
            }
        }
        m_barsHiddenForPrinting.clear();
    }
    RecalcLayout();
}

void CFrameWnd::UpdateMenuPopup(HMENU popup)
{
    const int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        const UINT id = GetMenuItemID(popup, position);
        if (id == 0 || id == static_cast<UINT>(-1)) {
            continue;  // separator or sub-menu: a sub-menu updates its items when it opens
        }
        CCmdUI ui = CCmdUI::ForMenuItem(popup, static_cast<UINT>(position), id);
        if (!OnCmdMsg(id, &ui)) {
            ui.Enable(false);
        }
    }
}

void CFrameWnd::UpdateControlBars()
{
    for (CControlBar* bar : m_bars) {
        if (IsShown(bar->BarHandle())) {
            bar->UpdateCmdUI(*this);
        }
    }
}

bool CFrameWnd::OnCmdMsg(UINT id, CCmdUI* ui)
{
    if (m_preview && m_preview->OnCmdMsg(id, ui)) {
        return true;
    }
    if (m_view && m_view->OnCmdMsg(id, ui)) {
        return true;
    }
    if (OnFrameCmdMsg(id, ui)) {
        return true;
    }
    CWinApp* app = CWinApp::Current();
    return app != nullptr && app->OnCmdMsg(id, ui);
}

bool CFrameWnd::OnFrameCmdMsg(UINT id, CCmdUI* ui)
{
    return RouteCommandTo(*this, kCommandMap, id, ui);
}

void CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(m_resourceId));
    if (icon == nullptr) {
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    }
    cs.lpszClass = RegisterClassOnce(L"VelFrame", CS_HREDRAW | CS_VREDRAW,
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (auto result = DispatchTo(*this, kMessageMap, message, wParam, lParam)) {
        return *result;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CFrameWnd::OnCreate(WPARAM, LPARAM)
{
    if (!m_context.makeView) {
        return 0;
    }
    m_view = m_context.makeView();
    if (!m_view || !m_view->Create(*this, m_context.document)) {
        m_view.reset();
        return -1;
    }
    return 0;
}

LRESULT CFrameWnd::OnSize(WPARAM wParam, LPARAM)
{
    if (wParam != SIZE_MINIMIZED) {
        RecalcLayout();
    }
    return 0;
}

LRESULT CFrameWnd::OnSetFocus(WPARAM, LPARAM)
{
    if (m_preview && m_preview->Handle() != nullptr) {
        SetFocus(m_preview->Handle());
    } else if (m_view && m_view->Handle() != nullptr) {
        SetFocus(m_view->Handle());
    }
    return 0;
}

LRESULT CFrameWnd::OnActivate(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = DefWindowProc(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        if (m_preview && m_preview->Handle() != nullptr) {
            SetFocus(m_preview->Handle());
        } else if (m_view && m_view->Handle() != nullptr) {
            SetFocus(m_view->Handle());
        }
    }
    return result;
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    if (!HIWORD(lParam)) {  // the window menu keeps its own states
        UpdateMenuPopup(reinterpret_cast<HMENU>(wParam));
    }
    return 0;
}

LRESULT CFrameWnd::OnClose(WPARAM, LPARAM)
{
    // A preview still up ends its print steps while the view is whole.
    if (m_preview && m_preview->Handle() != nullptr) {
        SendMessageW(m_preview->Handle(), WM_CLOSE, 0, 0);
    }
    DestroyWindow();
    return 0;
}

void CFrameWnd::PostNcDestroy()
{
    CWinApp* app = CWinApp::Current();
    if (app != nullptr && app->MainWnd() == this) {
        app->OnMainWindowDestroyed();
    }
}

void CFrameWnd::OnToggleStatusBar()
{
    if (CControlBar* bar = BarById(VEL_IDW_STATUS_BAR)) {
        ShowWindow(bar->BarHandle(), IsShown(bar->BarHandle()) ? SW_HIDE : SW_SHOW);
        RecalcLayout();
    }
}

void CFrameWnd::OnUpdateToggleStatusBar(CCmdUI& ui)
{
    CControlBar* bar = BarById(VEL_IDW_STATUS_BAR);
    ui.Enable(bar != nullptr);
    ui.SetCheck(bar != nullptr && IsShown(bar->BarHandle()));
}
