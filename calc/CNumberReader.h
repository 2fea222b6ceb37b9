#pragma once
// Reads the text of one token as a number: π, a percentage, "h" hexadecimal, "b" binary or decimal.
// A decimal may group the thousands of its integer part ("1,980") and, as a whole token, name
// the currency behind it ("1,980円").
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
    // A "," between a digit and exactly three digits of the integer part that end the number
    // or are followed by another "," or by the point.
    static bool IsGroupSeparator(std::u16string_view digits, size_t i);
};
