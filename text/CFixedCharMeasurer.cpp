#include "text/CFixedCharMeasurer.h"

bool CFixedCharMeasurer::IsFullWidth(char16_t ch)
{
    if (ch < 0x2000)
        return false;
    // Half-width katakana and Hangul forms.
    if (ch >= 0xFF61 && ch <= 0xFFDC)
        return false;
    return true;
}

int CFixedCharMeasurer::Width(char16_t ch)
{
    ++m_calls;
    if (auto it = m_overrides.find(ch); it != m_overrides.end())
        return it->second;
    return IsFullWidth(ch) ? 2 * m_cellWidth : m_cellWidth;
}
