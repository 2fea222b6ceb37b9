#pragma once
// Width of one character in the pixels of a font. The window side measures with the real font
// on a device context; tests use fixed widths.
class CCharMeasurer {
public:
    virtual ~CCharMeasurer() = default;
    // A character of one UTF-16 unit (a lone surrogate included).
    virtual int Width(char16_t ch) = 0;
    // A character above U+FFFF, measured as the one character its surrogate pair stands for.
    virtual int PairWidth(char16_t high, char16_t low) = 0;
};
