#pragma once
// Reads the text of one token as a number: π, a percentage, "h" hexadecimal, "b" binary or decimal.
#include <string_view>

class CNumberReader {
public:
    // True when text is a number; its value is then stored in value.
    static bool Read(std::u16string_view text, double& value);

    static constexpr int kMaxDecimalDigits = 15;
    static constexpr int kMaxHexDigits = 12;
    static constexpr int kMaxBinaryDigits = 45;

private:
    static bool Read(std::u16string_view text, double& value, bool percentAllowed);
    static bool ReadDigits(std::u16string_view digits, int radix, int maxDigits, double& value);
};
