#include "app/CColorStatic.h"

void CColorStatic::SetColor(COLORREF color)
{
    m_color = color;
    m_brush.reset(CreateSolidBrush(color));
    if (Handle() != nullptr)
        InvalidateRect(Handle(), nullptr, TRUE);
}

std::optional<LRESULT> CColorStatic::OnReflected(UINT message, WPARAM wParam, LPARAM)
{
    if (message != WM_CTLCOLORSTATIC)
        return std::nullopt;
    if (!m_brush)
        m_brush.reset(CreateSolidBrush(m_color));
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, m_color);
    SetBkColor(dc, m_color);
    return reinterpret_cast<LRESULT>(m_brush.get());
}
