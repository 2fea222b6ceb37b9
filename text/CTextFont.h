#pragma once
// A font in which lines are measured and drawn: its metrics, colours and the two switches that
// layout and drawing read. The platform font lives behind the measurer that the window side
// installs when it creates the font; widths are cached per character because layout measures
// every character of every line.
#include "text/CCharMeasurer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// The metrics read from the platform font when it is created.
struct CFontMetrics {
    int charWidth = 0;        // average character width: the width of one cell
    int maxCharWidth = 0;
    int textHeight = 0;
    int internalLeading = 0;
    int dpiY = 96;            // vertical pixels per inch of the measuring device
};

class CTextFont {
public:
    using Colour = std::uint32_t;  // 0x00BBGGRR
    static constexpr Colour kDefaultTextColour = 0x000000;
    static constexpr Colour kDefaultBackColour = 0xFFFFFF;
    static constexpr Colour kDefaultSecondColour = 0xD0D0D0;
    static constexpr Colour kDefaultThirdColour = 0x808080;
    static constexpr Colour kDefaultSelectColour = 0xFF9832;
    static constexpr int kDefaultPoints = 12;

    CTextFont();
    virtual ~CTextFont() = default;
    CTextFont(const CTextFont&) = delete;
    CTextFont& operator=(const CTextFont&) = delete;

    // Takes over a newly created platform font (through its measurer) with its metrics; the
    // previous font and every cached width go. lineSpaceSetting × scale is rounded up.
    void Install(std::unique_ptr<CCharMeasurer> measurer, const CFontMetrics& metrics,
                 int lineSpaceSetting, double scale);
    bool Created() const { return m_created; }
    CCharMeasurer* Measurer() const { return m_measurer.get(); }

    // Pixel width of one character, measured once per distinct character while caching is on.
    int Measure(char16_t ch)
    {
        if (m_cacheOn) {
            std::uint16_t& slot = m_widths[ch];
            if (slot == kUnknown)
                slot = static_cast<std::uint16_t>(MeasureRaw(ch));
            return slot;
        }
        return MeasureRaw(ch);
    }
    // Pixel width of a character above U+FFFF given as its surrogate pair. Such characters are
    // rare in a memo and spread over a huge range, so they get a small cache of their own.
    int MeasurePair(char16_t high, char16_t low);
    void SetCacheEnabled(bool on);

    int CharWidth() const { return m_charWidth; }
    int MaxCharWidth() const { return m_maxCharWidth; }
    int TextHeight() const { return m_textHeight; }
    int PointSize() const { return m_pointSize; }
    int LineSpacing() const { return m_lineSpacing; }
    // The option dialog changes the spacing without creating the font again.
    void SetLineSpacing(int pixels) { m_lineSpacing = pixels < 0 ? 0 : pixels; }
    int LineHeight() const { return m_textHeight + m_lineSpacing; }

    bool RuledLines() const { return m_ruledLines; }
    void SetRuledLines(bool on) { m_ruledLines = on; }
    bool Kinsoku() const { return m_kinsoku; }
    void SetKinsoku(bool on) { m_kinsoku = on; }

    Colour TextColour() const { return m_textColour; }
    Colour BackColour() const { return m_backColour; }
    Colour SecondColour() const { return m_secondColour; }
    Colour ThirdColour() const { return m_thirdColour; }
    Colour SelectColour() const { return m_selectColour; }
    void SetTextColour(Colour c) { m_textColour = c; }
    void SetBackColour(Colour c) { m_backColour = c; }
    void SetSecondColour(Colour c) { m_secondColour = c; }
    void SetThirdColour(Colour c) { m_thirdColour = c; }
    void SetSelectColour(Colour c) { m_selectColour = c; }

    // a × b ÷ c rounded to nearest, halves away from zero (the platform's multiply-divide); -1
    // when c is 0.
    static int MulDiv(int a, int b, int c);
    // Height of a logical font whose height is unset: 12 points on the given device.
    static int DefaultHeight(int dpiY) { return -MulDiv(kDefaultPoints, dpiY, 72); }
    static int LineSpacingFor(int setting, double scale);
    static int PointSizeFor(int textHeight, int internalLeading, int dpiY);

private:
    static constexpr std::uint16_t kUnknown = 0xFFFF;
    static constexpr std::size_t kPairSlots = 256;
    // One remembered width per slot, chosen by the code point's low bits; 0 marks an empty slot
    // (no character above U+FFFF is 0).
    struct PairSlot {
        char32_t codePoint = 0;
        std::uint16_t width = 0;
    };
    int MeasureRaw(char16_t ch);
    int MeasurePairRaw(char16_t high, char16_t low);
    void ClearCaches();

    bool m_created = false;
    std::unique_ptr<CCharMeasurer> m_measurer;
    std::vector<std::uint16_t> m_widths;  // one slot per UTF-16 code unit
    std::array<PairSlot, kPairSlots> m_pairWidths{};
    bool m_cacheOn = true;

    Colour m_textColour = kDefaultTextColour;
    Colour m_backColour = kDefaultBackColour;
    Colour m_secondColour = kDefaultSecondColour;
    Colour m_thirdColour = kDefaultThirdColour;
    Colour m_selectColour = kDefaultSelectColour;
    int m_lineSpacing = 0;
    bool m_ruledLines = false;
    int m_charWidth = 0;
    int m_maxCharWidth = 0;
    int m_textHeight = 0;
    int m_pointSize = 0;
    bool m_kinsoku = true;
};
