#include "text/CTextFont.h"

#include "text/CUtf16.h"

#include <cmath>
#include <cstdint>

CTextFont::CTextFont() : m_widths(0x10000, kUnknown) {}

void CTextFont::Install(std::unique_ptr<CCharMeasurer> measurer, const CFontMetrics& metrics,
                        int lineSpaceSetting, double scale)
{
    m_measurer = std::move(measurer);
    m_created = m_measurer != nullptr;
    ClearCaches();
    m_charWidth = metrics.charWidth;
    m_maxCharWidth = metrics.maxCharWidth;
    m_textHeight = metrics.textHeight;
    m_lineSpacing = LineSpacingFor(lineSpaceSetting, scale);
    m_pointSize = PointSizeFor(metrics.textHeight, metrics.internalLeading, metrics.dpiY);
}

void CTextFont::SetCacheEnabled(bool on)
{
    m_cacheOn = on;
    ClearCaches();
}

void CTextFont::ClearCaches()
{
    m_widths.assign(0x10000, kUnknown);
    m_pairWidths.fill(PairSlot{});
}

int CTextFont::MeasurePair(char16_t high, char16_t low)
{
    if (!m_cacheOn)
        return MeasurePairRaw(high, low);
    const char32_t codePoint = CUtf16::CodePoint(high, low);
    PairSlot& slot = m_pairWidths[codePoint % kPairSlots];
    if (slot.codePoint != codePoint) {
        slot.codePoint = codePoint;
        slot.width = static_cast<std::uint16_t>(MeasurePairRaw(high, low));
    }
    return slot.width;
}

int CTextFont::MeasureRaw(char16_t ch)
{
    if (!m_measurer)
        return 0;
    const int width = m_measurer->Width(ch);
    // The cache slot is 16 bits wide and 0xFFFF marks an unmeasured slot.
    if (width < 0)
        return 0;
    return width < kUnknown ? width : kUnknown - 1;
}

int CTextFont::MeasurePairRaw(char16_t high, char16_t low)
{
    if (!m_measurer)
        return 0;
    const int width = m_measurer->PairWidth(high, low);
    return width < 0 ? 0 : (width < kUnknown ? width : kUnknown - 1);
}

int CTextFont::MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t num = product < 0 ? -product : product;
    const std::int64_t den = c < 0 ? -static_cast<std::int64_t>(c) : c;
    const std::int64_t q = (num + den / 2) / den;
    return static_cast<int>(negative ? -q : q);
}

int CTextFont::LineSpacingFor(int setting, double scale)
{
    return static_cast<int>(std::ceil(setting * scale));
}

int CTextFont::PointSizeFor(int textHeight, int internalLeading, int dpiY)
{
    return MulDiv(textHeight - internalLeading, 72, dpiY);
}
