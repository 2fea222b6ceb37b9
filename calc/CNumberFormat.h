#pragma once
// Writes a calculation result in radix 2, 10 or 16 the way it is inserted into the memo text:
// at most 44, 14 or 11 significant digits, last digit rounded, no exponent, prefix "B" or "H".
#include <string>

class CNumberFormat {
public:
    // Radixes other than 2, 10 and 16 are written in decimal.
    static std::u16string Format(double value, int radix);

    static int MaxDigits(int radix);
    static const char16_t* Prefix(int radix);
};
