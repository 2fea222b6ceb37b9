#include "text/CFixedCharMeasurer.h"

#include "text/CUtf16.h"

bool CFixedCharMeasurer::IsFullWidth(char16_t ch)
{
    if (ch < 0x2000)
        return false;
    // Half-width katakana and Hangul forms.
    if (ch >= 0xFF61 && ch <= 0xFFDC)
        return false;
    return true;
}

int CFixedCharMeasurer::WidthOf(char32_t ch, bool fullWidth)
{
    ++m_calls;
    if (auto it = m_overrides.find(ch); it != m_overrides.end())
        return it->second;
    return fullWidth ? 2 * m_cellWidth : m_cellWidth;
}

int CFixedCharMeasurer::Width(char16_t ch)
{
    return WidthOf(ch, IsFullWidth(ch));
}

int CFixedCharMeasurer::PairWidth(char16_t high, char16_t low)
{
    return WidthOf(CUtf16::CodePoint(high, low), true);
}
