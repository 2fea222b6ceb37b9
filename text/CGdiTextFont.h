#pragma once
// The platform half of a text font: the GDI font object, its logical description and a memory
// device context with the font selected, on which characters are measured with
// GetTextExtentPoint32W. A CTextFont owns it as its measurer.
#include "text/CCharMeasurer.h"
#include "text/CTextFont.h"

#include <windows.h>

class CGdiTextFont : public CCharMeasurer {
public:
    ~CGdiTextFont() override;
    CGdiTextFont(const CGdiTextFont&) = delete;
    CGdiTextFont& operator=(const CGdiTextFont&) = delete;

    // Creates the platform font for record from logFont on device (a logical height of 0 becomes
    // 12 points), reads its text metrics and installs it with them; the record's previous font is
    // deleted. lineSpaceSetting × scale, rounded up, becomes the line spacing. False when the
    // font or its measuring context cannot be made (the record is then unchanged).
    static bool Create(CTextFont& record, const LOGFONTW& logFont, double scale, int lineSpaceSetting,
                       HDC device);
    // The GDI half of a record made by Create, or none.
    static CGdiTextFont* Of(const CTextFont& record);

    int Width(char16_t ch) override;
    // Both units in one call, so the font (or the font linked in for it) measures the character.
    int PairWidth(char16_t high, char16_t low) override;
    HFONT Font() const { return m_font; }
    const LOGFONTW& LogFont() const { return m_logFont; }

private:
    CGdiTextFont(HFONT font, HDC dc, HGDIOBJ oldFont, const LOGFONTW& logFont)
        : m_font(font), m_dc(dc), m_oldFont(oldFont), m_logFont(logFont)
    {
    }

    HFONT m_font;
    HDC m_dc;
    HGDIOBJ m_oldFont;
    LOGFONTW m_logFont;
};
