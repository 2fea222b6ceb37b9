#include "app/CSubclassedControl.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kObjectProperty[] = L"VelSubclassedControl";
constexpr UINT_PTR kControlSubclass = 0x56454C31; // "VEL1"
constexpr UINT_PTR kParentSubclass = 0x56454C32;

} // namespace

CSubclassedControl::~CSubclassedControl()
{
    Detach();
}

bool CSubclassedControl::Attach(HWND control)
{
    if (control == nullptr || m_hwnd != nullptr || FromHandle(control) != nullptr)
        return false;
    if (!SetWindowSubclass(control, &CSubclassedControl::ControlProc, kControlSubclass,
                           reinterpret_cast<DWORD_PTR>(this)))
        return false;
    m_hwnd = control;
    SetPropW(control, kObjectProperty, this);
    // One reflector per parent, whatever number of our controls it holds.
    if (HWND parent = GetParent(control))
        SetWindowSubclass(parent, &CSubclassedControl::ParentProc, kParentSubclass, 0);
    OnAttached();
    return true;
}

void CSubclassedControl::Detach()
{
    if (m_hwnd == nullptr)
        return;
    RemovePropW(m_hwnd, kObjectProperty);
    RemoveWindowSubclass(m_hwnd, &CSubclassedControl::ControlProc, kControlSubclass);
    m_hwnd = nullptr;
}

CSubclassedControl* CSubclassedControl::FromHandle(HWND control)
{
    if (control == nullptr)
        return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(control, &process);
    if (process != GetCurrentProcessId())
        return nullptr;
    return static_cast<CSubclassedControl*>(GetPropW(control, kObjectProperty));
}

LRESULT CSubclassedControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT CSubclassedControl::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(m_hwnd, message, wParam, lParam);
}

std::optional<LRESULT> CSubclassedControl::OnReflected(UINT, WPARAM, LPARAM)
{
    return std::nullopt;
}

LRESULT CALLBACK CSubclassedControl::ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data)
{
    auto* control = reinterpret_cast<CSubclassedControl*>(data);
    if (control == nullptr || control->m_hwnd != hwnd)
        return DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = control->Default(message, wParam, lParam);
        control->Detach();
        return result;
    }
    return control->WindowProc(message, wParam, lParam);
}

LRESULT CALLBACK CSubclassedControl::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR)
{
    HWND about = nullptr;
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        about = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &CSubclassedControl::ParentProc, kParentSubclass);
        break;
    default:
        break;
    }
    if (about != nullptr && GetParent(about) == hwnd) {
        if (CSubclassedControl* control = FromHandle(about)) {
            if (const auto answer = control->OnReflected(message, wParam, lParam))
                return *answer;
        }
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
