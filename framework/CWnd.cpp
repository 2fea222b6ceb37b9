#include "framework/CWnd.h"

#include <vector>

namespace {

// The object whose window is being created on this thread: messages arrive before
// CreateWindowEx returns (even before WM_NCCREATE), so the tie is made on the first one.
thread_local CWnd* t_creating = nullptr;

constexpr wchar_t kObjectProperty[] = L"VelFrameworkObject";

}  // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        HWND hwnd = m_hWnd;
        RemovePropW(hwnd, kObjectProperty);
        m_hWnd = nullptr;
        ::DestroyWindow(hwnd);
    }
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr) {
        return nullptr;
    }
    // Only windows of this process carry our object; a foreign pointer must never be followed.
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId != GetCurrentProcessId()) {
        return nullptr;
    }
    return static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty));
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    SetPropW(hwnd, kObjectProperty, this);
}

CWnd* CWnd::TakeCreatingWindow()
{
    CWnd* wnd = t_creating;
    t_creating = nullptr;
    return wnd;
}

void CWnd::SetCreatingWindow(CWnd* wnd)
{
    t_creating = wnd;
}

const wchar_t* CWnd::RegisterClassOnce(const wchar_t* name, UINT style, HBRUSH background, HICON icon)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &existing)) {
        return name;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &CWnd::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
    return name;
}

void CWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = RegisterClassOnce(L"VelWnd", CS_DBLCLKS, nullptr, nullptr);
    }
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId)
{
    CREATESTRUCTW cs{};
    cs.dwExStyle = exStyle;
    cs.lpszName = title;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = GetModuleHandleW(nullptr);
    PreCreateWindow(cs);

    SetCreatingWindow(this);
    HWND hwnd = CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                                cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, nullptr);
    SetCreatingWindow(nullptr);
    if (hwnd == nullptr) {
        m_hWnd = nullptr;
        return false;
    }
    return true;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd != nullptr) {
        ::DestroyWindow(m_hWnd);
    }
}

std::wstring CWnd::Text() const
{
    const int length = GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return std::wstring(buffer.data());
}

void CWnd::SetText(const std::wstring& text)
{
    SetWindowTextW(m_hWnd, text.c_str());
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) {
        return 0;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

bool CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (lParam == 0 || code == BN_CLICKED) {
        return OnCmdMsg(id, nullptr);
    }
    return OnControlNotify(id, code, reinterpret_cast<HWND>(lParam));
}

bool CWnd::OnControlNotify(UINT, UINT, HWND)
{
    return false;
}

LRESULT DispatchToObject(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropW(hwnd, kObjectProperty);
        wnd->m_hWnd = nullptr;
        wnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = static_cast<CWnd*>(GetPropW(hwnd, kObjectProperty));
    if (wnd == nullptr && t_creating != nullptr) {
        wnd = TakeCreatingWindow();
        wnd->Attach(hwnd);
    }
    if (wnd == nullptr) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return DispatchToObject(wnd, hwnd, message, wParam, lParam);
}
