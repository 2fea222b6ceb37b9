#pragma once
// Deterministic measurer: half-width characters take one cell, full-width ones two (characters
// above U+FFFF count as full-width); single characters can be given any other width.
#include "text/CCharMeasurer.h"

#include <unordered_map>

class CFixedCharMeasurer : public CCharMeasurer {
public:
    explicit CFixedCharMeasurer(int cellWidth) : m_cellWidth(cellWidth) {}

    int Width(char16_t ch) override;
    int PairWidth(char16_t high, char16_t low) override;
    // ch: a UTF-16 unit or a code point above U+FFFF.
    void SetWidth(char32_t ch, int width) { m_overrides[ch] = width; }
    static bool IsFullWidth(char16_t ch);
    int Calls() const { return m_calls; }

private:
    int WidthOf(char32_t ch, bool fullWidth);

    int m_cellWidth;
    int m_calls = 0;
    std::unordered_map<char32_t, int> m_overrides;
};
