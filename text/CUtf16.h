#pragma once
// Characters in UTF-16 text: a high surrogate (D800–DBFF) followed by a low surrogate
// (DC00–DFFF) is one character, a code point above U+FFFF; every other unit, a lone surrogate
// included, is a character of its own. Layout, caret moves, deletes and copies step by these
// characters so that a pair is never cut in two.
class CUtf16 {
public:
    static constexpr bool IsHigh(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
    static constexpr bool IsLow(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
    static constexpr bool IsSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }
    static constexpr char32_t CodePoint(char16_t high, char16_t low)
    {
        return 0x10000 + ((static_cast<char32_t>(high) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
    }

    // Units of the character that starts at i in text[0, length): 2 for a pair, 1 otherwise, 0 at
    // or past the end.
    static int UnitsAt(const char16_t* text, int length, int i)
    {
        if (i < 0 || i >= length)
            return 0;
        return i + 1 < length && IsHigh(text[i]) && IsLow(text[i + 1]) ? 2 : 1;
    }
    // The start of the character that holds unit i: i − 1 when i is the low half of a pair.
    // Offsets outside (0, length) come back unchanged.
    static int StartOf(const char16_t* text, int length, int i)
    {
        if (i <= 0 || i >= length)
            return i;
        return IsLow(text[i]) && IsHigh(text[i - 1]) ? i - 1 : i;
    }
    // The start of the character that ends at offset i (i itself a character start), not before
    // floor.
    static int PreviousStart(const char16_t* text, int i, int floor = 0)
    {
        if (i <= floor)
            return floor;
        return i - 2 >= floor && IsLow(text[i - 1]) && IsHigh(text[i - 2]) ? i - 2 : i - 1;
    }
};
