#pragma once
// Deterministic measurer: half-width characters take one cell, full-width ones two; single
// characters can be given any other width.
#include "text/CCharMeasurer.h"

#include <unordered_map>

class CFixedCharMeasurer : public CCharMeasurer {
public:
    explicit CFixedCharMeasurer(int cellWidth) : m_cellWidth(cellWidth) {}

    int Width(char16_t ch) override;
    void SetWidth(char16_t ch, int width) { m_overrides[ch] = width; }
    static bool IsFullWidth(char16_t ch);
    int Calls() const { return m_calls; }

private:
    int m_cellWidth;
    int m_calls = 0;
    std::unordered_map<char16_t, int> m_overrides;
};
