#include "text/CGdiTextFont.h"

#include <memory>

CGdiTextFont::~CGdiTextFont()
{
    SelectObject(m_dc, m_oldFont);
    DeleteDC(m_dc);
    DeleteObject(m_font);
}

bool CGdiTextFont::Create(CTextFont& record, const LOGFONTW& logFont, double scale, int lineSpaceSetting,
                          HDC device)
{
    LOGFONTW lf = logFont;
    const int dpiY = GetDeviceCaps(device, LOGPIXELSY);
    if (lf.lfHeight == 0)
        lf.lfHeight = CTextFont::DefaultHeight(dpiY);
    HFONT font = CreateFontIndirectW(&lf);
    if (!font)
        return false;
    HDC dc = CreateCompatibleDC(device);
    if (!dc) {
        DeleteObject(font);
        return false;
    }
    HGDIOBJ old = SelectObject(dc, font);
    std::unique_ptr<CGdiTextFont> gdi(new CGdiTextFont(font, dc, old, lf));

    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    CFontMetrics metrics;
    metrics.charWidth = tm.tmAveCharWidth;
    metrics.maxCharWidth = tm.tmMaxCharWidth;
    metrics.textHeight = tm.tmHeight;
    metrics.internalLeading = tm.tmInternalLeading;
    metrics.dpiY = dpiY;
    record.Install(std::move(gdi), metrics, lineSpaceSetting, scale);
    return true;
}

CGdiTextFont* CGdiTextFont::Of(const CTextFont& record)
{
    return dynamic_cast<CGdiTextFont*>(record.Measurer());
}

int CGdiTextFont::Width(char16_t ch)
{
    const wchar_t c = static_cast<wchar_t>(ch);
    SIZE size{};
    if (!GetTextExtentPoint32W(m_dc, &c, 1, &size))
        return 0;
    return size.cx;
}

int CGdiTextFont::PairWidth(char16_t high, char16_t low)
{
    const wchar_t units[2] = {static_cast<wchar_t>(high), static_cast<wchar_t>(low)};
    SIZE size{};
    if (!GetTextExtentPoint32W(m_dc, units, 2, &size))
        return 0;
    return size.cx;
}
