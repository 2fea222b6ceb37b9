#include "app/CIntEdit.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <limits>

#include "app/VelTextMessages.h"

namespace {

int ToInt(double value)
{
    if (!(value == value))
        return 0;
    constexpr double low = std::numeric_limits<int>::min();
    constexpr double high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(std::trunc(value), low, high));
}

std::wstring ControlText(HWND control)
{
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

} // namespace

CIntEdit::CIntEdit()
    // Until the owning dialog says otherwise: a plain signed decimal number.
    : m_chars(L"0123456789.-\b"), m_keys{VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_RETURN}
{
}

void CIntEdit::SetOwner(UINT id, HWND owner)
{
    m_id = id;
    m_owner = owner;
}

void CIntEdit::SetFormat(int decimals, int positions, float scale, float minimum, float maximum)
{
    m_decimals = std::clamp(decimals, 0, 9);
    m_positions = positions;
    m_scale = scale;
    m_minimum = minimum;
    m_maximum = maximum;
}

int CIntEdit::ValueOf(const std::wstring& text) const
{
    const double x = std::wcstod(text.c_str(), nullptr);
    if (m_scale == 0) {
        // The text shows value / 10^n, so the value is the text times 10^n; read back exactly what
        // Show wrote (12.34 is 1234, not 1233 from its binary neighbour).
        const double scaled = x * std::pow(10.0, m_decimals);
        const double nearest = std::round(scaled);
        return ToInt(std::fabs(scaled - nearest) < 1e-6 ? nearest : scaled);
    }
    if (m_maximum == m_minimum)
        return 0;
    return ToInt((x - m_minimum) * (m_positions - 1) / (static_cast<double>(m_maximum) - m_minimum));
}

std::wstring CIntEdit::TextOf(int value) const
{
    wchar_t pattern[16];
    wchar_t text[64];
    if (m_scale == 0) {
        std::swprintf(pattern, std::size(pattern), L"%%.%df", m_decimals);
        std::swprintf(text, std::size(text), pattern, value / std::pow(10.0, m_decimals));
    } else {
        std::swprintf(text, std::size(text), L"%f", static_cast<double>(value) * m_scale + m_minimum);
    }
    return text;
}

int CIntEdit::Value() const
{
    return Handle() != nullptr ? ValueOf(ControlText(Handle())) : 0;
}

void CIntEdit::Show(int value)
{
    if (Handle() != nullptr)
        SetWindowTextW(Handle(), TextOf(value).c_str());
}

bool CIntEdit::HandlesKey(UINT key) const
{
    return std::find(m_keys.begin(), m_keys.end(), key) != m_keys.end();
}

void CIntEdit::Commit()
{
    m_commitPending = true;
    Show(Value());
}

void CIntEdit::NotifyOwner()
{
    const WPARAM id = m_id;
    const auto value = static_cast<LPARAM>(Value());
    if (m_owner != nullptr && SendMessageW(m_owner, kMsgNumberChanged, id, value) != 0)
        return;
    for (HWND window = GetParent(Handle()); window != nullptr; window = GetParent(window)) {
        if (window != m_owner && SendMessageW(window, kMsgNumberChanged, id, value) != 0)
            return;
    }
}

LRESULT CIntEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR:
        if (m_chars.find(static_cast<wchar_t>(wParam)) == std::wstring::npos)
            return 0;
        break;
    case WM_KEYDOWN:
        if (!HandlesKey(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_KEYUP:
        if (!HandlesKey(static_cast<UINT>(wParam)))
            return 0;
        if (wParam == VK_RETURN) {
            const LRESULT result = Default(message, wParam, lParam);
            Commit();
            return result;
        }
        break;
    case WM_SETFOCUS:
        m_hasFocus = true;
        break;
    case WM_KILLFOCUS:
        m_hasFocus = false;
        Commit();
        break;
    default:
        break;
    }
    return CSubclassedControl::WindowProc(message, wParam, lParam);
}

std::optional<LRESULT> CIntEdit::OnReflected(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && m_hasFocus)
        NotifyOwner();
    return std::nullopt;
}
