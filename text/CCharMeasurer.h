#pragma once
// Width of one character in the pixels of a font. The window side measures with the real font
// on a device context; tests use fixed widths.
class CCharMeasurer {
public:
    virtual ~CCharMeasurer() = default;
    virtual int Width(char16_t ch) = 0;
};
